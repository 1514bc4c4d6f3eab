// A generator of Korvel listings driven by fuzzer bytes: macros, sections, numbered
// statement lines (bit operations, timer and analog assignments, exits, conditionals with
// "или" and groups), and every algorithm command with parameter lines of the kinds it
// expects. Now and then it makes one small flaw (a wrong number, a missing or extra
// parameter, a stray word), so the checks of pass 1 and pass 2 are reached as well.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "translator/lexer/algorithm_table.h"
#include "translator/text/cp1251.h"

namespace vestrel::fuzz {

// The input bytes as a stream of choices: each choice takes the bytes it needs from the
// front; an exhausted input answers every choice with its lowest value, so generation ends.
class ByteChoices {
public:
    ByteChoices(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    int pick(int low, int high) {
        if (high <= low) return low;
        const auto span = static_cast<std::uint32_t>(high - low);
        std::uint32_t value = 0;
        for (std::uint32_t taken = 0; taken < span && m_used < m_size; taken = (taken << 8) | 0xFF)
            value = (value << 8) | m_data[m_used++];
        return low + static_cast<int>(value % (span + 1));
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_used = 0;
};

// The algorithm table as the generator reads it (one place to adapt when it changes).
inline int algorithmParameterCount(int index) { return AlgorithmInfo[static_cast<std::size_t>(index)].parameterCount; }
inline bool algorithmAccepted(int index) { return AlgorithmInfo[static_cast<std::size_t>(index)].implemented; }
inline int algorithmParameterKind(int index, int parameter) {
    if (parameter >= kMaxCheckedParameters) return 0;
    return static_cast<int>(AlgorithmInfo[static_cast<std::size_t>(index)].kinds[static_cast<std::size_t>(parameter)]);
}

class KorvelGenerator {
public:
    explicit KorvelGenerator(ByteChoices& input) : m_in(input) {}

    // The listing in cp1251, as a source file holds it.
    std::string listing() {
        m_text.clear();
        m_flawsLeft = chance(3) ? pick(1, 2) : 0;
        if (chance(4)) line("Программа " + word());
        const int macros = pick(0, 3);
        for (int i = 0; i < macros; ++i) line("/" + std::string(kMacroNames[static_cast<std::size_t>(i)]) + " " + bitVariable());
        m_macros = macros;
        int section = chance(2) ? 0 : pick(0, 255);
        const int sections = pick(1, 6);
        for (int s = 0; s < sections && section < 256; ++s) {
            std::string header = octal(section >> 5, 1) + octal(section & 31, 2) + ".";
            if (chance(3)) header += " " + word();
            line(flawed(header));
            statements();
            section += flaw() ? pick(-1, 0) : pick(1, 40);
            if (section < 0) section = 0;
        }
        std::optional<std::string> bytes = text::fromUtf8(m_text);
        return bytes ? *bytes : std::string();
    }

private:
    static constexpr std::array<std::string_view, 4> kMacroNames = {"насос", "пуск", "клапан", "авария"};
    static constexpr std::array<std::string_view, 6> kWords = {"секция", "вкл", "откл", "тогда", "алг", "тс1.0.1"};
    static constexpr std::array<std::string_view, 5> kBitFamilies = {"вд", "дв", "кб", "кс", "тм"};
    static constexpr std::array<std::string_view, 4> kOutputBitFamilies = {"дв", "кб", "кс", "тм"};
    static constexpr std::array<std::string_view, 3> kComparisons = {"<", ">", "="};
    static constexpr int kMaxLineNumber = 077;

    ByteChoices& m_in;
    std::string m_text;
    int m_macros = 0;
    int m_lineNumber = 0;
    int m_flawsLeft = 0;

    int pick(int low, int high) { return m_in.pick(low, high); }
    // An exhausted input answers "no", so a generated program ends without flaws.
    bool chance(int oneIn) { return pick(0, oneIn - 1) == oneIn - 1; }
    // At most a few flaws a program, so most lines stay well-formed and pass 2 runs.
    bool flaw() {
        if (m_flawsLeft == 0 || !chance(48)) return false;
        --m_flawsLeft;
        return true;
    }
    template <std::size_t N>
    std::string_view oneOf(const std::array<std::string_view, N>& words) {
        return words[static_cast<std::size_t>(pick(0, static_cast<int>(N) - 1))];
    }
    std::string word() { return std::string(oneOf(kWords)); }

    void line(const std::string& text) {
        m_text += text;
        m_text += chance(16) ? "\n" : "\r\n";
    }

    static std::string octal(int value, int digits) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%0*o", digits, static_cast<unsigned>(value));
        return buffer;
    }

    // Now and then one character too many or too few, or a word where none belongs.
    std::string flawed(std::string text) {
        if (!flaw() || text.empty()) return text;
        switch (pick(0, 3)) {
            case 0:  // the last character, all its UTF-8 bytes
                while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
                if (!text.empty()) text.pop_back();
                break;
            case 1: text += std::string(1, static_cast<char>('0' + pick(0, 9))); break;
            case 2: text.insert(0, "7"); break;
            default: text += " " + word(); break;
        }
        return text;
    }

    // A numbered line: two octal digits, rising (or, as a flaw, repeated or too large).
    void numbered(const std::string& statement) {
        std::string number = octal(m_lineNumber > kMaxLineNumber ? kMaxLineNumber : m_lineNumber, 2);
        if (flaw()) number = std::to_string(pick(0, 99));
        line(number + " " + flawed(statement));
        m_lineNumber += flaw() ? pick(0, 2) : 1;
    }

    std::string bitVariable() {
        const std::string_view family = oneOf(kBitFamilies);
        return variable(family);
    }

    // A variable of the family with an index in its range (or, as a flaw, any three digits).
    std::string variable(std::string_view family) {
        if (flaw()) return std::string(family) + std::to_string(pick(0, 999));
        if (family == "кс") return std::string(family) + octal(pick(0, 7), 1) + octal(pick(0, 31), 2);
        if (family == "кб") return std::string(family) + octal(pick(0, 7), 1);
        if (family == "тм") return std::string(family) + octal(pick(0, 63), 2);
        if (family == "ив") return std::string(family) + octal(pick(0, 31), 2);
        if (family == "ва" || family == "ав") return std::string(family) + octal(pick(0, 0177), 3);
        return std::string(family) + octal(pick(0, 0777), 3);
    }

    std::string bitOperand() {
        if (m_macros > 0 && chance(3))
            return std::string(kMacroNames[static_cast<std::size_t>(pick(0, m_macros - 1))]);
        return bitVariable();
    }

    std::string timeLiteral() {
        char buffer[16];
        if (chance(5)) {
            // The short form without hours: ".MM.SS.T".
            std::snprintf(buffer, sizeof buffer, ".%02d.%02d.%d", pick(0, 59), pick(0, 59), pick(0, 9));
            return buffer;
        }
        std::snprintf(buffer, sizeof buffer, "%02d.%02d.%02d", pick(0, flaw() ? 99 : 23), pick(0, 59), pick(0, 59));
        return buffer;
    }

    std::string timeValue() { return chance(4) ? variable("тм") : timeLiteral(); }

    std::string constant() {
        if (chance(2)) return std::to_string(pick(0, 1000));
        return std::to_string(pick(0, 100)) + "." + std::to_string(pick(0, 99));
    }

    // An operand of an expression: a constant or an analog variable (ив is only assigned).
    std::string analogOperand() {
        switch (pick(0, 2)) {
            case 0: return variable("ва");
            case 1: return variable("ав");
            default: return flaw() ? variable("ив") : constant();
        }
    }

    std::string expression() {
        std::string text = chance(4) ? "- " : "";
        text += analogOperand();
        const int terms = pick(0, 4);
        for (int i = 0; i < terms; ++i) text += (chance(2) ? " + " : " - ") + analogOperand();
        return text;
    }

    std::string analogVariable() { return variable(chance(2) ? "ва" : "ав"); }

    std::string analogTarget() {
        switch (pick(0, 2)) {
            case 0: return variable("ва");
            case 1: return variable("ав");
            default: return variable("ив");
        }
    }

    std::string simpleStatement() {
        switch (pick(0, 4)) {
            case 0: return std::string(oneOf(std::array<std::string_view, 3>{"в", "о", "б"})) + " " + bitOperand();
            case 1: return variable("тм") + " = " + timeValue();
            case 2: return analogTarget() + " = " + expression();
            case 3: return "вск";
            default: return "б " + analogTarget();
        }
    }

    std::string condition() {
        switch (pick(0, 2)) {
            case 0: return "если " + std::string(oneOf(std::array<std::string_view, 3>{"в", "о", "б"})) + " " + bitOperand();
            case 1: return "если " + variable("тм") + " " + std::string(oneOf(kComparisons)) + " " + timeValue();
            default: return "если " + analogVariable() + " " + std::string(oneOf(kComparisons)) + " " + expression();
        }
    }

    void conditionItems(int depth) {
        const int items = pick(1, 3);
        for (int i = 0; i < items; ++i) {
            if (i > 0 && chance(2)) numbered("или");
            if (depth < 2 && chance(5)) {
                numbered("(");
                conditionItems(depth + 1);
                numbered(")");
            } else if (chance(6)) {
                numbered("( " + condition());
                conditionItems(depth + 1);
                numbered(")");
            } else {
                numbered(condition());
            }
        }
    }

    void conditional() {
        conditionItems(0);
        const int thens = pick(1, 2);
        for (int i = 0; i < thens; ++i) numbered("тогда " + simpleStatement());
        if (chance(2)) numbered("иначе " + simpleStatement());
    }

    std::string parameterValue(int kind) {
        switch (kind) {
            case 1: return chance(2) ? "вкл" : "откл";
            case 2: return chance(2) ? bitOperand() : (chance(2) ? "вкл" : "откл");
            case 3: return bitOperand();
            case 4: return variable(oneOf(kOutputBitFamilies));
            case 5:
                if (chance(2)) return (chance(3) ? "-" : "") + variable(chance(2) ? "ва" : "ав");
                return (chance(4) ? "-" : "") + std::to_string(pick(0, 1000));
            case 6: return variable("ав");
            case 7: return variable("тм");
            case 8: return std::to_string(pick(1, 128));
            case 9: return std::to_string(pick(0, 7));
            case 10: return timeLiteral();
            case 11: return std::to_string(pick(0, 100)) + "." + std::to_string(pick(0, 9));
            case 12: return std::to_string(pick(0, 1)) + "." + std::to_string(pick(10, 99));
            default: return analogOperand();
        }
    }

    void algorithm() {
        int index = pick(0, 0177);
        if (!chance(16))
            for (int step = 0; step < 0200 && !algorithmAccepted(index); ++step) index = (index + 1) & 0177;
        numbered("алг" + octal(index, 3));
        int count = algorithmParameterCount(index);
        if (flaw()) count += pick(-1, 1);
        for (int parameter = 1; parameter <= count; ++parameter) {
            // A flawed parameter gets a value of another kind.
            const int kind = flaw() ? pick(0, 12) : algorithmParameterKind(index, parameter - 1);
            const int number = flaw() ? parameter + 1 : parameter;
            line(std::to_string(number) + " = " + parameterValue(kind));
        }
    }

    void statements() {
        m_lineNumber = 0;
        const int count = pick(0, 12);
        for (int i = 0; i < count && m_lineNumber <= kMaxLineNumber; ++i) {
            switch (pick(0, 6)) {
                case 0:
                case 1: numbered(simpleStatement()); break;
                case 2:
                case 3: conditional(); break;
                default: algorithm(); break;
            }
            if (chance(12)) line(word());  // a comment line between statements
        }
    }
};

}  // namespace vestrel::fuzz
