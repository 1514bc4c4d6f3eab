// Time literal shapes and constant conversion.
#include "translator/lexer/numeric_literals.h"

#include <charconv>
#include <cmath>

#include "translator/text/cp1251.h"

namespace vestrel {
namespace {

bool isSixtyDigitPair(char tens, char units) { return tens >= '0' && tens <= '5' && text::isDigit(units); }

}  // namespace

bool isTimeOfDay(std::string_view run) {
    if (run.size() != 8 || run[2] != '.' || run[5] != '.') return false;
    if (run[0] < '0' || run[0] > '2' || !text::isDigit(run[1])) return false;
    const int hours = (run[0] - '0') * 10 + (run[1] - '0');
    return hours < 24 && isSixtyDigitPair(run[3], run[4]) && isSixtyDigitPair(run[6], run[7]);
}

bool isTimeTenths(std::string_view run) {
    return run.size() == 8 && run[0] == '.' && run[3] == '.' && run[6] == '.' && isSixtyDigitPair(run[1], run[2]) &&
           isSixtyDigitPair(run[4], run[5]) && text::isDigit(run[7]);
}

std::optional<double> readConstant(std::string_view run) {
    std::size_t points = 0;
    for (const char c : run) points += c == '.' ? 1 : 0;
    if (points > 1) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(run.data(), run.data() + run.size(), value, std::chars_format::fixed);
    if (error != std::errc{} || end != run.data() + run.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace vestrel
