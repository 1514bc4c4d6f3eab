// Any bytes as a Korvel listing: the run must finish with a result, never crash or hang,
// and a traced run must give the same result as an ordinary one.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "translator/run/translation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the options, so every combination is explored.
    vestrel::TranslationOptions options;
    options.AddComment = (data[0] & 1) != 0;
    options.AddProgramText = (data[0] & 2) != 0;
    options.TickResolution = 55 + (data[0] >> 2) % 46;
    options.RecalcPeriod = 1 + (data[0] >> 4) * 6;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto result = vestrel::runTranslation(vestrel::splitSourceLines(text), options);
    // Either pass 1 reported errors and pass 2 did not run, or pass 2 ran.
    if (result.lexicalErrorCount > 0 && result.syntaxStatus.has_value()) __builtin_trap();
    // A traced run walks the grammar row by row, an ordinary one follows compiled walks:
    // both must end alike.
    vestrel::RunHooks traced;
    traced.keepTrace = true;
    const auto rowByRow = vestrel::runTranslation(vestrel::splitSourceLines(text), options, traced);
    if (rowByRow.syntaxStatus != result.syntaxStatus || rowByRow.slotLines != result.slotLines ||
        rowByRow.diagnostics.entries() != result.diagnostics.entries() || rowByRow.notices != result.notices)
        __builtin_trap();
    return 0;
}
