#pragma once

#include <wx/ipc.h>

#include <functional>
#include <memory>
#include <string>

class wxSingleInstanceChecker;

// One running editor per user: the first start claims a lock in the user's configuration
// folder and listens on a local socket beside it; a later start hands its document (or just
// the wish to see the editor) to the first one and ends.
class ivInstanceLink {
public:
    explicit ivInstanceLink(const std::string& folder);
    ~ivInstanceLink();
    ivInstanceLink(const ivInstanceLink&) = delete;
    ivInstanceLink& operator=(const ivInstanceLink&) = delete;

    // True when this is the only instance (it holds the lock now).
    bool Claim();

    // Sends path (empty: bring the window forward) to the running instance, waiting a few
    // seconds for it to listen; false when it does not answer.
    bool Forward(const std::string& path);

    // Accepts paths from later starts; onOpen runs on the user-interface thread.
    bool Listen(std::function<void(const std::string& path)> onOpen);

    const std::string& SocketPath() const { return m_socket; }

private:
    std::string m_folder;
    std::string m_socket;
    std::unique_ptr<wxSingleInstanceChecker> m_checker;
    std::unique_ptr<wxServer> m_server;
};
