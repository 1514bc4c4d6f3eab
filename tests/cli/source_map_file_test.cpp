// The source map is written a piece at a time; the text must be the one nlohmann-json
// prints for the same document, whatever falls on a piece boundary.
#include "cli/source_map_file.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <nlohmann/json.hpp>

#include "cli/json_output.h"
#include "project/il_project.h"

namespace vestrel::cli {
namespace {

using Json = nlohmann::ordered_json;

// The document as it was made before it was streamed: one tree, dumped whole.
std::string documentAsTree(const std::string& source, const TranslationResult& result) {
    Json files = Json::array();
    for (int slot = 0; slot < kSlotCount && result.outputShown(); ++slot) {
        const auto index = static_cast<std::size_t>(slot);
        if (!result.slotReceivedText[index]) continue;
        Json lines = Json::array();
        for (const std::uint32_t line : result.slotLines[index].sourceLines())
            lines.push_back(line == IlText::kNoSourceLine ? Json(nullptr) : Json(line));
        files.push_back({{"file", project::slotFileName(slot)}, {"slot", slot}, {"lines", std::move(lines)}});
    }
    return jsonDocumentText(
        {{"format", "vestrel-source-map"}, {"formatVersion", 1}, {"source", source}, {"files", std::move(files)}});
}

// A shown result whose slots hold `lines[slot]` lines, every third from no source line.
TranslationResult resultWithLines(const std::vector<std::pair<int, std::size_t>>& slots) {
    TranslationResult result;
    result.syntaxStatus = 0;
    std::uint32_t current = 0;
    for (const auto& [slot, count] : slots) {
        IlText& text = result.slotLines[static_cast<std::size_t>(slot)];
        text.followSourceLine(&current);
        for (std::size_t i = 0; i < count; ++i) {
            current = i % 3 == 0 ? IlText::kNoSourceLine : static_cast<std::uint32_t>(i * 7919 % 1000003);
            text.push_back("x");
        }
        text.followSourceLine(nullptr);
        result.slotReceivedText[static_cast<std::size_t>(slot)] = count != 0;
    }
    return result;
}

TEST(SourceMapFile, StreamedDocumentIsTheTreeDocument) {
    struct Case {
        const char* what;
        std::string source;
        std::vector<std::pair<int, std::size_t>> slots;
    };
    const std::vector<Case> cases = {
        {"no slot", "a.prg", {}},
        {"init only, one line", "a.prg", {{0, 1}}},
        {"a gap between slots", "dir/\"quoted\"\\name.prg", {{0, 5}, {3, 2}, {16, 7}}},
        {"invalid UTF-8 in the name", std::string("\xC0\xFFname.prg"), {{1, 3}}},
        // Several pieces of 128 KB: lines cross the piece boundaries.
        {"many lines", "big.prg", {{0, 40000}, {1, 30001}, {9, 1}}},
    };
    for (const Case& c : cases) {
        const TranslationResult result = resultWithLines(c.slots);
        std::string streamed;
        std::size_t pieces = 0;
        SourceMapFailure failure;
        const project::PieceWriter collect = [&](std::string_view piece, int&) {
            EXPECT_LE(piece.size(), std::size_t{160} << 10) << c.what;
            streamed += piece;
            ++pieces;
            return true;
        };
        ASSERT_TRUE(writeSourceMap(c.source, result, collect, failure)) << c.what;
        EXPECT_EQ(streamed, documentAsTree(c.source, result)) << c.what;
        EXPECT_EQ(sourceMapDocument(c.source, result), streamed) << c.what;
        if (std::string_view(c.what) == "many lines") EXPECT_GT(pieces, 3u);
    }
}

TEST(SourceMapFile, AFailedWriteStopsAndSaysSo) {
    const TranslationResult result = resultWithLines({{0, 50000}});
    std::size_t calls = 0;
    const project::PieceWriter refuse = [&](std::string_view, int& reason) {
        ++calls;
        reason = ENOSPC;
        return false;
    };
    SourceMapFailure failure;
    EXPECT_FALSE(writeSourceMap("a.prg", result, refuse, failure));
    EXPECT_EQ(calls, 1u);
    EXPECT_EQ(failure.reason, ENOSPC);
    EXPECT_FALSE(failure.readingBack);
}

}  // namespace
}  // namespace vestrel::cli
