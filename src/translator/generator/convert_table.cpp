// Registration, lookup and declaration of the registers of a run.
#include "translator/generator/convert_table.h"

#include "translator/generator/register_families.h"

#include "translator/text/append.h"
#include "translator/text/literal.h"

namespace vestrel {
using namespace text::literals;
using text::append;
using text::Octal;

namespace {

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
    return m_iIndex.find(key);
}

int TConvertTable::findW(std::uint32_t key) const {
    return m_wIndex.find(key);
}

int TConvertTable::appendI(std::uint32_t key) {
    const int index = appendKey(m_iList, m_iLast, key);
    if (index >= 0) m_iIndex.insertFirst(key, index);
    return index;
}

int TConvertTable::appendW(std::uint32_t key) {
    const int index = appendKey(m_wList, m_wLast, key);
    if (index >= 0) m_wIndex.insertFirst(key, index);
    return index;
}

int TConvertTable::RegisterVariable(TokenCode code) {
    const RegisterFamily* family = registerFamilyOfCode(code);
    if (family == nullptr || family->registerIn == RegisterLists::None) return -1;
    const std::uint32_t key = registerKey(*family, code);
    if (m_iLast < kIListSize) {
        if (findI(key) >= 0) return 0;
        if (appendI(key) >= 0) {
            if (family->sectionKey) m_sectionKeyFlags[(code & 0xFF) >> 3] = 1;
            return 0;
        }
    }
    if (family->registerIn == RegisterLists::IThenW && m_wLast < kWListSize) {
        if (findW(key) >= 0) return 0;
        if (appendW(key) >= 0) return 0;
    }
    return -1;
}

int TConvertTable::MarkVariable(TokenCode code, std::uint8_t value) {
    const RegisterFamily* family = registerFamilyOfCode(code);
    if (family == nullptr || family->registerIn == RegisterLists::None) return -1;
    const std::uint32_t key = registerKey(*family, code);
    if (m_iLast < kIListSize) {
        const int i = findI(key);
        if (i >= 0) {
            m_iList[static_cast<std::size_t>(i)].mark = value;
            return 0;
        }
    }
    if (family->registerIn == RegisterLists::IThenW && m_wLast < kWListSize) {
        const int j = findW(key);
        if (j >= 0) {
            m_wList[static_cast<std::size_t>(j)].mark = value;
            return 0;
        }
    }
    return -1;
}

void TConvertTable::ResetSlotRegisters() {
    m_iIndex.clear();
    m_iLast = -1;
    m_iList.fill({});
}

int TConvertTable::FindOperand(TokenCode code, OperandRegister& where) {
    const RegisterFamily* family = registerFamilyOfCode(code);
    while (family != nullptr && family->searchIn != RegisterLists::None) {
        const std::uint32_t key = registerKey(*family, code);
        char letter = 0;
        int index = -1;
        if (m_iLast < kIListSize) {
            index = findI(key);
            if (index >= 0) letter = family->letter;
        }
        if (index < 0 && family->searchIn == RegisterLists::IThenW && m_wLast < kWListSize) {
            index = findW(key);
            if (index >= 0) letter = 'W';
        }
        if (index >= 0) {
            where = {letter, index, family->hasMask ? 1u << (code & 7) : 0u};
            return 0;
        }
        if (!family->shortage.empty()) m_notices.notice(family->shortage);
        // A timer value that is missing is looked for once more as its timer.
        if (!family->thenLookUpAs) return -1;
        family = &registerFamily(*family->thenLookUpAs);
    }
    return -1;
}

int TConvertTable::OperandNames(TokenCode code, OperandNameSet& names) {
    OperandRegister where;
    if (FindOperand(code, where) != 0) return -1;
    names.set(where);
    return 0;
}

namespace {
// The decimal digits of a number below 1000 at `out`; returns their count.
std::uint8_t putDecimal(char* out, unsigned value) {
    std::uint8_t n = 0;
    if (value >= 100) out[n++] = static_cast<char>('0' + value / 100);
    if (value >= 10) out[n++] = static_cast<char>('0' + value / 10 % 10);
    out[n++] = static_cast<char>('0' + value % 10);
    return n;
}
}  // namespace

void OperandNameSet::set(const OperandRegister& where) {
    // Register indexes stop at 255 and masks at 128: the texts fit their arrays.
    m_name[0] = where.letter;
    m_nameSize = static_cast<std::uint8_t>(1 + putDecimal(m_name.data() + 1, static_cast<unsigned>(where.index)));
    m_maskSize = where.mask != 0 ? putDecimal(m_mask.data(), where.mask) : 0;
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
    std::unique_ptr<StateDescriptors>& descriptors = m_descriptors[static_cast<std::size_t>(kind)];
    if (!descriptors) descriptors = std::make_unique<StateDescriptors>();
    return (*descriptors)[static_cast<std::size_t>(instance)];
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
// The external name of a register: " DI_-lm01-0002", or " Work" + index for a work register.
void appendExternalName(std::string& line, const RegisterFamily& family, std::uint32_t key, int index) {
    if (family.workRegister) {
        append(line, family.externalPrefix, index);
        return;
    }
    const std::uint32_t number = key & family.numberMask;
    append(line, family.externalPrefix, Octal{number >> family.moduleShift, 2}, "-000",
           (number >> family.digitShift) & family.digitMask);
}

// What a comment says of a register: "вд120 - вд127", "ва005", "ключи алгоритмов".
void appendDescription(std::string& line, const RegisterFamily& family, std::uint32_t key) {
    std::string number;
    switch (family.number) {
        case CommentNumber::NoNumber: break;
        case CommentNumber::Key: append(number, Octal{key, 3}); break;
        case CommentNumber::Low12: append(number, Octal{key & 0xFFF, 3}); break;
        case CommentNumber::LowByte: append(number, Octal{key & 0xFF, 3}); break;
        case CommentNumber::SectionGroup: number = TConvertTable::SectionName(key & 0xF8); break;
    }
    append(line, family.word, number);
    // The last number of a group of eight has the same first digits and ends in 7.
    if (!family.rangeJoin.empty())
        append(line, family.rangeJoin, family.word, std::string_view(number).substr(0, 2), "7");
}
}  // namespace

// One register of the declaration block: name, external name, mode and comment.
bool TConvertTable::declarationLine(int i, bool addComment, std::string& line) const {
    const RegisterEntry entry = m_iList[static_cast<std::size_t>(i)];
    const RegisterFamily* family = registerFamilyOfKey(entry.key);
    line.clear();
    if (family == nullptr || family->externalPrefix.empty()) return false;
    append(line, family->letter, i);
    appendExternalName(line, *family, entry.key, i);
    append(line, entry.mark ? family->markedMode : family->mode);
    if (addComment) {
        append(line, " (* ");
        if (family->commentNamesRegister) append(line, family->letter, i, "  = ");
        appendDescription(line, *family, entry.key);
        append(line, " *)");
    }
    return true;
}

bool TConvertTable::wCommentLine(int j, std::string& line) const {
    const std::uint32_t key = m_wList[static_cast<std::size_t>(j)].key;
    const RegisterFamily* family = registerFamilyOfKey(key);
    line.clear();
    if (family == nullptr || !mayBeInWList(*family)) return false;
    append(line, " (* W", j, "  = ");
    appendDescription(line, *family, key);
    append(line, " *)");
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
    // The key register of group k of sections is declared as the key of its first section.
    const RegisterFamily& sectionKey = registerFamily(KeyKind::SectionKey);
    std::string line;
    int n = 3;
    for (int k = 0; k < kSectionKeyFlags; ++k)
        if (m_sectionKeyFlags[static_cast<std::size_t>(k)] == 1) {
            line.clear();
            append(line, " Q", n++);
            appendExternalName(line, sectionKey, registerKey(sectionKey, static_cast<std::uint32_t>(k) << 3), 0);
            append(line, " In");
            list.push_back(line);
        }
}

void TConvertTable::InsertSectionKeyResets(std::vector<std::string>& list) const {
    int n = 3;
    for (int k = 0; k < kSectionKeyFlags; ++k)
        if (m_sectionKeyFlags[static_cast<std::size_t>(k)] == 1) list.push_back(" Q" + std::to_string(n++) + " =0");
}

}  // namespace vestrel
