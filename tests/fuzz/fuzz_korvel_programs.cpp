// The structure-aware target: the input bytes drive a generator of well-formed and slightly
// broken Korvel programs (korvel_generator.h), so the runs reach sections, statements and
// every algorithm template instead of stopping at the first unreadable line.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

#include "korvel_generator.h"
#include "translation_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const vestrel::TranslationOptions options = vestrel::fuzz::optionsFromByte(input.ConsumeIntegral<std::uint8_t>());
    const std::string listing = vestrel::fuzz::KorvelGenerator(input).listing();
    if (!vestrel::fuzz::checkTranslation(listing, options).empty()) __builtin_trap();
    return 0;
}
