#include "framework/picture_drawings.h"

#include "rtf/metafile_renderer.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

struct ivPictureDrawings::Queue {
    struct Job {
        std::string key;
        rtf::Picture picture;
        int width = 0;
        int height = 0;
    };
    struct Result {
        std::string key;
        bool drawn = false;
        std::string png;
    };

    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Job> jobs;
    std::vector<Result> results;
    // Whom to tell about results; none once the drawings are gone.
    wxEvtHandler* owner = nullptr;
    bool stop = false;
    std::string program;
    int timeLimitMs = 0;
};

namespace {

// Draws the jobs of queue one after the other until told to stop. It holds the queue, so that
// the drawings can go while a picture is being drawn: the worker finishes it and ends.
void Work(std::shared_ptr<ivPictureDrawings::Queue> queue) {
    for (;;) {
        ivPictureDrawings::Queue::Job job;
        {
            std::unique_lock lock(queue->mutex);
            queue->wake.wait(lock, [&] { return queue->stop || !queue->jobs.empty(); });
            if (queue->stop) {
                return;
            }
            job = std::move(queue->jobs.front());
            queue->jobs.pop_front();
        }
        // A renderer of its own each time: one picture that takes too long must not keep the
        // others of the session from being tried.
        const rtf::MetafileRenderer renderer(queue->program, queue->timeLimitMs);
        ivPictureDrawings::Queue::Result result{job.key, false, {}};
        result.drawn = renderer.RenderPng(job.picture, job.width, job.height, result.png);
        std::lock_guard lock(queue->mutex);
        if (queue->stop) {
            return;
        }
        const bool first = queue->results.empty();
        queue->results.push_back(std::move(result));
        if (first && queue->owner != nullptr) {
            wxQueueEvent(queue->owner, new wxThreadEvent());
        }
    }
}

}  // namespace

std::shared_ptr<ivPictureDrawings> ivPictureDrawings::Shared() {
    static std::weak_ptr<ivPictureDrawings> shared;
    std::shared_ptr<ivPictureDrawings> drawings = shared.lock();
    if (!drawings) {
        drawings = std::make_shared<ivPictureDrawings>();
        shared = drawings;
    }
    return drawings;
}

ivPictureDrawings::ivPictureDrawings() : ivPictureDrawings(rtf::MetafileRenderer().ProgramPath()) {}

ivPictureDrawings::ivPictureDrawings(std::string program, int timeLimitMs)
    : m_queue(std::make_shared<Queue>()) {
    m_queue->owner = this;
    m_queue->program = std::move(program);
    m_queue->timeLimitMs = timeLimitMs;
    Bind(wxEVT_THREAD, &ivPictureDrawings::OnDrawn, this);
    std::thread(Work, m_queue).detach();
}

ivPictureDrawings::~ivPictureDrawings() {
    {
        std::lock_guard lock(m_queue->mutex);
        m_queue->stop = true;
        m_queue->owner = nullptr;
        m_queue->jobs.clear();
    }
    m_queue->wake.notify_all();
    // Events already queued for this handler must not reach it.
    DeletePendingEvents();
}

std::string ivPictureDrawings::Key(const rtf::Picture& picture, int width, int height) {
    return std::to_string(static_cast<int>(picture.format)) + ":" +
           std::to_string(picture.data.size()) + ":" +
           std::to_string(std::hash<std::string>{}(picture.data)) + ":" + std::to_string(width) +
           "x" + std::to_string(height);
}

ivPictureDrawings::State ivPictureDrawings::Find(const std::string& key, std::string* png) {
    const auto it = m_entries.find(key);
    if (it == m_entries.end()) {
        return State::Unknown;
    }
    Entry& entry = it->second;
    if (entry.state == State::Drawn) {
        m_ages.splice(m_ages.begin(), m_ages, entry.age);
        if (png != nullptr) {
            *png = entry.png;
        }
    }
    return entry.state;
}

void ivPictureDrawings::Request(const std::string& key, const rtf::Picture& picture, int width,
                                int height) {
    if (m_entries.count(key) != 0) {
        return;
    }
    m_entries[key] = Entry{};
    {
        std::lock_guard lock(m_queue->mutex);
        m_queue->jobs.push_back(Queue::Job{key, picture, width, height});
    }
    m_queue->wake.notify_one();
}

int ivPictureDrawings::AddListener(std::function<void()> listener) {
    const int id = m_nextListener++;
    m_listeners[id] = std::move(listener);
    return id;
}

void ivPictureDrawings::RemoveListener(int id) {
    m_listeners.erase(id);
}

void ivPictureDrawings::OnDrawn(wxThreadEvent&) {
    std::vector<Queue::Result> results;
    {
        std::lock_guard lock(m_queue->mutex);
        results.swap(m_queue->results);
    }
    for (Queue::Result& result : results) {
        Entry& entry = m_entries[result.key];
        if (!result.drawn) {
            entry.state = State::Failed;
            continue;
        }
        entry.state = State::Drawn;
        m_bytes += result.png.size();
        entry.png = std::move(result.png);
        m_ages.push_front(result.key);
        entry.age = m_ages.begin();
    }
    // A listener may remove itself or others while being told.
    const auto listeners = m_listeners;
    for (const auto& [id, listener] : listeners) {
        if (m_listeners.count(id) != 0) {
            listener();
        }
    }
    // Only now, so that the views have taken every drawing that came in.
    Forget();
}

void ivPictureDrawings::Forget() {
    // The drawings used longest ago go first; the newest always stays.
    while (m_bytes > kBudgetBytes && m_ages.size() > 1) {
        const auto it = m_entries.find(m_ages.back());
        m_bytes -= it->second.png.size();
        m_entries.erase(it);
        m_ages.pop_back();
    }
}
