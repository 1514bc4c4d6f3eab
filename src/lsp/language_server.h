// The protocol state of vestrel-lsp: the lifecycle (initialize .. exit), the open
// documents, the requests of the editor features and the schedule of diagnostics.
// Single-threaded and clock-driven, so the loop and the tests drive it alike: the loop
// hands the due analyses to a worker and the reports back through deliver().
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "lsp/diagnostics_report.h"
#include "lsp/program_outline.h"
#include "lsp/server_settings.h"
#include "lsp/source_snapshot.h"
#include "lsp/text_document.h"

namespace vestrel::lsp {

using Json = nlohmann::json;
using Clock = std::chrono::steady_clock;

// JSON-RPC and protocol error codes.
namespace rpc {
enum : int {
    ParseError = -32700,
    InvalidRequest = -32600,
    MethodNotFound = -32601,
    InvalidParams = -32602,
    InternalError = -32603,
    ServerNotInitialized = -32002,
};
}  // namespace rpc

// Where the server's messages go (framed and written by the loop).
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void send(const Json& message) = 0;
};

class LanguageServer {
public:
    // `defaultIni`: the "Vestrel.ini" read when the client names none.
    LanguageServer(MessageSink& sink, std::string defaultIni);

    // One message body as it came from the client. Never throws: whatever is wrong with
    // it becomes an error answer (requests) or a log message (notifications).
    void handle(std::string_view body, Clock::time_point now);
    void handleBrokenFrame(std::string_view why);

    // The earliest moment an analysis is due, if any is waiting.
    std::optional<Clock::time_point> nextDeadline() const;
    // The analyses due at `now`, each of the latest version of its document.
    std::vector<AnalysisRequest> takeDue(Clock::time_point now);
    // Publishes a report unless its document changed or closed meanwhile (stale).
    // Returns whether it was published.
    bool deliver(const AnalysisReport& report);

    bool exitRequested() const { return m_exit; }
    // 0 after shutdown then exit, 1 for an exit without shutdown.
    int exitCode() const { return m_shutdown ? 0 : 1; }
    const ServerSettings& settings() const { return m_settings; }

private:
    struct OpenDocument {
        TextDocument text;
        Clock::time_point lastEdit;  // when it was opened or last changed
        // The cp1251 lines and the outline of the version they were made from.
        int snapshotVersion = -1;
        bool snapshotValid = false;
        SourceSnapshot snapshot;
        std::unique_ptr<ProgramOutline> outline;
    };
    struct Pending {
        Clock::time_point due;
    };
    // A program read from disk for a request on a document that is not open.
    struct DiskProgram {
        SourceSnapshot snapshot;
        std::unique_ptr<ProgramOutline> outline;
    };

    void dispatch(const Json& message, Clock::time_point now);
    Json request(const std::string& method, const Json& params);
    void notification(const std::string& method, const Json& params, Clock::time_point now);

    Json initialize(const Json& params);
    void didOpen(const Json& params, Clock::time_point now);
    void didChange(const Json& params, Clock::time_point now);
    void didClose(const Json& params);

    // The outline and lines of a document, open or read from disk; nothing otherwise.
    struct View {
        const ProgramOutline* outline = nullptr;
        const std::vector<std::string>* lines = nullptr;
    };
    View viewOf(const std::string& uri);

    void respond(const Json& id, Json result);
    void respondError(const Json& id, int code, const std::string& message);
    void log(int type, const std::string& message);
    void publish(const std::string& uri, std::optional<int> version, Json diagnostics);

    MessageSink& m_sink;
    std::string m_defaultIni;
    ServerSettings m_settings;
    bool m_initialized = false;  // the initialize request was answered
    bool m_shutdown = false;
    bool m_exit = false;
    std::map<std::string, OpenDocument> m_documents;
    std::map<std::string, Pending> m_pending;
    DiskProgram m_disk;
};

// The file a "file:" URI names (percent escapes decoded), or nothing.
std::optional<std::string> pathOfUri(std::string_view uri);

}  // namespace vestrel::lsp
