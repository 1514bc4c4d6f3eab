// The temporaries' name pattern, the same on every system.
#include "project/temporary_name.h"

#include <charconv>

namespace vestrel::project::os {
namespace {
constexpr std::string_view kTemporaryPrefix = ".vestrel-";
constexpr std::string_view kTemporarySuffix = ".tmp";
}  // namespace

std::string temporaryName(long pid, unsigned counter) {
    std::string name(kTemporaryPrefix);
    name += std::to_string(pid);
    name += '-';
    name += std::to_string(counter);
    name += kTemporarySuffix;
    return name;
}

std::optional<long> temporaryOwner(std::string_view name) {
    if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) return std::nullopt;
    name.remove_prefix(kTemporaryPrefix.size());
    name.remove_suffix(kTemporarySuffix.size());
    const std::size_t dash = name.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == name.size()) return std::nullopt;
    long pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + dash, pid);
    if (error != std::errc{} || end != name.data() + dash || pid <= 0) return std::nullopt;
    for (char c : name.substr(dash + 1))
        if (c < '0' || c > '9') return std::nullopt;
    return pid;
}

}  // namespace vestrel::project::os
