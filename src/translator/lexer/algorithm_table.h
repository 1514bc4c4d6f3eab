// The library algorithms that a Korvel program may call, one record each: the index,
// whether pass 1 accepts it, the template that writes its IL text, the number of state
// words it keeps, and the kind of each of its parameters (their number is the command's
// parameter count). Pass 1 reads the records as AlgorithmInfo; pass 2 checks parameters
// against their kinds and dispatches to the templates. The templates are functions of the
// algorithm layer: here they are only names, which that layer turns into its dispatch.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "translator/diagnostics/messages.h"

// X(Kind, the message that rejects a parameter of another kind) for each parameter kind,
// in code order from 0.
#define VESTREL_PARAMETER_KINDS(X)                                                   \
    X(None, WrongParameterCount)              /* no parameter is accepted here */    \
    X(Switch, ParameterNotSwitch)             /* вкл, откл */                        \
    X(BitOrSwitch, ParameterNotBitOrSwitch)   /* вд, дв, кб, кс, тм, вкл, откл */    \
    X(Bit, ParameterNotBit)                   /* вд, дв, кб, кс, тм */               \
    X(OutputBit, ParameterNotOutputBit)       /* дв, кб, кс, тм */                   \
    X(SignedAnalog, ParameterNotSignedAnalog) /* ±ва, ±ав or a constant 0..1000 */   \
    X(AnalogOutput, ParameterNotAnalogOutput) /* ав */                               \
    X(Timer, ParameterNotTimer)               /* тм */                               \
    X(Count1To128, ParameterNotCount1To128)   /* a constant 1..128 */                \
    X(Count0To7, ParameterNotCount0To7)       /* a constant 0..7 */                  \
    X(Time, ParameterNotTime)                 /* a time 00.00.01 .. 72.14.56 */      \
    X(Proportional, ParameterNotProportional) /* a constant 0.0 .. 100.0 */          \
    X(Scale, ParameterNotScale)               /* a constant 0.00 .. 1.99 */

// X(index, accepted by pass 1, template or NoTemplate, state words, parameter kinds...)
// for each algorithm, by index: 0 and the octal digits of its алгNNN word. Every index
// not listed has no parameters and is not accepted.
#define VESTREL_ALGORITHMS(X) \
    X(0001, true, Template001, 3, SignedAnalog, AnalogOutput, Proportional, SignedAnalog, Proportional, Time,  \
      SignedAnalog, Proportional, BitOrSwitch, Time, SignedAnalog, SignedAnalog, SignedAnalog)                 \
    X(0002, true, Template002, 2, SignedAnalog, AnalogOutput, Proportional, SignedAnalog, Proportional, Time,  \
      SignedAnalog, Proportional, Time, BitOrSwitch, Time, SignedAnalog)                                       \
    X(0003, true, Template003, 4, SignedAnalog, AnalogOutput, Proportional, SignedAnalog, Proportional, Time,  \
      Time, SignedAnalog, Proportional, BitOrSwitch, Time, SignedAnalog, SignedAnalog, SignedAnalog)           \
    X(0004, true, Template004, 4, SignedAnalog, AnalogOutput, Proportional, SignedAnalog, Proportional, Time,  \
      Time, SignedAnalog, Proportional, Time, BitOrSwitch, Time, SignedAnalog)                                 \
    X(0010, true, Template010, 2, SignedAnalog, AnalogOutput, Proportional, SignedAnalog, Proportional, Time,  \
      SignedAnalog, Proportional)                                                                              \
    X(0011, true, Template011, 3, SignedAnalog, AnalogOutput, Time, SignedAnalog, Proportional)                \
    X(0012, true, Template012, 2, SignedAnalog, AnalogOutput, Time, SignedAnalog, Proportional, SignedAnalog,  \
      SignedAnalog, BitOrSwitch, BitOrSwitch)                                                                  \
    X(0013, true, Template013, 0, SignedAnalog, AnalogOutput, Time, SignedAnalog, Proportional)                \
    X(0014, true, Template014, 0, Timer, AnalogOutput, Time, SignedAnalog, Time, SignedAnalog, Time,           \
      SignedAnalog, Time, SignedAnalog)                                                                        \
    X(0015, true, Template015, 1, SignedAnalog, AnalogOutput, Time, SignedAnalog, Proportional)                \
    X(0030, true, Template030, 0, SignedAnalog, Scale, SignedAnalog, Scale, SignedAnalog, Scale, AnalogOutput) \
    X(0031, true, Template031, 0, SignedAnalog, SignedAnalog, SignedAnalog, AnalogOutput)                      \
    X(0032, true, Template032, 0, SignedAnalog, SignedAnalog, AnalogOutput)                                    \
    X(0033, true, Template033, 0, SignedAnalog, AnalogOutput, SignedAnalog, SignedAnalog, SignedAnalog,        \
      SignedAnalog, SignedAnalog, SignedAnalog, SignedAnalog, SignedAnalog)                                    \
    X(0034, true, Template034, 0, SignedAnalog, SignedAnalog, SignedAnalog, SignedAnalog, SignedAnalog,        \
      SignedAnalog, SignedAnalog, SignedAnalog, AnalogOutput, AnalogOutput, BitOrSwitch)                       \
    X(0040, true, Template040, 0, SignedAnalog, SignedAnalog, SignedAnalog, SignedAnalog, AnalogOutput,        \
      AnalogOutput)                                                                                            \
    X(0041, true, Template041, 0, SignedAnalog, SignedAnalog, SignedAnalog, SignedAnalog, OutputBit)           \
    X(0042, true, Template042, 0, SignedAnalog, SignedAnalog, SignedAnalog, AnalogOutput, AnalogOutput)        \
    X(0050, true, Template050, 0, SignedAnalog, SignedAnalog, SignedAnalog, SignedAnalog, AnalogOutput,        \
      AnalogOutput)                                                                                            \
    X(0051, true, Template051, 0, SignedAnalog, SignedAnalog, SignedAnalog, SignedAnalog, AnalogOutput,        \
      AnalogOutput)                                                                                            \
    X(0052, true, Template052, 0, SignedAnalog, SignedAnalog, SignedAnalog, SignedAnalog, AnalogOutput,        \
      AnalogOutput)                                                                                            \
    X(0053, true, Template053, 0, SignedAnalog, SignedAnalog, AnalogOutput, AnalogOutput)                      \
    X(0060, true, Template060, 0, SignedAnalog, AnalogOutput, AnalogOutput)                                    \
    X(0061, true, Template061, 0, SignedAnalog, SignedAnalog, AnalogOutput, AnalogOutput)                      \
    X(0062, true, Template062, 0, SignedAnalog, SignedAnalog, AnalogOutput)                                    \
    X(0063, true, Template063, 0, SignedAnalog, SignedAnalog, AnalogOutput, AnalogOutput)                      \
    X(0100, true, Template100, 0, Bit, OutputBit, Count1To128, Count1To128, SignedAnalog, BitOrSwitch)         \
    X(0101, true, Template101, 0, SignedAnalog, AnalogOutput, Count1To128, Count1To128, SignedAnalog)          \
    X(0102, true, Template102, 0, Bit, OutputBit, Count1To128, Count1To128, SignedAnalog, BitOrSwitch)         \
    X(0103, true, Template103, 0, SignedAnalog, AnalogOutput, Count1To128, Count1To128, SignedAnalog)          \
    X(0104, true, Template104, 0, SignedAnalog, SignedAnalog, SignedAnalog, SignedAnalog, SignedAnalog,        \
      SignedAnalog, SignedAnalog, SignedAnalog, AnalogOutput, SignedAnalog)                                    \
    X(0130, true, Template130, 0, OutputBit, Count1To128, Switch)                                              \
    X(0131, true, Template131, 0, Bit, OutputBit, Count1To128, Switch, Switch)                                 \
    X(0132, true, Template132, 0, Bit, OutputBit, Count1To128, Switch, Switch)                                 \
    X(0133, true, Template133, 0, Bit, OutputBit, Count1To128, Switch, Switch)                                 \
    X(0134, true, Template134, 0, Bit, Bit, OutputBit, Count1To128, Switch, Switch, Switch)                    \
    X(0135, true, Template135, 0, Bit, Bit, OutputBit, Count1To128, Switch, Switch, Switch)                    \
    X(0140, true, NoTemplate, 0, None)                                                                         \
    X(0141, true, NoTemplate, 0, None, None, None)                                                             \
    X(0142, true, NoTemplate, 0, None, None, None)                                                             \
    X(0143, true, NoTemplate, 0, None, None)                                                                   \
    X(0144, true, NoTemplate, 0, None, None, None)                                                             \
    X(0145, true, NoTemplate, 0, None, None)                                                                   \
    X(0160, true, NoTemplate, 0, Bit, Bit, Count1To128, Count1To128)                                           \
    X(0161, true, NoTemplate, 0, SignedAnalog, SignedAnalog, Count1To128, Count1To128)                         \
    X(0162, true, NoTemplate, 0, Bit, Bit, Count1To128, Count1To128)                                           \
    X(0163, true, NoTemplate, 0, SignedAnalog, SignedAnalog, Count1To128, Count1To128)                         \
    X(0170, true, NoTemplate, 0)                                                                               \
    X(0171, true, NoTemplate, 0, Count0To7)                                                                    \
    X(0172, true, NoTemplate, 0, Count0To7, AnalogOutput)                                                      \
    X(0173, true, NoTemplate, 0, Count0To7, AnalogOutput, AnalogOutput)                                        \
    X(0174, true, NoTemplate, 0, Bit, Count1To128)                                                             \
    X(0175, false, NoTemplate, 0, OutputBit, Count1To128)

namespace vestrel {

inline constexpr int kAlgorithmCount = 128;
inline constexpr int kMaxCheckedParameters = 14;
inline constexpr int kMaxStateWords = 5;

#define VESTREL_PARAMETER_KIND_ENUMERATOR(kind, message) kind,
#define VESTREL_PARAMETER_KIND_MESSAGE(kind, message) SyntaxMessage::message,
#define VESTREL_PARAMETER_KIND_ONE(kind, message) +1

// What a parameter of an algorithm command must be.
enum class ParameterKind : std::uint8_t { VESTREL_PARAMETER_KINDS(VESTREL_PARAMETER_KIND_ENUMERATOR) };
inline constexpr int kParameterKindCount = 0 VESTREL_PARAMETER_KINDS(VESTREL_PARAMETER_KIND_ONE);
static_assert(kParameterKindCount == 13, "twelve kinds and None");

namespace detail {
inline constexpr std::array<SyntaxMessage, kParameterKindCount> kParameterKindMessages = {
    VESTREL_PARAMETER_KINDS(VESTREL_PARAMETER_KIND_MESSAGE)};
}  // namespace detail

#undef VESTREL_PARAMETER_KIND_ENUMERATOR
#undef VESTREL_PARAMETER_KIND_MESSAGE
#undef VESTREL_PARAMETER_KIND_ONE

// The message that rejects a parameter that is not of this kind.
constexpr SyntaxMessage messageOf(ParameterKind kind) {
    return detail::kParameterKindMessages[static_cast<std::size_t>(kind)];
}

struct AlgorithmInfoEntry {
    std::uint8_t parameterCount = 0;
    bool implemented = false;  // pass 1 accepts the index
    bool hasTemplate = false;  // pass 2 writes IL text for it
    std::uint8_t stateWords = 0;
    std::array<ParameterKind, kMaxCheckedParameters> kinds{};
};

namespace algorithm_records {
struct AlgorithmRecord {
    int index;
    AlgorithmInfoEntry info;
};

constexpr AlgorithmRecord algorithmRecord(int index, bool accepted, std::string_view templateName, int stateWords,
                                          std::initializer_list<ParameterKind> kinds) {
    AlgorithmRecord record{index, {}};
    record.info.parameterCount = static_cast<std::uint8_t>(kinds.size());
    record.info.implemented = accepted;
    record.info.hasTemplate = templateName != "NoTemplate";
    record.info.stateWords = static_cast<std::uint8_t>(stateWords);
    if (kinds.size() > kMaxCheckedParameters) throw "more parameter kinds than a command checks";
    if (stateWords < 0 || stateWords > kMaxStateWords) throw "more state words than an instance keeps";
    std::size_t i = 0;
    for (const ParameterKind kind : kinds) record.info.kinds[i++] = kind;
    return record;
}

#define VESTREL_ALGORITHM_RECORD(index, accepted, generate, stateWords, ...) \
    algorithmRecord(index, accepted, #generate, stateWords, {__VA_ARGS__}),
using enum ParameterKind;
inline constexpr AlgorithmRecord kAlgorithmRecords[] = {VESTREL_ALGORITHMS(VESTREL_ALGORITHM_RECORD)};
#undef VESTREL_ALGORITHM_RECORD

constexpr std::array<AlgorithmInfoEntry, kAlgorithmCount> makeAlgorithmInfo() {
    std::array<AlgorithmInfoEntry, kAlgorithmCount> table{};
    std::array<bool, kAlgorithmCount> listed{};
    for (const AlgorithmRecord& record : kAlgorithmRecords) {
        if (record.index < 0 || record.index >= kAlgorithmCount) throw "an index outside 0..127";
        if (listed[static_cast<std::size_t>(record.index)]) throw "an index listed twice";
        listed[static_cast<std::size_t>(record.index)] = true;
        table[static_cast<std::size_t>(record.index)] = record.info;
    }
    return table;
}

constexpr int countIf(bool AlgorithmInfoEntry::*flag) {
    int n = 0;
    for (const AlgorithmRecord& record : kAlgorithmRecords) n += (record.info.*flag) ? 1 : 0;
    return n;
}
static_assert(countIf(&AlgorithmInfoEntry::implemented) == 52, "52 indexes are implemented");
static_assert(countIf(&AlgorithmInfoEntry::hasTemplate) == 37, "37 indexes have a template");
}  // namespace algorithm_records

inline constexpr std::array<AlgorithmInfoEntry, kAlgorithmCount> AlgorithmInfo = algorithm_records::makeAlgorithmInfo();

// 0..14; 0 for an index outside 0..127.
constexpr int ExpectedParameterCount(int index) {
    if (index < 0 || index >= kAlgorithmCount) return 0;
    return AlgorithmInfo[static_cast<std::size_t>(index)].parameterCount;
}

}  // namespace vestrel
