#pragma once

#include <string>

class ivCommandBuilder;
class ivCommandSite;
class wxClassInfo;
class wxFrame;

// What the framework's frames ask of the application: the command table and the lists of
// the command bars (the product's OnCreateCommands and OnFillCommandLists), and the program
// version that saved layouts are checked against. The application object implements it.
class ivApplicationHooks {
public:
    virtual ~ivApplicationHooks() = default;
    virtual bool OnCreateCommands(ivCommandSite* site) = 0;
    virtual bool OnFillCommandLists(ivCommandSite* site) = 0;
    // "1.0.1.23" for 4 parts.
    virtual std::string GetVersionString(int parts) const = 0;
};

// The application object's hooks; null when it has none (a program without the framework's
// application class).
ivApplicationHooks* GetApplicationHooks();

// What the application's command hooks receive: the frame the commands are built for, and
// its command builder. A document window's site has no builder; its steps succeed without
// calling the application.
class ivCommandSite {
public:
    ivCommandSite(wxFrame* frame, ivCommandBuilder* builder);
    virtual ~ivCommandSite() = default;
    ivCommandSite(const ivCommandSite&) = delete;
    ivCommandSite& operator=(const ivCommandSite&) = delete;

    virtual wxFrame* GetFrame() { return m_frame; }
    virtual wxClassInfo* GetFrameClass();
    // The application's OnCreateCommands with this site.
    virtual bool DefineCommands();
    // The application's OnFillCommandLists with this site.
    virtual bool FillCommandLists();
    virtual void OnFrameDestroyed() {}
    virtual ivCommandBuilder* GetBuilder() { return m_builder; }

private:
    wxFrame* m_frame;
    ivCommandBuilder* m_builder;
};
