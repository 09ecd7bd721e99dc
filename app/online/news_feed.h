#pragma once

#include "document/iv_xml.h"

#include <string>

namespace platform {
class RegistryStore;
}

// Walks the maker's news feed (RSS: a root element with a "channel" holding a "title" and
// "item" elements, newest first) one item at a time, for the tip dialog. The highest item
// number the user has seen is kept as "Tip"/"LastID"; an item's number is the decimal number
// after "?A=" in its link.
//
// Unrequested (at start-up) only items above the stored number are shown, and the number
// shown is stored. Requested by the user ("forced"), the walk starts with the first unseen
// item and, after the end, starts again from the top showing every item without storing
// anything.
class ivNewsFeed {
public:
    explicit ivNewsFeed(platform::RegistryStore& registry) : m_registry(registry) {}

    // Fetches the feed and moves to its first item to show; whether there is one.
    bool LoadFeed(const std::string& url);

    // Moves to the next item to show and puts its text ("title\n\ndescription\n") into
    // text; text stays as it was when there is none (and the feed then counts as not loaded).
    void NextNewsText(std::string& text);

    bool IsLoaded() const { return m_loaded; }
    bool IsForced() const { return m_forced; }
    void SetForced(bool forced) { m_forced = forced; }

    // Whether Next can show something: an item is shown and more children follow, or the
    // user asked (the walk starts again from the top).
    bool CanGoNext() const { return m_found && (m_index + 1 < m_itemCount || m_forced); }

    const std::string& Heading() const { return m_heading; }
    const std::string& Text() const { return m_text; }
    int LastId() const { return m_lastId; }

    // The number after the first "?A=" of a link, read as atoi does; 0 without one.
    static int ItemNumber(const std::string& link);

private:
    // Moves past the end back to the top when the user asked for the feed.
    void WrapWhenForced();

    platform::RegistryStore& m_registry;
    ivXML m_feed;
    int m_lastId = 0;
    int m_itemCount = 0;
    int m_index = 0;
    bool m_loaded = false;
    bool m_forced = false;
    bool m_found = false;
    std::string m_heading;
    std::string m_text;
};
