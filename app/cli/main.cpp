#include "app/cli/cli.h"
#include "core/localisation.h"
#include "core/settings.h"

#include <wx/init.h>

int main(int argc, char** argv) {
    wxInitializer wx;
    if (!wx.IsOk()) {
        return 1;
    }
    // The tool speaks the user's language, chosen as the editor chooses it.
    InitLocalisation(ChooseLanguage());
    std::vector<std::string> args(argv + 1, argv + argc);
    const int status = RunCli(args);
    ReleaseLocalisation();
    ReleaseSettingsStore();
    return status;
}
