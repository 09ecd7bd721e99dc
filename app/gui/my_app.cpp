#include "app/gui/my_app.h"

#include "app/gui/command_table.h"
#include "app/gui/recovery_offer.h"
#include "app/gui/template_dialog.h"

#include "core/command_ids.h"
#include "core/identity.h"
#include "core/settings_keys.h"
#include "core/translate.h"
#include "framework/doc_manager.h"
#include "framework/mdi_frames.h"
#include "views/domain_file.h"
#include "views/section_list_view.h"
#include "views/splitter_frame.h"
#include "views/text_view.h"

#include <cstdlib>

namespace {

// Set by the test and CI environment: the program never goes on the network by itself.
bool StartupChecksSuppressed() {
    const char* value = std::getenv("QUORVANE_NO_STARTUP_CHECKS");
    return value != nullptr && value[0] != '\0' && value[0] != '0';
}

}  // namespace

myApp::myApp() {
    SetAppName(identity::kAppName);
    SetVersion(identity::kVersionParts[0], identity::kVersionParts[1], identity::kVersionParts[2],
               identity::kVersionParts[3]);
    SetRegistryKey(identity::kRegistryKey);
    BindEditorCommandStates(*this);
    BindTemplateCommand(*this);
}

bool myApp::OnCreateCommands(ivCommandSite* site) {
    return DefineEditorCommands(site);
}

bool myApp::OnFillCommandLists(ivCommandSite* site) {
    return FillEditorCommandLists(site);
}

bool myApp::OnInitApp() {
    SetChildFrameClass(wxCLASSINFO(mySplitterFrame));
    EnableBalloons(false);
    myTextView::SetUrlOpener([this](const std::string& url) { return OpenURL(url, true); });
    return AddDocType("etf", Translate("File"), "", wxCLASSINFO(myDomainFile),
                      wxCLASSINFO(myReportView));
}

int myApp::OnRunApp() {
    StartTimer(command_id::kStartupTimer, 250);
    return 0;
}

void myApp::OnAppTimer(int id) {
    if (id != command_id::kStartupTimer) {
        return;
    }
    StopTimer(id);
    // What a crash left behind comes first: it is the user's own work.
    OfferRecoveryCopies(GetMainFrame());
    if (!StartupChecksSuppressed()) {
        SendCommand(command_id::kAppTips, true);
        if (ReadSettingNumber(settings::kUpdateCheck) != 0) {
            SendCommand(command_id::kAppUpdate, true);
        }
    }
    m_interactive = true;
}
