#include "app/http/agent_fetcher.h"

#include "app/http/http_agent.h"

bool ivAgentUrlFetcher::Fetch(const std::string& url, std::string& body) {
    std::unique_ptr<ivHttpResponse> response = m_agent.Open(url);
    if (!response || !response->IsOK() || !response->IsComplete()) {
        return false;
    }
    body = response->ReadAll();
    return true;
}

bool ivAgentUrlFetcher::Post(const std::string& url, const std::string& user,
                             const std::string& password, const std::string& contentType,
                             const std::string& body, std::string& reply) {
    std::unique_ptr<ivHttpResponse> response = m_agent.Post(url, user, password, contentType, body);
    if (!response || response->GetStatusCode() / 100 != 2 || !response->IsComplete()) {
        return false;
    }
    reply = response->ReadAll();
    return true;
}
