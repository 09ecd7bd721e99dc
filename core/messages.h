#pragma once

#include <memory>
#include <string>

// Telling the user something: a message box while the editor's main window exists, standard
// error otherwise, so that the tools and the tests see every message.

// Flags of ShowMessage: bit 0 asks for a dialog; the bits of kMessageSeverityMask give the
// severity.
inline constexpr unsigned kMessagePreferDialog = 0x00000001;
inline constexpr unsigned kMessageSeverityMask = 0x11100000;
inline constexpr unsigned kMessageInformation = 0x00100000;
inline constexpr unsigned kMessageWarning = 0x10100000;
inline constexpr unsigned kMessageError = 0x11100000;

// Buttons AskQuestion returns.
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

enum class MessageSeverity { Information, Warning, Error };
MessageSeverity SeverityOf(unsigned flags);

// Where messages go. The editor installs one that shows message boxes.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // Shows text; returns whether the user confirmed (OK) when commandId is given.
    virtual bool Show(const std::string& text, const std::string& title, int commandId,
                      unsigned flags) = 0;
    // Asks a yes/no question (with Cancel when withCancel); returns kAnswerYes, kAnswerNo or
    // kAnswerCancel.
    virtual int Ask(const std::string& text, bool withCancel) = 0;
};

// Installs a presenter and returns the previous one; null restores standard error.
std::unique_ptr<MessagePresenter> SetMessagePresenter(std::unique_ptr<MessagePresenter> presenter);

// Shows a message. With a command id and a confirming answer, the presenter runs the command.
void ShowMessage(const std::string& text, const std::string& title, int commandId, unsigned flags);

// ShowMessage with no title and no command, asking for a dialog.
void ShowMessageBox(const std::string& text, unsigned flags);

// A yes/no question; without a window nobody can answer, and the answer is No.
int AskQuestion(const std::string& text, bool withCancel = false);
