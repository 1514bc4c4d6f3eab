// Requests, notifications and answers of the language server.
#include "lsp/language_server.h"

#include <limits>
#include <stdexcept>

#include "lsp/editor_features.h"
#include "project/source_file.h"
#include "vestrel_version.h"

namespace vestrel::lsp {
namespace {

constexpr int kLogError = 1, kLogWarning = 2;
constexpr int kSyncIncremental = 2;

// Raised while reading params; answered with InvalidParams.
struct BadParams : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const Json& member(const Json& object, const char* key) {
    if (!object.is_object()) throw BadParams(std::string("expected an object holding \"") + key + "\"");
    const auto found = object.find(key);
    if (found == object.end()) throw BadParams(std::string("missing \"") + key + "\"");
    return *found;
}

std::string stringMember(const Json& object, const char* key) {
    const Json& value = member(object, key);
    if (!value.is_string()) throw BadParams(std::string("\"") + key + "\" must be a string");
    return value.get<std::string>();
}

int intMember(const Json& object, const char* key) {
    const Json& value = member(object, key);
    if (!value.is_number_integer()) throw BadParams(std::string("\"") + key + "\" must be an integer");
    const auto number = value.get<long long>();
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        throw BadParams(std::string("\"") + key + "\" is out of range");
    return static_cast<int>(number);
}

Position positionMember(const Json& object, const char* key) {
    const Json& position = member(object, key);
    return {intMember(position, "line"), intMember(position, "character")};
}

std::string documentUri(const Json& params) { return stringMember(member(params, "textDocument"), "uri"); }

bool isValidId(const Json& id) { return id.is_string() || id.is_number_integer(); }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string serverVersion() { return std::string(kVersionText); }

}  // namespace

std::optional<std::string> pathOfUri(std::string_view uri) {
    constexpr std::string_view kScheme = "file://";
    if (!uri.starts_with(kScheme)) return std::nullopt;
    uri.remove_prefix(kScheme.size());
    // "file://host/path": only the local host (empty or "localhost") names a file here.
    const std::size_t slash = uri.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string_view host = uri.substr(0, slash);
    if (!host.empty() && host != "localhost") return std::nullopt;
    uri.remove_prefix(slash);
    std::string path;
    for (std::size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size() && hexValue(uri[i + 1]) >= 0 && hexValue(uri[i + 2]) >= 0) {
            path.push_back(static_cast<char>(hexValue(uri[i + 1]) * 16 + hexValue(uri[i + 2])));
            i += 2;
        } else if (uri[i] == '?' || uri[i] == '#') {
            break;
        } else {
            path.push_back(uri[i]);
        }
    }
    if (path.find('\0') != std::string::npos) return std::nullopt;
    return path;
}

LanguageServer::LanguageServer(MessageSink& sink, std::string defaultIni)
    : m_sink(sink), m_defaultIni(std::move(defaultIni)), m_settings(readServerSettings(nullptr, m_defaultIni)) {}

void LanguageServer::handle(std::string_view body, Clock::time_point now) {
    Json message = Json::parse(body, nullptr, false);
    if (message.is_discarded()) {
        respondError(nullptr, rpc::ParseError, "the message is not valid JSON");
        return;
    }
    dispatch(message, now);
}

void LanguageServer::handleBrokenFrame(std::string_view why) {
    respondError(nullptr, rpc::ParseError, std::string(why));
}

void LanguageServer::dispatch(const Json& message, Clock::time_point now) {
    if (!message.is_object()) {
        respondError(nullptr, rpc::InvalidRequest, "a message must be a JSON object");
        return;
    }
    const auto idEntry = message.find("id");
    const bool hasId = idEntry != message.end();
    const Json id = hasId && isValidId(*idEntry) ? *idEntry : Json(nullptr);
    const auto methodEntry = message.find("method");
    if (methodEntry == message.end()) {
        // An answer to a request of ours (the server sends none that needs one): ignored.
        if (hasId && (message.contains("result") || message.contains("error"))) return;
        respondError(id, rpc::InvalidRequest, "a message must name its method");
        return;
    }
    if (!methodEntry->is_string() || (hasId && !isValidId(*idEntry))) {
        respondError(id, rpc::InvalidRequest, "the method must be a string and the id a string or an integer");
        return;
    }
    const std::string method = methodEntry->get<std::string>();
    static const Json kNoParams = nullptr;
    const auto paramsEntry = message.find("params");
    const Json& params = paramsEntry == message.end() ? kNoParams : *paramsEntry;

    if (!hasId) {
        try {
            notification(method, params, now);
        } catch (const std::exception& e) {
            log(kLogError, method + ": " + e.what());
        }
        return;
    }
    if (!m_initialized && method != "initialize") {
        respondError(id, rpc::ServerNotInitialized, "the server is not initialized");
        return;
    }
    if (m_shutdown) {
        respondError(id, rpc::InvalidRequest, "the server is shutting down");
        return;
    }
    if (m_initialized && method == "initialize") {
        respondError(id, rpc::InvalidRequest, "the server is already initialized");
        return;
    }
    try {
        Json result = request(method, params);
        if (result.is_discarded())
            respondError(id, rpc::MethodNotFound, "unknown method " + method);
        else
            respond(id, std::move(result));
    } catch (const BadParams& e) {
        respondError(id, rpc::InvalidParams, method + ": " + e.what());
    } catch (const Json::exception& e) {
        respondError(id, rpc::InvalidParams, method + ": " + e.what());
    } catch (const std::exception& e) {
        respondError(id, rpc::InternalError, method + ": " + e.what());
    }
}

Json LanguageServer::request(const std::string& method, const Json& params) {
    if (method == "initialize") return initialize(params);
    if (method == "shutdown") {
        m_shutdown = true;
        m_pending.clear();
        return nullptr;
    }
    if (method == "textDocument/hover" || method == "textDocument/definition" ||
        method == "textDocument/completion" || method == "textDocument/documentSymbol") {
        const std::string uri = documentUri(params);
        const bool positional = method != "textDocument/documentSymbol";
        const Position at = positional ? positionMember(params, "position") : Position{};
        const View view = viewOf(uri);
        if (method == "textDocument/documentSymbol")
            return view.outline ? documentSymbols(*view.outline, *view.lines) : Json::array();
        if (!view.outline) return nullptr;
        if (method == "textDocument/hover") return hoverAt(*view.outline, at.line, at.character);
        if (method == "textDocument/definition") return definitionAt(*view.outline, uri, at.line, at.character);
        return completionAt(*view.outline, at.line);
    }
    return Json(Json::value_t::discarded);
}

void LanguageServer::notification(const std::string& method, const Json& params, Clock::time_point now) {
    if (method == "exit") {
        m_exit = true;
        return;
    }
    if (!m_initialized || m_shutdown) return;  // dropped, as the protocol says
    if (method == "textDocument/didOpen") {
        didOpen(params, now);
    } else if (method == "textDocument/didChange") {
        didChange(params, now);
    } else if (method == "textDocument/didClose") {
        didClose(params);
    }
    // initialized, didSave, $/cancelRequest, $/setTrace and the rest need nothing.
}

Json LanguageServer::initialize(const Json& params) {
    static const Json kNone = nullptr;
    const Json& options = params.is_object() && params.contains("initializationOptions")
                              ? params["initializationOptions"]
                              : kNone;
    m_settings = readServerSettings(options, m_defaultIni);
    for (const std::string& problem : m_settings.problems) log(kLogWarning, problem);
    m_initialized = true;
    return {{"capabilities",
             {{"positionEncoding", "utf-16"},
              {"textDocumentSync", {{"openClose", true}, {"change", kSyncIncremental}}},
              {"hoverProvider", true},
              {"definitionProvider", true},
              {"documentSymbolProvider", true},
              {"completionProvider", {{"resolveProvider", false}}}}},
            {"serverInfo", {{"name", "vestrel-lsp"}, {"version", serverVersion()}}}};
}

void LanguageServer::didOpen(const Json& params, Clock::time_point now) {
    const Json& item = member(params, "textDocument");
    const std::string uri = stringMember(item, "uri");
    const int version = intMember(item, "version");
    std::string text = stringMember(item, "text");
    m_documents.erase(uri);
    m_documents.emplace(uri, OpenDocument{TextDocument(uri, version, std::move(text)), now, -1, false, {}, nullptr});
    m_pending[uri] = {now};  // the first diagnostics without a pause
}

void LanguageServer::didChange(const Json& params, Clock::time_point now) {
    const Json& identifier = member(params, "textDocument");
    const std::string uri = stringMember(identifier, "uri");
    const auto found = m_documents.find(uri);
    if (found == m_documents.end()) throw BadParams("the document " + uri + " is not open");
    const Json& changes = member(params, "contentChanges");
    if (!changes.is_array()) throw BadParams("\"contentChanges\" must be an array");
    // All changes are checked before any is applied, so a bad one leaves the text whole.
    for (const Json& change : changes) {
        stringMember(change, "text");
        if (change.contains("range")) {
            positionMember(change["range"], "start");
            positionMember(change["range"], "end");
        }
    }
    TextDocument& text = found->second.text;
    for (const Json& change : changes) {
        if (change.contains("range"))
            text.replaceRange({positionMember(change["range"], "start"), positionMember(change["range"], "end")},
                              change["text"].get<std::string>());
        else
            text.replaceAll(change["text"].get<std::string>());
    }
    text.setVersion(intMember(identifier, "version"));
    found->second.snapshotValid = false;
    // A change after a quiet pause is analysed at once; one that follows another within the
    // pause waits for the pause after it, so a burst of changes costs one analysis.
    const bool burst = now - found->second.lastEdit < m_settings.debounce;
    found->second.lastEdit = now;
    m_pending[uri] = {burst ? now + m_settings.debounce : now};
}

void LanguageServer::didClose(const Json& params) {
    const std::string uri = documentUri(params);
    if (m_documents.erase(uri) == 0) return;
    m_pending.erase(uri);
    publish(uri, std::nullopt, Json::array());
}

LanguageServer::View LanguageServer::viewOf(const std::string& uri) {
    if (const auto found = m_documents.find(uri); found != m_documents.end()) {
        OpenDocument& document = found->second;
        if (!document.snapshotValid || document.snapshotVersion != document.text.version()) {
            document.snapshot = snapshotOf(document.text.text());
            document.outline = std::make_unique<ProgramOutline>(document.snapshot.lines);
            document.snapshotVersion = document.text.version();
            document.snapshotValid = true;
        }
        return {document.outline.get(), &document.snapshot.lines};
    }
    // A document the client has not opened is read from its file, as vestrelc reads it.
    const std::optional<std::string> path = pathOfUri(uri);
    if (!path) return {};
    const project::SourceReadResult read = project::readSourceFile(*path, project::SourceEncoding::Auto);
    if (!read.ok) return {};
    m_disk.snapshot = SourceSnapshot{read.lines(), {}, read.text};
    m_disk.outline = std::make_unique<ProgramOutline>(m_disk.snapshot.lines);
    return {m_disk.outline.get(), &m_disk.snapshot.lines};
}

std::optional<Clock::time_point> LanguageServer::nextDeadline() const {
    std::optional<Clock::time_point> earliest;
    for (const auto& [uri, pending] : m_pending)
        if (!earliest || pending.due < *earliest) earliest = pending.due;
    return earliest;
}

std::vector<AnalysisRequest> LanguageServer::takeDue(Clock::time_point now) {
    std::vector<AnalysisRequest> due;
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        const auto document = m_documents.find(it->first);
        if (document == m_documents.end()) {
            it = m_pending.erase(it);
        } else if (it->second.due <= now) {
            const TextDocument& text = document->second.text;
            due.push_back({text.uri(), text.version(), text.text(), m_settings.options});
            it = m_pending.erase(it);
        } else {
            ++it;
        }
    }
    return due;
}

bool LanguageServer::deliver(const AnalysisReport& report) {
    if (m_shutdown) return false;
    const auto document = m_documents.find(report.uri);
    if (document == m_documents.end() || document->second.text.version() != report.version) return false;
    publish(report.uri, report.version, report.diagnostics);
    return true;
}

void LanguageServer::respond(const Json& id, Json result) {
    m_sink.send({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}});
}

void LanguageServer::respondError(const Json& id, int code, const std::string& message) {
    m_sink.send({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

void LanguageServer::log(int type, const std::string& message) {
    m_sink.send({{"jsonrpc", "2.0"}, {"method", "window/logMessage"}, {"params", {{"type", type}, {"message", message}}}});
}

void LanguageServer::publish(const std::string& uri, std::optional<int> version, Json diagnostics) {
    Json params = {{"uri", uri}, {"diagnostics", std::move(diagnostics)}};
    if (version) params["version"] = *version;
    m_sink.send({{"jsonrpc", "2.0"}, {"method", "textDocument/publishDiagnostics"}, {"params", std::move(params)}});
}

}  // namespace vestrel::lsp
