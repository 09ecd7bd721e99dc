#pragma once

#include <wx/colour.h>
#include <wx/combobox.h>

#include <functional>

#include <string>
#include <vector>

class ivCommandBar;
struct ivCommandBarOptions;
struct ivCommandControl;
class wxAuiToolBar;

// A combo box of a command bar. An update handler's text (wxUpdateUIEvent::SetText) becomes
// its text, so a document can show its own choice in a box the main window owns.
class ivBarComboBox : public wxComboBox {
public:
    ivBarComboBox(wxWindow* parent, int id, int width, bool dropDownList);

protected:
    void DoUpdateWindowUI(wxUpdateUIEvent& event) override;
};

// Adds the tool or window of control to toolbar (not realised yet), with tooltip as its
// tooltip (empty for none).
void AddToolBarControl(wxAuiToolBar& toolbar, ivCommandControl& control,
                       const ivCommandBarOptions& options, const std::string& tooltip);

// Gives the tools of a toolbar their images, captions and tooltips again, as the options and
// tooltip(id) say now.
void RefreshToolBar(ivCommandBar& bar, const ivCommandBarOptions& options,
                    const std::function<std::string(const ivCommandControl&)>& tooltip);

// Whether a toolbar button shows its caption: as its style says, and always when it has no
// image (a button is never a blank square).
bool ToolShowsCaption(const ivCommandControl& control);

// The image size of the bars: 16 pixels, 24 with large icons.
int BarImageSize(const ivCommandBarOptions& options);

// The colour a colour picker applies when its button is pressed (invalid: automatic), and a
// new one (its image shows it).
wxColour GetPickerColour(const wxAuiToolBar& toolbar, int id);
void SetPickerColour(wxAuiToolBar& toolbar, const ivCommandControl& control, const wxColour& colour,
                     const ivCommandBarOptions& options);

// Makes a colour picker of toolbar work: its arrow opens the colour drop-down, and a press
// on its button carries the colour it applies (0x00BBGGRR in the command's integer, -1 for
// the automatic colour). control and options live as long as the toolbar.
void BindColourPicker(wxAuiToolBar& toolbar, const ivCommandControl& control,
                      const ivCommandBarOptions& options);

// The font sizes of a font size box.
const std::vector<int>& FontSizes();
