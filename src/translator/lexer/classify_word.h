// What a word of a numbered line is: a keyword, a variable of one of the eight families,
// a "тс" marker or an "алг" command, with its token code or the message that rejects it.
#pragma once

#include <string_view>

#include "translator/diagnostics/messages.h"
#include "translator/lexer/numbering.h"
#include "translator/lexer/token_file.h"

namespace vestrel {

struct WordClass {
    LexicalMessage message = LexicalMessage::None;  // what rejects the word
    TokenCode code = 0;  // valid when message is None
};

// `word` is lower-case (after macro replacement). An accepted algorithm command starts
// the parameter count in `numbering`; nothing else is changed.
WordClass ClassifyWord(std::string_view word, NumberingState& numbering);

}  // namespace vestrel
