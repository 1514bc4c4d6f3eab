// A large Korvel listing for the benchmarks, made in memory by the same recipe as
// bench/make_large_listing.py: all 256 sections with 64 statement lines each, mixed
// statements, algorithm commands with their parameter lines (counts and kinds from
// AlgorithmInfo), a few macros and comment lines. The text is cp1251 with CR LF.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "translator/lexer/algorithm_table.h"
#include "translator/text/literal.h"

namespace vestrel::bench {
using namespace text::literals;

class LargeListing {
public:
    explicit LargeListing(std::uint64_t seed = 1) : m_state(seed * 0x9E3779B97F4A7C15ull + 1) {
        for (int index = 0; index < kAlgorithmCount; ++index)
            if (AlgorithmInfo[static_cast<std::size_t>(index)].implemented) m_algorithms[m_algorithmCount++] = index;
    }

    std::string build() {
        line("Большая программа для измерения скорости трансляции"_cp);
        line("/насос дв001"_cp);
        line("/клапан дв002"_cp);
        line("/задвижка кб3"_cp);
        line("/уровень ва010"_cp);
        line("");
        for (int block = 0; block < 8; ++block)
            for (int section = 0; section < 32; ++section) buildSection(block, section);
        return std::move(m_text);
    }

private:
    // A small, fixed generator, so every run benchmarks the same listing.
    int below(int n) {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return static_cast<int>(m_state % static_cast<std::uint64_t>(n));
    }

    static std::string format(const char* pattern, int a, int b = 0, int c = 0) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
        return buffer;
    }

    void line(std::string_view text) {
        m_text += text;
        m_text += "\r\n";
    }

    std::string variable(std::string_view prefix, const char* digits, int count) {
        return std::string(prefix) + format(digits, below(count));
    }
    std::string vd() { return variable("вд"_cp, "%03o", 512); }
    std::string dv() { return variable("дв"_cp, "%03o", 512); }
    std::string va() { return variable("ва"_cp, "%03o", 128); }
    std::string av() { return variable("ав"_cp, "%03o", 128); }
    std::string tm() { return variable("тм"_cp, "%02o", 64); }
    std::string iv() { return variable("ив"_cp, "%02o", 32); }
    std::string kb() { return variable("кб"_cp, "%d", 8); }

    std::string discrete() {
        switch (below(5)) {
            case 0: return vd();
            case 1: case 2: return dv();
            case 3: return kb();
            default: return tm();
        }
    }
    std::string analog() { return below(2) ? va() : av(); }
    std::string time() { return format("%02d.%02d.%02d", below(24), below(60), 1 + below(59)); }
    char sign() { return below(2) ? '+' : '-'; }
    char comparison() { return "<=>"[below(3)]; }

    std::string expression() {
        std::string text = analog();
        for (int n = 1 + below(3); n > 0; --n) {
            text += ' ';
            text += sign();
            text += ' ';
            switch (below(3)) {
                case 0: text += analog(); break;
                case 1: text += format("%d", below(1000)); break;
                default: text += format("%d.5", below(100)); break;
            }
        }
        return text;
    }

    static std::string minus(const std::string& operand) {
        std::string text(1, '-');
        text += operand;
        return text;
    }

    std::string switchWord() {
        return std::string(below(2) ? "вкл"_cp : "откл"_cp);
    }

    std::string parameterValue(ParameterKind kind) {
        switch (kind) {
            case ParameterKind::None: return format("%d", 1 + below(99));
            case ParameterKind::Switch: return switchWord();
            case ParameterKind::BitOrSwitch: return below(2) ? dv() : switchWord();
            case ParameterKind::Bit: return below(2) ? vd() : discrete();
            case ParameterKind::OutputBit: return below(2) ? dv() : (below(2) ? kb() : tm());
            case ParameterKind::SignedAnalog:
                switch (below(3)) {
                    case 0: return va();
                    case 1: return minus(av());
                    default: return format("%d", below(1001));
                }
            case ParameterKind::AnalogOutput: return av();
            case ParameterKind::Timer: return tm();
            case ParameterKind::Count1To128: return format("%d", 1 + below(128));
            case ParameterKind::Count0To7: return format("%d", below(8));
            case ParameterKind::Time: return time();
            case ParameterKind::Proportional: return format("%d.%d", below(100), below(10));
            case ParameterKind::Scale: return format("%d.%02d", below(2), below(100));
        }
        return "1";
    }

    std::string simpleStatement() {
        switch (below(7)) {
            case 0: return std::string("в "_cp) + discrete();
            case 1: return std::string("о "_cp) + discrete();
            case 2: return std::string("б "_cp) + (below(2) ? av() : dv());
            case 3: return tm() + " = " + (below(2) ? time() : tm());
            case 4: return av() + " = " + expression();
            case 5: return iv() + " = " + expression();
            default: {
                constexpr std::string_view names[] = {"в насос"_cp, "в клапан"_cp, "в задвижка"_cp};
                return std::string(names[below(3)]);
            }
        }
    }

    std::string atom() {
        switch (below(4)) {
            case 0: return std::string(below(2) ? "в "_cp : "о "_cp) + discrete();
            case 1: return tm() + ' ' + comparison() + ' ' + time();
            case 2: return analog() + ' ' + comparison() + ' ' + expression();
            default: return std::string("б "_cp) + vd();
        }
    }

    void statement(int& number, const std::string& text) {
        line(format("%02o ", number) + text);
        ++number;
    }

    void buildSection(int block, int section) {
        line(format("%d%02o. ", block, section) + std::string("Секция "_cp) + format("%d%02o", block, section));
        int number = 0;
        while (number < 64) {
            const int room = 64 - number;
            const int kind = below(10);
            if (kind == 0 && room >= 4) {
                // A conditional: one keyword of each class per line.
                statement(number, std::string("если "_cp) + atom());
                if (below(2)) statement(number, std::string("или "_cp) + atom());
                statement(number, std::string("тогда "_cp) + simpleStatement());
                statement(number, std::string("иначе "_cp) + simpleStatement());
            } else if (kind == 1) {
                const int index = m_algorithms[below(m_algorithmCount)];
                const AlgorithmInfoEntry& info = AlgorithmInfo[static_cast<std::size_t>(index)];
                statement(number, std::string("алг"_cp) + format("%03o", index));
                for (int n = 1; n <= info.parameterCount; ++n) {
                    const ParameterKind parameterKind =
                        n <= kMaxCheckedParameters ? info.kinds[static_cast<std::size_t>(n - 1)] : ParameterKind::None;
                    line(format("%d = ", n) + parameterValue(parameterKind));
                }
            } else if (kind == 2 && number % 16 == 5) {
                line(std::string("Участок "_cp) + format("%02o", number) + std::string(": управление насосом"_cp));
                statement(number, std::string("тс1.0."_cp) + format("%d ", below(2)) + std::string("пуск насоса по таймеру"_cp));
            } else if (kind == 3 && room == 1) {
                statement(number, std::string("вск"_cp));
            } else {
                statement(number, simpleStatement());
            }
        }
    }

    std::uint64_t m_state;
    int m_algorithms[kAlgorithmCount]{};
    int m_algorithmCount = 0;
    std::string m_text;
};

}  // namespace vestrel::bench
