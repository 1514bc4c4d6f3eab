// Dispatch of an algorithm index to its template, taken from the algorithm records.
#include <array>

#include "translator/algorithms/algorithm_framework.h"
#include "translator/algorithms/templates.h"

namespace vestrel {

namespace {
struct TemplateEntry {
    int index;
    AlgorithmTemplate generate;
};

// The records name a template or NoTemplate; both are values of one pointer type here.
constexpr AlgorithmTemplate NoTemplate = nullptr;
#define VESTREL_TEMPLATE_ENTRY(index, accepted, generate, stateWords, ...) {index, generate},
constexpr TemplateEntry kTemplates[] = {VESTREL_ALGORITHMS(VESTREL_TEMPLATE_ENTRY)};
#undef VESTREL_TEMPLATE_ENTRY

constexpr std::array<AlgorithmTemplate, kAlgorithmCount> makeDispatch() {
    std::array<AlgorithmTemplate, kAlgorithmCount> table{};
    for (const TemplateEntry& entry : kTemplates) table[static_cast<std::size_t>(entry.index)] = entry.generate;
    return table;
}
constexpr std::array<AlgorithmTemplate, kAlgorithmCount> kDispatch = makeDispatch();
}  // namespace

AlgorithmTemplate templateOf(int index) {
    if (index < 0 || index >= kAlgorithmCount) return nullptr;
    return kDispatch[static_cast<std::size_t>(index)];
}

}  // namespace vestrel
