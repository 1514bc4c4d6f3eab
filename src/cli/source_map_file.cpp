// Writing the source map of a run as JSON. The document is written as it is made, a
// piece at a time: its IL lines may run to millions (one number each), more than the
// run may hold at once. The text is the one nlohmann-json prints with an indent of two.
#include "cli/source_map_file.h"

#include <nlohmann/json.hpp>

#include "cli/json_output.h"
#include "project/il_project.h"
#include "translator/text/append.h"

namespace vestrel::cli {
namespace {

constexpr std::size_t kPiece = std::size_t{128} << 10;

// A JSON string as nlohmann-json writes it (invalid UTF-8 replaced).
std::string jsonString(const std::string& text) {
    return nlohmann::ordered_json(text).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

class PieceBuffer {
public:
    explicit PieceBuffer(const project::PieceWriter& write) : m_write(write) {}
    template <class... Pieces>
    bool add(const Pieces&... pieces) {
        text::append(m_buffer, pieces...);
        return m_buffer.size() < kPiece || flush();
    }
    bool flush() {
        if (m_buffer.empty()) return true;
        if (!m_write(m_buffer, m_reason)) {
            m_writeFailed = true;
            return false;
        }
        m_buffer.clear();
        return true;
    }
    int& reason() { return m_reason; }
    bool writeFailed() const { return m_writeFailed; }

private:
    const project::PieceWriter& m_write;
    std::string m_buffer;
    int m_reason = 0;
    bool m_writeFailed = false;
};

}  // namespace

bool writeSourceMap(const std::string& source, const TranslationResult& result, const project::PieceWriter& write,
                    SourceMapFailure& failure) {
    PieceBuffer out(write);
    failure = {};
    const auto fail = [&] {
        failure.reason = out.reason();
        failure.readingBack = !out.writeFailed();
        return false;
    };
    if (!out.add("{\n  \"format\": \"vestrel-source-map\",\n  \"formatVersion\": 1,\n  \"source\": ", jsonString(source),
                 ",\n  \"files\": "))
        return fail();
    bool firstFile = true;
    for (int slot = 0; slot < kSlotCount && result.outputShown(); ++slot) {
        const auto index = static_cast<std::size_t>(slot);
        if (!result.slotReceivedText[index]) continue;
        if (!out.add(firstFile ? "[\n" : ",\n", "    {\n      \"file\": ", jsonString(project::slotFileName(slot)),
                     ",\n      \"slot\": ", slot, ",\n      \"lines\": "))
            return fail();
        firstFile = false;
        bool firstLine = true;
        bool written = true;
        const auto take = [&](std::span<const std::uint32_t> piece) {
            for (const std::uint32_t line : piece) {
                if (!written) return;
                written = firstLine ? out.add("[\n") : out.add(",\n");
                firstLine = false;
                if (written)
                    written = line == IlText::kNoSourceLine ? out.add("        null") : out.add("        ", line);
            }
        };
        if (!result.slotLines[index].readSourceLines(take, out.reason()) || !written) return fail();
        if (!out.add(firstLine ? "[]" : "\n      ]", "\n    }")) return fail();
    }
    if (!out.add(firstFile ? "[]" : "\n  ]", "\n}\n") || !out.flush()) return fail();
    return true;
}

std::string sourceMapDocument(const std::string& source, const TranslationResult& result) {
    std::string document;
    SourceMapFailure failure;
    const project::PieceWriter collect = [&document](std::string_view piece, int&) {
        document += piece;
        return true;
    };
    if (!writeSourceMap(source, result, collect, failure)) return {};
    return document;
}

}  // namespace vestrel::cli
