#include "document/document_search.h"

#include "document/iv_xml.h"
#include "document/outline.h"
#include "document/paragraph_walk.h"
#include "document/tree_editor.h"
#include "rtf/convert.h"
#include "rtf/reader.h"
#include "rtf/rtf_writer.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <unordered_set>

namespace {

constexpr const char* kTitle = "Title";
constexpr const char* kText = "Text";

// Decides, match by match in the order of a body or title, which ones are replaced; records
// each match's text before and after for a preview.
struct MatchChooser {
    const std::vector<bool>* take = nullptr;  // null: every match
    std::vector<ivReplaceMatch>* preview = nullptr;
    int seen = 0;

    bool Take(std::string_view text, size_t start, size_t end, std::string_view replacement) {
        const size_t index = static_cast<size_t>(seen++);
        if (preview != nullptr) {
            ivReplaceMatch& m = preview->emplace_back();
            m.before = std::string(text);
            m.after = m.before.substr(0, start) + std::string(replacement) + m.before.substr(end);
            m.start = start;
            m.length = end - start;
        }
        return take == nullptr || index >= take->size() || (*take)[index];
    }
};

// Replaces the matches in a paragraph's visible text, run by run; the number replaced.
// A match may cover several runs: the replacement takes the place of its start, in the
// format of the first run, and the rest of the match goes.
int ReplaceInParagraph(rtf::Paragraph& paragraph, std::string_view query,
                       std::string_view replacement, const ivSearchOptions& options,
                       MatchChooser& chooser) {
    int replaced = 0;
    std::vector<rtf::Run>& runs = paragraph.runs;
    size_t first = 0;
    while (first < runs.size()) {
        // A stretch of visible text runs; line breaks, pictures and hidden text end it.
        const auto isText = [&](size_t i) {
            return runs[i].kind == rtf::RunKind::Text && !runs[i].format.hidden;
        };
        if (!isText(first)) {
            ++first;
            continue;
        }
        size_t last = first;
        std::string text;
        std::vector<size_t> starts;
        while (last < runs.size() && isText(last)) {
            starts.push_back(text.size());
            text += runs[last].text;
            ++last;
        }
        auto matches = FindMatches(text, query, options, SIZE_MAX);
        std::erase_if(matches, [&](const std::pair<size_t, size_t>& m) {
            return !chooser.Take(text, m.first, m.second, replacement);
        });
        // From the last match back, so that earlier offsets hold.
        for (auto it = matches.rbegin(); it != matches.rend(); ++it) {
            const auto runAt = [&](size_t offset, bool end) {
                size_t r = static_cast<size_t>(
                    std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin() - 1);
                // A match's end at a run's start belongs to the run before it.
                while (end && r > 0 && starts[r] == offset) {
                    --r;
                }
                return r;
            };
            const size_t a = runAt(it->first, false);
            const size_t b = runAt(it->second, true);
            const size_t offsetA = it->first - starts[a];
            const size_t offsetB = it->second - starts[b];
            rtf::Run& runA = runs[first + a];
            std::string tail = runs[first + b].text.substr(offsetB);
            for (size_t k = a + 1; k <= b; ++k) {
                runs[first + k].text.clear();
            }
            runA.text = runA.text.substr(0, offsetA) + std::string(replacement) +
                        (a == b ? tail : std::string());
            if (a != b) {
                runs[first + b].text = std::move(tail);
            }
            ++replaced;
        }
        first = last;
    }
    std::erase_if(runs, [](const rtf::Run& run) {
        return run.kind == rtf::RunKind::Text && run.text.empty();
    });
    return replaced;
}

// The body with the chosen matches replaced; count receives how many.
std::string ReplaceInBody(const std::string& rtfText, std::string_view query,
                          std::string_view replacement, const ivSearchOptions& options,
                          MatchChooser& chooser, int& count) {
    rtf::Document document = rtf::ReadRtf(rtfText).document;
    count = 0;
    const auto visit = [&](rtf::Paragraph& p) {
        count += ReplaceInParagraph(p, query, replacement, options, chooser);
    };
    ForEachParagraphToChange(document, visit);
    return count == 0 ? rtfText : rtf::WriteRtf(document);
}

std::string ReplaceInTitle(const std::string& title, std::string_view query,
                           std::string_view replacement, const ivSearchOptions& options,
                           MatchChooser& chooser, int& count) {
    auto matches = FindMatches(title, query, options, SIZE_MAX);
    std::erase_if(matches, [&](const std::pair<size_t, size_t>& m) {
        return !chooser.Take(title, m.first, m.second, replacement);
    });
    count = static_cast<int>(matches.size());
    std::string out;
    size_t from = 0;
    for (const auto& [start, end] : matches) {
        out.append(title, from, start - from);
        out.append(replacement);
        from = end;
    }
    out.append(title, from, std::string::npos);
    return out;
}

// Matches of query in text itself, case and all.
std::vector<std::pair<size_t, size_t>> FindExactMatches(std::string_view text,
                                                        std::string_view query, bool wholeWords,
                                                        size_t limit) {
    std::vector<std::pair<size_t, size_t>> matches;
    if (query.empty()) {
        return matches;
    }
    size_t at = text.find(query);
    while (at != std::string_view::npos && matches.size() < limit) {
        const size_t end = at + query.size();
        const bool take = !wholeWords || (!IsWordCodePoint(CodePointBefore(text, at)) &&
                                          !IsWordCodePoint(CodePointAt(text, end)));
        if (take) {
            matches.emplace_back(at, end);
        }
        at = text.find(query, take ? end : at + 1);
    }
    return matches;
}

}  // namespace

std::vector<std::pair<size_t, size_t>> FindMatches(std::string_view text, std::string_view query,
                                                   const ivSearchOptions& options, size_t limit) {
    if (options.matchCase) {
        return FindExactMatches(text, query, options.wholeWords, limit);
    }
    return FindMatches(text, ivFoldedText(text), FoldCase(query), options.wholeWords, limit);
}

std::vector<std::pair<size_t, size_t>> FindMatches(std::string_view text,
                                                   const ivFoldedText& folded,
                                                   std::string_view foldedQuery, bool wholeWords,
                                                   size_t limit) {
    std::vector<std::pair<size_t, size_t>> matches;
    if (foldedQuery.empty()) {
        return matches;
    }
    const std::string_view haystack = folded.Folded();
    size_t at = haystack.find(foldedQuery);
    while (at != std::string_view::npos && matches.size() < limit) {
        const size_t start = folded.OriginalOffset(at);
        const size_t end = folded.OriginalOffset(at + foldedQuery.size());
        bool take = end > start;
        if (take && wholeWords) {
            take = !IsWordCodePoint(CodePointBefore(text, start)) &&
                   !IsWordCodePoint(CodePointAt(text, end));
        }
        if (take) {
            matches.emplace_back(start, end);
        }
        // Matches do not overlap: the next one starts after this one.
        at = haystack.find(foldedQuery, take ? at + foldedQuery.size() : at + 1);
    }
    return matches;
}

// A preparation running on a worker thread: the bodies it reads, by the keys of their entries.
struct ivDocumentSearch::Background {
    struct Job {
        std::string key;
        std::string text;  // the RTF, then its plain text
        ivFoldedText folded;
    };
    std::vector<Job> jobs;
    std::atomic<bool> stop{false};
    std::atomic<bool> done{false};
    std::thread thread;
};

ivDocumentSearch::ivDocumentSearch() = default;

ivDocumentSearch::~ivDocumentSearch() {
    CancelPreparation();
    Detach();
}

void ivDocumentSearch::SetTree(ivXML* tree) {
    m_tree = tree;
    InvalidateAll();
}

void ivDocumentSearch::Attach(ivTreeEditor& editor) {
    Detach();
    m_editor = &editor;
    m_watcher = editor.AddWatcher([this](const ivTreeEdit& edit) { OnEdit(edit); });
}

void ivDocumentSearch::Detach() {
    if (m_editor != nullptr) {
        m_editor->RemoveWatcher(m_watcher);
        m_editor = nullptr;
    }
}

void ivDocumentSearch::OnEdit(const ivTreeEdit& edit) {
    // A section put back by undo may hold other text under the same ID.
    Invalidate(edit.sectionId);
}

void ivDocumentSearch::Invalidate(const std::string& sectionId) {
    // Sections sharing the ID are kept under it with a number after a line feed.
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        const std::string& key = it->first;
        if (key == sectionId ||
            (key.size() > sectionId.size() && key.compare(0, sectionId.size(), sectionId) == 0 &&
             key[sectionId.size()] == '\n')) {
            it = m_entries.erase(it);
        } else {
            ++it;
        }
    }
    m_sections.clear();
}

void ivDocumentSearch::InvalidateAll() {
    CancelPreparation();
    m_entries.clear();
    m_sections.clear();
}

void ivDocumentSearch::Prepare() {
    FinishPreparation();
    Refresh(false);
}

void ivDocumentSearch::PrepareInBackground() {
    FinishPreparation();
    Refresh(true);
}

bool ivDocumentSearch::IsPreparing() const {
    return m_background != nullptr && !m_background->done;
}

void ivDocumentSearch::FinishPreparation() {
    if (m_background == nullptr) {
        return;
    }
    m_background->thread.join();
    // Entries edited meanwhile were dropped; they are read again when next searched.
    for (Background::Job& job : m_background->jobs) {
        const auto found = m_entries.find(job.key);
        if (found != m_entries.end() && found->second.pending) {
            found->second.body = std::move(job.text);
            found->second.foldedBody = std::move(job.folded);
            found->second.pending = false;
        }
    }
    m_background.reset();
}

void ivDocumentSearch::CancelPreparation() {
    if (m_background == nullptr) {
        return;
    }
    m_background->stop = true;
    m_background->thread.join();
    m_background.reset();
    std::erase_if(m_entries, [](const auto& e) { return e.second.pending; });
    m_sections.clear();
}

void ivDocumentSearch::ReadBodies(const std::vector<std::pair<std::string*, ivFoldedText*>>& bodies,
                                  const std::atomic<bool>* stop) {
    const auto read = [&](size_t from, size_t step) {
        for (size_t i = from; i < bodies.size(); i += step) {
            if (stop != nullptr && *stop) {
                return;
            }
            *bodies[i].first = rtf::RtfToText(*bodies[i].first);
            *bodies[i].second = ivFoldedText(*bodies[i].first);
        }
    };
    // Reading a large document's bodies is most of a first search; the cores share it. The
    // bodies are disjoint, and the RTF engine keeps no state between documents.
    const size_t cores = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 8);
    const size_t workers = bodies.size() < 64 ? 1 : cores;
    std::vector<std::thread> threads;
    for (size_t w = 1; w < workers; ++w) {
        threads.emplace_back(read, w, workers);
    }
    read(0, workers);
    for (std::thread& t : threads) {
        t.join();
    }
}

void ivDocumentSearch::Refresh(bool inBackground) {
    m_sections.clear();
    if (m_tree == nullptr || !m_tree->GoRoot()) {
        return;
    }
    std::unordered_map<std::string, int> seen;
    std::vector<Entry*> toRead;
    std::vector<std::string> keys;
    m_sections.reserve(m_entries.size());
    BuildOutline(*m_tree, [&](const OutlineRow& row, ivData& cursor) {
        if (row.depth == 0) {
            return;
        }
        const int n = seen[row.id]++;
        std::string key = n == 0 ? row.id : row.id + '\n' + std::to_string(n);
        Entry& entry = m_entries[key];
        if (entry.title != row.title || entry.foldedTitle.Folded().empty()) {
            entry.title = row.title;
            entry.foldedTitle = ivFoldedText(row.title);
        }
        if (!entry.bodyValid) {
            // Read below, all at once.
            entry.body = cursor.GetAttribute(kText);
            entry.bodyValid = true;
            toRead.push_back(&entry);
            if (inBackground) {
                keys.push_back(std::move(key));
            }
        }
        m_sections.push_back({row.id, row.numbering, &entry});
    });
    if (inBackground && !toRead.empty()) {
        // The worker gets the bodies' RTF and nothing of the tree or the entries, which this
        // thread goes on editing.
        m_background = std::make_unique<Background>();
        m_background->jobs.resize(toRead.size());
        for (size_t i = 0; i < toRead.size(); ++i) {
            m_background->jobs[i].key = std::move(keys[i]);
            m_background->jobs[i].text = std::move(toRead[i]->body);
            toRead[i]->body.clear();
            toRead[i]->pending = true;
        }
        Background* background = m_background.get();
        m_background->thread = std::thread([background] {
            std::vector<std::pair<std::string*, ivFoldedText*>> bodies;
            bodies.reserve(background->jobs.size());
            for (Background::Job& job : background->jobs) {
                bodies.emplace_back(&job.text, &job.folded);
            }
            ReadBodies(bodies, &background->stop);
            background->done = true;
        });
    } else {
        std::vector<std::pair<std::string*, ivFoldedText*>> bodies;
        bodies.reserve(toRead.size());
        for (Entry* entry : toRead) {
            bodies.emplace_back(&entry->body, &entry->foldedBody);
        }
        ReadBodies(bodies, nullptr);
    }
    // Entries of sections that are gone.
    if (m_entries.size() > m_sections.size()) {
        std::unordered_set<const Entry*> live;
        for (const Section& s : m_sections) {
            live.insert(s.entry);
        }
        std::erase_if(m_entries, [&](const auto& e) { return live.count(&e.second) == 0; });
    }
}

void ivDocumentSearch::EnsureCurrent() {
    FinishPreparation();
    if (m_sections.empty()) {
        Refresh(false);
    }
}

void ivDocumentSearch::AddSectionHits(size_t index, std::string_view foldedQuery, bool wholeWords,
                                      size_t limit, std::vector<ivSearchHit>& hits) const {
    const Section& section = m_sections[index];
    const Entry& entry = *section.entry;
    const size_t first = hits.size();
    const auto add = [&](bool inTitle, size_t start, size_t end) -> ivSearchHit& {
        ivSearchHit& hit = hits.emplace_back();
        hit.sectionId = section.id;
        hit.numbering = section.numbering;
        hit.title = entry.title;
        hit.inTitle = inTitle;
        hit.textOffset = start;
        hit.matchLength = end - start;
        hit.sectionIndex = index;
        return hit;
    };
    for (const auto& [start, end] :
         FindMatches(entry.title, entry.foldedTitle, foldedQuery, wholeWords, limit)) {
        ivSearchHit& hit = add(true, start, end);
        hit.lineText = entry.title;
        hit.matchStart = start;
    }
    // Lines are counted on from the previous hit.
    int line = 0;
    size_t counted = 0;
    for (const auto& [start, end] : FindMatches(entry.body, entry.foldedBody, foldedQuery,
                                                wholeWords, limit - (hits.size() - first))) {
        line += static_cast<int>(
            std::count(entry.body.begin() + static_cast<std::ptrdiff_t>(counted),
                       entry.body.begin() + static_cast<std::ptrdiff_t>(start), '\n'));
        counted = start;
        const size_t lineStart =
            start == 0 ? 0 : entry.body.rfind('\n', start - 1) + 1;  // npos + 1 is 0
        size_t lineEnd = entry.body.find('\n', start);
        if (lineEnd == std::string::npos) {
            lineEnd = entry.body.size();
        }
        ivSearchHit& hit = add(false, start, end);
        hit.line = line;
        hit.lineText = entry.body.substr(lineStart, lineEnd - lineStart);
        hit.matchStart = start - lineStart;
        // A match that runs over a line's end is shown up to it.
        hit.matchLength = std::min(end, lineEnd) - start;
    }
}

std::vector<ivSearchHit> ivDocumentSearch::Find(std::string_view query,
                                                const ivSearchOptions& options) {
    std::vector<ivSearchHit> hits;
    const std::string foldedQuery = FoldCase(query);
    if (foldedQuery.empty()) {
        return hits;
    }
    EnsureCurrent();
    for (size_t index = 0; index < m_sections.size() && hits.size() < options.maxHits; ++index) {
        AddSectionHits(index, foldedQuery, options.wholeWords, options.maxHits - hits.size(), hits);
    }
    return hits;
}

std::optional<ivSearchHit> ivDocumentSearch::FindNext(std::string_view query,
                                                      const ivSearchOptions& options,
                                                      const ivSearchHit* after) {
    const std::string foldedQuery = FoldCase(query);
    if (foldedQuery.empty()) {
        return std::nullopt;
    }
    EnsureCurrent();
    const size_t count = m_sections.size();
    if (count == 0) {
        return std::nullopt;
    }
    // The place of the given hit: its section (found by ID, since sections move), then the
    // title before the body, then the offset.
    size_t start = 0;
    if (after != nullptr) {
        start = after->sectionIndex;
        if (start >= count || m_sections[start].id != after->sectionId) {
            const auto found =
                std::find_if(m_sections.begin(), m_sections.end(),
                             [&](const Section& s) { return s.id == after->sectionId; });
            start = found == m_sections.end() ? 0 : static_cast<size_t>(found - m_sections.begin());
        }
    }
    const auto key = [](bool inTitle, size_t offset) { return std::pair(inTitle ? 0 : 1, offset); };
    // Sections are searched one by one from there, round to the start and back to the
    // section itself, whose hits before the place come last.
    std::vector<ivSearchHit> hits;
    for (size_t k = 0; k <= count; ++k) {
        const size_t index = (start + k) % count;
        hits.clear();
        AddSectionHits(index, foldedQuery, options.wholeWords, SIZE_MAX, hits);
        for (ivSearchHit& hit : hits) {
            const bool beyond =
                after == nullptr || k > 0 ||
                key(hit.inTitle, hit.textOffset) > key(after->inTitle, after->textOffset);
            if (beyond) {
                return std::move(hit);
            }
        }
    }
    return std::nullopt;
}

std::vector<ivReplaceChange> ivDocumentSearch::PlanReplace(std::string_view query,
                                                           std::string_view replacement,
                                                           const ivSearchOptions& options) {
    std::vector<ivReplaceChange> plan;
    const std::string foldedQuery = FoldCase(query);
    if (foldedQuery.empty() || m_tree == nullptr) {
        return plan;
    }
    ivSearchOptions all = options;
    all.maxHits = SIZE_MAX;
    // Only sections with a hit are read again, as RTF.
    std::vector<std::string> titles;
    std::vector<std::string> bodies;
    for (const ivSearchHit& hit : Find(query, all)) {
        std::vector<std::string>& list = hit.inTitle ? titles : bodies;
        if (list.empty() || list.back() != hit.sectionId) {
            list.push_back(hit.sectionId);
        }
    }
    // One walk through the tree reads every section with a hit: a look-up by ID for each of
    // them would make the plan quadratic in the document's size.
    const std::unordered_set<std::string> withTitleHit(titles.begin(), titles.end());
    const std::unordered_set<std::string> withBodyHit(bodies.begin(), bodies.end());
    std::vector<ivReplaceChange> titleChanges;
    std::unordered_set<std::string> seen;
    if (!m_tree->GoRoot()) {
        return plan;
    }
    BuildOutline(*m_tree, [&](const OutlineRow& row, ivData& cursor) {
        // Of sections sharing an ID, the first is the one an edit by that ID reaches.
        if (row.depth == 0 || !seen.insert(row.id).second) {
            return;
        }
        const auto change = [&](bool inTitle, std::vector<ivReplaceChange>& into) {
            ivReplaceChange c;
            c.sectionId = row.id;
            c.numbering = row.numbering;
            c.title = row.title;
            c.inTitle = inTitle;
            c.before = cursor.GetAttribute(inTitle ? kTitle : kText);
            MatchChooser chooser;
            chooser.preview = &c.matches;
            c.after = inTitle
                          ? ReplaceInTitle(c.before, query, replacement, options, chooser, c.count)
                          : ReplaceInBody(c.before, query, replacement, options, chooser, c.count);
            if (c.count > 0) {
                into.push_back(std::move(c));
            }
        };
        if (withTitleHit.count(row.id) != 0) {
            change(true, titleChanges);
        }
        if (withBodyHit.count(row.id) != 0) {
            change(false, plan);
        }
    });
    // Titles first, then bodies, each in the document's order.
    plan.insert(plan.begin(), std::make_move_iterator(titleChanges.begin()),
                std::make_move_iterator(titleChanges.end()));
    return plan;
}

bool ivDocumentSearch::ApplyReplace(const std::vector<ivReplaceChange>& plan, ivTreeEditor& editor,
                                    const std::string& modified, std::vector<ivTreeEdit>* done) {
    ivXML* tree = editor.GetTree();
    if (tree == nullptr) {
        return false;
    }
    for (const ivReplaceChange& c : plan) {
        if (!editor.SelectSection(c.sectionId) ||
            tree->GetAttribute(c.inTitle ? kTitle : kText) != c.before) {
            return false;
        }
    }
    for (const ivReplaceChange& c : plan) {
        ivTreeEdit edit;
        const bool ok = c.inTitle ? editor.SetAttributes(c.sectionId, {{kTitle, c.after}}, &edit)
                                  : editor.StoreBody(c.sectionId, c.after, modified, &edit);
        if (ok && done != nullptr) {
            done->push_back(std::move(edit));
        }
    }
    return true;
}

void ivDocumentSearch::ChooseMatches(ivReplaceChange& change, const std::vector<bool>& take,
                                     std::string_view query, std::string_view replacement,
                                     const ivSearchOptions& options) {
    MatchChooser chooser;
    chooser.take = &take;
    change.after =
        change.inTitle
            ? ReplaceInTitle(change.before, query, replacement, options, chooser, change.count)
            : ReplaceInBody(change.before, query, replacement, options, chooser, change.count);
}

std::string ivDocumentSearch::BodyText(const std::string& sectionId) {
    EnsureCurrent();
    for (const Section& s : m_sections) {
        if (s.id == sectionId) {
            return s.entry->body;
        }
    }
    return {};
}
