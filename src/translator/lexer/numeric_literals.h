// The shapes of the numbers a statement may hold: the two time literals and the decimal
// constants.
#pragma once

#include <optional>
#include <string_view>

namespace vestrel {

// hh.mm.ss with hh below 24 and mm, ss below 60.
bool isTimeOfDay(std::string_view run);
// .mm.ss.t with mm, ss below 60 and t a digit.
bool isTimeTenths(std::string_view run);

// A run of digits and "." that starts with a digit, read with "." as the decimal
// separator. Nothing when it holds more than one "." or is too long to be a finite number.
std::optional<double> readConstant(std::string_view run);

}  // namespace vestrel
