#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

// A small HTTP/1.1 server on 127.0.0.1 for tests: one thread, one connection at a time, every
// answer closes its connection. Nothing ever leaves the machine.
class LocalHttpServer {
public:
    struct Response {
        int status = 200;
        std::string reason = "OK";
        std::string contentType = "text/plain";
        std::string body;
        int delayMs = 0;           // wait before answering
        bool neverAnswer = false;  // keep the connection open and say nothing
    };

    struct Request {
        std::string method;
        std::string target;                          // path and query as sent
        std::map<std::string, std::string> headers;  // names in lower case
        std::string body;
    };

    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // Answers requests for path (without the query) with response; others get 404.
    void Serve(const std::string& path, const Response& response);
    void Serve(const std::string& path, const std::string& contentType, const std::string& body);

    int Port() const { return m_port; }
    // "127.0.0.1:<port>", and "http://127.0.0.1:<port><path>".
    std::string HostAndPort() const;
    std::string Url(const std::string& path) const;

    std::vector<Request> Requests() const;
    int HitCount(const std::string& path) const;

private:
    void Run();
    void Handle(int client);

    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::map<std::string, Response> m_routes;
    std::vector<Request> m_requests;
    std::thread m_thread;
};

}  // namespace testing_support
