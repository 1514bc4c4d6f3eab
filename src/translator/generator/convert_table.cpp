// Registration, lookup and declaration of the registers of a run.
#include "translator/generator/convert_table.h"

#include "translator/text/append.h"
#include "translator/text/literal.h"

namespace vestrel {
using namespace text::literals;
using text::append;
using text::Octal;

namespace {

enum class Lists { IOnly, IThenW, None };

// How a code is kept: its register key, the lists that may hold it, and whether it is
// the key of a group of sections.
struct KeyRule {
    std::uint32_t key = 0;
    Lists lists = Lists::None;
    bool sectionKey = false;
};

KeyRule registrationRule(TokenCode code) {
    if (kindOf(code) == token::BlockKey) return {code & 0xFFF8u, Lists::IOnly, false};
    if (isTimerValueKey(code)) return {code, Lists::IOnly, false};
    if (isSectionHeader(code)) return {(code & 0xF8u) + 0x6000u, Lists::IOnly, true};
    switch (familyOf(code)) {
        case TokenFamily::DiscreteInput: case TokenFamily::DiscreteOutput: return {code & 0xFFF8u, Lists::IThenW, false};
        case TokenFamily::AnalogInput: case TokenFamily::AnalogOutput: case TokenFamily::IvVariable:
            return {code, Lists::IThenW, false};
        case TokenFamily::SectionKey: return {(code & 0xF8u) + 0x6000u, Lists::IOnly, true};
        case TokenFamily::Timer: return {code & 0xFFF8u, Lists::IOnly, false};
        case TokenFamily::StateWord: case TokenFamily::BlockKey: case TokenFamily::ConditionWord:
        case TokenFamily::OperationWord: case TokenFamily::SignOrTime: case TokenFamily::Command:
        case TokenFamily::FreeText: case TokenFamily::Number: case TokenFamily::Frame:
            return {};
    }
    return {};
}

// How an operand is named when its register is found in the I list.
struct NamingRule {
    std::uint32_t key = 0;
    Lists lists = Lists::None;
    char iLetter = 'Q';
    bool hasMask = false;
    std::string_view shortage;  // the notice when it is not found; empty: none
};

NamingRule namingRule(TokenCode code) {
    constexpr std::string_view noW = "Не хватает переменных W"_cp;
    if (kindOf(code) == token::BlockKey) return {code & 0xFFF8u, Lists::IOnly, 'Q', true, {}};
    if (isTimerValueKey(code)) return {code, Lists::IOnly, 'Q', false, "Не хватает переменных IQ"_cp};
    if (isSectionHeader(code)) return {(code & 0xF8u) + 0x6000u, Lists::IOnly, 'Q', true, {}};
    switch (familyOf(code)) {
        case TokenFamily::DiscreteInput: return {code & 0xFFF8u, Lists::IThenW, 'I', true, noW};
        case TokenFamily::AnalogInput: return {code, Lists::IThenW, 'I', false, noW};
        case TokenFamily::DiscreteOutput: return {code & 0xFFF8u, Lists::IThenW, 'Q', true, noW};
        case TokenFamily::AnalogOutput: return {code, Lists::IThenW, 'Q', false, noW};
        case TokenFamily::SectionKey: return {(code & 0xF8u) + 0x6000u, Lists::IOnly, 'Q', true, {}};
        case TokenFamily::Timer: return {code & 0xFFF8u, Lists::IThenW, 'Q', true, noW};
        case TokenFamily::IvVariable: return {code, Lists::IThenW, 'Q', false, noW};
        case TokenFamily::StateWord: case TokenFamily::BlockKey: case TokenFamily::ConditionWord:
        case TokenFamily::OperationWord: case TokenFamily::SignOrTime: case TokenFamily::Command:
        case TokenFamily::FreeText: case TokenFamily::Number: case TokenFamily::Frame:
            return {};
    }
    return {};
}

// Appends a key when the list still has room; the last index stops at the capacity.
template <std::size_t N>
int appendKey(std::array<RegisterEntry, N>& list, std::int32_t& last, std::uint32_t key) {
    constexpr auto capacity = static_cast<std::int32_t>(N);
    if (last >= capacity) return -1;
    ++last;
    if (last >= capacity) {
        last = capacity;
        return -1;
    }
    list[static_cast<std::size_t>(last)] = {key, 0};
    return last;
}


}  // namespace

TConvertTable::TConvertTable(NoticeSink& notices) : m_notices(notices) {}

int TConvertTable::findI(std::uint32_t key) const {
    return key < kKeySpace ? m_iIndex[key] : -1;
}

int TConvertTable::findW(std::uint32_t key) const {
    return key < kKeySpace ? m_wIndex[key] : -1;
}

int TConvertTable::appendI(std::uint32_t key) {
    const int index = appendKey(m_iList, m_iLast, key);
    if (index >= 0 && key < kKeySpace && m_iIndex[key] < 0) m_iIndex[key] = static_cast<std::int16_t>(index);
    return index;
}

int TConvertTable::appendW(std::uint32_t key) {
    const int index = appendKey(m_wList, m_wLast, key);
    if (index >= 0 && key < kKeySpace && m_wIndex[key] < 0) m_wIndex[key] = static_cast<std::int16_t>(index);
    return index;
}

int TConvertTable::RegisterVariable(TokenCode code) {
    const KeyRule rule = registrationRule(code);
    if (rule.lists == Lists::None) return -1;
    if (m_iLast < kIListSize) {
        if (findI(rule.key) >= 0) return 0;
        if (appendI(rule.key) >= 0) {
            if (rule.sectionKey) m_sectionKeyFlags[(code & 0xFF) >> 3] = 1;
            return 0;
        }
    }
    if (rule.lists == Lists::IThenW && m_wLast < kWListSize) {
        if (findW(rule.key) >= 0) return 0;
        if (appendW(rule.key) >= 0) return 0;
    }
    return -1;
}

int TConvertTable::MarkVariable(TokenCode code, std::uint8_t value) {
    const KeyRule rule = registrationRule(code);
    if (rule.lists == Lists::None) return -1;
    if (m_iLast < kIListSize) {
        const int i = findI(rule.key);
        if (i >= 0) {
            m_iList[static_cast<std::size_t>(i)].mark = value;
            return 0;
        }
    }
    if (rule.lists == Lists::IThenW && m_wLast < kWListSize) {
        const int j = findW(rule.key);
        if (j >= 0) {
            m_wList[static_cast<std::size_t>(j)].mark = value;
            return 0;
        }
    }
    return -1;
}

void TConvertTable::ResetSlotRegisters() {
    for (const RegisterEntry& entry : m_iList)
        if (entry.key < kKeySpace) m_iIndex[entry.key] = -1;
    m_iLast = -1;
    m_iList.fill({});
}

int TConvertTable::OperandNames(TokenCode code, OperandNameSet& names) {
    NamingRule rule = namingRule(code);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (rule.lists == Lists::None) return -1;
        char letter = 0;
        int index = -1;
        if (m_iLast < kIListSize) {
            index = findI(rule.key);
            if (index >= 0) letter = rule.iLetter;
        }
        if (index < 0 && rule.lists == Lists::IThenW && m_wLast < kWListSize) {
            index = findW(rule.key);
            if (index >= 0) letter = 'W';
        }
        if (index >= 0) {
            names.name.clear();
            append(names.name, letter, index);
            names.name2 = names.name;
            names.mask.clear();
            if (rule.hasMask) append(names.mask, 1u << (code & 7));
            return 0;
        }
        if (!rule.shortage.empty()) m_notices.notice(rule.shortage);
        // A timer value that is missing is looked for once more as its timer.
        if (!isTimerValueKey(code)) return -1;
        rule = {code & 0xFFF8u, Lists::IThenW, 'Q', true, "Не хватает переменных W"_cp};
    }
    return -1;
}

bool TConvertTable::takeNewRegister(std::uint32_t key, RegisterAllocation& allocation) {
    int index = appendW(key);
    if (index >= 0) {
        allocation = {'W', static_cast<std::uint8_t>(index), 0};
        return true;
    }
    index = appendI(key);
    if (index >= 0) {
        allocation = {'I', static_cast<std::uint8_t>(index), 0};
        return true;
    }
    return false;
}

int TConvertTable::AllocStateWord(std::uint32_t key, RegisterAllocation& allocation) {
    if (takeNewRegister(key, allocation)) return 0;
    m_notices.notice("Не хватает переменных"_cp);
    return -1;
}

int TConvertTable::AllocFlagPair(std::uint32_t key, RegisterAllocation& allocation) {
    if (m_flagPairCursor.letter == '0' || m_flagPairCursor.bit > 7) {
        RegisterAllocation fresh;
        if (!takeNewRegister(flagPairKey(key), fresh)) {
            m_notices.notice("Не хватает переменных"_cp);
            return -1;
        }
        m_flagPairCursor = fresh;
    }
    allocation = m_flagPairCursor;
    m_flagPairCursor.bit = static_cast<std::uint8_t>(m_flagPairCursor.bit + 2);
    return 0;
}

RegisterEntry TConvertTable::iEntry(int i) const {
    if (i < 0 || i > m_iLast || i >= kIListSize) return {};
    return m_iList[static_cast<std::size_t>(i)];
}

RegisterEntry TConvertTable::wEntry(int j) const {
    if (j < 0 || j > m_wLast || j >= kWListSize) return {};
    return m_wList[static_cast<std::size_t>(j)];
}

StateDescriptor& TConvertTable::descriptor(int kind, int instance) {
    return m_descriptors[static_cast<std::size_t>(kind)][static_cast<std::size_t>(instance)];
}

std::string TConvertTable::OctalDigits(unsigned value, int n) {
    std::string digits(static_cast<std::size_t>(n), '0');
    for (int k = n - 1; k >= 0; --k) {
        digits[static_cast<std::size_t>(k)] = static_cast<char>('0' + (value & 7));
        value >>= 3;
    }
    return digits;
}

std::string TConvertTable::SectionName(unsigned sectionCode) {
    return OctalDigits(sectionCode >> 5, 1) + OctalDigits(sectionCode & 0x1F, 2);
}

namespace {
// "%03o" of a value as a string, for the comments that cite a number and its first digits.
std::string octal3(unsigned value) {
    std::string digits;
    append(digits, Octal{value, 3});
    return digits;
}
// "вд120 - вд127": the eight bits of a group, from its first number to the last digit 7.
void appendGroupRange(std::string& line, std::string_view family, const std::string& number) {
    append(line, family, number, " - ", family, std::string_view(number).substr(0, 2), "7");
}
}  // namespace

// One register of the declaration block: name, external name, mode and comment.
bool TConvertTable::declarationLine(int i, bool addComment, std::string& line) const {
    const RegisterEntry entry = m_iList[static_cast<std::size_t>(i)];
    const std::uint32_t k = entry.key;
    const std::string_view marked = entry.mark ? " C " : "";
    auto mode = [&](std::string_view plain) { return marked.empty() ? plain : marked; };
    line.clear();
    if (isTimerValueKey(k)) {
        append(line, 'Q', i, " TV_-lm", Octal{(k & 0xFF) >> 3, 2}, "-000", (k & 0xFF) & 7, mode(" In "));
        if (addComment) append(line, " (* Q", i, "  = зарезервировано для тм"_cp, Octal{k & 0xFF, 3}, " *)");
        return true;
    }
    switch (familyOf(k)) {
        case TokenFamily::StateWord:
            append(line, 'I', i, " Work", i, " R ");
            if (addComment) append(line, " (* I", i, "  = зарезервировано для алг"_cp, Octal{k, 3}, " *)");
            break;
        case TokenFamily::DiscreteInput: case TokenFamily::DiscreteOutput: {
            const bool input = familyOf(k) == TokenFamily::DiscreteInput;
            append(line, input ? 'I' : 'Q', i, input ? " DI_-lm" : " DO_-lm", Octal{(k & 0xFFF) >> 6, 2}, "-000",
                   ((k & 0xFFF) >> 3) & 7, mode(input ? " R " : " In "));
            if (addComment) {
                append(line, " (* ");
                appendGroupRange(line, input ? "вд"_cp : "дв"_cp, octal3(k & 0xFFF));
                append(line, " *)");
            }
            break;
        }
        case TokenFamily::AnalogInput: case TokenFamily::AnalogOutput: {
            const bool input = familyOf(k) == TokenFamily::AnalogInput;
            append(line, input ? 'I' : 'Q', i, input ? " AI_-lm" : " AO_-lm", Octal{(k & 0xFFF) >> 3, 2}, "-000", k & 7,
                   mode(input ? " R " : " In "));
            if (addComment) append(line, " (* ", input ? "ва"_cp : "ав"_cp, Octal{k & 0xFFF, 3}, " *)");
            break;
        }
        case TokenFamily::BlockKey: {
            append(line, 'Q', i, " KB_-lm", Octal{(k & 0xFF) >> 6, 2}, "-000", ((k & 0xFF) >> 3) & 7, mode(" In "));
            if (addComment) {
                append(line, " (* ");
                appendGroupRange(line, "кб"_cp, octal3(k & 0xFF));
                append(line, " *)");
            }
            break;
        }
        case TokenFamily::SectionKey: {
            const std::string section = SectionName(k & 0xFF);
            append(line, 'Q', i, " KS_-lm0", section.substr(0, 1), "-000", section.substr(1, 1), mode(" In "));
            if (addComment)
                append(line, " (* ", "кс"_cp, SectionName(k & 0xF8), " - ", "кс"_cp, SectionName((k & 0xF8) + 7), " *)");
            break;
        }
        case TokenFamily::Timer: {
            append(line, 'Q', i, " TK_-lm00-000", (k & 0xFF) >> 3, mode(" In "));
            if (addComment) {
                const std::string number = octal3(k & 0xFF);
                append(line, " (* Q", i, "  = тм"_cp, number, " + тм"_cp, std::string_view(number).substr(0, 2), "7 *)");
            }
            break;
        }
        case TokenFamily::IvVariable: {
            append(line, 'Q', i, " IO_-lm", Octal{(k & 0xFFF) >> 6, 2}, "-000", ((k & 0xFFF) >> 3) & 7, mode(" In "));
            if (addComment) {
                append(line, " (* ");
                appendGroupRange(line, "ив"_cp, octal3(k & 0xFFF));
                append(line, " *)");
            }
            break;
        }
        case TokenFamily::Command:
            append(line, 'I', i, " Work", i, " R ");
            if (addComment) append(line, " (* I", i, "  = ключи алгоритмов"_cp, " *)");
            break;
        case TokenFamily::ConditionWord: case TokenFamily::OperationWord: case TokenFamily::SignOrTime:
        case TokenFamily::FreeText: case TokenFamily::Number: case TokenFamily::Frame:
            return false;
    }
    return true;
}

bool TConvertTable::wCommentLine(int j, std::string& line) const {
    const std::uint32_t k = m_wList[static_cast<std::size_t>(j)].key;
    line.clear();
    append(line, " (* W", j, "  = ");
    const std::string number = octal3(k & 0xFFF);
    switch (familyOf(k)) {
        case TokenFamily::StateWord: append(line, "зарезервировано для алг"_cp, Octal{k, 3}, " *)"); break;
        case TokenFamily::DiscreteInput:
            appendGroupRange(line, "вд"_cp, number);
            append(line, " *)");
            break;
        case TokenFamily::AnalogInput: append(line, "ва"_cp, number, " *)"); break;
        case TokenFamily::DiscreteOutput:
            appendGroupRange(line, "дв"_cp, number);
            append(line, " *)");
            break;
        case TokenFamily::AnalogOutput: append(line, "ав"_cp, number, " *)"); break;
        case TokenFamily::IvVariable:
            appendGroupRange(line, "ив"_cp, number);
            append(line, " *)");
            break;
        case TokenFamily::Command: append(line, "ключи алгоритмов"_cp, " *)"); break;
        case TokenFamily::BlockKey: case TokenFamily::SectionKey: case TokenFamily::Timer:
        case TokenFamily::ConditionWord: case TokenFamily::OperationWord: case TokenFamily::SignOrTime:
        case TokenFamily::FreeText: case TokenFamily::Number: case TokenFamily::Frame:
            return false;
    }
    return true;
}

void TConvertTable::DeclareSlot(IlText& slot, bool addComment) const {
    IlText block;
    block.followSourceLine(slot.followedSourceLine());  // the declarations come from the line that closes the slot
    std::string line;  // one buffer for every line of the block
    block.push_back("VAR_IN_OUT");
    if (addComment)
        for (int j = 0; j <= m_wLast && j < kWListSize; ++j)
            if (m_wList[static_cast<std::size_t>(j)].key != 0)
                if (wCommentLine(j, line)) block.push_back(line);
    for (int i = 0; i <= m_iLast && i < kIListSize; ++i)
        if (m_iList[static_cast<std::size_t>(i)].key != 0)
            if (declarationLine(i, addComment, line)) block.push_back(line);
    block.push_back("I254 CYCLE_TIME R");
    block.push_back("END_VAR");
    slot.insert(slot.empty() ? 0 : 1, block);
}

void TConvertTable::InsertSectionKeyDeclarations(std::vector<std::string>& list) const {
    int n = 3;
    for (int k = 0; k < kSectionKeyFlags; ++k)
        if (m_sectionKeyFlags[static_cast<std::size_t>(k)] == 1)
            list.push_back(" Q" + std::to_string(n++) + " KS_-lm0" + std::to_string(k / 4) + "-000" +
                           std::to_string(k % 4) + " In");
}

void TConvertTable::InsertSectionKeyResets(std::vector<std::string>& list) const {
    int n = 3;
    for (int k = 0; k < kSectionKeyFlags; ++k)
        if (m_sectionKeyFlags[static_cast<std::size_t>(k)] == 1) list.push_back(" Q" + std::to_string(n++) + " =0");
}

}  // namespace vestrel
