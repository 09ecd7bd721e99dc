#include "app/http/http_agent.h"

#include "core/system_info.h"
#include "core/version.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>

wxIMPLEMENT_DYNAMIC_CLASS(ivHttpResponse, ivObject);
wxIMPLEMENT_DYNAMIC_CLASS(ivHttpAgent, ivObject);

// One reusable curl handle: connections to the same host are kept open between requests.
class ivHttpSession {
public:
    ivHttpSession() {
        static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
        if (initialised) {
            m_curl = curl_easy_init();
        }
    }
    ~ivHttpSession() {
        if (m_curl != nullptr) {
            curl_easy_cleanup(m_curl);
        }
    }
    ivHttpSession(const ivHttpSession&) = delete;
    ivHttpSession& operator=(const ivHttpSession&) = delete;

    CURL* Handle() const { return m_curl; }

private:
    CURL* m_curl = nullptr;
};

namespace {

// The schemes whose URLs are used as they are. Only http and https are fetched; the others
// fail at the request, as they are not meant to be reached from here.
bool IsKnownScheme(std::string scheme) {
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static const char* const kKnown[] = {"http",   "https", "ftp",  "gopher", "file",
                                         "mailto", "news",  "nntp", "telnet", "wais"};
    return std::any_of(std::begin(kKnown), std::end(kKnown),
                       [&](const char* known) { return scheme == known; });
}

bool IsSchemeText(const std::string& text) {
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0]))) {
        return false;
    }
    return std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '+' || c == '-' || c == '.';
    });
}

std::string PercentEncode(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

struct Transfer {
    ivHttpResponse* response;
    std::string* body;
    std::string* statusText;
    size_t maxBody;
    bool overLimit = false;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (transfer->body->size() + bytes > transfer->maxBody) {
        transfer->overLimit = true;
        return 0;  // ends the transfer
    }
    transfer->body->append(data, bytes);
    return bytes;
}

// Keeps the reason phrase of the last status line (a redirect or "100 Continue" comes first).
size_t ReadHeader(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    std::string line(data, bytes);
    if (line.rfind("HTTP/", 0) == 0) {
        // "HTTP/1.1 404 Not Found": the reason follows the second blank.
        const size_t code = line.find(' ');
        const size_t reason = code == std::string::npos ? code : line.find(' ', code + 1);
        *transfer->statusText =
            reason == std::string::npos ? std::string() : NormaliseMessage(line.substr(reason + 1));
    }
    return bytes;
}

}  // namespace

std::string ivHttpResponse::GetStatusText() const {
    return m_statusText.empty() ? m_errorText : m_statusText;
}

ivHttpAgent::ivHttpAgent() : m_userAgent(GetUserAgent()) {}

ivHttpAgent::~ivHttpAgent() = default;

ivHttpSession* ivHttpAgent::GetSession() {
    if (!m_session) {
        auto session = std::make_unique<ivHttpSession>();
        if (session->Handle() == nullptr) {
            return nullptr;
        }
        m_session = std::move(session);
    }
    return m_session.get();
}

std::unique_ptr<ivHttpResponse> ivHttpAgent::Open(const std::string& url, const std::string& user,
                                                  const std::string& password) {
    return Perform(url, user, password, nullptr, nullptr);
}

std::string ivHttpAgent::GetText(const std::string& url, const std::string& user,
                                 const std::string& password) {
    std::unique_ptr<ivHttpResponse> response = Open(url, user, password);
    return response ? response->ReadAll() : std::string();
}

std::unique_ptr<ivHttpResponse> ivHttpAgent::Post(const std::string& url, const std::string& user,
                                                  const std::string& password,
                                                  const std::string& contentType,
                                                  const std::string& body) {
    return Perform(url, user, password, &contentType, &body);
}

std::unique_ptr<ivHttpResponse> ivHttpAgent::Perform(const std::string& url,
                                                     const std::string& user,
                                                     const std::string& password,
                                                     const std::string* contentType,
                                                     const std::string* body) {
    ivHttpSession* session = GetSession();
    if (session == nullptr) {
        return nullptr;
    }
    auto response = std::make_unique<ivHttpResponse>();
    const std::string target = AddCredentials(NormaliseUrl(url), user, password);

    CURL* curl = session->Handle();
    curl_easy_reset(curl);
    Transfer transfer{response.get(), &response->m_body, &response->m_statusText,
                      m_limits.maxBodyBytes};
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    curl_slist* headers = nullptr;
    // Always fetched anew: ask every cache on the way to pass the request on.
    headers = curl_slist_append(headers, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");
    if (contentType != nullptr) {
        headers = curl_slist_append(headers, ("Content-Type: " + *contentType).c_str());
    }

    curl_easy_setopt(curl, CURLOPT_URL, target.c_str());
    curl_easy_setopt(curl, CURLOPT_USERAGENT, m_userAgent.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, m_limits.connectTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, m_limits.totalTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, m_limits.stallTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, ReadHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    if (body != nullptr) {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body->data());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body->size()));
    }

    const CURLcode result = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    response->m_statusCode = static_cast<int>(status);
    char* type = nullptr;
    if (curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type != nullptr) {
        response->m_contentType = type;
    }
    if (transfer.overLimit) {
        response->m_errorText =
            "The response is larger than " + std::to_string(m_limits.maxBodyBytes) + " bytes.";
    } else if (result != CURLE_OK) {
        response->m_errorText =
            NormaliseMessage(errorBuffer[0] != '\0' ? errorBuffer : curl_easy_strerror(result));
    }
    // The handle must not keep pointers into this call's locals.
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    curl_slist_free_all(headers);
    return response;
}

std::string NormaliseUrl(const std::string& url) {
    const size_t separator = url.find("://");
    if (separator != std::string::npos) {
        const std::string scheme = url.substr(0, separator);
        const std::string rest = url.substr(separator + 3);
        const bool hasHost = !rest.empty() && rest[0] != '/';
        if (IsSchemeText(scheme) && IsKnownScheme(scheme) && hasHost) {
            return url;
        }
        return "http://" + rest;
    }
    return "http://" + url;
}

std::string AddCredentials(const std::string& url, const std::string& user,
                           const std::string& password) {
    if (user.empty() && password.empty()) {
        return url;
    }
    const size_t separator = url.find("://");
    if (separator == std::string::npos) {
        return url;
    }
    const size_t authority = separator + 3;
    const size_t authorityEnd = std::min(url.find_first_of("/?#", authority), url.size());
    const size_t at = url.rfind('@', authorityEnd == 0 ? 0 : authorityEnd - 1);
    const bool hasUserInfo = at != std::string::npos && at >= authority && at < authorityEnd;
    if (!user.empty()) {
        // Replaces any user information already in the URL.
        const size_t hostStart = hasUserInfo ? at + 1 : authority;
        std::string info = PercentEncode(user);
        if (!password.empty()) {
            info += ":" + PercentEncode(password);
        }
        return url.substr(0, authority) + info + "@" + url.substr(hostStart);
    }
    // A password alone goes to the user already named in the URL, if there is one.
    if (!hasUserInfo || url.substr(authority, at - authority).find(':') != std::string::npos) {
        return url;
    }
    return url.substr(0, at) + ":" + PercentEncode(password) + url.substr(at);
}
