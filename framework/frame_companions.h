#pragma once

#include "framework/command_builder.h"
#include "framework/command_site.h"
#include "framework/frame_services.h"

class wxCloseEvent;
class wxCommandEvent;
class wxKeyEvent;
class wxShowEvent;

// The three companions of a main frame (services, command site, command builder) and what
// the frame does with them: the creation order, saving the layout when it closes, the
// customisation command, and notifications of its windows turned into posted commands.
class ivFrameCompanions {
public:
    explicit ivFrameCompanions(wxFrame& frame);
    ~ivFrameCompanions();
    ivFrameCompanions(const ivFrameCompanions&) = delete;
    ivFrameCompanions& operator=(const ivFrameCompanions&) = delete;

    ivFrameServices& Services() { return m_services; }
    ivCommandSite& Site() { return m_site; }
    ivCommandBuilder& Builder() { return m_builder; }

    // The builder learns its frame (when the frame is loaded).
    void Attach();
    // InitBars, DefineCommands, LoadCommandBarsLayout, FillCommandLists; the first that
    // fails ends creation and the later ones do not run.
    bool Create();

private:
    void OnClose(wxCloseEvent& event);
    void OnShow(wxShowEvent& event);
    void OnNotification(wxCommandEvent& event);
    void OnCustomize(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);

    wxFrame& m_frame;
    ivFrameServices m_services;
    ivCommandSite m_site;
    ivCommandBuilder m_builder;
};

// The companions of a document window: services and a site that succeed at once, no builder.
class ivChildFrameCompanions {
public:
    explicit ivChildFrameCompanions(wxFrame& frame);

    ivFrameServices& Services() { return m_services; }
    ivCommandSite& Site() { return m_site; }
    bool Create();

private:
    wxFrame& m_frame;
    ivFrameServices m_services;
    ivCommandSite m_site;
};
