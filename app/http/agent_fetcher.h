#pragma once

#include "document/url_fetcher.h"

class ivHttpAgent;

// Lets the XML layer fetch and post through an HTTP agent. A fetch succeeds only with status
// 200 and the whole body; a post with any 2xx status and the whole reply. The agent must
// outlive the fetcher's installation.
class ivAgentUrlFetcher : public ivUrlFetcher {
public:
    explicit ivAgentUrlFetcher(ivHttpAgent& agent) : m_agent(agent) {}

    bool Fetch(const std::string& url, std::string& body) override;
    bool Post(const std::string& url, const std::string& user, const std::string& password,
              const std::string& contentType, const std::string& body,
              std::string& response) override;

private:
    ivHttpAgent& m_agent;
};
