// Time literal shapes and constant conversion.
#include "translator/lexer/numeric_literals.h"

#include <charconv>
#include <cmath>
#include <cstdint>

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
    // Up to 15 digits form a whole number below 2^53, and every power of ten up to 10^22
    // is exact, so one division gives the correctly rounded value, as the full decimal
    // conversion would. Longer runs take the full conversion.
    constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::uint64_t digits = 0;
    int digitCount = 0;
    int fractionDigits = 0;
    bool point = false;
    for (const char c : run) {
        if (c == '.') {
            if (point) return std::nullopt;
            point = true;
            continue;
        }
        if (++digitCount <= 15) digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
        if (point) ++fractionDigits;
    }
    if (digitCount <= 15) return static_cast<double>(digits) / kPowersOfTen[fractionDigits];

    double value = 0;
    const auto [end, error] = std::from_chars(run.data(), run.data() + run.size(), value, std::chars_format::fixed);
    if (end != run.data() + run.size()) return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Too small to tell from zero is zero; too large has no value.
        const std::string_view whole = run.substr(0, run.find('.'));
        if (whole.find_first_not_of('0') == std::string_view::npos) return 0.0;
        return std::nullopt;
    }
    if (error != std::errc{} || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace vestrel
