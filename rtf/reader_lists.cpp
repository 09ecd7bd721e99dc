// List tables, the list a paragraph belongs to, and old-style paragraph numbering (\pn).

#include "rtf/reader_impl.h"

#include <algorithm>

namespace rtf::detail {

namespace {

// List definitions a document may declare; real ones have a few dozen.
constexpr size_t kMaxLists = 32768;
// List numbers start at most here, so that counting items never overflows.
constexpr int kMaxListStart = 32767;

ListStyle StyleOfNumberFormat(int nfc) {
    switch (nfc) {
        case 1:
            return ListStyle::UpperRoman;
        case 2:
            return ListStyle::LowerRoman;
        case 3:
            return ListStyle::UpperAlpha;
        case 4:
            return ListStyle::LowerAlpha;
        case 23:
            return ListStyle::Bullet;
        default:
            return ListStyle::Decimal;
    }
}

}  // namespace

void Reader::OnListWord(const KeywordInfo& info, const Token& t) {
    State& s = S();
    const int param = t.param;
    switch (info.id) {
        // Destinations.
        case Kw::ListTable:
            s.dest = Dest::ListTable;
            break;
        case Kw::ListDef:
        case Kw::ListLevel:
            if (s.dest != Dest::ListTable) {
                SkipGroup();
                return;
            }
            s.opened = info.id;
            if (info.id == Kw::ListDef) {
                m_listId = 0;
                m_listLevels.clear();
            } else {
                m_listLevel = ListLevelDef{};
            }
            break;
        case Kw::ListOverrideTable:
            s.dest = Dest::ListOverrideTable;
            break;
        case Kw::ListOverride:
            if (s.dest != Dest::ListOverrideTable) {
                SkipGroup();
                return;
            }
            s.opened = Kw::ListOverride;
            m_overrideListId = 0;
            m_overrideNumber = 0;
            break;
        case Kw::Pn:
            if (s.dest != Dest::Body) {
                SkipGroup();
                return;
            }
            s.dest = Dest::Pn;
            s.opened = Kw::Pn;
            m_pn = PnState{true, ListStyle::Decimal, 0, 1};
            break;
        // List tables, and the list of a paragraph.
        case Kw::ListOverrideNumber:
            if (s.dest == Dest::ListOverrideTable) {
                m_overrideNumber = param;
            } else {
                s.ls = param;
            }
            break;
        case Kw::ListLevelNumber:
            s.ilvl = std::clamp(param, 0, 8);
            break;
        case Kw::ListId:
            if (s.dest == Dest::ListOverrideTable) {
                m_overrideListId = param;
            } else {
                m_listId = param;
            }
            break;
        case Kw::LevelNfc:
            m_listLevel.nfc = param;
            break;
        case Kw::LevelStartAt:
            m_listLevel.startAt = std::clamp(param, 0, kMaxListStart);
            break;
        // Old-style numbering.
        case Kw::PnLevelBullet:
            m_pn.style = ListStyle::Bullet;
            m_pn.level = 0;
            break;
        case Kw::PnLevelBody:
            m_pn.level = 0;
            break;
        case Kw::PnLevel:
            m_pn.level = std::clamp(param - 1, 0, 8);
            break;
        case Kw::PnDecimal:
            m_pn.style = ListStyle::Decimal;
            break;
        case Kw::PnUpperLetter:
            m_pn.style = ListStyle::UpperAlpha;
            break;
        case Kw::PnLowerLetter:
            m_pn.style = ListStyle::LowerAlpha;
            break;
        case Kw::PnUpperRoman:
            m_pn.style = ListStyle::UpperRoman;
            break;
        case Kw::PnLowerRoman:
            m_pn.style = ListStyle::LowerRoman;
            break;
        case Kw::PnStart:
            m_pn.start = std::clamp(param, 0, kMaxListStart);
            break;
        default:
            break;
    }
}

// The end of a group inside a list table, a list override table or a \pn group.
void Reader::EndListGroup(const State& popped) {
    switch (popped.dest) {
        case Dest::ListTable:
            if (popped.opened == Kw::ListLevel) {
                if (m_listLevels.size() < 9) {
                    m_listLevels.push_back(m_listLevel);
                }
            } else if (popped.opened == Kw::ListDef) {
                if (m_listDefs.size() < kMaxLists) {
                    m_listDefs[m_listId] = std::move(m_listLevels);
                }
                m_listLevels.clear();
            }
            break;
        case Dest::ListOverrideTable:
            if (popped.opened == Kw::ListOverride && m_listOverrides.size() < kMaxLists) {
                m_listOverrides[m_overrideNumber] = m_overrideListId;
            }
            break;
        case Dest::Pn:
            if (popped.opened == Kw::Pn && S().dest == Dest::Body) {
                S().pn = m_pn;
            }
            break;
        default:
            break;
    }
}

// The list of the current paragraph: its \ls list if that has a numbered or bulleted level,
// else its old-style numbering, if any.
void Reader::PlaceInList(ParagraphPlacement& p) {
    const State& s = S();
    if (s.ls > 0) {
        auto override = m_listOverrides.find(s.ls);
        if (override != m_listOverrides.end()) {
            auto def = m_listDefs.find(override->second);
            const int level = std::clamp(s.ilvl, 0, 8);
            ListLevelDef levelDef;
            if (def != m_listDefs.end() && level < static_cast<int>(def->second.size())) {
                levelDef = def->second[level];
            }
            if (levelDef.nfc != 255) {  // 255: a level without a number or bullet
                p.inList = true;
                p.listKey = s.ls;
                p.listLevel = level;
                p.listContinues = true;
                p.listStartAt = levelDef.startAt;
                p.listStyle = StyleOfNumberFormat(levelDef.nfc);
                return;
            }
        }
    }
    if (s.pn.active) {
        p.inList = true;
        p.listKey = -1 - static_cast<int>(s.pn.style);
        p.listLevel = s.pn.level;
        p.listStyle = s.pn.style;
        p.listStartAt = s.pn.start;
    }
}

}  // namespace rtf::detail
