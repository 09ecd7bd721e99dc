#pragma once

#include "document/iv_object.h"

#include <cstddef>
#include <memory>
#include <string>

// The application's HTTP client: GET (and POST) of a URL, the response's status, content type
// and body as text. One agent belongs to the application; the XML layer fetches the update
// manifest and the news feed through it.

// What a request may cost at most, so that no fetch hangs the program.
struct ivHttpLimits {
    long connectTimeoutSeconds = 10;
    long stallTimeoutSeconds = 15;  // no byte at all for this long ends the transfer
    long totalTimeoutSeconds = 30;
    size_t maxBodyBytes = 8 * 1024 * 1024;
};

// The outcome of one request. A response exists also when the request failed; then the
// status code is 0 and GetErrorText says why.
class ivHttpResponse : public ivObject {
    wxDECLARE_DYNAMIC_CLASS(ivHttpResponse);

public:
    ivHttpResponse() = default;

    virtual bool IsError() const { return !IsOK(); }
    virtual bool IsOK() const { return GetStatusCode() == 200; }
    // 0 when no response arrived.
    virtual int GetStatusCode() const { return m_statusCode; }
    // The reason phrase of the status line; the error text when there is none.
    virtual std::string GetStatusText() const;
    virtual std::string GetContentType() const { return m_contentType; }
    // The body exactly as received (at most the agent's body limit).
    virtual std::string ReadAll() const { return m_body; }

    // Why the request or the transfer failed, on one line; empty when nothing failed.
    const std::string& GetErrorText() const { return m_errorText; }
    // The whole body arrived: no time-out, no broken connection, not over the size limit.
    bool IsComplete() const { return m_errorText.empty(); }

private:
    friend class ivHttpAgent;
    int m_statusCode = 0;
    std::string m_statusText;
    std::string m_contentType;
    std::string m_body;
    std::string m_errorText;
};

// The connection state the agent keeps between requests.
class ivHttpSession;

class ivHttpAgent : public ivObject {
    wxDECLARE_DYNAMIC_CLASS(ivHttpAgent);

public:
    ivHttpAgent();
    ~ivHttpAgent() override;
    ivHttpAgent(const ivHttpAgent&) = delete;
    ivHttpAgent& operator=(const ivHttpAgent&) = delete;

    // Created on first use; null when the HTTP library cannot be set up.
    virtual ivHttpSession* GetSession();

    // GET of url (normalised, credentials put into it). Null only without a session; a failed
    // request gives a response that is not OK. Nothing is taken from a cache.
    virtual std::unique_ptr<ivHttpResponse> Open(const std::string& url,
                                                 const std::string& user = {},
                                                 const std::string& password = {});

    // Open, then the body; the empty text without a session.
    virtual std::string GetText(const std::string& url, const std::string& user = {},
                                const std::string& password = {});

    // POST of body with the given content type.
    virtual std::unique_ptr<ivHttpResponse> Post(const std::string& url, const std::string& user,
                                                 const std::string& password,
                                                 const std::string& contentType,
                                                 const std::string& body);

    void SetUserAgent(const std::string& userAgent) { m_userAgent = userAgent; }
    const std::string& GetUserAgentText() const { return m_userAgent; }
    void SetLimits(const ivHttpLimits& limits) { m_limits = limits; }
    const ivHttpLimits& GetLimits() const { return m_limits; }

private:
    std::unique_ptr<ivHttpResponse> Perform(const std::string& url, const std::string& user,
                                            const std::string& password,
                                            const std::string* contentType,
                                            const std::string* body);

    std::unique_ptr<ivHttpSession> m_session;
    std::string m_userAgent;
    ivHttpLimits m_limits;
};

// A URL with a scheme the agent does not know, or without one, becomes "http://" and the
// rest after any "://"; a URL with a known scheme and a host is kept.
std::string NormaliseUrl(const std::string& url);

// Puts the user name and password into the URL's authority, percent-encoded, so that any
// character of them is sent as it is and none changes where the request goes.
std::string AddCredentials(const std::string& url, const std::string& user,
                           const std::string& password);
