#pragma once

#include <memory>
#include <string>

// How the XML layer reaches the network: the application's HTTP agent implements this and
// installs itself; without one, fetching and posting fail.
class ivUrlFetcher {
public:
    virtual ~ivUrlFetcher() = default;
    // GET of url; the body exactly as received.
    virtual bool Fetch(const std::string& url, std::string& body) = 0;
    // POST of body with the given content type, with credentials when not empty; the response
    // body exactly as received.
    virtual bool Post(const std::string& url, const std::string& user, const std::string& password,
                      const std::string& contentType, const std::string& body,
                      std::string& response) = 0;
};

void SetUrlFetcher(std::shared_ptr<ivUrlFetcher> fetcher);
std::shared_ptr<ivUrlFetcher> GetUrlFetcher();
