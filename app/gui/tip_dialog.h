#pragma once

#include "app/online/news_feed.h"

#include <wx/dialog.h>

#include <memory>
#include <string>

class wxButton;
class wxCheckBox;
class wxStaticText;
class wxTextCtrl;

// The tip of the day, taken from the news feed: the channel's title as heading, one item's
// title and description, Next to move on, Close, and "Show tips at start-up" ("/ShowTips").
class ivTipOfTheDay : public wxDialog {
public:
    ivTipOfTheDay(wxWindow* parent, platform::RegistryStore& registry);

    // Fetches the feed and shows its first item to show; whether there is one.
    bool LoadFeed(const std::string& url);

    ivNewsFeed& GetFeed() { return m_feed; }
    // The heading and tip text as shown.
    std::string GetHeading() const;
    std::string GetTipText() const;
    bool IsNextEnabled() const;
    bool WantsToShow() const;  // the start-up option is on, or the user asked
    bool HasContent() const { return m_feed.IsLoaded() || m_feed.IsForced(); }

    // What the Next button does.
    void ShowNextTip();

    // Stores the check box into "/ShowTips".
    void StoreStartupOption() const;

private:
    void UpdateControls();

    ivNewsFeed m_feed;
    std::string m_text;
    wxStaticText* m_heading = nullptr;
    wxTextCtrl* m_tip = nullptr;
    wxCheckBox* m_showAtStartup = nullptr;
    wxButton* m_next = nullptr;
    wxButton* m_close = nullptr;
};

// The dialog for a news request, when it has something to show: the start-up option is on or
// the user asked (forced), and the feed had something new or the user asked. Null otherwise;
// nothing is fetched when the option is off and the user did not ask.
std::unique_ptr<ivTipOfTheDay> PrepareNews(wxWindow* parent, const std::string& feedUrl,
                                           bool forced);

// PrepareNews, then the dialog shown modally; the check box is stored when it closes.
void ShowNews(wxWindow* parent, const std::string& feedUrl, bool forced);
