// The 183 rows of the Korvel grammar. Each row tests the current token against its set;
// alternatives are runs of rows that fall through on a mismatch and end in a row that
// reports the error; sub-graphs are entered by rows that push their successor.
#include "translator/syntax/syntax_graph.h"

#include <initializer_list>

namespace vestrel {
namespace {

// Single tokens and token classes as they stand in the sets.
enum : std::uint16_t {
    VD = 0x1000, VA = 0x2000, DV = 0x3000, AV = 0x4000, KB = 0x5000, KS = 0x6000, TM = 0x7000, IV = 0x8000,
    IF_ = 0x9001, THEN_ = 0x9002, ELSE_ = 0x9003, OR_ = 0x9101,
    ON = 0xA001, OFF = 0xA002, BIT = 0xA003, EXIT = 0xA004, VON = 0xA104, VOFF = 0xA105,
    LP = 0xB028, RP = 0xB029, PLUS = 0xB02B, MINUS = 0xB02D, LT = 0xB03C, EQ = 0xB03D, GT = 0xB03E,
    TIME = 0xB100, ALG = 0xC000, MARK = 0xD000, REST = 0xD100, CONST = 0xE000,
    END = 0xF000, SECTION = 0xF200,
};

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
constexpr TokenSet SIMPLE = of({MARK, OFF, ON, EXIT, BIT, ALG, TM, IV, AV, VA});
constexpr TokenSet LINE = with(SIMPLE, {LP, IF_});
constexpr TokenSet CLOSE = of({SECTION, END});
constexpr TokenSet FOLLOW = with(LINE, {SECTION, END});
constexpr TokenSet FOLLOW_BR = with(FOLLOW, {THEN_, ELSE_});
constexpr TokenSet FOLLOW_EQ = with(FOLLOW_BR, {EQ});
constexpr TokenSet FOLLOW_COND = with(FOLLOW_BR, {OR_, RP});
constexpr TokenSet FOLLOW_EXPR = with(FOLLOW_COND, {PLUS, MINUS});
constexpr TokenSet DISC = of({DV, VD, KB, KS});
constexpr TokenSet DISC_TM = with(DISC, {TM});
constexpr TokenSet ANALOG = of({AV, VA});
constexpr TokenSet ANYVAR = of({VD, VA, DV, AV, KB, KS, TM, IV});
constexpr TokenSet OPND = with(ANALOG, {CONST});
constexpr TokenSet EXPR = with(OPND, {PLUS, MINUS});
constexpr TokenSet PARAM = of({VD, VA, DV, AV, KB, KS, TM, VON, VOFF, PLUS, MINUS, TIME, CONST});
constexpr TokenSet ATOM = of({OFF, ON, BIT, TM, AV, VA});
constexpr TokenSet CONDF = of({IF_, THEN_, ELSE_, OR_, LP, RP});
constexpr TokenSet CMP = of({LT, EQ, GT});

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
    Action action;
    std::string_view name;
};
#define ACTION(routine) Named{&routine, #routine}
constexpr Named NONE{nullptr, {}};

constexpr SyntaxRow row(TokenSet tokens, OnMatch match, SyntaxMessage mismatch, Named action = NONE) {
    return {match.next, match.consume, match.push, match.pop, mismatch, action.action, action.name, tokens};
}

// Each comment gives the row number; "call n" rows return to the row that follows them.
constexpr std::array<SyntaxRow, kSyntaxRowCount> kRows = {{
    /*   0 */ row(TokenSet{}, go(0), ERROR),
    // Program
    /*   1 */ row(of({SECTION}), go(3), TRY),
    /*   2 */ row(of({END}), go(5), ERROR),
    /*   3 */ row(of({SECTION}), call(11), ERROR),
    /*   4 */ row(CLOSE, go(6), ERROR),
    /*   5 */ row(of({END}), back(), ERROR),
    /*   6 */ row(of({SECTION}), go(8), TRY),
    /*   7 */ row(of({END}), go(10), ERROR),
    /*   8 */ row(of({SECTION}), call(11), ERROR),
    /*   9 */ row(CLOSE, go(6), ERROR),
    /*  10 */ row(of({END}), back(), ERROR, ACTION(EndProgram)),
    // Section
    /*  11 */ row(of({SECTION}), go(12), ERROR),
    /*  12 */ row(of({SECTION}), consumeGo(13), ERROR, ACTION(BeginSection)),
    /*  13 */ row(FOLLOW, go(14), ERROR),
    /*  14 */ row(LINE, go(16), TRY),
    /*  15 */ row(CLOSE, go(18), ERROR),
    /*  16 */ row(LINE, call(19), ERROR),
    /*  17 */ row(FOLLOW, go(14), ERROR),
    /*  18 */ row(CLOSE, back(), ERROR),
    // Line
    /*  19 */ row(SIMPLE, go(21), TRY),
    /*  20 */ row(of({LP, IF_}), go(22), ERROR),
    /*  21 */ row(SIMPLE, go(28), ERROR, ACTION(BeginStatement)),
    /*  22 */ row(of({LP, IF_}), call(85), ERROR, ACTION(StartConditional)),
    /*  23 */ row(of({ELSE_, THEN_}), go(24), ERROR),
    /*  24 */ row(of({THEN_}), go(26), TRY),
    /*  25 */ row(of({ELSE_}), go(27), ERROR),
    /*  26 */ row(of({THEN_}), go(101), ERROR),
    /*  27 */ row(of({ELSE_}), go(109), ERROR),
    // Simple statement
    /*  28 */ row(of({OFF}), go(37), TRY),
    /*  29 */ row(of({ON}), go(39), TRY),
    /*  30 */ row(of({EXIT}), go(41), TRY),
    /*  31 */ row(of({BIT}), go(42), TRY),
    /*  32 */ row(of({ALG}), go(44), TRY),
    /*  33 */ row(of({TM}), go(46), TRY),
    /*  34 */ row(of({IV}), go(49), TRY),
    /*  35 */ row(ANALOG, go(52), TRY),
    /*  36 */ row(of({MARK}), go(55), ERROR),
    /*  37 */ row(of({OFF}), consumeGo(38), ERROR, ACTION(SetStatementContext)),
    /*  38 */ row(DISC_TM, go(57), ERROR),
    /*  39 */ row(of({ON}), consumeGo(40), ERROR, ACTION(SetStatementContext)),
    /*  40 */ row(DISC_TM, go(57), ERROR),
    /*  41 */ row(of({EXIT}), consumeBack(), ERROR, ACTION(ExitSection)),
    /*  42 */ row(of({BIT}), consumeGo(43), ERROR, ACTION(SetStatementContext)),
    /*  43 */ row(ANYVAR, go(153), ERROR),
    /*  44 */ row(of({ALG}), consumeGo(45), ERROR, ACTION(BeginAlgorithm)),
    /*  45 */ row(FOLLOW_EQ, go(117), ERROR),
    /*  46 */ row(of({TM}), consumeGo(47), ERROR, ACTION(StartTimeExpression)),
    /*  47 */ row(of({EQ}), consumeGo(48), ERROR, ACTION(ComparisonOperator)),
    /*  48 */ row(of({TM, TIME}), go(173), ERROR),
    /*  49 */ row(of({IV}), consumeGo(50), ERROR, ACTION(IvTarget)),
    /*  50 */ row(of({EQ}), consumeGo(51), ERROR, ACTION(ComparisonOperator)),
    /*  51 */ row(EXPR, go(61), ERROR),
    /*  52 */ row(ANALOG, call(161), ERROR, ACTION(StartExpression)),
    /*  53 */ row(of({EQ}), consumeGo(54), ERROR, ACTION(ComparisonOperator)),
    /*  54 */ row(EXPR, go(61), ERROR),
    /*  55 */ row(of({MARK}), consumeGo(56), ERROR),
    /*  56 */ row(of({REST}), consumeBack(), ERROR),
    /*  57 */ row(of({TM}), go(59), TRY),
    /*  58 */ row(DISC, go(60), ERROR),
    /*  59 */ row(of({TM}), consumeBack(), ERROR, ACTION(TimerOperand)),
    /*  60 */ row(DISC, go(165), ERROR),
    // Expression
    /*  61 */ row(EXPR, go(62), ERROR),
    /*  62 */ row(EXPR, call(65), ERROR),
    /*  63 */ row(OPND, call(71), ERROR),
    /*  64 */ row(FOLLOW_EXPR, go(75), ERROR),
    /*  65 */ row(of({PLUS}), go(68), TRY),
    /*  66 */ row(of({MINUS}), go(69), TRY),
    /*  67 */ row(OPND, go(70), ERROR),
    /*  68 */ row(of({PLUS}), consumeBack(), ERROR, ACTION(LeadingSign)),
    /*  69 */ row(of({MINUS}), consumeBack(), ERROR, ACTION(LeadingSign)),
    /*  70 */ row(OPND, back(), ERROR),
    // Operand
    /*  71 */ row(of({CONST}), go(73), TRY),
    /*  72 */ row(ANALOG, go(74), ERROR),
    /*  73 */ row(of({CONST}), consumeBack(), ERROR, ACTION(NumericConstant)),
    /*  74 */ row(ANALOG, go(161), ERROR),
    /*  75 */ row(of({PLUS, MINUS}), go(77), TRY),
    /*  76 */ row(FOLLOW_COND, go(80), ERROR),
    /*  77 */ row(of({PLUS, MINUS}), call(81), ERROR),
    /*  78 */ row(OPND, call(71), ERROR),
    /*  79 */ row(FOLLOW_EXPR, go(75), ERROR),
    /*  80 */ row(FOLLOW_COND, back(), ERROR, ACTION(EndExpression)),
    /*  81 */ row(of({PLUS}), go(83), TRY),
    /*  82 */ row(of({MINUS}), go(84), ERROR),
    /*  83 */ row(of({PLUS}), consumeBack(), ERROR, ACTION(InfixOperator)),
    /*  84 */ row(of({MINUS}), consumeBack(), ERROR, ACTION(InfixOperator)),
    // Condition
    /*  85 */ row(of({LP}), go(87), TRY),
    /*  86 */ row(of({IF_}), go(91), ERROR),
    /*  87 */ row(of({LP}), consumeGo(88), ERROR, ACTION(OpenGroup)),
    /*  88 */ row(of({LP, IF_}), call(85), ERROR),
    /*  89 */ row(of({RP}), consumeGo(90), ERROR, ACTION(CloseGroup)),
    /*  90 */ row(CONDF, go(94), ERROR),
    /*  91 */ row(of({IF_}), consumeGo(92), ERROR, ACTION(BeginConditionItem)),
    /*  92 */ row(ATOM, call(136), ERROR),
    /*  93 */ row(CONDF, go(94), ERROR),
    /*  94 */ row(of({OR_}), go(97), TRY, ACTION(EndConditionItem)),
    /*  95 */ row(of({LP, IF_}), go(99), TRY),
    /*  96 */ row(of({ELSE_, RP, THEN_}), go(100), ERROR),
    /*  97 */ row(of({OR_}), consumeGo(98), ERROR, ACTION(OrItem)),
    /*  98 */ row(of({LP, IF_}), go(85), ERROR),
    /*  99 */ row(of({LP, IF_}), go(85), ERROR),
    /* 100 */ row(of({ELSE_, RP, THEN_}), back(), ERROR),
    // Branches
    /* 101 */ row(of({THEN_}), go(102), ERROR, ACTION(BeginThen)),
    /* 102 */ row(of({THEN_}), consumeGo(103), ERROR),
    /* 103 */ row(SIMPLE, call(28), ERROR),
    /* 104 */ row(FOLLOW_BR, go(105), ERROR),
    /* 105 */ row(of({ELSE_, THEN_}), go(107), TRY),
    /* 106 */ row(FOLLOW, go(108), ERROR),
    /* 107 */ row(of({ELSE_, THEN_}), go(24), ERROR),
    /* 108 */ row(FOLLOW, back(), ERROR, ACTION(EndConditional)),
    /* 109 */ row(of({ELSE_}), go(110), ERROR, ACTION(BeginElse)),
    /* 110 */ row(of({ELSE_}), consumeGo(111), ERROR),
    /* 111 */ row(SIMPLE, call(28), ERROR),
    /* 112 */ row(FOLLOW_BR, go(113), ERROR),
    /* 113 */ row(of({ELSE_, THEN_}), go(115), TRY),
    /* 114 */ row(FOLLOW, go(116), ERROR),
    /* 115 */ row(of({ELSE_, THEN_}), go(24), ERROR),
    /* 116 */ row(FOLLOW, back(), ERROR, ACTION(EndConditional)),
    // Algorithm parameters
    /* 117 */ row(of({EQ}), go(119), TRY),
    /* 118 */ row(FOLLOW_BR, go(122), ERROR),
    /* 119 */ row(of({EQ}), consumeGo(120), ERROR, ACTION(BeginStatement)),
    /* 120 */ row(PARAM, call(123), ERROR),
    /* 121 */ row(FOLLOW_EQ, go(117), ERROR),
    /* 122 */ row(FOLLOW_BR, back(), ERROR, ACTION(EndAlgorithm)),
    // Parameter value
    /* 123 */ row(EXPR, go(129), TRY),
    /* 124 */ row(DISC, go(131), TRY),
    /* 125 */ row(of({TM}), go(132), TRY),
    /* 126 */ row(of({VON}), go(133), TRY),
    /* 127 */ row(of({VOFF}), go(134), TRY),
    /* 128 */ row(of({TIME}), go(135), ERROR),
    /* 129 */ row(EXPR, call(65), ERROR),
    /* 130 */ row(OPND, go(71), ERROR),
    /* 131 */ row(DISC, go(165), ERROR),
    /* 132 */ row(of({TM}), consumeBack(), ERROR, ACTION(ParameterValue)),
    /* 133 */ row(of({VON}), consumeBack(), ERROR, ACTION(ParameterValue)),
    /* 134 */ row(of({VOFF}), consumeBack(), ERROR, ACTION(ParameterValue)),
    /* 135 */ row(of({TIME}), consumeBack(), ERROR, ACTION(ParameterValue)),
    // Atom
    /* 136 */ row(of({OFF}), go(141), TRY),
    /* 137 */ row(of({ON}), go(143), TRY),
    /* 138 */ row(of({TM}), go(145), TRY),
    /* 139 */ row(ANALOG, go(148), TRY),
    /* 140 */ row(of({BIT}), go(151), ERROR),
    /* 141 */ row(of({OFF}), consumeGo(142), ERROR, ACTION(SetStatementContext)),
    /* 142 */ row(DISC_TM, go(57), ERROR),
    /* 143 */ row(of({ON}), consumeGo(144), ERROR, ACTION(SetStatementContext)),
    /* 144 */ row(DISC_TM, go(57), ERROR),
    /* 145 */ row(of({TM}), consumeGo(146), ERROR, ACTION(StartTimeExpression)),
    /* 146 */ row(CMP, call(177), ERROR),
    /* 147 */ row(of({TM, TIME}), go(173), ERROR),
    /* 148 */ row(ANALOG, call(161), ERROR, ACTION(StartExpression)),
    /* 149 */ row(CMP, call(177), ERROR),
    /* 150 */ row(EXPR, go(61), ERROR),
    /* 151 */ row(of({BIT}), consumeGo(152), ERROR, ACTION(SetStatementContext)),
    /* 152 */ row(ANYVAR, go(153), ERROR),
    // Operand of б
    /* 153 */ row(ANALOG, go(157), TRY),
    /* 154 */ row(DISC, go(158), TRY),
    /* 155 */ row(of({IV}), go(159), TRY),
    /* 156 */ row(of({TM}), go(160), ERROR),
    /* 157 */ row(ANALOG, go(161), ERROR),
    /* 158 */ row(DISC, go(165), ERROR),
    /* 159 */ row(of({IV}), consumeBack(), ERROR),
    /* 160 */ row(of({TM}), consumeBack(), ERROR),
    // Analog operand
    /* 161 */ row(of({AV}), go(163), TRY),
    /* 162 */ row(of({VA}), go(164), ERROR),
    /* 163 */ row(of({AV}), consumeBack(), ERROR, ACTION(AnalogOperand)),
    /* 164 */ row(of({VA}), consumeBack(), ERROR, ACTION(AnalogOperand)),
    // Discrete operand
    /* 165 */ row(of({DV}), go(169), TRY),
    /* 166 */ row(of({VD}), go(170), TRY),
    /* 167 */ row(of({KB}), go(171), TRY),
    /* 168 */ row(of({KS}), go(172), ERROR),
    /* 169 */ row(of({DV}), consumeBack(), ERROR, ACTION(DiscreteOperand)),
    /* 170 */ row(of({VD}), consumeBack(), ERROR, ACTION(DiscreteOperand)),
    /* 171 */ row(of({KB}), consumeBack(), ERROR, ACTION(DiscreteOperand)),
    /* 172 */ row(of({KS}), consumeBack(), ERROR, ACTION(DiscreteOperand)),
    // Time value
    /* 173 */ row(of({TM}), go(175), TRY),
    /* 174 */ row(of({TIME}), go(176), ERROR),
    /* 175 */ row(of({TM}), consumeBack(), ERROR, ACTION(EndTimeExpression)),
    /* 176 */ row(of({TIME}), consumeBack(), ERROR, ACTION(EndTimeExpression)),
    // Comparison sign
    /* 177 */ row(of({GT}), go(180), TRY),
    /* 178 */ row(of({LT}), go(181), TRY),
    /* 179 */ row(of({EQ}), go(182), ERROR),
    /* 180 */ row(of({GT}), consumeBack(), ERROR, ACTION(ComparisonOperator)),
    /* 181 */ row(of({LT}), consumeBack(), ERROR, ACTION(ComparisonOperator)),
    /* 182 */ row(of({EQ}), consumeBack(), ERROR, ACTION(ComparisonOperator)),
}};
#undef ACTION
// A missing row would leave the last ones empty.
static_assert(kRows[182].pop && kRows[182].tokens[0] == EQ && kRows[1].next == 3);

}  // namespace

const std::array<SyntaxRow, kSyntaxRowCount> SyntaxGraph = kRows;

namespace {
// Tokens compared exactly, in the order of their class numbers 9, 10, ...
constexpr std::uint16_t kExactTokens[] = {IF_, THEN_, ELSE_, OR_, ON, OFF, BIT, EXIT, VON, VOFF,
                                          LP, RP, PLUS, MINUS, LT, EQ, GT, END};
constexpr int kFirstExactClass = 9;
// Classes tested on the top byte: B1 time, C0 алг, D0 тс, D1 rest of line, E0 constant, F2 section.
constexpr std::uint16_t kByteClasses[] = {0xB100, 0xC000, 0xD000, 0xD100, 0xE000, 0xF200};
constexpr int kFirstByteClass = kFirstExactClass + static_cast<int>(std::size(kExactTokens));
static_assert(kFirstByteClass + std::size(kByteClasses) <= 64);

constexpr int classOfEntry(std::uint16_t v) {
    const int top = v >> 8;
    if (top >= 0x10 && top <= 0x80 && (top & 0x0F) == 0) return top >> 4;
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
        if (current.action) {
            if (segment.actionCount == EngineSegment::kMaxActions) return EngineSegment{};
            segment.actionRows[segment.actionCount++] = static_cast<std::uint8_t>(r);
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
    const unsigned family = token >> 12;
    if (family >= 1 && family <= 8) return static_cast<int>(family);
    const TokenCode top = token & 0xFF00;
    for (std::size_t i = 0; i < std::size(kByteClasses); ++i)
        if (kByteClasses[i] == top) return kFirstByteClass + static_cast<int>(i);
    for (std::size_t i = 0; i < std::size(kExactTokens); ++i)
        if (kExactTokens[i] == token) return kFirstExactClass + static_cast<int>(i);
    return 0;
}
// Every 16-bit code's class, looked up once per token read (filled when the program
// starts: a table this size is more than some compilers evaluate at compile time).
const auto kTokenClasses = [] {
    std::array<std::uint8_t, 0x10000> classes{};
    for (TokenCode token = 0; token <= 0xFFFF; ++token) classes[token] = static_cast<std::uint8_t>(classOfToken(token));
    return classes;
}();
}  // namespace

int TokenClassOf(TokenCode token) { return token > 0xFFFF ? 0 : kTokenClasses[token]; }

bool MatchTokenSet(TokenCode token, const TokenSet& set) {
    for (std::uint16_t v : set) {
        if (v == 0) continue;
        switch (v >> 8) {
            case 0x10: case 0x20: case 0x30: case 0x40: case 0x50: case 0x60: case 0x70: case 0x80:
                if ((token & 0xF000) == v) return true;
                break;
            case 0x90: case 0x91: case 0xA0: case 0xA1: case 0xB0: case 0xF0:
                if (token == v) return true;
                break;
            case 0xB1: case 0xC0: case 0xD0: case 0xD1: case 0xE0: case 0xF2:
                if ((token & 0xFF00) == v) return true;
                break;
            default:
                break;
        }
    }
    return false;
}

}  // namespace vestrel
