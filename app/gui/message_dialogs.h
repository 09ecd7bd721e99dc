#pragma once

#include "core/messages.h"

#include <functional>
#include <string>

// A message box as the editor shows it.
struct MessageBoxRequest {
    std::string text;
    std::string caption;
    long style = 0;  // wxOK, wxCANCEL, wxYES_NO and an icon flag
};

// Shows a request and returns the button pressed (wxID_OK, wxID_CANCEL, wxID_YES, wxID_NO).
using MessageBoxRunner = std::function<int(const MessageBoxRequest&)>;

// Where a notification (balloon) would go; returns whether it was shown.
using BalloonRunner =
    std::function<bool(const std::string& title, const std::string& text, unsigned flags)>;

// Messages of the editor: message boxes over the main window (information, warning or error
// icon by severity; OK and Cancel when the message offers a command, which OK then posts to
// the main window), or a desktop notification when balloons are allowed and the rules of
// "/ForceDialog" choose one. Without a main window messages go to standard error.
class ivDialogPresenter : public MessagePresenter {
public:
    explicit ivDialogPresenter(MessageBoxRunner boxes = {}, BalloonRunner balloons = {});

    bool Show(const std::string& text, const std::string& title, int commandId,
              unsigned flags) override;
    int Ask(const std::string& text, bool withCancel) override;

private:
    MessageBoxRunner m_boxes;
    BalloonRunner m_balloons;
};

// Whether a message goes to a balloon: balloons allowed by the product and the system, and
// "/ForceDialog" (force) 0, or 2 with the message not asking for a dialog.
bool WantsBalloon(bool balloonsAllowed, int systemBalloons, int force, unsigned flags);
