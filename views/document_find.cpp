#include "views/document_find.h"

#include "document/tree_editor.h"
#include "views/domain_file.h"
#include "views/find_results_pane.h"
#include "views/section_list.h"
#include "views/text_view.h"

namespace {

// The results list shows no more; a search that reaches it says so.
constexpr size_t kMaxHits = 10000;

}  // namespace

myDocumentFind::myDocumentFind(myDomainFile& document, mySectionList& list)
    : m_document(document), m_list(list) {
    m_watcher =
        m_document.Store().Editor().AddWatcher([this](const ivTreeEdit&) { m_stale = true; });
}

myDocumentFind::~myDocumentFind() {
    m_document.Store().Editor().RemoveWatcher(m_watcher);
    if (m_pane != nullptr) {
        m_pane->SetOpenHandler({});
        m_pane->SetOptionsHandler({});
        m_pane->SetCloseHandler({});
    }
}

void myDocumentFind::SetWindows(myTextView* text, myFindResultsPane* pane,
                                std::function<void(bool)> showPane) {
    m_text = text;
    m_pane = pane;
    m_showPane = std::move(showPane);
    if (m_pane == nullptr) {
        return;
    }
    m_pane->SetOpenHandler([this](int index, bool activate) {
        if (index >= 0) {
            GoTo(static_cast<size_t>(index), activate);
        }
    });
    m_pane->SetOptionsHandler([this] { Run(); });
    m_pane->SetCloseHandler([this] {
        if (m_showPane) {
            m_showPane(false);
        }
    });
}

void myDocumentFind::Search(const std::string& query) {
    m_query = query;
    Run();
}

void myDocumentFind::Run() {
    // What is being typed in the text is part of the document searched.
    m_list.SyncText();
    m_current = -1;
    m_stale = false;
    if (m_query.empty()) {
        m_hits.clear();
    } else {
        ivSearchOptions options;
        options.wholeWords = m_pane != nullptr && m_pane->WholeWords();
        options.maxHits = kMaxHits;
        m_hits = m_document.Search().Find(m_query, options);
    }
    if (m_pane != nullptr) {
        m_pane->ShowHits(m_hits, m_query, m_hits.size() >= kMaxHits);
    }
    if (m_showPane) {
        m_showPane(!m_query.empty());
    }
}

bool myDocumentFind::Next(bool forward) {
    // Typing since the search counts: stored, it makes the hits stale.
    m_list.SyncText();
    if (m_stale && !m_query.empty()) {
        // Edits moved the matches; the place in the list is kept as near as it can be.
        const int was = m_current;
        Run();
        m_current = std::min(was, static_cast<int>(m_hits.size()) - 1);
    }
    if (m_hits.empty()) {
        return false;
    }
    const int count = static_cast<int>(m_hits.size());
    int next = 0;
    if (m_current >= 0) {
        next = (m_current + (forward ? 1 : count - 1)) % count;
    } else {
        // From the section shown: its first hit, or the first of a later section.
        const std::string& shown = m_list.GetCurrentSectionId();
        size_t shownIndex = 0;
        for (const ivSearchHit& hit : m_hits) {
            if (hit.sectionId == shown) {
                shownIndex = hit.sectionIndex;
                break;
            }
        }
        next = forward ? 0 : count - 1;
        if (!shown.empty()) {
            for (int i = 0; i < count; ++i) {
                const int k = forward ? i : count - 1 - i;
                const size_t at = m_hits[static_cast<size_t>(k)].sectionIndex;
                if (forward ? at >= shownIndex : at <= shownIndex) {
                    next = k;
                    break;
                }
            }
        }
    }
    return GoTo(static_cast<size_t>(next), false);
}

bool myDocumentFind::GoTo(size_t index, bool focusText) {
    if (index >= m_hits.size()) {
        return false;
    }
    const ivSearchHit hit = m_hits[index];
    m_current = static_cast<int>(index);
    if (m_pane != nullptr && m_pane->GetMarkedHit() != m_current) {
        m_pane->MarkHit(m_current);
    }
    if (!m_list.SelectSection(hit.sectionId)) {
        return false;  // the section went since the search
    }
    if (hit.inTitle) {
        return true;  // the row is the match
    }
    // Which of the section's body matches it is: the view is searched for the same one.
    size_t ordinal = 0;
    for (size_t i = index; i-- > 0 && m_hits[i].sectionId == hit.sectionId;) {
        ordinal += m_hits[i].inTitle ? 0 : 1;
    }
    SelectInText(ordinal);
    if (focusText && m_text != nullptr) {
        m_text->SetFocus();
    }
    return true;
}

void myDocumentFind::SelectInText(size_t ordinal) {
    if (m_text == nullptr || !m_text->IsEnabled()) {
        return;
    }
    // A long body may still be coming in: the hit can lie in what has not arrived yet.
    m_text->FinishLoading();
    // Table cells included, in the order the search read them.
    const myBodyText body(m_text->GetBuffer());
    const std::string text = body.Text().utf8_string();
    ivSearchOptions options;
    options.wholeWords = m_pane != nullptr && m_pane->WholeWords();
    const auto matches = FindMatches(text, m_query, options, ordinal + 1);
    if (matches.empty()) {
        return;
    }
    // The view may show a little less than the text searched (pictures, fields): the nearest
    // match it has.
    const auto& [start, end] = matches[std::min(ordinal, matches.size() - 1)];
    const auto position = [&](size_t bytes) {
        return static_cast<long>(wxString::FromUTF8(text.data(), bytes).length());
    };
    const myBodyText::Place place = body.PlaceOf(position(start), position(end));
    if (place.box != nullptr) {
        m_text->SelectRange(place.from, place.to,
                            const_cast<wxRichTextParagraphLayoutBox*>(place.box));
    }
}
