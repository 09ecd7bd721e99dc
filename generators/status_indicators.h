#pragma once

#include <string>

// The status indicators a generator shows while it runs: "MODE", the identifier of a command
// whose image is shown (0 hides it), and "PROGRESS", a position from 0 to 100. The editor's
// main frame shows them in its status bar; quorvane-cli draws a progress bar.
class ivStatusIndicators {
public:
    static constexpr const char* kMode = "MODE";
    static constexpr const char* kProgress = "PROGRESS";

    virtual ~ivStatusIndicators() = default;
    virtual void SetIndicator(const std::string& name, int value) = 0;
};

// The indicators generators use unless one is given its own; null when none is installed.
// The caller keeps ownership and removes its indicators (null) before they go. Returns the
// previous ones.
ivStatusIndicators* SetStatusIndicators(ivStatusIndicators* indicators);
ivStatusIndicators* GetStatusIndicators();
