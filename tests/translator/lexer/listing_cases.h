// A whole small listing through pass 1, with the records and messages it must give.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lexer_support.h"

namespace vestrel::testing {

struct ListingCase {
    const char* name;
    std::vector<std::string> source;   // UTF-8
    std::vector<std::string> records;  // "CODE text"
    std::vector<CitedMessage> messages;
};

inline void checkListing(const ListingCase& c) {
    SCOPED_TRACE(c.name);
    const PassOne pass = runPassOne(c.source);
    EXPECT_EQ(pass.records, c.records);
    EXPECT_EQ(pass.messages, c.messages);
    int tokens = 0;
    for (const std::string& record : c.records)
        if (record.rfind("D200 ", 0) != 0 && record.rfind("D100 ", 0) != 0) ++tokens;
    EXPECT_EQ(pass.result, tokens);
    EXPECT_EQ(pass.errorCount, static_cast<int>(c.messages.size()));
}

}  // namespace vestrel::testing
