// Runs pass 1 over source lines typed in UTF-8 and gives back what it produced in a
// readable form: the records as "CODE text" (UTF-8) and the messages as line, column, code.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "translator/lexer/lexic_analys.h"
#include "translator/lexer/token_sequence.h"
#include "translator/text/source_text.h"
#include "translator/diagnostics/diagnostics.h"
#include "translator/diagnostics/trace_log.h"
#include "translator/text/cp1251.h"

namespace vestrel::testing {

struct CitedMessage {
    int line = 0;
    int column = 0;
    int code = 0;
    bool operator==(const CitedMessage&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const CitedMessage& m) {
    return out << "(line " << m.line << ", column " << m.column << ", message " << m.code << ")";
}

struct PassOne {
    int result = 0;                 // what Analyse returned
    std::vector<std::string> records;  // "CODE text", UTF-8
    std::vector<CitedMessage> messages;
    int errorCount = 0;
    std::string bytes;              // the token records as --tokens writes them
};

inline std::string cp(std::string_view utf8) {
    const auto converted = text::fromUtf8(utf8);
    EXPECT_TRUE(converted.has_value()) << utf8;
    return converted.value_or(std::string());
}

inline std::vector<std::string> decodeRecords(std::string_view bytes) {
    std::vector<std::string> records;
    const TokenSequence tokens = readTokenRecords(bytes);
    EXPECT_FALSE(tokens.hasFaults()) << "a record the reader cannot read";
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        std::string code = "0000" + hexCode(tokens[i].code);
        records.push_back(code.substr(code.size() - 4) + " " + text::toUtf8(tokens.text(tokens[i])));
    }
    return records;
}

// A source made in a call's arguments lives until the end of the call: this lets the
// call take its address.
inline const SourceText& kept(const SourceText& source) { return source; }

// Pass 1 over the lines (UTF-8, converted to cp1251 first).
inline PassOne runPassOne(const std::vector<std::string>& utf8Lines) {
    std::vector<std::string> source;
    for (const std::string& line : utf8Lines) source.push_back(cp(line));
    TokenSequence file;
    DiagnosticList messages;
    SilentProgress progress;
    TLexicAnalys analyser;
    PassOne pass;
    const SourceText text(source);
    pass.result = analyser.Analyse({&file, &text, &messages, &progress});
    pass.bytes = renderTokenRecords(file);
    pass.records = decodeRecords(pass.bytes);
    for (const Diagnostic& entry : messages.entries()) {
        EXPECT_EQ(entry.pass, TranslationPass::Lexical) << text::toUtf8(entry.text());
        pass.messages.push_back({entry.line, entry.column, entry.code});
    }
    pass.errorCount = analyser.errorCount();
    return pass;
}

}  // namespace vestrel::testing
