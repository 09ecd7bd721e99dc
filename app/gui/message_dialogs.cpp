#include "app/gui/message_dialogs.h"

#include "app/gui/iv_app.h"
#include "core/settings_keys.h"
#include "core/translate.h"

#include <wx/msgdlg.h>
#include <wx/notifmsg.h>

// After msgdlg.h, which declares its base class.
#include <wx/generic/msgdlgg.h>

#include <cstdio>

namespace {

wxString Label(const char* text) {
    return wxString::FromUTF8(Translate(text));
}

int ShowMessageDialog(const MessageBoxRequest& request) {
    // The generic box: the desktop's own leaves out the severity icon on GTK 3.
    wxGenericMessageDialog dialog(GetApp().GetMainFrame(), wxString::FromUTF8(request.text),
                                  wxString::FromUTF8(request.caption), request.style);
    // The toolkit names its stock buttons in the C library's language, which may not be
    // installed for the user's; the catalogs name them in any case.
    if ((request.style & wxYES_NO) != 0) {
        dialog.SetYesNoCancelLabels(Label("&Yes"), Label("&No"), Label("&Cancel"));
    } else {
        dialog.SetOKCancelLabels(Label("&OK"), Label("&Cancel"));
    }
    return dialog.ShowModal();
}

bool ShowNotification(const std::string& title, const std::string& text, unsigned flags) {
    int icon = wxICON_INFORMATION;
    switch (SeverityOf(flags)) {
        case MessageSeverity::Warning:
            icon = wxICON_WARNING;
            break;
        case MessageSeverity::Error:
            icon = wxICON_ERROR;
            break;
        case MessageSeverity::Information:
            break;
    }
    wxNotificationMessage note(wxString::FromUTF8(title), wxString::FromUTF8(text),
                               GetApp().GetMainFrame(), icon);
    return note.Show(10);
}

long IconStyle(unsigned flags) {
    switch (SeverityOf(flags)) {
        case MessageSeverity::Warning:
            return wxICON_WARNING;
        case MessageSeverity::Error:
            return wxICON_ERROR;
        case MessageSeverity::Information:
            break;
    }
    return wxICON_INFORMATION;
}

std::string ProductTitle() {
    ivApp& app = GetApp();
    return app.GetRegistryKey() + " " + app.GetAppName();
}

}  // namespace

bool WantsBalloon(bool balloonsAllowed, int systemBalloons, int force, unsigned flags) {
    const bool dialogAsked = (flags & kMessagePreferDialog) != 0;
    return balloonsAllowed && systemBalloons != 0 && ((force == 2 && !dialogAsked) || force == 0);
}

ivDialogPresenter::ivDialogPresenter(MessageBoxRunner boxes, BalloonRunner balloons)
    : m_boxes(boxes ? std::move(boxes) : MessageBoxRunner(ShowMessageDialog)),
      m_balloons(balloons ? std::move(balloons) : BalloonRunner(ShowNotification)) {}

bool ivDialogPresenter::Show(const std::string& text, const std::string& title, int commandId,
                             unsigned flags) {
    ivApp& app = GetApp();
    if (app.GetMainFrame() == nullptr) {
        std::fprintf(stderr, "%s%s%s\n", title.c_str(), title.empty() ? "" : ": ", text.c_str());
        return false;
    }
    const int force = ReadSettingNumber(settings::kForceDialog);
    if (WantsBalloon(app.BalloonsAllowed(), app.SystemBalloons(), force, flags) &&
        m_balloons(title.empty() ? ProductTitle() : title, text, flags)) {
        return false;
    }
    MessageBoxRequest request;
    request.text = title.empty() ? text : title + "\n\n" + text;
    request.caption = ProductTitle();
    request.style = IconStyle(flags) | (commandId != 0 ? wxOK | wxCANCEL : wxOK);
    const bool confirmed = m_boxes(request) == wxID_OK;
    if (confirmed && commandId != 0) {
        app.SendCommand(commandId, false);
    }
    return confirmed;
}

int ivDialogPresenter::Ask(const std::string& text, bool withCancel) {
    if (GetApp().GetMainFrame() == nullptr) {
        std::fprintf(stderr, "%s\n", text.c_str());
        return kAnswerNo;
    }
    MessageBoxRequest request;
    request.text = text;
    request.caption = ProductTitle();
    request.style = wxICON_QUESTION | wxYES_NO | (withCancel ? wxCANCEL : 0);
    switch (m_boxes(request)) {
        case wxID_YES:
            return kAnswerYes;
        case wxID_CANCEL:
            return kAnswerCancel;
        default:
            return kAnswerNo;
    }
}
