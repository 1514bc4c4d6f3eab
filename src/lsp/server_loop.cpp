// Three threads and two queues. The worker takes the newest request of each document
// only, so a burst of changes costs one analysis; a report that arrives after a newer
// change is dropped by LanguageServer::deliver.
#include "lsp/server_loop.h"

#include <condition_variable>
#include <deque>
#include <iostream>
#include <memory>
#include <mutex>
#include <thread>
#include <variant>

#include "lsp/language_server.h"
#include "lsp/message_framing.h"

namespace vestrel::lsp {
namespace {

class StreamSink final : public MessageSink {
public:
    explicit StreamSink(std::ostream& out) : m_out(out) {}
    void send(const Json& message) override {
        const std::string frame = frameJson(message);
        const std::lock_guard lock(m_mutex);
        m_out.write(frame.data(), static_cast<std::streamsize>(frame.size()));
        m_out.flush();
    }

private:
    std::ostream& m_out;
    std::mutex m_mutex;
};

// What reaches the main thread: a frame from the client or a report from the worker.
using Event = std::variant<Frame, AnalysisReport>;

class EventQueue {
public:
    void push(Event event) {
        {
            const std::lock_guard lock(m_mutex);
            m_events.push_back(std::move(event));
        }
        m_ready.notify_one();
    }
    // The next event, or nothing when `until` passed first.
    std::optional<Event> pop(std::optional<Clock::time_point> until) {
        std::unique_lock lock(m_mutex);
        const auto ready = [&] { return !m_events.empty(); };
        if (until) {
            if (!m_ready.wait_until(lock, *until, ready)) return std::nullopt;
        } else {
            m_ready.wait(lock, ready);
        }
        Event event = std::move(m_events.front());
        m_events.pop_front();
        return event;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<Event> m_events;
};

class AnalysisWorker {
public:
    explicit AnalysisWorker(EventQueue& reports) : m_reports(reports), m_thread([this] { run(); }) {}
    ~AnalysisWorker() {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_ready.notify_one();
        m_thread.join();
    }
    // A newer request of a document replaces the one still waiting.
    void post(AnalysisRequest request) {
        {
            const std::lock_guard lock(m_mutex);
            bool replaced = false;
            for (AnalysisRequest& waiting : m_waiting)
                if (waiting.uri == request.uri) {
                    waiting = std::move(request);
                    replaced = true;
                    break;
                }
            if (!replaced) m_waiting.push_back(std::move(request));
        }
        m_ready.notify_one();
    }

private:
    void run() {
        for (;;) {
            AnalysisRequest request;
            {
                std::unique_lock lock(m_mutex);
                m_ready.wait(lock, [&] { return m_stop || !m_waiting.empty(); });
                if (m_stop) return;
                request = std::move(m_waiting.front());
                m_waiting.pop_front();
            }
            m_reports.push(analyse(request));
        }
    }

    EventQueue& m_reports;
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<AnalysisRequest> m_waiting;
    bool m_stop = false;
    std::thread m_thread;  // last: it starts once everything above exists
};

}  // namespace

std::string frameJson(const Json& message) {
    return frameMessage(message.dump(-1, ' ', false, Json::error_handler_t::replace));
}

int runServer(std::istream& in, std::ostream& out, const std::string& defaultIni) {
    StreamSink sink(out);
    LanguageServer server(sink, defaultIni);
    const auto queue = std::make_shared<EventQueue>();
    EventQueue& events = *queue;
    // The reader blocks on the input. On standard input it is detached at the end, so a
    // client that exits without closing our input cannot keep the process alive; it
    // holds the queue itself. Any other stream is read to its end and joined.
    std::thread reader([&in, queue] {
        FrameReader frames(in);
        for (;;) {
            Frame frame = frames.next();
            const bool end = frame.kind == Frame::Kind::End;
            queue->push(std::move(frame));
            if (end) return;
        }
    });
    {
        AnalysisWorker worker(events);
        while (!server.exitRequested()) {
            const std::optional<Event> event = events.pop(server.nextDeadline());
            const Clock::time_point now = Clock::now();
            if (event) {
                if (const Frame* frame = std::get_if<Frame>(&*event)) {
                    if (frame->kind == Frame::Kind::End) break;
                    if (frame->kind == Frame::Kind::Broken)
                        server.handleBrokenFrame(frame->body);
                    else
                        server.handle(frame->body, now);
                } else {
                    server.deliver(std::get<AnalysisReport>(*event));
                }
            }
            for (AnalysisRequest& request : server.takeDue(Clock::now())) worker.post(std::move(request));
        }
    }
    if (&in == &std::cin)
        reader.detach();
    else
        reader.join();
    return server.exitCode();
}

}  // namespace vestrel::lsp
