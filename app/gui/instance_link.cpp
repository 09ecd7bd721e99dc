#include "app/gui/instance_link.h"

#include <wx/app.h>
#include <wx/ipc.h>
#include <wx/log.h>
#include <wx/snglinst.h>
#include <wx/utils.h>

#include <unistd.h>

#include <chrono>
#include <thread>

namespace {

const char* const kTopic = "open";

class OpenConnection : public wxConnection {
public:
    explicit OpenConnection(std::function<void(const std::string&)> onOpen)
        : m_onOpen(std::move(onOpen)) {}

    bool OnExecute(const wxString&, const void* data, size_t size, wxIPCFormat format) override {
        const std::string path = GetTextFromData(data, size, format).utf8_string();
        auto onOpen = m_onOpen;
        // The document opens once this request is answered, not inside it.
        wxTheApp->CallAfter([onOpen, path] { onOpen(path); });
        return true;
    }

private:
    std::function<void(const std::string&)> m_onOpen;
};

class OpenServer : public wxServer {
public:
    explicit OpenServer(std::function<void(const std::string&)> onOpen)
        : m_onOpen(std::move(onOpen)) {}

    wxConnectionBase* OnAcceptConnection(const wxString& topic) override {
        return topic == kTopic ? new OpenConnection(m_onOpen) : nullptr;
    }

private:
    std::function<void(const std::string&)> m_onOpen;
};

// Socket paths are short; a deep configuration folder falls back to the temporary folder.
std::string SocketPathFor(const std::string& folder) {
    std::string path = folder + "editor.sock";
    if (path.size() >= 100) {
        path = "/tmp/quorvane-editor-" + std::to_string(getuid()) + ".sock";
    }
    return path;
}

}  // namespace

ivInstanceLink::ivInstanceLink(const std::string& folder)
    : m_folder(folder), m_socket(SocketPathFor(folder)) {}

ivInstanceLink::~ivInstanceLink() {
    if (m_server) {
        m_server.reset();
        unlink(m_socket.c_str());
    }
}

bool ivInstanceLink::Claim() {
    m_checker = std::make_unique<wxSingleInstanceChecker>();
    wxLogNull quiet;
    if (!m_checker->Create("editor.lock", wxString::FromUTF8(m_folder))) {
        // Without a lock nothing can be shared: this start runs on its own.
        return true;
    }
    return !m_checker->IsAnotherRunning();
}

bool ivInstanceLink::Forward(const std::string& path) {
    wxLogNull quiet;
    wxClient client;
    // The running instance may still be starting up; give it a few seconds to listen.
    for (int attempt = 0; attempt < 25; ++attempt) {
        std::unique_ptr<wxConnectionBase> connection(
            client.MakeConnection("localhost", wxString::FromUTF8(m_socket), kTopic));
        if (connection) {
            const bool sent = connection->Execute(wxString::FromUTF8(path));
            connection->Disconnect();
            return sent;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return false;
}

bool ivInstanceLink::Listen(std::function<void(const std::string& path)> onOpen) {
    auto server = std::make_unique<OpenServer>(std::move(onOpen));
    wxLogNull quiet;
    if (!server->Create(wxString::FromUTF8(m_socket))) {
        return false;
    }
    m_server = std::move(server);
    return true;
}
