// Runs pass 1 over source lines typed in UTF-8 and gives back what it produced in a
// readable form: the records as "CODE text" (UTF-8) and the messages as line, column, code.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "translator/lexer/lexic_analys.h"
#include "translator/lexer/token_file.h"
#include "translator/diagnostics/diagnostics.h"
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
    std::string bytes;              // the token file as written
};

inline std::string cp(std::string_view utf8) {
    const auto converted = text::fromUtf8(utf8);
    EXPECT_TRUE(converted.has_value()) << utf8;
    return converted.value_or(std::string());
}

inline std::vector<std::string> decodeRecords(std::string_view bytes) {
    std::vector<std::string> records;
    TokenFileLines lines(bytes);
    while (const auto code = lines.next()) {
        const auto textLine = lines.next();
        EXPECT_TRUE(textLine.has_value()) << "a code line without its text line";
        records.push_back(std::string(*code) + " " + text::toUtf8(textLine.value_or("")));
    }
    return records;
}

// Pass 1 over the lines (UTF-8, converted to cp1251 first).
inline PassOne runPassOne(const std::vector<std::string>& utf8Lines) {
    std::vector<std::string> source;
    for (const std::string& line : utf8Lines) source.push_back(cp(line));
    TokenFile file;
    DiagnosticList messages;
    SilentProgress progress;
    TLexicAnalys analyser;
    PassOne pass;
    pass.result = analyser.Analyse({&file, &source, &messages, &progress});
    pass.bytes = file.bytes();
    pass.records = decodeRecords(file.bytes());
    for (const Diagnostic& entry : messages.entries()) {
        EXPECT_EQ(entry.pass, TranslationPass::Lexical) << text::toUtf8(entry.text());
        pass.messages.push_back({entry.line, entry.column, entry.code});
    }
    pass.errorCount = analyser.errorCount();
    return pass;
}

}  // namespace vestrel::testing
