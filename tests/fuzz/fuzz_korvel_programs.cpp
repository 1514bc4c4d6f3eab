// The structure-aware target: the input bytes drive a generator of well-formed and slightly
// broken Korvel programs (korvel_generator.h), so the runs reach sections, statements and
// every algorithm template instead of stopping at the first unreadable line.
#include <cstddef>
#include <cstdint>

#include "korvel_generator.h"
#include "translation_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    vestrel::fuzz::ByteChoices choices(data + 1, size - 1);
    const vestrel::TranslationOptions options = vestrel::fuzz::optionsFromByte(data[0]);
    const std::string listing = vestrel::fuzz::KorvelGenerator(choices).listing();
    if (!vestrel::fuzz::checkTranslation(listing, options).empty()) __builtin_trap();
    return 0;
}
