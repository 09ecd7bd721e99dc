#include "core/messages.h"

#include <cstdio>

namespace {

class StderrPresenter : public MessagePresenter {
public:
    bool Show(const std::string& text, const std::string& title, int, unsigned) override {
        if (title.empty()) {
            std::fprintf(stderr, "%s\n", text.c_str());
        } else {
            std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
        }
        std::fflush(stderr);
        return false;
    }
    int Ask(const std::string& text, bool) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
        return kAnswerNo;
    }
};

std::unique_ptr<MessagePresenter>& Presenter() {
    static std::unique_ptr<MessagePresenter> presenter = std::make_unique<StderrPresenter>();
    return presenter;
}

}  // namespace

MessageSeverity SeverityOf(unsigned flags) {
    switch (flags & kMessageSeverityMask) {
        case kMessageError:
            return MessageSeverity::Error;
        case kMessageWarning:
            return MessageSeverity::Warning;
        default:
            return MessageSeverity::Information;
    }
}

std::unique_ptr<MessagePresenter> SetMessagePresenter(std::unique_ptr<MessagePresenter> presenter) {
    if (!presenter) {
        presenter = std::make_unique<StderrPresenter>();
    }
    Presenter().swap(presenter);
    return presenter;
}

void ShowMessage(const std::string& text, const std::string& title, int commandId, unsigned flags) {
    Presenter()->Show(text, title, commandId, flags);
}

void ShowMessageBox(const std::string& text, unsigned flags) {
    ShowMessage(text, {}, 0, flags | kMessagePreferDialog);
}

int AskQuestion(const std::string& text, bool withCancel) {
    return Presenter()->Ask(text, withCancel);
}
