#pragma once

#include <string>

// What the section list needs of the text view beside it: the body of one section as RTF, its
// modified state, and whether it can be edited. The section text view implements it; so does
// any stand-in until it exists.
class myTextViewInterface {
public:
    virtual ~myTextViewInterface() = default;

    virtual std::string GetRTF() = 0;
    // Replaces the whole body; the caret goes to the start.
    virtual void SetRTF(const std::string& rtf) = 0;
    virtual bool IsModified() = 0;
    virtual void SetModified(bool modified) = 0;
    virtual void EnableView(bool enable) = 0;
};
