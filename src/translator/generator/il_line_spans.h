// An IL line as the generator writes it, cut into the spans an editor colours:
// comments, the program header, register and external names, commands, numbers, signs.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace vestrel {

// The text elements of the IL output, in the order of the editor colour dialog's list.
enum class IlElement { Comment, ProgramName, Variable, Command, Number, Sign, Blank };
inline constexpr int kIlElementKinds = 7;

struct IlSpan {
    std::size_t start = 0;
    std::size_t length = 0;
    IlElement element = IlElement::Blank;
    friend bool operator==(const IlSpan&, const IlSpan&) = default;
};

// `inDeclarations` is the state between lines: true after "VAR_IN_OUT" until "END_VAR",
// where each line binds a register to an external name and a kind.
std::vector<IlSpan> splitIlLine(std::string_view line, bool& inDeclarations);

}  // namespace vestrel
