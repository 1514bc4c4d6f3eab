// Writing the source map of a run as JSON.
#include "cli/source_map_file.h"

#include <nlohmann/json.hpp>

#include "cli/json_output.h"
#include "project/il_project.h"

namespace vestrel::cli {

std::string sourceMapDocument(const std::string& source, const TranslationResult& result) {
    using Json = nlohmann::ordered_json;
    Json files = Json::array();
    for (int slot = 0; slot < kSlotCount && result.outputShown(); ++slot) {
        const auto index = static_cast<std::size_t>(slot);
        if (!result.slotReceivedText[index]) continue;
        Json lines = Json::array();
        for (const std::uint32_t line : result.slotLines[index].sourceLines())
            lines.push_back(line == IlText::kNoSourceLine ? Json(nullptr) : Json(line));
        files.push_back({{"file", project::slotFileName(slot)}, {"slot", slot}, {"lines", std::move(lines)}});
    }
    const Json document = {
        {"format", "vestrel-source-map"}, {"formatVersion", 1}, {"source", source}, {"files", std::move(files)}};
    return jsonDocumentText(document);
}

}  // namespace vestrel::cli
