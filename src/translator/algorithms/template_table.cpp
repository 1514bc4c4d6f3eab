// Dispatch of an algorithm index to its template.
#include <array>

#include "translator/algorithms/algorithm_framework.h"
#include "translator/algorithms/templates.h"

namespace vestrel {

namespace {
struct TemplateEntry {
    int octalIndex;
    AlgorithmTemplate generate;
};
constexpr TemplateEntry kTemplates[] = {
    {01, &Template001},   {02, &Template002},   {03, &Template003},   {04, &Template004},
    {010, &Template010},  {011, &Template011},  {012, &Template012},  {013, &Template013},
    {014, &Template014},  {015, &Template015},  {030, &Template030},  {031, &Template031},
    {032, &Template032},  {033, &Template033},  {034, &Template034},  {040, &Template040},
    {041, &Template041},  {042, &Template042},  {050, &Template050},  {051, &Template051},
    {052, &Template052},  {053, &Template053},  {060, &Template060},  {061, &Template061},
    {062, &Template062},  {063, &Template063},  {0100, &Template100}, {0101, &Template101},
    {0102, &Template102}, {0103, &Template103}, {0104, &Template104}, {0130, &Template130},
    {0131, &Template131}, {0132, &Template132}, {0133, &Template133}, {0134, &Template134},
    {0135, &Template135},
};
static_assert(std::size(kTemplates) == 37);

constexpr std::array<AlgorithmTemplate, kAlgorithmCount> makeDispatch() {
    std::array<AlgorithmTemplate, kAlgorithmCount> table{};
    for (const TemplateEntry& entry : kTemplates) {
        if (!AlgorithmInfo[static_cast<std::size_t>(entry.octalIndex)].hasTemplate) throw "template without table entry";
        table[static_cast<std::size_t>(entry.octalIndex)] = entry.generate;
    }
    return table;
}
constexpr std::array<AlgorithmTemplate, kAlgorithmCount> kDispatch = makeDispatch();
}  // namespace

AlgorithmTemplate templateOf(int index) {
    if (index < 0 || index >= kAlgorithmCount) return nullptr;
    return kDispatch[static_cast<std::size_t>(index)];
}

}  // namespace vestrel
