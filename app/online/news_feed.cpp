#include "app/online/news_feed.h"

#include "core/settings.h"
#include "platform/registry_store.h"

namespace {
constexpr const char* kSection = "Tip";
constexpr const char* kLastId = "LastID";
constexpr int kShowEverything = -1;
}  // namespace

int ivNewsFeed::ItemNumber(const std::string& link) {
    const size_t at = link.find("?A=");
    return at == std::string::npos ? 0 : AtoiSetting(link.substr(at + 3));
}

bool ivNewsFeed::LoadFeed(const std::string& url) {
    m_loaded = m_feed.LoadFromURL(url, {}, {});
    m_itemCount = 0;
    m_index = 0;
    m_found = false;
    if (m_loaded) {
        NextNewsText(m_text);
    }
    return m_loaded;
}

void ivNewsFeed::WrapWhenForced() {
    if (m_index >= m_itemCount && m_forced) {
        m_lastId = kShowEverything;
        m_index = 0;
    }
}

void ivNewsFeed::NextNewsText(std::string& text) {
    m_found = false;
    if (!m_feed.GoRoot() || !m_feed.Select("channel")) {
        // Nothing of a document without a channel can be shown, also not an empty dialog at
        // start-up.
        m_loaded = false;
        return;
    }
    if (m_itemCount == 0) {
        m_itemCount = m_feed.GetChildCount();
        m_heading = m_feed.GetTextOf("title");
    } else {
        ++m_index;
        WrapWhenForced();
    }
    if (m_lastId != kShowEverything) {
        m_lastId = m_registry.GetInt(kSection, kLastId, 0);
    }
    // The walk may pass the end once in unrequested order and once showing everything; a
    // channel that holds no item at all ends after that instead of going round for ever.
    const int maxSteps = 2 * m_itemCount + 1;
    for (int step = 0; m_index < m_itemCount && step < maxSteps; ++step) {
        if (!m_feed.GoChild(m_index)) {
            return;
        }
        if (m_feed.GetName() == "item") {
            if (m_lastId == kShowEverything) {
                m_found = true;
            } else {
                const int number = ItemNumber(m_feed.GetTextOf("link"));
                if (number > m_lastId) {
                    m_lastId = number;
                    m_found = true;
                }
            }
            if (m_found) {
                break;
            }
        }
        ++m_index;
        if (!m_feed.GoParent()) {
            return;
        }
        WrapWhenForced();
    }
    if (!m_found) {
        m_loaded = false;
        return;
    }
    text = m_feed.GetTextOf("title") + "\n\n" + m_feed.GetTextOf("description") + "\n";
    if (m_lastId != kShowEverything) {
        m_registry.SetInt(kSection, kLastId, m_lastId);
        m_registry.Flush();
    }
}
