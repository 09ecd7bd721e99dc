#pragma once

#include <wx/dialog.h>

#include <string>

class ivApp;
class wxFilePickerCtrl;
class wxRadioButton;

// Chooses the page template of the HTML and help pages ("/Generators/HTML/Template"): none,
// the one that comes with the program ("default"), or a file of the user's own.
class myTemplateDialog : public wxDialog {
public:
    // setting: the template setting as it is now.
    myTemplateDialog(wxWindow* parent, const std::string& setting);

    // The setting the choice stands for.
    std::string GetSetting() const;

private:
    wxRadioButton* m_none = nullptr;
    wxRadioButton* m_shipped = nullptr;
    wxRadioButton* m_own = nullptr;
    wxFilePickerCtrl* m_file = nullptr;
};

// "Page Template..." of the Tools menu: the dialog, and the setting written on OK.
void BindTemplateCommand(ivApp& app);
