// Any bytes as a Korvel listing (the byte-level target): the first byte picks the options,
// the rest is the listing; every check of translation_checks.h must hold.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "translation_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view listing(reinterpret_cast<const char*>(data + 1), size - 1);
    if (!vestrel::fuzz::checkTranslation(listing, vestrel::fuzz::optionsFromByte(data[0])).empty()) __builtin_trap();
    return 0;
}
