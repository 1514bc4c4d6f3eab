// The names of the temporaries a write creates beside its target: ".vestrel-<pid>-<n>.tmp",
// short whatever the target's length, and telling which process made them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vestrel::project::os {

std::string temporaryName(long pid, unsigned counter);
// The pid a name of the pattern carries; nothing for any other name.
std::optional<long> temporaryOwner(std::string_view name);

}  // namespace vestrel::project::os
