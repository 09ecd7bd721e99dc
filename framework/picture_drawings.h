#pragma once

#include "rtf/model.h"

#include <wx/event.h>

#include <functional>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

// Metafile pictures (WMF, EMF) drawn as PNG for the text views. Drawing goes through a
// program of its own and can take a while, so it happens on a worker thread, one picture
// after the other, and the views are told on the interface thread when drawings are done.
// Drawings are kept within a memory budget, so that going back to a section shows its
// pictures at once.
class ivPictureDrawings : public wxEvtHandler {
public:
    // The drawings shared by the views alive: made for the first, gone with the last.
    static std::shared_ptr<ivPictureDrawings> Shared();

    // With the drawing program beside this one, or another.
    ivPictureDrawings();
    explicit ivPictureDrawings(std::string program, int timeLimitMs = kTimeLimitMs);
    ~ivPictureDrawings() override;
    ivPictureDrawings(const ivPictureDrawings&) = delete;
    ivPictureDrawings& operator=(const ivPictureDrawings&) = delete;

    // A name for the drawing of picture at width by height pixels.
    static std::string Key(const rtf::Picture& picture, int width, int height);

    enum class State { Unknown, Waiting, Drawn, Failed };
    // What is known about the drawing key; png receives it when it is drawn.
    State Find(const std::string& key, std::string* png = nullptr);
    // Asks for picture to be drawn at width by height pixels as key, unless that is known.
    void Request(const std::string& key, const rtf::Picture& picture, int width, int height);

    // listener is called on the interface thread whenever drawings have come in.
    int AddListener(std::function<void()> listener);
    void RemoveListener(int id);

    // How much the drawings kept may take, and how long one picture may take to draw.
    static constexpr size_t kBudgetBytes = size_t{64} << 20;
    static constexpr int kTimeLimitMs = 10000;

    struct Queue;  // shared with the worker, which may outlive this object

private:
    struct Entry {
        State state = State::Waiting;
        std::string png;
        std::list<std::string>::iterator age;  // in m_ages while drawn
    };

    void OnDrawn(wxThreadEvent& event);
    void Forget();

    std::shared_ptr<Queue> m_queue;
    std::unordered_map<std::string, Entry> m_entries;
    std::list<std::string> m_ages;  // drawn keys, most recently used first
    size_t m_bytes = 0;
    std::map<int, std::function<void()>> m_listeners;
    int m_nextListener = 1;
};
