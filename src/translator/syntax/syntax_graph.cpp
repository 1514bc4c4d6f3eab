// The 183 rows of the Korvel grammar. Each row tests the current token against its set;
// alternatives are runs of rows that fall through on a mismatch and end in a row that
// reports the error; sub-graphs are entered by rows that push their successor.
#include "translator/syntax/syntax_graph.h"

#include <initializer_list>

namespace vestrel {
namespace {

// The union of a set and further tokens; a set holds at most 21 entries.
constexpr TokenSet with(TokenSet base, std::initializer_list<std::uint16_t> more) {
    std::size_t n = 0;
    while (n < base.size() && base[n] != 0) ++n;
    for (std::uint16_t v : more) {
        bool present = false;
        for (std::size_t i = 0; i < n; ++i) present = present || base[i] == v;
        if (present) continue;
        if (n == base.size()) throw "a token set holds at most 21 entries";
        base[n++] = v;
    }
    return base;
}
constexpr TokenSet of(std::initializer_list<std::uint16_t> tokens) { return with(TokenSet{}, tokens); }

// Tokens that begin a simple statement, a line, and what may follow a line.
constexpr TokenSet SIMPLE = of({token::Marker, token::Off, token::On, token::ExitSection, token::Bit, token::Algorithm,
                                token::Timer, token::IvVariable, token::AnalogOutput, token::AnalogInput});
constexpr TokenSet LINE = with(SIMPLE, {token::OpenParen, token::If});
constexpr TokenSet CLOSE = of({token::Section, token::EndOfInput});
constexpr TokenSet FOLLOW = with(LINE, {token::Section, token::EndOfInput});
constexpr TokenSet FOLLOW_BR = with(FOLLOW, {token::Then, token::Else});
constexpr TokenSet FOLLOW_EQ = with(FOLLOW_BR, {token::Equal});
constexpr TokenSet FOLLOW_COND = with(FOLLOW_BR, {token::Or, token::CloseParen});
constexpr TokenSet FOLLOW_EXPR = with(FOLLOW_COND, {token::Plus, token::Minus});
constexpr TokenSet DISC = of({token::DiscreteOutput, token::DiscreteInput, token::BlockKey, token::SectionKey});
constexpr TokenSet DISC_TM = with(DISC, {token::Timer});
constexpr TokenSet ANALOG = of({token::AnalogOutput, token::AnalogInput});
constexpr TokenSet ANYVAR = of({token::DiscreteInput, token::AnalogInput, token::DiscreteOutput, token::AnalogOutput,
                                token::BlockKey, token::SectionKey, token::Timer, token::IvVariable});
constexpr TokenSet OPND = with(ANALOG, {token::Constant});
constexpr TokenSet EXPR = with(OPND, {token::Plus, token::Minus});
constexpr TokenSet PARAM = of({token::DiscreteInput, token::AnalogInput, token::DiscreteOutput, token::AnalogOutput,
                               token::BlockKey, token::SectionKey, token::Timer, token::ValueOn, token::ValueOff,
                               token::Plus, token::Minus, token::TimeLiteral, token::Constant});
constexpr TokenSet ATOM = of({token::Off, token::On, token::Bit, token::Timer, token::AnalogOutput, token::AnalogInput});
constexpr TokenSet CONDF = of({token::If, token::Then, token::Else, token::Or, token::OpenParen, token::CloseParen});
constexpr TokenSet CMP = of({token::Less, token::Equal, token::Greater});

// Where a row goes when its test succeeds.
struct OnMatch {
    int next = 0;
    bool consume = false, push = false, pop = false;
};
constexpr OnMatch go(int row) { return {row, false, false, false}; }
constexpr OnMatch consumeGo(int row) { return {row, true, false, false}; }
constexpr OnMatch call(int row) { return {row, false, true, false}; }
constexpr OnMatch back() { return {0, false, false, true}; }
constexpr OnMatch consumeBack() { return {0, true, false, true}; }

// A failed test either tries the following row or stops the pass with the syntax error.
constexpr SyntaxMessage TRY = SyntaxMessage::None;
constexpr SyntaxMessage ERROR = SyntaxMessage::SyntaxError;

struct Named {
    SyntaxAction action;
    std::string_view name;
};
#define ACTION(routine) Named{SyntaxAction::routine, nameOf(SyntaxAction::routine)}
constexpr Named NONE{SyntaxAction::None, {}};

constexpr SyntaxRow row(TokenSet tokens, OnMatch match, SyntaxMessage mismatch, Named action = NONE) {
    return {match.next, match.consume, match.push, match.pop, mismatch, action.action, action.name, tokens};
}

// Each comment gives the row number; "call n" rows return to the row that follows them.
constexpr std::array<SyntaxRow, kSyntaxRowCount> kRows = {{
    /*   0 */ row(TokenSet{}, go(0), ERROR),
    // Program
    /*   1 */ row(of({token::Section}), go(3), TRY),
    /*   2 */ row(of({token::EndOfInput}), go(5), ERROR),
    /*   3 */ row(of({token::Section}), call(11), ERROR),
    /*   4 */ row(CLOSE, go(6), ERROR),
    /*   5 */ row(of({token::EndOfInput}), back(), ERROR),
    /*   6 */ row(of({token::Section}), go(8), TRY),
    /*   7 */ row(of({token::EndOfInput}), go(10), ERROR),
    /*   8 */ row(of({token::Section}), call(11), ERROR),
    /*   9 */ row(CLOSE, go(6), ERROR),
    /*  10 */ row(of({token::EndOfInput}), back(), ERROR, ACTION(EndProgram)),
    // Section
    /*  11 */ row(of({token::Section}), go(12), ERROR),
    /*  12 */ row(of({token::Section}), consumeGo(13), ERROR, ACTION(BeginSection)),
    /*  13 */ row(FOLLOW, go(14), ERROR),
    /*  14 */ row(LINE, go(16), TRY),
    /*  15 */ row(CLOSE, go(18), ERROR),
    /*  16 */ row(LINE, call(19), ERROR),
    /*  17 */ row(FOLLOW, go(14), ERROR),
    /*  18 */ row(CLOSE, back(), ERROR),
    // Line
    /*  19 */ row(SIMPLE, go(21), TRY),
    /*  20 */ row(of({token::OpenParen, token::If}), go(22), ERROR),
    /*  21 */ row(SIMPLE, go(28), ERROR, ACTION(BeginStatement)),
    /*  22 */ row(of({token::OpenParen, token::If}), call(85), ERROR, ACTION(StartConditional)),
    /*  23 */ row(of({token::Else, token::Then}), go(24), ERROR),
    /*  24 */ row(of({token::Then}), go(26), TRY),
    /*  25 */ row(of({token::Else}), go(27), ERROR),
    /*  26 */ row(of({token::Then}), go(101), ERROR),
    /*  27 */ row(of({token::Else}), go(109), ERROR),
    // Simple statement
    /*  28 */ row(of({token::Off}), go(37), TRY),
    /*  29 */ row(of({token::On}), go(39), TRY),
    /*  30 */ row(of({token::ExitSection}), go(41), TRY),
    /*  31 */ row(of({token::Bit}), go(42), TRY),
    /*  32 */ row(of({token::Algorithm}), go(44), TRY),
    /*  33 */ row(of({token::Timer}), go(46), TRY),
    /*  34 */ row(of({token::IvVariable}), go(49), TRY),
    /*  35 */ row(ANALOG, go(52), TRY),
    /*  36 */ row(of({token::Marker}), go(55), ERROR),
    /*  37 */ row(of({token::Off}), consumeGo(38), ERROR, ACTION(SetStatementContext)),
    /*  38 */ row(DISC_TM, go(57), ERROR),
    /*  39 */ row(of({token::On}), consumeGo(40), ERROR, ACTION(SetStatementContext)),
    /*  40 */ row(DISC_TM, go(57), ERROR),
    /*  41 */ row(of({token::ExitSection}), consumeBack(), ERROR, ACTION(ExitSection)),
    /*  42 */ row(of({token::Bit}), consumeGo(43), ERROR, ACTION(SetStatementContext)),
    /*  43 */ row(ANYVAR, go(153), ERROR),
    /*  44 */ row(of({token::Algorithm}), consumeGo(45), ERROR, ACTION(BeginAlgorithm)),
    /*  45 */ row(FOLLOW_EQ, go(117), ERROR),
    /*  46 */ row(of({token::Timer}), consumeGo(47), ERROR, ACTION(StartTimeExpression)),
    /*  47 */ row(of({token::Equal}), consumeGo(48), ERROR, ACTION(ComparisonOperator)),
    /*  48 */ row(of({token::Timer, token::TimeLiteral}), go(173), ERROR),
    /*  49 */ row(of({token::IvVariable}), consumeGo(50), ERROR, ACTION(IvTarget)),
    /*  50 */ row(of({token::Equal}), consumeGo(51), ERROR, ACTION(ComparisonOperator)),
    /*  51 */ row(EXPR, go(61), ERROR),
    /*  52 */ row(ANALOG, call(161), ERROR, ACTION(StartExpression)),
    /*  53 */ row(of({token::Equal}), consumeGo(54), ERROR, ACTION(ComparisonOperator)),
    /*  54 */ row(EXPR, go(61), ERROR),
    /*  55 */ row(of({token::Marker}), consumeGo(56), ERROR),
    /*  56 */ row(of({token::RestOfLine}), consumeBack(), ERROR),
    /*  57 */ row(of({token::Timer}), go(59), TRY),
    /*  58 */ row(DISC, go(60), ERROR),
    /*  59 */ row(of({token::Timer}), consumeBack(), ERROR, ACTION(TimerOperand)),
    /*  60 */ row(DISC, go(165), ERROR),
    // Expression
    /*  61 */ row(EXPR, go(62), ERROR),
    /*  62 */ row(EXPR, call(65), ERROR),
    /*  63 */ row(OPND, call(71), ERROR),
    /*  64 */ row(FOLLOW_EXPR, go(75), ERROR),
    /*  65 */ row(of({token::Plus}), go(68), TRY),
    /*  66 */ row(of({token::Minus}), go(69), TRY),
    /*  67 */ row(OPND, go(70), ERROR),
    /*  68 */ row(of({token::Plus}), consumeBack(), ERROR, ACTION(LeadingSign)),
    /*  69 */ row(of({token::Minus}), consumeBack(), ERROR, ACTION(LeadingSign)),
    /*  70 */ row(OPND, back(), ERROR),
    // Operand
    /*  71 */ row(of({token::Constant}), go(73), TRY),
    /*  72 */ row(ANALOG, go(74), ERROR),
    /*  73 */ row(of({token::Constant}), consumeBack(), ERROR, ACTION(NumericConstant)),
    /*  74 */ row(ANALOG, go(161), ERROR),
    /*  75 */ row(of({token::Plus, token::Minus}), go(77), TRY),
    /*  76 */ row(FOLLOW_COND, go(80), ERROR),
    /*  77 */ row(of({token::Plus, token::Minus}), call(81), ERROR),
    /*  78 */ row(OPND, call(71), ERROR),
    /*  79 */ row(FOLLOW_EXPR, go(75), ERROR),
    /*  80 */ row(FOLLOW_COND, back(), ERROR, ACTION(EndExpression)),
    /*  81 */ row(of({token::Plus}), go(83), TRY),
    /*  82 */ row(of({token::Minus}), go(84), ERROR),
    /*  83 */ row(of({token::Plus}), consumeBack(), ERROR, ACTION(InfixOperator)),
    /*  84 */ row(of({token::Minus}), consumeBack(), ERROR, ACTION(InfixOperator)),
    // Condition
    /*  85 */ row(of({token::OpenParen}), go(87), TRY),
    /*  86 */ row(of({token::If}), go(91), ERROR),
    /*  87 */ row(of({token::OpenParen}), consumeGo(88), ERROR, ACTION(OpenGroup)),
    /*  88 */ row(of({token::OpenParen, token::If}), call(85), ERROR),
    /*  89 */ row(of({token::CloseParen}), consumeGo(90), ERROR, ACTION(CloseGroup)),
    /*  90 */ row(CONDF, go(94), ERROR),
    /*  91 */ row(of({token::If}), consumeGo(92), ERROR, ACTION(BeginConditionItem)),
    /*  92 */ row(ATOM, call(136), ERROR),
    /*  93 */ row(CONDF, go(94), ERROR),
    /*  94 */ row(of({token::Or}), go(97), TRY, ACTION(EndConditionItem)),
    /*  95 */ row(of({token::OpenParen, token::If}), go(99), TRY),
    /*  96 */ row(of({token::Else, token::CloseParen, token::Then}), go(100), ERROR),
    /*  97 */ row(of({token::Or}), consumeGo(98), ERROR, ACTION(OrItem)),
    /*  98 */ row(of({token::OpenParen, token::If}), go(85), ERROR),
    /*  99 */ row(of({token::OpenParen, token::If}), go(85), ERROR),
    /* 100 */ row(of({token::Else, token::CloseParen, token::Then}), back(), ERROR),
    // Branches
    /* 101 */ row(of({token::Then}), go(102), ERROR, ACTION(BeginThen)),
    /* 102 */ row(of({token::Then}), consumeGo(103), ERROR),
    /* 103 */ row(SIMPLE, call(28), ERROR),
    /* 104 */ row(FOLLOW_BR, go(105), ERROR),
    /* 105 */ row(of({token::Else, token::Then}), go(107), TRY),
    /* 106 */ row(FOLLOW, go(108), ERROR),
    /* 107 */ row(of({token::Else, token::Then}), go(24), ERROR),
    /* 108 */ row(FOLLOW, back(), ERROR, ACTION(EndConditional)),
    /* 109 */ row(of({token::Else}), go(110), ERROR, ACTION(BeginElse)),
    /* 110 */ row(of({token::Else}), consumeGo(111), ERROR),
    /* 111 */ row(SIMPLE, call(28), ERROR),
    /* 112 */ row(FOLLOW_BR, go(113), ERROR),
    /* 113 */ row(of({token::Else, token::Then}), go(115), TRY),
    /* 114 */ row(FOLLOW, go(116), ERROR),
    /* 115 */ row(of({token::Else, token::Then}), go(24), ERROR),
    /* 116 */ row(FOLLOW, back(), ERROR, ACTION(EndConditional)),
    // Algorithm parameters
    /* 117 */ row(of({token::Equal}), go(119), TRY),
    /* 118 */ row(FOLLOW_BR, go(122), ERROR),
    /* 119 */ row(of({token::Equal}), consumeGo(120), ERROR, ACTION(BeginStatement)),
    /* 120 */ row(PARAM, call(123), ERROR),
    /* 121 */ row(FOLLOW_EQ, go(117), ERROR),
    /* 122 */ row(FOLLOW_BR, back(), ERROR, ACTION(EndAlgorithm)),
    // Parameter value
    /* 123 */ row(EXPR, go(129), TRY),
    /* 124 */ row(DISC, go(131), TRY),
    /* 125 */ row(of({token::Timer}), go(132), TRY),
    /* 126 */ row(of({token::ValueOn}), go(133), TRY),
    /* 127 */ row(of({token::ValueOff}), go(134), TRY),
    /* 128 */ row(of({token::TimeLiteral}), go(135), ERROR),
    /* 129 */ row(EXPR, call(65), ERROR),
    /* 130 */ row(OPND, go(71), ERROR),
    /* 131 */ row(DISC, go(165), ERROR),
    /* 132 */ row(of({token::Timer}), consumeBack(), ERROR, ACTION(ParameterValue)),
    /* 133 */ row(of({token::ValueOn}), consumeBack(), ERROR, ACTION(ParameterValue)),
    /* 134 */ row(of({token::ValueOff}), consumeBack(), ERROR, ACTION(ParameterValue)),
    /* 135 */ row(of({token::TimeLiteral}), consumeBack(), ERROR, ACTION(ParameterValue)),
    // Atom
    /* 136 */ row(of({token::Off}), go(141), TRY),
    /* 137 */ row(of({token::On}), go(143), TRY),
    /* 138 */ row(of({token::Timer}), go(145), TRY),
    /* 139 */ row(ANALOG, go(148), TRY),
    /* 140 */ row(of({token::Bit}), go(151), ERROR),
    /* 141 */ row(of({token::Off}), consumeGo(142), ERROR, ACTION(SetStatementContext)),
    /* 142 */ row(DISC_TM, go(57), ERROR),
    /* 143 */ row(of({token::On}), consumeGo(144), ERROR, ACTION(SetStatementContext)),
    /* 144 */ row(DISC_TM, go(57), ERROR),
    /* 145 */ row(of({token::Timer}), consumeGo(146), ERROR, ACTION(StartTimeExpression)),
    /* 146 */ row(CMP, call(177), ERROR),
    /* 147 */ row(of({token::Timer, token::TimeLiteral}), go(173), ERROR),
    /* 148 */ row(ANALOG, call(161), ERROR, ACTION(StartExpression)),
    /* 149 */ row(CMP, call(177), ERROR),
    /* 150 */ row(EXPR, go(61), ERROR),
    /* 151 */ row(of({token::Bit}), consumeGo(152), ERROR, ACTION(SetStatementContext)),
    /* 152 */ row(ANYVAR, go(153), ERROR),
    // Operand of б
    /* 153 */ row(ANALOG, go(157), TRY),
    /* 154 */ row(DISC, go(158), TRY),
    /* 155 */ row(of({token::IvVariable}), go(159), TRY),
    /* 156 */ row(of({token::Timer}), go(160), ERROR),
    /* 157 */ row(ANALOG, go(161), ERROR),
    /* 158 */ row(DISC, go(165), ERROR),
    /* 159 */ row(of({token::IvVariable}), consumeBack(), ERROR),
    /* 160 */ row(of({token::Timer}), consumeBack(), ERROR),
    // Analog operand
    /* 161 */ row(of({token::AnalogOutput}), go(163), TRY),
    /* 162 */ row(of({token::AnalogInput}), go(164), ERROR),
    /* 163 */ row(of({token::AnalogOutput}), consumeBack(), ERROR, ACTION(AnalogOperand)),
    /* 164 */ row(of({token::AnalogInput}), consumeBack(), ERROR, ACTION(AnalogOperand)),
    // Discrete operand
    /* 165 */ row(of({token::DiscreteOutput}), go(169), TRY),
    /* 166 */ row(of({token::DiscreteInput}), go(170), TRY),
    /* 167 */ row(of({token::BlockKey}), go(171), TRY),
    /* 168 */ row(of({token::SectionKey}), go(172), ERROR),
    /* 169 */ row(of({token::DiscreteOutput}), consumeBack(), ERROR, ACTION(DiscreteOperand)),
    /* 170 */ row(of({token::DiscreteInput}), consumeBack(), ERROR, ACTION(DiscreteOperand)),
    /* 171 */ row(of({token::BlockKey}), consumeBack(), ERROR, ACTION(DiscreteOperand)),
    /* 172 */ row(of({token::SectionKey}), consumeBack(), ERROR, ACTION(DiscreteOperand)),
    // Time value
    /* 173 */ row(of({token::Timer}), go(175), TRY),
    /* 174 */ row(of({token::TimeLiteral}), go(176), ERROR),
    /* 175 */ row(of({token::Timer}), consumeBack(), ERROR, ACTION(EndTimeExpression)),
    /* 176 */ row(of({token::TimeLiteral}), consumeBack(), ERROR, ACTION(EndTimeExpression)),
    // Comparison sign
    /* 177 */ row(of({token::Greater}), go(180), TRY),
    /* 178 */ row(of({token::Less}), go(181), TRY),
    /* 179 */ row(of({token::Equal}), go(182), ERROR),
    /* 180 */ row(of({token::Greater}), consumeBack(), ERROR, ACTION(ComparisonOperator)),
    /* 181 */ row(of({token::Less}), consumeBack(), ERROR, ACTION(ComparisonOperator)),
    /* 182 */ row(of({token::Equal}), consumeBack(), ERROR, ACTION(ComparisonOperator)),
}};
#undef ACTION
// A missing row would leave the last ones empty.
static_assert(kRows[182].pop && kRows[182].tokens[0] == token::Equal && kRows[1].next == 3);

// The variable families a set names, one bit per family.
constexpr unsigned familiesOf(const TokenSet& set) {
    unsigned families = 0;
    for (const std::uint16_t v : set)
        if (v != 0 && isVariable(v)) families |= 1u << static_cast<unsigned>(familyOf(v));
    return families;
}
constexpr unsigned familiesWhere(bool (*holds)(TokenFamily)) {
    unsigned families = 0;
    for (const TokenFamily family : kVariableFamilies)
        if (holds(family)) families |= 1u << static_cast<unsigned>(family);
    return families;
}
// The grammar's operand sets and the generator's tests of a code name the same families:
// a discrete operand is registered as a bit, an analog one as a word.
static_assert(familiesOf(DISC) == familiesWhere(isDiscreteFamily), "DISC holds the discrete families");
static_assert(familiesOf(ANALOG) == familiesWhere(isAnalogFamily), "ANALOG holds the analog families");
static_assert(familiesOf(ANYVAR) == familiesWhere(isVariableFamily), "ANYVAR holds every variable family");

}  // namespace

const std::array<SyntaxRow, kSyntaxRowCount> SyntaxGraph = kRows;

namespace {
// Tokens compared exactly, in the order of their class numbers 9, 10, ...
constexpr std::uint16_t kExactTokens[] = {
    token::If, token::Then, token::Else, token::Or, token::On, token::Off, token::Bit, token::ExitSection,
    token::ValueOn, token::ValueOff, token::OpenParen, token::CloseParen, token::Plus, token::Minus, token::Less,
    token::Equal, token::Greater, token::EndOfInput};
constexpr int kFirstExactClass = 9;
// Classes that take every code of their kind: time literals, алг, тс, the rest of a тс
// line, constants, section headers.
constexpr std::uint16_t kByteClasses[] = {token::TimeLiteral, token::Algorithm, token::Marker,
                                          token::RestOfLine,  token::Constant,  token::Section};
constexpr int kFirstByteClass = kFirstExactClass + static_cast<int>(std::size(kExactTokens));
static_assert(kFirstByteClass + std::size(kByteClasses) <= 64);

constexpr bool isKindEntry(TokenCode v) {
    for (const std::uint16_t kind : kByteClasses)
        if (kind == v) return true;
    return false;
}

// The variable families are classes 1..8, numbered as the families.
constexpr int classOfEntry(std::uint16_t v) {
    if (isVariable(v)) return static_cast<int>(familyOf(v));
    for (std::size_t i = 0; i < std::size(kExactTokens); ++i)
        if (kExactTokens[i] == v) return kFirstExactClass + static_cast<int>(i);
    for (std::size_t i = 0; i < std::size(kByteClasses); ++i)
        if (kByteClasses[i] == v) return kFirstByteClass + static_cast<int>(i);
    throw "a token set entry without a class";
}

constexpr std::array<std::uint64_t, kSyntaxRowCount> compileRows() {
    std::array<std::uint64_t, kSyntaxRowCount> masks{};
    for (std::size_t r = 0; r < kRows.size(); ++r)
        for (std::uint16_t v : kRows[r].tokens)
            if (v != 0) masks[r] |= std::uint64_t{1} << classOfEntry(v);
    return masks;
}
}  // namespace

const std::array<std::uint64_t, kSyntaxRowCount> SyntaxRowClasses = compileRows();

namespace {
// Follows the rows a token of one class takes from a row, as the engine would, up to the
// row that uses the token up, returns, or reports an error. Nothing an action does can
// change that walk, so it is the same on every visit.
constexpr EngineSegment compileSegment(const std::array<std::uint64_t, kSyntaxRowCount>& masks, int start, int tokenClass) {
    EngineSegment segment;
    int r = start;
    for (int step = 0; step < 64; ++step) {
        const SyntaxRow& current = kRows[static_cast<std::size_t>(r)];
        const bool accepts = ((masks[static_cast<std::size_t>(r)] >> tokenClass) & 1u) != 0;
        if (!accepts && current.error != SyntaxMessage::None) {
            // The engine reports the error row by row, its action included.
            segment.end = EngineSegment::End::AtRow;
            segment.next = static_cast<std::uint8_t>(r);
            return segment;
        }
        if (current.action != SyntaxAction::None) {
            if (segment.actionCount == EngineSegment::kMaxActions) return EngineSegment{};
            segment.actions[segment.actionCount++] = current.action;
        }
        if (!accepts) {
            if (r + 1 >= kSyntaxRowCount) return EngineSegment{};
            ++r;
            continue;
        }
        segment.consume = current.consume;
        if (current.pop) {
            segment.end = EngineSegment::End::Return;
            return segment;
        }
        if (current.push) {
            if (segment.pushCount == EngineSegment::kMaxPushes) return EngineSegment{};
            segment.pushRows[segment.pushCount++] = static_cast<std::uint8_t>(r + 1);
        }
        if (current.consume) {
            segment.end = EngineSegment::End::Next;
            segment.next = static_cast<std::uint8_t>(current.next);
            return segment;
        }
        r = current.next;
    }
    return EngineSegment{};  // a walk this long is left to the engine, row by row
}

constexpr auto compileSegments() {
    constexpr auto masks = compileRows();
    std::array<std::array<EngineSegment, kTokenClassCount>, kSyntaxRowCount> segments{};
    for (int r = 1; r < kSyntaxRowCount; ++r)
        for (int c = 0; c < kTokenClassCount; ++c)
            segments[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = compileSegment(masks, r, c);
    return segments;
}
static_assert(kSyntaxRowCount <= 256 && kFirstByteClass + std::size(kByteClasses) == kTokenClassCount);
}  // namespace

const std::array<std::array<EngineSegment, kTokenClassCount>, kSyntaxRowCount> SyntaxSegments = compileSegments();

namespace {
constexpr int classOfToken(TokenCode token) {
    if (isVariable(token)) return static_cast<int>(familyOf(token));
    for (std::size_t i = 0; i < std::size(kByteClasses); ++i)
        if (kByteClasses[i] == kindOf(token)) return kFirstByteClass + static_cast<int>(i);
    for (std::size_t i = 0; i < std::size(kExactTokens); ++i)
        if (kExactTokens[i] == token) return kFirstExactClass + static_cast<int>(i);
    return 0;
}
}  // namespace

// Filled when the program starts: a table this size is more than some compilers evaluate
// at compile time.
const std::array<std::uint8_t, 0x10000> TokenClasses = [] {
    std::array<std::uint8_t, 0x10000> classes{};
    for (TokenCode token = 0; token <= 0xFFFF; ++token) classes[token] = static_cast<std::uint8_t>(classOfToken(token));
    return classes;
}();

bool MatchTokenSet(TokenCode token, const TokenSet& set) {
    // A family's first code takes every variable of the family, a kind's first code every
    // code of the kind, and a keyword, an operator or the end of input only itself.
    for (std::uint16_t v : set) {
        if (v == 0) continue;
        if (isVariable(v) ? familyOf(token) == familyOf(v) : isKindEntry(v) ? kindOf(token) == v : token == v)
            return true;
    }
    return false;
}

}  // namespace vestrel
