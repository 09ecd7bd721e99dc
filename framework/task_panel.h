#pragma once

#include <wx/bmpbndl.h>
#include <wx/scrolwin.h>

#include <memory>
#include <string>
#include <vector>

class wxBoxSizer;
class wxGenericHyperlinkCtrl;
class wxPanel;
class wxStaticText;

// A task panel: link items grouped under captions. A click on a link tells the frame
// (ivEVT_TASK_ITEM_CLICKED), which posts the item's command. In the explorer behaviour a
// click on a caption folds its group; in the toolbox behaviour one group is open at a time.
class ivTaskPanel : public wxScrolledWindow {
public:
    enum class Behaviour { Explorer, Toolbox };

    struct Item {
        int id = 0;  // 0 for a text item
        std::string caption;
        bool bold = false;
        wxWindow* label = nullptr;  // wxGenericHyperlinkCtrl or wxStaticText
        wxWindow* image = nullptr;
    };
    struct Group {
        std::string caption;
        bool special = false;
        bool folded = false;
        wxPanel* header = nullptr;
        wxPanel* body = nullptr;
        std::vector<std::unique_ptr<Item>> items;
    };

    ivTaskPanel(wxWindow* parent, Behaviour behaviour, int theme);
    ~ivTaskPanel() override;

    Behaviour GetBehaviour() const { return m_behaviour; }
    int GetTheme() const { return m_theme; }

    // The group captioned caption (compared with case), or null.
    Group* FindGroup(const std::string& caption) const;
    Group* AddGroup(const std::string& caption);
    void SetSpecialGroup(Group& group, bool special);

    Item* AddLinkItem(Group& group, int id, const std::string& caption,
                      const wxBitmapBundle& image);
    Item* AddTextItem(Group& group, const std::string& caption);
    void SetItemCaption(Item& item, const std::string& caption);
    void SetItemBold(Item& item, bool bold);

    const std::vector<std::unique_ptr<Group>>& GetGroups() const { return m_groups; }
    // The item whose caption is caption, in any group; null when there is none.
    Item* FindItem(const std::string& caption) const;

    // Folds or unfolds a group as a click on its caption does.
    void ToggleGroup(Group& group);

private:
    void PaintHeader(Group& group, wxPaintEvent& event);
    void Relayout();
    wxColour Background() const;

    Behaviour m_behaviour;
    int m_theme;
    wxBoxSizer* m_sizer = nullptr;
    std::vector<std::unique_ptr<Group>> m_groups;
};
