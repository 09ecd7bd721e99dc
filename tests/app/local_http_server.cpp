#include "tests/app/local_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <sstream>

namespace testing_support {
namespace {

// Waits up to 50 ms for fd to become readable; false when the server is stopping.
bool WaitReadable(int fd, const std::atomic<bool>& stop) {
    while (!stop) {
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, 50);
        if (ready > 0) {
            return true;
        }
        if (ready < 0 && errno != EINTR) {
            return false;
        }
    }
    return false;
}

void SendAll(int fd, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) {
            return;  // the client went away, e.g. after enough of a huge body
        }
        sent += static_cast<size_t>(n);
    }
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

LocalHttpServer::LocalHttpServer() {
    m_listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    listen(m_listener, 16);
    socklen_t length = sizeof(address);
    getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Run(); });
}

LocalHttpServer::~LocalHttpServer() {
    m_stop = true;
    m_thread.join();
    close(m_listener);
}

void LocalHttpServer::Serve(const std::string& path, const Response& response) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_routes[path] = response;
}

void LocalHttpServer::Serve(const std::string& path, const std::string& contentType,
                            const std::string& body) {
    Response response;
    response.contentType = contentType;
    response.body = body;
    Serve(path, response);
}

std::string LocalHttpServer::HostAndPort() const {
    return "127.0.0.1:" + std::to_string(m_port);
}

std::string LocalHttpServer::Url(const std::string& path) const {
    return "http://" + HostAndPort() + path;
}

std::vector<LocalHttpServer::Request> LocalHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

int LocalHttpServer::HitCount(const std::string& path) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(std::count_if(
        m_requests.begin(), m_requests.end(),
        [&](const Request& r) { return r.target.substr(0, r.target.find('?')) == path; }));
}

void LocalHttpServer::Run() {
    while (WaitReadable(m_listener, m_stop)) {
        const int client = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client >= 0) {
            Handle(client);
            close(client);
        }
    }
}

void LocalHttpServer::Handle(int client) {
    std::string data;
    size_t headerEnd = std::string::npos;
    char buffer[4096];
    while (headerEnd == std::string::npos) {
        if (!WaitReadable(client, m_stop)) {
            return;
        }
        const ssize_t n = recv(client, buffer, sizeof(buffer), 0);
        if (n <= 0) {
            return;
        }
        data.append(buffer, static_cast<size_t>(n));
        headerEnd = data.find("\r\n\r\n");
    }
    Request request;
    std::istringstream head(data.substr(0, headerEnd));
    std::string line;
    std::getline(head, line);
    std::istringstream requestLine(line);
    requestLine >> request.method >> request.target;
    while (std::getline(head, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const size_t colon = line.find(':');
        if (colon != std::string::npos) {
            const size_t value = line.find_first_not_of(' ', colon + 1);
            request.headers[Lower(line.substr(0, colon))] =
                value == std::string::npos ? std::string() : line.substr(value);
        }
    }
    request.body = data.substr(headerEnd + 4);
    const auto length = request.headers.find("content-length");
    const size_t wanted = length == request.headers.end() ? 0 : std::stoul(length->second);
    while (request.body.size() < wanted && WaitReadable(client, m_stop)) {
        const ssize_t n = recv(client, buffer, sizeof(buffer), 0);
        if (n <= 0) {
            break;
        }
        request.body.append(buffer, static_cast<size_t>(n));
    }

    Response response;
    response.status = 404;
    response.reason = "Not Found";
    response.body = "not here";
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back(request);
        const auto route = m_routes.find(request.target.substr(0, request.target.find('?')));
        if (route != m_routes.end()) {
            response = route->second;
        }
    }
    if (response.neverAnswer) {
        // Holds the connection until the client gives up or the server stops.
        while (WaitReadable(client, m_stop) && recv(client, buffer, sizeof(buffer), 0) > 0) {
        }
        return;
    }
    if (response.delayMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(response.delayMs));
    }
    std::string reply = "HTTP/1.1 " + std::to_string(response.status) + " " + response.reason +
                        "\r\nContent-Type: " + response.contentType +
                        "\r\nContent-Length: " + std::to_string(response.body.size()) +
                        "\r\nConnection: close\r\n\r\n";
    SendAll(client, reply);
    SendAll(client, response.body);
}

}  // namespace testing_support
