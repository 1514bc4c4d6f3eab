// The conversion table of one pass 2: which IL register stands for which Korvel
// variable. The I list (I0..I253 / Q0..Q253) belongs to the current block program and
// is emptied when it is closed; the W list (W0..W255) serves the whole run. The table
// also hands out the registers algorithms keep their state in.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "translator/lexer/token_vocabulary.h"
#include "translator/text/il_text.h"
#include "translator/diagnostics/sinks.h"
#include "translator/generator/register_key_index.h"

namespace vestrel {

struct RegisterEntry {
    std::uint32_t key = 0;
    std::uint8_t mark = 0;  // 1: the register is declared with " C "
};

// State registers of one algorithm instance.
struct StateDescriptor {
    static constexpr int kWords = 5;
    bool used = false;
    std::array<char, kWords> letters{'0', '0', '0', '0', '0'};
    std::array<std::uint8_t, kWords> numbers{};
    char flagLetter = '0';
    std::uint8_t flagNumber = 0;
    std::uint8_t flagBit = 0;
};

// Where a registered operand is held, for callers that write it straight into a line.
struct OperandRegister {
    char letter = 0;  // 'I', 'Q' or 'W'
    int index = -1;
    unsigned mask = 0;  // the weight of the bit of a bit operand, else 0
};

// The texts of a registered operand, kept in the set itself: an operand is named at every
// use, and its texts are short ("W255", "128"). Both are empty until set.
class OperandNameSet {
public:
    // The register that holds the operand (I5, Q12, W3).
    std::string_view name() const { return {m_name.data(), m_nameSize}; }
    // The decimal weight of the bit for bit operands, else empty.
    std::string_view mask() const { return {m_mask.data(), m_maskSize}; }
    void set(const OperandRegister& where);

private:
    std::array<char, 4> m_name{};
    std::array<char, 3> m_mask{};
    std::uint8_t m_nameSize = 0;
    std::uint8_t m_maskSize = 0;
};

struct RegisterAllocation {
    char letter = '0';  // 'W' or 'I'
    std::uint8_t number = 0;
    std::uint8_t bit = 0;  // flag pairs: 0, 2, 4 or 6
};

class TConvertTable {
public:
    static constexpr int kIListSize = 254;
    static constexpr int kWListSize = 256;
    static constexpr int kStateKinds = 16;
    static constexpr int kStateInstances = 255;
    static constexpr int kSectionKeyFlags = 32;

    explicit TConvertTable(NoticeSink& notices);

    // Enters the register key of a code (if not present yet): 0, or -1 when no list took it.
    int RegisterVariable(TokenCode code);
    // Sets the mark of the code's register: 0, or -1 when it is not registered.
    int MarkVariable(TokenCode code, std::uint8_t value);
    // Empties the I list at the end of a block program.
    void ResetSlotRegisters();

    // The register of a registered operand; 0 or -1. On a failure `where` is left as it
    // was and the shortage is shown.
    int FindOperand(TokenCode code, OperandRegister& where);
    // The same as texts: register name and mask.
    int OperandNames(TokenCode code, OperandNameSet& names);
    // A new state word, W list first: 0 or -1 ("Не хватает переменных").
    int AllocStateWord(std::uint32_t key, RegisterAllocation& allocation);
    // The next free flag pair: 0 or -1.
    int AllocFlagPair(std::uint32_t key, RegisterAllocation& allocation);

    // Inserts "VAR_IN_OUT" .. "END_VAR" after "PROGRAM" of a closed block program.
    void DeclareSlot(IlText& slot, bool addComment) const;
    void InsertSectionKeyDeclarations(std::vector<std::string>& list) const;
    void InsertSectionKeyResets(std::vector<std::string>& list) const;

    // The low 3n bits as n octal digits: (5, 2) -> "05".
    static std::string OctalDigits(unsigned value, int n);
    // The Korvel three-digit form of a SectionCode: 0x25 -> "105".
    static std::string SectionName(unsigned sectionCode);

    int iLastIndex() const { return m_iLast; }
    int wLastIndex() const { return m_wLast; }
    // Key and mark of an entry; an empty entry above the list's last index.
    RegisterEntry iEntry(int i) const;
    RegisterEntry wEntry(int j) const;
    const std::array<std::uint8_t, kSectionKeyFlags>& SectionKeyFlags() const { return m_sectionKeyFlags; }
    StateDescriptor& descriptor(int kind, int instance);
    const RegisterAllocation& flagPairCursor() const { return m_flagPairCursor; }

private:
    NoticeSink& m_notices;
    std::int32_t m_iLast = -1;
    std::int32_t m_wLast = -1;
    RegisterAllocation m_flagPairCursor;  // letter '0': none taken yet
    std::array<std::uint8_t, kSectionKeyFlags> m_sectionKeyFlags{};
    // A kind's descriptors are made when an algorithm of that kind first asks: most runs use
    // a few of the 16 kinds, and all of them would be 60 KB to fill before any work.
    using StateDescriptors = std::array<StateDescriptor, kStateInstances>;
    std::array<std::unique_ptr<StateDescriptors>, kStateKinds> m_descriptors;
    std::array<RegisterEntry, kIListSize> m_iList{};
    std::array<RegisterEntry, kWListSize> m_wList{};
    // The first index of each key in each list, so that a lookup finds what the linear
    // search from index 0 would, without the search. Every key is 16 bits.
    RegisterKeyIndex m_iIndex;
    RegisterKeyIndex m_wIndex;

    int findI(std::uint32_t key) const;
    int findW(std::uint32_t key) const;
    int appendI(std::uint32_t key);
    int appendW(std::uint32_t key);

    bool takeNewRegister(std::uint32_t key, RegisterAllocation& allocation);
    // Both write the line into `line` (emptied first) and tell whether there is one.
    bool declarationLine(int i, bool addComment, std::string& line) const;
    bool wCommentLine(int j, std::string& line) const;
};

}  // namespace vestrel
