#pragma once

#include "app/gui/iv_app.h"

// The editor: its identity, its one document type and its start-up checks (the news and the
// update check, once, a quarter second after the message loop starts).
class myApp : public ivApp {
public:
    myApp();

    bool OnInitApp() override;
    int OnRunApp() override;
    // The command table (app/gui/command_table.h).
    bool OnCreateCommands(ivCommandSite* site) override;
    bool OnFillCommandLists(ivCommandSite* site) override;
    void OnAppTimer(int id) override;
    bool IsInteractive() const override { return m_interactive; }

private:
    bool m_interactive = false;
};
