// The algorithm command being collected: its index and up to twenty parameter values,
// with the per-kind instance counters of stateful algorithms.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "translator/lexer/token_file.h"

namespace vestrel {

inline constexpr int kMaxAlgorithmParameters = 20;

struct AlgorithmParameter {
    std::string text;   // the token's text as the token file holds it
    TokenCode code = 0;
    TokenCode sign = 0;  // a leading "+" or "-" token, 0 when none
};

struct TKorvelAlgorithm {
    int index = 0;  // low 8 bits of the алгNNN token
    int count = 0;  // parameters collected so far
    std::array<AlgorithmParameter, kMaxAlgorithmParameters> parameters{};
    std::array<std::int32_t, 128> StateInstance{};  // latest instance taken per StateKind
    bool pending = false;
    std::string line;           // the line buffer of the command; its room is kept
    bool lineWritten = false;   // a template opened the line
    std::uint32_t sourceLine = 0;  // the source line of the command, which its IL records
};

}  // namespace vestrel
