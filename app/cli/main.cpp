#include "app/cli/cli.h"
#include "app/settings.h"

#include <wx/init.h>

int main(int argc, char** argv) {
    wxInitializer wx;
    if (!wx.IsOk()) {
        return 1;
    }
    std::vector<std::string> args(argv + 1, argv + argc);
    const int status = RunCli(args);
    ReleaseSettingsStore();
    return status;
}
