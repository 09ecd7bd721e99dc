#pragma once

class ivCommandBuilder;
class ivCommandSite;
class ivFrameServices;
class wxAuiManager;
class wxDocManager;
class wxFrame;

// A main window with command bars: the single-document ivFrame and the multi-document
// ivMDIParentFrame. Its companions (services, site, builder) reach each other through it.
class ivMainFrameHost {
public:
    virtual ~ivMainFrameHost() = default;
    virtual wxFrame* GetFrameWindow() = 0;
    virtual wxAuiManager& GetAuiManager() = 0;
    virtual ivFrameServices& GetServices() = 0;
    virtual ivCommandSite& GetSite() = 0;
    virtual ivCommandBuilder& GetBuilder() = 0;
    // The documents' manager, for the recent-file list; may be null.
    virtual wxDocManager* GetDocManager() = 0;
};
