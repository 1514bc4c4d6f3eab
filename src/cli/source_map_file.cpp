// Writing the source map of a run as JSON.
#include "cli/source_map_file.h"

#include <nlohmann/json.hpp>

#include "cli/json_output.h"
#include "project/il_project.h"

namespace vestrel::cli {

std::string sourceMapDocument(const std::string& source, const TranslationResult& result) {
    int reason = 0;
    return sourceMapDocument(source, result, reason).value_or(std::string());
}

std::optional<std::string> sourceMapDocument(const std::string& source, const TranslationResult& result, int& reason) {
    using Json = nlohmann::ordered_json;
    Json files = Json::array();
    for (int slot = 0; slot < kSlotCount && result.outputShown(); ++slot) {
        const auto index = static_cast<std::size_t>(slot);
        if (!result.slotReceivedText[index]) continue;
        Json lines = Json::array();
        const auto take = [&lines](std::span<const std::uint32_t> piece) {
            for (const std::uint32_t line : piece)
                lines.push_back(line == IlText::kNoSourceLine ? Json(nullptr) : Json(line));
        };
        if (!result.slotLines[index].readSourceLines(take, reason)) return std::nullopt;
        files.push_back({{"file", project::slotFileName(slot)}, {"slot", slot}, {"lines", std::move(lines)}});
    }
    const Json document = {
        {"format", "vestrel-source-map"}, {"formatVersion", 1}, {"source", source}, {"files", std::move(files)}};
    return jsonDocumentText(document);
}

}  // namespace vestrel::cli
