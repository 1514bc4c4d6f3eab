// Korvel source files: decoding cp1251 and UTF-8, line breaks, and the whole-file write
// that never leaves a temporary or a half-written file.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include <csignal>
#include <filesystem>

#include "project/source_file.h"
#include "support/scratch_dir.h"
#include "translator/text/literal.h"

namespace vestrel::project {
namespace {
using namespace text::literals;
using testing::ScratchDir;

std::vector<std::string> cpLines(std::initializer_list<std::string_view> lines) {
    return {lines.begin(), lines.end()};
}

TEST(SourceDecoding, EncodingsAndLineBreaks) {
    struct Case {
        const char* what;
        std::string bytes;
        SourceEncoding encoding;
        std::vector<std::string> lines;
        bool wasUtf8;
    };
    const std::string cp1251 = std::string("00 если в пуск"_cp);
    const std::string utf8 = "00 если в пуск";
    const Case cases[] = {
        {"cp1251 read as such", cp1251 + "\r\n", SourceEncoding::Auto, cpLines({"00 если в пуск"_cp}), false},
        {"UTF-8 recognised", utf8 + "\r\n", SourceEncoding::Auto, cpLines({"00 если в пуск"_cp}), true},
        {"byte-order mark dropped", "\xEF\xBB\xBF" + utf8, SourceEncoding::Auto, cpLines({"00 если в пуск"_cp}), true},
        {"mark before plain ASCII", "\xEF\xBB\xBF" "000.", SourceEncoding::Auto, cpLines({"000."}), true},
        {"plain ASCII", "000.\n00 b", SourceEncoding::Auto, cpLines({"000.", "00 b"}), false},
        {"forced cp1251 keeps UTF-8 bytes", "\xD0\xB0", SourceEncoding::Cp1251, cpLines({"\xD0\xB0"}), false},
        {"forced UTF-8", utf8, SourceEncoding::Utf8, cpLines({"00 если в пуск"_cp}), true},
        {"cp1251 0x98 is a character too", "\x98", SourceEncoding::Auto, cpLines({"\x98"}), false},
        {"CR LF, lone CR and lone LF", "a\r\nb\rc\nd", SourceEncoding::Auto, cpLines({"a", "b", "c", "d"}), false},
        {"final break opens no line", "a\r\n", SourceEncoding::Auto, cpLines({"a"}), false},
        {"empty lines kept", "\r\n\r\na\r\n\r\n", SourceEncoding::Auto, cpLines({"", "", "a", ""}), false},
        {"empty file", "", SourceEncoding::Auto, {}, false},
    };
    for (const Case& c : cases) {
        const SourceReadResult result = decodeSource(c.bytes, c.encoding);
        EXPECT_TRUE(result.ok) << c.what << ": " << result.error;
        EXPECT_EQ(result.lines(), c.lines) << c.what;
        // The rvalue form takes the bytes over and reads the same.
        const SourceReadResult taken = decodeSource(std::string(c.bytes), c.encoding);
        EXPECT_EQ(taken.text, result.text) << c.what;
        EXPECT_EQ(taken.wasUtf8, result.wasUtf8) << c.what;
        EXPECT_EQ(result.wasUtf8, c.wasUtf8) << c.what;
    }
}

TEST(SourceDecoding, CharactersWithoutACodePageFormNameLineAndColumn) {
    struct Case {
        std::string bytes;
        SourceEncoding encoding;
        std::string error;
    };
    const Case cases[] = {
        {"000.\r\n00 в ☃ пуск\r\n", SourceEncoding::Auto,
         "line 2, column 6: the character U+2603 has no code page 1251 form"},
        {"\xEF\xBB\xBF" "a\n\xF0\x9F\x98\x80", SourceEncoding::Auto,
         "line 2, column 1: the character U+1F600 has no code page 1251 form"},
        {"ok\n\xE5\xF1\xEB\xE8", SourceEncoding::Utf8, "line 2, column 1: the bytes are not valid UTF-8"},
        {"ok\nаб\xFF", SourceEncoding::Utf8, "line 2, column 3: the bytes are not valid UTF-8"},
    };
    for (const Case& c : cases) {
        const SourceReadResult result = decodeSource(c.bytes, c.encoding);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.lines().empty());
        EXPECT_EQ(result.error, c.error);
    }
}

class SourceFiles : public ScratchDir {};

TEST_F(SourceFiles, WrittenWithCrLfAndReadBackToTheSameLines) {
    const std::vector<std::string> lines = cpLines({"Насосная станция"_cp, "", "000."});
    ASSERT_TRUE(writeSourceFile(path("pump.prg"), lines));
    EXPECT_EQ(readBytes(path("pump.prg")), std::string("Насосная станция"_cp) + "\r\n\r\n000.\r\n");
    const SourceReadResult back = readSourceFile(path("pump.prg"), SourceEncoding::Auto);
    EXPECT_TRUE(back.ok);
    EXPECT_EQ(back.lines(), lines);
    EXPECT_EQ(back.text, readBytes(path("pump.prg")));  // what a translation reads, breaks included
    EXPECT_EQ(entriesOf(root().string()), std::set<std::string>{"pump.prg"});
}

// File names are UTF-8 on every system; on Windows they reach the system as wide
// characters, so Cyrillic folders and names work there too.
TEST_F(SourceFiles, CyrillicFolderAndFileNames) {
    std::filesystem::create_directory(testing::fsPath(path("Котельная")));
    const std::string file = path("Котельная/насос №1.prg");
    const std::vector<std::string> lines = cpLines({"Насос"_cp, "000."});
    for (int round = 0; round < 2; ++round) {  // the second write replaces the first file
        std::string error;
        ASSERT_TRUE(writeSourceFile(file, lines, &error)) << error;
        const SourceReadResult back = readSourceFile(file, SourceEncoding::Auto);
        EXPECT_TRUE(back.ok) << back.error;
        EXPECT_EQ(back.lines(), lines);
        EXPECT_EQ(entriesOf(path("Котельная")), std::set<std::string>{"насос №1.prg"});
    }
    const SourceReadResult missing = readSourceFile(path("Котельная/нет.prg"), SourceEncoding::Auto);
    EXPECT_EQ(missing.error, "cannot read " + path("Котельная/нет.prg") + ": No such file or directory");
}

TEST_F(SourceFiles, ReadFailuresNameTheFile) {
    EXPECT_EQ(readWholeFile(path("missing.prg")), std::nullopt);
    EXPECT_EQ(readWholeFile(root().string()), std::nullopt);  // a directory
    const SourceReadResult missing = readSourceFile(path("missing.prg"), SourceEncoding::Auto);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "cannot read " + path("missing.prg") + ": No such file or directory");
    writeBytes(path("bad.prg"), "a\n\xE2\x98\x83");
    EXPECT_EQ(readSourceFile(path("bad.prg"), SourceEncoding::Auto).error,
              path("bad.prg") + ": line 2, column 1: the character U+2603 has no code page 1251 form");
}

TEST_F(SourceFiles, AtomicWriteReplacesAndKeepsTheAccessRights) {
    writeBytes(path("f"), "old contents");
#ifndef _WIN32
    ::chmod(path("f").c_str(), 0640);
#endif
    ASSERT_TRUE(writeFileAtomically(path("f"), "new"));
    EXPECT_EQ(readBytes(path("f")), "new");
    EXPECT_EQ(entriesOf(root().string()), std::set<std::string>{"f"});
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: access rights as file modes";
#else
    struct stat info {};
    ASSERT_EQ(::stat(path("f").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
#endif
}

// A write that fails half-way (the file-size limit stops it even for root) leaves the
// old file whole and no temporary file.
TEST_F(SourceFiles, AWriteThatFailsHalfWayLeavesTheOldFileWhole) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: a file-size limit that makes a write fail half-way";
#else
    writeBytes(path("f"), "old contents");
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);

    std::string error;
    const bool written = static_cast<bool>(writeFileAtomically(path("f"), std::string(100, 'x'), &error));

    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, "Cannot create file " + path("f") + ": File too large");
    EXPECT_EQ(readBytes(path("f")), "old contents");
    EXPECT_EQ(entriesOf(root().string()), std::set<std::string>{"f"});
#endif
}

}  // namespace
}  // namespace vestrel::project
