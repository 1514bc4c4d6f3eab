// Runs pass 1 over source lines typed in UTF-8 and gives back what it produced in a
// readable form: the records as "CODE text" (UTF-8) and the messages as line, column, code.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "translator/lexer/lexic_analys.h"
#include "translator/lexer/token_file.h"
#include "translator/run/messages.h"
#include "translator/text/cp1251.h"

namespace vestrel::testing {

struct LexicalMessage {
    int line = 0;
    int column = 0;
    int code = 0;
    bool operator==(const LexicalMessage&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const LexicalMessage& m) {
    return out << "(line " << m.line << ", column " << m.column << ", message " << m.code << ")";
}

struct PassOne {
    int result = 0;                 // what Analyse returned
    std::vector<std::string> records;  // "CODE text", UTF-8
    std::vector<LexicalMessage> messages;
    bool messagePanel = false;
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

// Reads "Ошибка!!! (L,C).text" back into its three numbers; the text must be one of
// the nineteen messages.
inline LexicalMessage parseLexicalMessage(const std::string& entry) {
    LexicalMessage message;
    const std::size_t open = entry.find('(');
    const std::size_t comma = entry.find(',', open);
    const std::size_t close = entry.find(").", comma);
    EXPECT_NE(close, std::string::npos) << text::toUtf8(entry);
    if (close == std::string::npos) return message;
    message.line = std::stoi(entry.substr(open + 1, comma - open - 1));
    message.column = std::stoi(entry.substr(comma + 1, close - comma - 1));
    const std::string_view text = std::string_view(entry).substr(close + 2);
    for (int code = 1; code <= kLexicalMessageCount; ++code)
        if (kLexicalMessages[static_cast<std::size_t>(code)] == text) message.code = code;
    EXPECT_NE(message.code, 0) << text::toUtf8(entry);
    return message;
}

// Pass 1 over the lines (UTF-8, converted to cp1251 first).
inline PassOne runPassOne(const std::vector<std::string>& utf8Lines) {
    std::vector<std::string> source;
    for (const std::string& line : utf8Lines) source.push_back(cp(line));
    TokenFile file;
    DiagnosticList messages;
    bool panel = true;
    SilentProgress progress;
    TLexicAnalys analyser;
    PassOne pass;
    pass.result = analyser.Analyse({&file, &source, &messages, &panel, &progress});
    pass.bytes = file.bytes();
    pass.records = decodeRecords(file.bytes());
    for (const Diagnostic& entry : messages.entries())
        if (entry.level == 1) pass.messages.push_back(parseLexicalMessage(entry.text));
    pass.messagePanel = panel;
    pass.errorCount = analyser.errorCount();
    return pass;
}

}  // namespace vestrel::testing
