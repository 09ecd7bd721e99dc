#pragma once

#include "document/text_fold.h"

#include <atomic>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class ivXML;
class ivTreeEditor;
struct ivTreeEdit;

struct ivSearchOptions {
    bool wholeWords = false;
    // Letters match only in the same case (replacing); otherwise case is ignored.
    bool matchCase = false;
    // Find stops after this many hits; a results list shows no more.
    size_t maxHits = 10000;
};

// One match in a section's title or in the plain text of its body.
struct ivSearchHit {
    std::string sectionId;
    std::string numbering;  // outline number ("2.1")
    std::string title;
    bool inTitle = false;
    int line = 0;             // line of the body's plain text, from 0 (0 for the title)
    std::string lineText;     // the whole matching line (the title for a title hit)
    size_t matchStart = 0;    // byte offset of the match in lineText
    size_t matchLength = 0;   // bytes of the match
    size_t textOffset = 0;    // byte offset of the match in the title or the whole body text
    size_t sectionIndex = 0;  // the section's place in document order, from 0
};

// One match that a replacement would change, with its paragraph's text before and after (the
// other matches of the paragraph left as they are), for a preview.
struct ivReplaceMatch {
    std::string before;
    std::string after;
    size_t start = 0;  // byte offset of the match in before
    size_t length = 0;
};

// What a replacement across sections changes in one section: for the preview and for
// applying it.
struct ivReplaceChange {
    std::string sectionId;
    std::string numbering;
    std::string title;
    bool inTitle = false;                 // the title changes (else the body)
    std::string before;                   // the title or the RTF body as it is
    std::string after;                    // what replaces it
    int count = 0;                        // matches replaced
    std::vector<ivReplaceMatch> matches;  // in the order they are replaced
};

// Finds text in every title and body of a document tree, without regard to case. The plain
// text of each body (through the RTF engine's text writer) is kept and read again only
// after an edit of that section, which the tree editor reports. Edits made past the tree
// editor must be announced with Invalidate.
class ivDocumentSearch {
public:
    ivDocumentSearch();
    ~ivDocumentSearch();
    ivDocumentSearch(const ivDocumentSearch&) = delete;
    ivDocumentSearch& operator=(const ivDocumentSearch&) = delete;

    // The tree searched (null for none); forgets what was kept of another tree.
    void SetTree(ivXML* tree);
    // Hears of every edit made through editor, until Detach or destruction.
    void Attach(ivTreeEditor& editor);
    void Detach();

    void Invalidate(const std::string& sectionId);
    void InvalidateAll();
    // Reads every body not yet kept, so that the first search answers at once.
    void Prepare();
    // The same on a worker thread: the bodies are copied here and read there. Edits meanwhile
    // are fine (what they change is read again); the next search waits for what is left.
    void PrepareInBackground();
    // Whether a background preparation is still reading.
    bool IsPreparing() const;
    // Waits for a background preparation and takes over what it read.
    void FinishPreparation();
    ivXML* GetTree() const { return m_tree; }

    // Hits in document order: each section's title, then its body. An empty query finds
    // nothing.
    std::vector<ivSearchHit> Find(std::string_view query, const ivSearchOptions& options = {});

    // The first hit after the one given (in document order, from the start of the document
    // when after is null), going round to the start after the last; none when nothing matches.
    std::optional<ivSearchHit> FindNext(std::string_view query, const ivSearchOptions& options,
                                        const ivSearchHit* after);

    // What replacing every match by replacement would change, section by section, titles
    // before bodies. Matches inside a body are found paragraph by paragraph in its text;
    // the formatting of the replaced text is that of the match's first character.
    std::vector<ivReplaceChange> PlanReplace(std::string_view query, std::string_view replacement,
                                             const ivSearchOptions& options = {});

    // Applies a plan through editor, bodies stamped modified; done receives every edit, in
    // order, so that they can be taken back as one step. Nothing is changed, and false is
    // returned, when a section no longer holds what the plan was made from.
    static bool ApplyReplace(const std::vector<ivReplaceChange>& plan, ivTreeEditor& editor,
                             const std::string& modified, std::vector<ivTreeEdit>* done = nullptr);

    // Keeps only the matches of change whose entry in take is true (missing entries count as
    // true): its after and count are made again from before. The options and texts must be
    // those the change was planned with.
    static void ChooseMatches(ivReplaceChange& change, const std::vector<bool>& take,
                              std::string_view query, std::string_view replacement,
                              const ivSearchOptions& options);

    // The plain text that is searched of a section's body; empty for an unknown section.
    std::string BodyText(const std::string& sectionId);

private:
    struct Entry {
        bool bodyValid = false;
        // The body is being read on the worker thread (body is empty meanwhile).
        bool pending = false;
        std::string body;
        ivFoldedText foldedBody;
        std::string title;
        ivFoldedText foldedTitle;
    };
    struct Section {
        std::string id;
        std::string numbering;
        Entry* entry = nullptr;
    };

    // Brings the sections in document order and their kept text up to date; in the
    // background, the bodies are read by a worker that FinishPreparation waits for.
    void Refresh(bool inBackground);
    // A background preparation taken over, then Refresh when the sections are not known.
    void EnsureCurrent();
    // Turns each RTF text into its plain text and that text's folded form, until stop.
    static void ReadBodies(const std::vector<std::pair<std::string*, ivFoldedText*>>& bodies,
                           const std::atomic<bool>* stop);
    void OnEdit(const ivTreeEdit& edit);
    // Appends at most limit hits of the section at index in document order.
    void AddSectionHits(size_t index, std::string_view foldedQuery, bool wholeWords, size_t limit,
                        std::vector<ivSearchHit>& hits) const;

    // Stops a background preparation and drops what it read.
    void CancelPreparation();

    struct Background;
    std::unique_ptr<Background> m_background;
    ivXML* m_tree = nullptr;
    ivTreeEditor* m_editor = nullptr;
    int m_watcher = 0;
    // By section ID; a later section with an ID already seen is kept under ID + '\n' + n.
    std::unordered_map<std::string, Entry> m_entries;
    std::vector<Section> m_sections;
};

// The matches of query in text, as byte offsets [start, end), at most limit of them; with
// options.matchCase off, query and text are compared folded.
std::vector<std::pair<size_t, size_t>> FindMatches(std::string_view text, std::string_view query,
                                                   const ivSearchOptions& options, size_t limit);

// The matches of folded query in text (whose folded form is folded), as original byte
// offsets [start, end), at most limit of them.
std::vector<std::pair<size_t, size_t>> FindMatches(std::string_view text,
                                                   const ivFoldedText& folded,
                                                   std::string_view foldedQuery, bool wholeWords,
                                                   size_t limit);
