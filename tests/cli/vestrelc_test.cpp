// vestrelc end to end: options, settings, encodings, messages, exit statuses and the files
// it writes (and leaves alone).
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <map>

#include <nlohmann/json.hpp>

#include "cli/command_line.h"
#include "cli/vestrelc.h"
#include "project/file_system.h"
#include "project/il_project.h"
#include "project/source_file.h"
#include "support/scratch_dir.h"
#include "support/windows_api.h"
#include "translator/text/cp1251.h"
#include "translator/text/literal.h"

namespace vestrel::cli {
namespace {
using namespace text::literals;
using testing::ScratchDir;

struct Outcome {
    int status = -1;
    std::string out, err;
};

// A translation step that records what vestrelc asked for and answers with a prepared result.
struct TranslationDouble {
    TranslationResult answer;
    std::vector<std::string> lines;
    TranslationOptions options;
    RunHooks hooks;
    int calls = 0;

    TranslateStep step() {
        return [this](std::string_view source, const TranslationOptions& given, const RunHooks& h) {
            ++calls;
            lines = splitSourceLines(source);
            options = given;
            hooks = h;
            return answer;
        };
    }
};

// A run that succeeded and gave text to the slots named.
TranslationResult accepted(const std::map<int, std::vector<std::string>>& slots) {
    TranslationResult result;
    result.syntaxStatus = 0;
    for (const auto& [slot, lines] : slots) {
        for (const std::string& line : lines) result.slotLines[static_cast<std::size_t>(slot)].push_back(line);
        result.slotReceivedText[static_cast<std::size_t>(slot)] = true;
    }
    return result;
}

const std::string kSourceDir = VESTREL_SOURCE_DIR;

class Vestrelc : public ScratchDir {
protected:
    std::string source;  // a copy of examples/pump.prg in the scratch directory

    void SetUp() override {
        ScratchDir::SetUp();
        source = path("pump.prg");
        std::filesystem::copy_file(kSourceDir + "/examples/pump.prg", source);
    }

    static Outcome run(std::vector<std::string> arguments, const TranslateStep& translate = {}) {
        arguments.insert(arguments.begin(), "vestrelc");
        std::vector<char*> argv;
        for (std::string& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        StringOutput out, err;
        Outcome outcome;
        const int argc = static_cast<int>(arguments.size());
        outcome.status = translate ? runVestrelc(argc, argv.data(), out, err, translate)
                                   : runVestrelc(argc, argv.data(), out, err);
        outcome.out = out.text();
        outcome.err = err.text();
        return outcome;
    }

    static std::vector<std::string> linesOf(const std::string& file) {
        return project::readSourceFile(file, project::SourceEncoding::Auto).lines();
    }
};

TEST_F(Vestrelc, TranslatesIntoTheDirectoryNamedAfterTheSource) {
    const TranslationResult expected = runTranslation(linesOf(source), TranslationOptions{});
    ASSERT_TRUE(expected.outputShown());

    const Outcome outcome = run({source});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");

    // The project holds exactly the slots that received text, in the slot file format.
    const std::string directory = path("pump");
    std::set<std::string> files;
    std::string names;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!expected.slotReceivedText[static_cast<std::size_t>(slot)]) continue;
        const std::string name = project::slotFileName(slot);
        files.insert(name);
        names += (names.empty() ? ": " : " ") + name;
        std::string bytes;
        for (std::string_view line : expected.slotLines[static_cast<std::size_t>(slot)]) (bytes += line) += "\r\r\n";
        EXPECT_EQ(readBytes(directory + "/" + name), bytes) << name;
    }
    EXPECT_EQ(entriesOf(directory), files);
    EXPECT_EQ(outcome.out, "Wrote " + std::to_string(files.size()) + (files.size() == 1 ? " file" : " files") +
                               " to " + directory + names + "\n");
    EXPECT_EQ(entriesOf(root().string()), (std::set<std::string>{"pump.prg", "pump"}));
}

TEST_F(Vestrelc, Utf8AndCp1251SourcesGiveTheSameProject) {
    const std::string utf8Source = path("pump-utf8.prg");
    writeBytes(utf8Source, text::toUtf8(readBytes(source)));

    EXPECT_EQ(run({"-o", path("a"), source}).status, 0);
    EXPECT_EQ(run({"-o", path("b"), utf8Source}).status, 0);
    EXPECT_EQ(entriesOf(path("a")), entriesOf(path("b")));
    for (const std::string& name : entriesOf(path("a")))
        EXPECT_EQ(readBytes(path("a/" + name)), readBytes(path("b/" + name))) << name;

    // Both hand the translation the same cp1251 lines.
    TranslationDouble fromCp1251, fromUtf8;
    fromCp1251.answer = fromUtf8.answer = accepted({});
    run({"--check", source}, fromCp1251.step());
    run({"--check", "--encoding", "utf-8", utf8Source}, fromUtf8.step());
    ASSERT_EQ(fromCp1251.lines.size(), 11u);
    EXPECT_EQ(fromCp1251.lines[0], "Насосная станция"_cp);
    EXPECT_EQ(fromCp1251.lines[10], "00 ив01 = ва001 + 5"_cp);
    EXPECT_EQ(fromUtf8.lines, fromCp1251.lines);
}

TEST_F(Vestrelc, UsageErrorsExitWith2) {
    struct Case {
        std::vector<std::string> arguments;
        std::string firstLine;
    };
    const std::string pump = "pump.prg";
    const Case cases[] = {
        {{}, "vestrelc: no SOURCE file given"},
        {{"--bogus", pump}, "vestrelc: unknown option '--bogus'"},
        {{"-x", pump}, "vestrelc: unknown option '-x'"},
        {{"--tick", "54", pump}, "vestrelc: option '--tick' needs a whole number from 55 to 100, not '54'"},
        {{"--tick=101", pump}, "vestrelc: option '--tick' needs a whole number from 55 to 100, not '101'"},
        {{"--tick", "6O", pump}, "vestrelc: option '--tick' needs a whole number from 55 to 100, not '6O'"},
        {{"--period", "0", pump}, "vestrelc: option '--period' needs a whole number from 1 to 100, not '0'"},
        {{"--period", "101", pump}, "vestrelc: option '--period' needs a whole number from 1 to 100, not '101'"},
        {{"--period", " 5", pump}, "vestrelc: option '--period' needs a whole number from 1 to 100, not ' 5'"},
        {{"--encoding", "koi8-r", pump}, "vestrelc: --encoding must be auto, cp1251 or utf-8, not 'koi8-r'"},
        {{pump, "-o"}, "vestrelc: option '-o' needs a value"},
        {{"--check=yes", pump}, "vestrelc: option '--check' takes no value"},
        {{"--diagnostics-format", "xml", pump}, "vestrelc: --diagnostics-format must be gnu, json or sarif, not 'xml'"},
        {{"--diagnostics-format=", pump}, "vestrelc: --diagnostics-format must be gnu, json or sarif, not ''"},
        {{pump, "--source-map"}, "vestrelc: option '--source-map' needs a value"},
        {{pump, "other.prg"}, "vestrelc: more than one SOURCE file given ('other.prg')"},
    };
    for (const Case& c : cases) {
        TranslationDouble translation;
        const Outcome outcome = run(c.arguments, translation.step());
        EXPECT_EQ(outcome.status, 2) << c.firstLine;
        EXPECT_EQ(outcome.err, c.firstLine + "\nTry 'vestrelc --help' for more information.\n");
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(translation.calls, 0);
    }
}

TEST(CommandLine, DiagnosticsFormatAndSourceMap) {
    struct Case {
        std::vector<std::string_view> arguments;
        DiagnosticsFormat format;
        std::optional<std::string> sourceMap;
    };
    const Case cases[] = {
        {{"a.prg"}, DiagnosticsFormat::Gnu, std::nullopt},
        {{"--diagnostics-format", "json", "a.prg"}, DiagnosticsFormat::Json, std::nullopt},
        {{"--diagnostics-format=sarif", "--source-map", "m.json", "a.prg"}, DiagnosticsFormat::Sarif, "m.json"},
        {{"--diagnostics-format=json", "--diagnostics-format", "gnu", "--source-map=x", "a.prg"},
         DiagnosticsFormat::Gnu, "x"},
    };
    for (const Case& c : cases) {
        const ParseResult parsed = parseCommandLine(c.arguments);
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        EXPECT_EQ(parsed.commandLine.diagnosticsFormat, c.format);
        EXPECT_EQ(parsed.commandLine.sourceMapFile, c.sourceMap);
        EXPECT_EQ(parsed.commandLine.source, "a.prg");
    }
}

TEST_F(Vestrelc, FileAndEncodingErrorsExitWith2AndWriteNothing) {
    writeBytes(path("snow.prg"), "000.\n00 в ☃\n");
    writeBytes(path("plain"), "x");
    struct Case {
        std::vector<std::string> arguments;
        std::string err;
    };
    const Case cases[] = {
        {{path("missing.prg")}, "vestrelc: cannot read " + path("missing.prg") + ": No such file or directory\n"},
        {{root().string()}, "vestrelc: cannot read " + root().string() + ": not a regular file\n"},
        {{path("snow.prg")},
         "vestrelc: " + path("snow.prg") + ": line 2, column 6: the character U+2603 has no code page 1251 form\n"},
        {{"--encoding", "utf-8", source},
         "vestrelc: " + source + ": line 1, column 1: the bytes are not valid UTF-8\n"},
        {{"--ini", path("missing.ini"), source}, "vestrelc: cannot read the ini file " + path("missing.ini") + ": No such file or directory\n"},
        {{"-o", path("plain/pump"), source}, "vestrelc: Не могу создать каталог: " + path("plain/pump") + ": Not a directory\n"},
        {{"-o", path("no/such/dir"), source}, "vestrelc: Не могу создать каталог: " + path("no/such/dir") + ": No such file or directory\n"},
        {{"--tokens", path("plain/tokens"), source}, "vestrelc: Cannot create file " + path("plain/tokens") + ": Not a directory\n"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = run(c.arguments);
        EXPECT_EQ(outcome.status, 2) << c.err;
        EXPECT_EQ(outcome.err, c.err);
        EXPECT_EQ(outcome.out, "");
    }
    EXPECT_EQ(entriesOf(root().string()), (std::set<std::string>{"pump.prg", "snow.prg", "plain"}));
}

TEST_F(Vestrelc, ASlotFileThatCannotBeWrittenExitsWith2WithoutTemporaryFiles) {
    TranslationDouble translation;
    translation.answer = accepted({{0, {"I"}}, {1, {"A"}}});
    std::filesystem::create_directories(path("pump/1.IL"));
    const Outcome outcome = run({source}, translation.step());
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err, "vestrelc: Cannot create file " + path("pump") + "/1.IL: Is a directory\n");
    EXPECT_EQ(outcome.out, "");
    // Nothing of the new project is written when one of its files cannot be.
    EXPECT_EQ(entriesOf(path("pump")), (std::set<std::string>{"1.IL"}));
}

TEST_F(Vestrelc, MessagesGoToStandardErrorAndNothingIsWritten) {
    struct Case {
        const char* what;
        TranslationResult answer;
        std::string err;
    };
    // The source (pump.prg) has 11 lines.
    TranslationResult lexical;
    lexical.diagnostics.AddLexicalError(2, 4, LexicalMessage::UnknownVariable);
    lexical.diagnostics.AddLexicalError(9, 7, LexicalMessage::SeveralCommands);
    TranslationResult syntax;
    syntax.syntaxStatus = 0x9002;
    syntax.diagnostics.AddSyntaxError(7, 3, SyntaxMessage::SyntaxError);
    // Parameter messages do not stop pass 2, but a run with messages shows no output.
    TranslationResult parameters = accepted({{0, {"I"}}, {1, {"A"}}});
    parameters.diagnostics.AddSyntaxError(1, 1, SyntaxMessage::FourthParameterNotConstant);
    // Lines that are not in the source are placed on the nearest real line; the text stays.
    TranslationResult outside = accepted({{0, {"I"}}});
    outside.diagnostics.AddSyntaxError(-9, 2, SyntaxMessage::ParameterNotAnalogOutput);
    outside.diagnostics.AddSyntaxError(12, 1, SyntaxMessage::SyntaxError);
    TranslationResult silentFailure;
    silentFailure.syntaxStatus = -1;

    const Case cases[] = {
        {"lexical", lexical,
         source + ":2:4: error: Ошибка!!! (2,4).Неизвестная переменная\n" + source +
             ":9:7: error: Ошибка!!! (9,7).Фрагмент содержит несколько команд\n"},
        {"syntax", syntax, source + ":7: error: Ошибка!!! (7, слово №3).Синтаксическая ошибка!\n"},
        {"parameters", parameters,
         source + ":1: error: Ошибка!!! (1, слово №1).4-й параметр алгоритма должен быть: константа от -1000 до +1000 "
                  "(Ограничение Orvenix) \n"},
        {"lines outside the source", outside,
         source + ":1: error: Ошибка!!! (-9, слово №2).Параметр алгоритма должен быть: АВ\n" + source +
             ":11: error: Ошибка!!! (12, слово №1).Синтаксическая ошибка!\n"},
        {"no output without a message", silentFailure,
         source + ": the translation stopped without a message (syntax status -1)\n"},
    };
    for (const Case& c : cases) {
        TranslationDouble translation;
        translation.answer = c.answer;
        const Outcome outcome = run({source}, translation.step());
        EXPECT_EQ(outcome.status, 1) << c.what;
        EXPECT_EQ(outcome.err, c.err) << c.what;
        EXPECT_EQ(outcome.out, "") << c.what;
        EXPECT_FALSE(std::filesystem::exists(path("pump"))) << c.what;
    }
}

// The documents of real runs: only the document on standard output, nothing on standard error.
TEST_F(Vestrelc, JsonAndSarifDocumentsDescribeTheWholeRun) {
    using Json = nlohmann::ordered_json;
    const std::string faulty = path("faulty.prg");
    writeBytes(faulty, std::string("000.\r\n00 в дв001\r\n01 в зз001\r\n02 в дв002 в\r\n"_cp));

    Outcome outcome = run({"--diagnostics-format", "json", faulty});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "");
    Json document = Json::parse(outcome.out);
    EXPECT_EQ(document["outcome"], "messages");
    EXPECT_EQ(document["exitStatus"], 1);
    EXPECT_EQ(document["source"], faulty);
    EXPECT_EQ(document["messages"], Json::parse(R"([
        {"severity": "error", "pass": "lexical", "code": 6, "name": "UnknownIdentifier", "line": 3, "column": 6,
         "text": "Ошибка!!! (3,6).Неизвестный идентификатор"},
        {"severity": "error", "pass": "lexical", "code": 19, "name": "SeveralCommands", "line": 4, "column": 12,
         "text": "Ошибка!!! (4,12).Фрагмент содержит несколько команд"}])"));
    EXPECT_EQ(document["files"], Json::array());

    // A command without its parameters cites a line before the first one.
    const std::string missing = path("missing-parameters.prg");
    writeBytes(missing, std::string("000.\r\n00 алг001\r\n"_cp));
    outcome = run({"--diagnostics-format=json", missing});
    document = Json::parse(outcome.out);
    ASSERT_EQ(document["messages"].size(), 1u);
    EXPECT_EQ(document["messages"][0]["line"], 1);
    EXPECT_EQ(document["messages"][0]["citedLine"], -9);
    EXPECT_EQ(document["messages"][0]["word"], 1);
    EXPECT_TRUE(document["messages"][0]["text"].get<std::string>().starts_with("Ошибка!!! (-9, слово №1)."));

    outcome = run({"--diagnostics-format", "sarif", faulty});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "");
    const Json log = Json::parse(outcome.out);
    const Json& results = log["runs"][0]["results"];
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[1]["ruleId"], "SeveralCommands");
    EXPECT_EQ(results[1]["locations"][0]["physicalLocation"]["region"], Json::parse(R"({"startLine": 4, "startColumn": 12})"));
    EXPECT_EQ(log["runs"][0]["tool"]["driver"]["rules"][1]["shortDescription"]["text"], "Фрагмент содержит несколько команд");

    // A written project: every file, the IL files with their slots; no summary line.
    outcome = run({"--diagnostics-format", "json", "--tokens", path("t.txt"), "-o", path("out"), source});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    document = Json::parse(outcome.out);
    EXPECT_EQ(document["outcome"], "translated");
    EXPECT_EQ(document["messages"], Json::array());
    EXPECT_EQ(document["files"], Json::array({Json{{"path", path("t.txt")}, {"kind", "tokens"}},
                                              Json{{"path", path("out") + "/init.IL"}, {"kind", "il"}, {"slot", 0}},
                                              Json{{"path", path("out") + "/1.IL"}, {"kind", "il"}, {"slot", 1}}}));

    // A file error is a document too.
    outcome = run({"--diagnostics-format", "json", path("nothing.prg")});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err, "");
    document = Json::parse(outcome.out);
    EXPECT_EQ(document["outcome"], "file-error");
    EXPECT_EQ(document["error"], "cannot read " + path("nothing.prg") + ": No such file or directory");
}

TEST_F(Vestrelc, SourceMapGivesTheKorvelLineOfEachIlLine) {
    using Json = nlohmann::ordered_json;
    Outcome outcome = run({"-q", "--source-map", path("map.json"), "-o", path("out"), source});
    EXPECT_EQ(outcome.status, 0);
    Json map = Json::parse(readBytes(path("map.json")));
    EXPECT_EQ(map["format"], "vestrel-source-map");
    EXPECT_EQ(map["source"], source);
    ASSERT_EQ(map["files"].size(), 2u);
    EXPECT_EQ(map["files"][0]["file"], "init.IL");
    EXPECT_EQ(map["files"][1]["file"], "1.IL");
    EXPECT_EQ(map["files"][1]["slot"], 1);
    // As many entries as the written files have lines.
    for (const Json& file : map["files"]) {
        const std::string bytes = readBytes(path("out/") + file["file"].get<std::string>());
        std::size_t lines = 0;
        for (std::size_t at = bytes.find("\r\r\n"); at != std::string::npos; at = bytes.find("\r\r\n", at + 3)) ++lines;
        EXPECT_EQ(file["lines"].size(), lines) << file["file"];
    }
    // init.IL: twenty fixed lines, the three comment lines before the first section, EXIT.
    Json init = Json::array();
    for (int i = 0; i < 20; ++i) init.push_back(nullptr);
    for (int line : {1, 2, 3}) init.push_back(line);
    init.push_back(nullptr);
    EXPECT_EQ(map["files"][0]["lines"], init);
    // 1.IL opens with PROGRAM from the header on line 4; its declarations come from the
    // header of the last section (line 10), which closes the program at the end.
    const Json& block = map["files"][1]["lines"];
    EXPECT_EQ(block[0], 4);
    EXPECT_EQ(block[1], 10);
    EXPECT_EQ(block.back(), 10);

    // A run with messages maps no file; the map is still written.
    const std::string faulty = path("faulty.prg");
    writeBytes(faulty, std::string("000.\r\n00 в зз001\r\n"_cp));
    outcome = run({"--source-map", path("map2.json"), faulty});
    EXPECT_EQ(outcome.status, 1);
    map = Json::parse(readBytes(path("map2.json")));
    EXPECT_EQ(map["files"], Json::array());
}

// A full run sets large texts aside beside the project (a check keeps none): with a limit
// so small that every slot spills, the project and the source map are the bytes a whole
// run writes, and nothing else is left behind.
TEST_F(Vestrelc, ASpillingRunWritesTheSameProjectAndSourceMap) {
    TranslationDouble check;
    run({"--check", source}, check.step());
    EXPECT_EQ(check.hooks.spill, nullptr);

    IlSpillPolicy tiny;
    int spilledSlots = 0;
    const TranslateStep spilling = [&](std::string_view text, const TranslationOptions& options, const RunHooks& given) {
        EXPECT_NE(given.spill, nullptr);
        tiny = *given.spill;
        tiny.heldLimit = 64;
        RunHooks hooks = given;
        hooks.spill = &tiny;
        TranslationResult result = runTranslation(text, options, hooks);
        for (const IlText& slot : result.slotLines) spilledSlots += slot.spilled() ? 1 : 0;
        return result;
    };
    ASSERT_EQ(run({"-q", "--source-map", path("whole.json"), "-o", path("whole"), source}).status, 0);
    ASSERT_EQ(run({"-q", "--source-map", path("spilled.json"), "-o", path("spilled"), source}, spilling).status, 0);
    EXPECT_EQ(spilledSlots, 2);
    EXPECT_EQ(readBytes(path("spilled.json")), readBytes(path("whole.json")));
    EXPECT_EQ(entriesOf(path("spilled")), entriesOf(path("whole")));
    for (const std::string& name : entriesOf(path("whole")))
        EXPECT_EQ(readBytes(path("spilled/") + name), readBytes(path("whole/") + name)) << name;
    EXPECT_EQ(entriesOf(root().string()),
              (std::set<std::string>{"pump.prg", "whole", "whole.json", "spilled", "spilled.json"}));
}

// Lines that could not be set aside (a full disk) are lost: the run is a file error and
// the old project stays as it was.
TEST_F(Vestrelc, ASpillThatFailsIsAFileErrorAndKeepsTheOldProject) {
    ASSERT_EQ(run({"-q", source}).status, 0);
    const std::set<std::string> names = entriesOf(path("pump"));
    std::map<std::string, std::string> old;
    for (const std::string& name : names) old[name] = readBytes(path("pump/") + name);

    IlSpillPolicy full;
    const TranslateStep fullDisk = [&](std::string_view text, const TranslationOptions& options, const RunHooks& given) {
        full = *given.spill;
        full.heldLimit = 64;
        full.open = [](int& reason) -> std::shared_ptr<IlSpillStore> {
            reason = ENOSPC;
            return nullptr;
        };
        RunHooks hooks = given;
        hooks.spill = &full;
        return runTranslation(text, options, hooks);
    };
    const Outcome outcome = run({"-q", "--source-map", path("map.json"), source}, fullDisk);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err, "vestrelc: Cannot create file " + path("pump") + "/init.IL: " +
                               project::os::reasonText(ENOSPC) + "\n");
    EXPECT_EQ(entriesOf(path("pump")), names);
    for (const auto& [name, bytes] : old) EXPECT_EQ(readBytes(path("pump/") + name), bytes) << name;
    EXPECT_EQ(entriesOf(root().string()), (std::set<std::string>{"pump.prg", "pump"}));
}

TEST_F(Vestrelc, NoticesAreWarningsAndTheProjectIsStillWritten) {
    TranslationDouble translation;
    translation.answer = accepted({{0, {"I"}}});
    translation.answer.notices = {std::string("Не хватает переменных"_cp)};
    const Outcome outcome = run({source}, translation.step());
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, source + ": warning: Не хватает переменных\n");
    EXPECT_EQ(outcome.out, "Wrote 1 file to " + path("pump") + ": init.IL\n");
}

TEST_F(Vestrelc, RewritingAProjectRemovesStaleSlotFilesOnly) {
    TranslationDouble translation;
    translation.answer = accepted({{0, {"I"}}, {1, {"A", "B"}}, {4, {}}});
    std::filesystem::create_directory(path("out"));
    for (const char* name : {"2.IL", "16.IL", "1.IL", "readme.txt"}) writeBytes(path("out/") + name, "old");

    const Outcome outcome = run({"-o", path("out"), source}, translation.step());
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "Wrote 3 files to " + path("out") + ": init.IL 1.IL 4.IL (removed 2.IL 16.IL)\n");
    EXPECT_EQ(entriesOf(path("out")), (std::set<std::string>{"init.IL", "1.IL", "4.IL", "readme.txt"}));
    EXPECT_EQ(readBytes(path("out/1.IL")), "A\r\r\nB\r\r\n");
    EXPECT_EQ(readBytes(path("out/4.IL")), "");
}

TEST_F(Vestrelc, CheckAndQuiet) {
    // --check reports and writes nothing.
    Outcome outcome = run({"--check", source});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_TRUE(outcome.out.starts_with("Checked " + source + ": no messages, ")) << outcome.out;
    TranslationDouble translation;
    translation.answer = accepted({{0, {"I"}}, {3, {"C"}}});
    outcome = run({"--check", source}, translation.step());
    EXPECT_EQ(outcome.out, "Checked " + source + ": no messages, 2 files to write: init.IL 3.IL\n");
    EXPECT_EQ(entriesOf(root().string()), std::set<std::string>{"pump.prg"});

    // -q writes the project and prints nothing.
    outcome = run({"-q", source}, translation.step());
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(entriesOf(path("pump")), (std::set<std::string>{"init.IL", "3.IL"}));
    outcome = run({"--check", "--quiet", source}, translation.step());
    EXPECT_EQ(outcome.out, "");
}

TEST_F(Vestrelc, TokenAndTraceFilesOnlyWhenAskedFor) {
    TranslationDouble translation;
    translation.answer = accepted({{0, {"I"}}});
    run({source}, translation.step());
    EXPECT_FALSE(translation.hooks.keepTokenFile);
    EXPECT_FALSE(translation.hooks.keepTrace);

    translation.answer.tokenFile = "F200\n000. \n";
    translation.answer.trace = ",1,2";
    Outcome outcome = run({"--check", "--tokens", path("t.txt"), "--trace=" + path("trace.txt"), source},
                          translation.step());
    EXPECT_EQ(outcome.status, 0);
    EXPECT_TRUE(translation.hooks.keepTokenFile);
    EXPECT_TRUE(translation.hooks.keepTrace);
    EXPECT_EQ(readBytes(path("t.txt")), "F200\n000. \n");
    EXPECT_EQ(readBytes(path("trace.txt")), ",1,2");

    // Written also when the run reports messages: they explain it.
    translation.answer.diagnostics.AddSyntaxError(1, 1, SyntaxMessage::SyntaxError);
    outcome = run({"--tokens", path("t2.txt"), source}, translation.step());
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(readBytes(path("t2.txt")), "F200\n000. \n");

    // The real run hands over its own token records.
    RunHooks keep;
    keep.keepTokenFile = true;
    const TranslationResult expected = runTranslation(linesOf(source), TranslationOptions{}, keep);
    EXPECT_EQ(run({"-q", "--tokens", path("real.txt"), source}).status, 0);
    EXPECT_EQ(readBytes(path("real.txt")), expected.tokenFile);
    EXPECT_EQ(entriesOf(root().string()),
              (std::set<std::string>{"pump.prg", "pump", "t.txt", "trace.txt", "t2.txt", "real.txt"}));
}

TEST_F(Vestrelc, SettingsComeFromTheIniFileAndTheCommandLineBeatsThem) {
    const std::string ini = path("my.ini");
    const std::string iniBytes = std::string(
        "[Параметры трансляции]\r\nДобавлять комментарий=0\r\n[Параметры времени]\r\nРазрешение=250\r\n"_cp);
    writeBytes(ini, iniBytes);
    struct Case {
        std::vector<std::string> arguments;
        TranslationOptions expected;
    };
    const Case cases[] = {
        {{"--ini", ini, source}, {false, true, 100, 10}},
        {{"--ini", ini, "--tick", "60", "--period", "7", "--no-program-text", source}, {false, false, 60, 7}},
        {{"--ini=" + ini, "--no-comments", source}, {false, true, 100, 10}},
    };
    for (const Case& c : cases) {
        TranslationDouble translation;
        translation.answer = accepted({});
        EXPECT_EQ(run(c.arguments, translation.step()).status, 0);
        EXPECT_EQ(translation.options.AddComment, c.expected.AddComment);
        EXPECT_EQ(translation.options.AddProgramText, c.expected.AddProgramText);
        EXPECT_EQ(translation.options.TickResolution, c.expected.TickResolution);
        EXPECT_EQ(translation.options.RecalcPeriod, c.expected.RecalcPeriod);
    }
    // vestrelc reads the ini file and never completes or rewrites it.
    EXPECT_EQ(readBytes(ini), iniBytes);
}

TEST_F(Vestrelc, HelpAndVersion) {
    Outcome outcome = run({"--version"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "vestrelc 1.0.0.772\n");
    for (const char* help : {"-h", "--help"}) {
        outcome = run({help, "--bogus"});
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out, usageText());
        EXPECT_TRUE(outcome.out.starts_with("Usage: vestrelc [options] SOURCE\n"));
        EXPECT_EQ(outcome.err, "");
    }
}

TEST_F(Vestrelc, AnOutputThatIsTheSourceIsRefusedAndNothingIsWritten) {
    std::filesystem::create_directory(path("proj"));
    writeBytes(path("proj/1.IL"), "000.\r\n");  // a source kept where its project goes
    std::filesystem::create_hard_link(testing::fsPath(source), testing::fsPath(path("hard.prg")));
    const std::string original = readBytes(source);
    struct Case {
        std::vector<std::string> arguments;
        std::string err;
    };
    const Case cases[] = {
        {{"--tokens", source, source}, "vestrelc: the --tokens file " + source + " is the source file; nothing written\n"},
        {{"--trace", path(".") + "/pump.prg", source},
         "vestrelc: the --trace file " + path(".") + "/pump.prg is the source file; nothing written\n"},
        {{"--check", "--tokens", path("hard.prg"), source},
         "vestrelc: the --tokens file " + path("hard.prg") + " is the source file; nothing written\n"},
        {{"-o", path("proj"), path("proj/1.IL")},
         "vestrelc: the project file " + path("proj") + "/1.IL is the source file; nothing written\n"},
    };
    for (const Case& c : cases) {
        TranslationDouble translation;
        translation.answer = accepted({{0, {"I"}}, {1, {"A"}}});
        const Outcome outcome = run(c.arguments, translation.step());
        EXPECT_EQ(outcome.status, 2) << c.err;
        EXPECT_EQ(outcome.err, c.err);
        EXPECT_EQ(translation.calls, 0) << c.err;
    }
    EXPECT_EQ(readBytes(source), original);
    EXPECT_EQ(readBytes(path("proj/1.IL")), "000.\r\n");
    EXPECT_EQ(entriesOf(root().string()), (std::set<std::string>{"pump.prg", "hard.prg", "proj"}));
}

// The real program: standard input as the source, and standard output that cannot be written.
TEST_F(Vestrelc, TheBinaryReadsStandardInputAndFailsWhenItsOutputIsLost) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: runs the program through a POSIX shell, /dev/full and fork";
#else
    struct Case {
        std::string command;
        int status;
        std::string out, err;
    };
    const std::string program = VESTRELC_PATH;
    const Case cases[] = {
        {program + " --check - <'" + source + "'", 0, "Checked <stdin>: no messages, 2 files to write: init.IL 1.IL\n",
         ""},
        {program + " -q -o '" + path("in") + "' - <'" + source + "'", 0, "", ""},
        {program + " - <'" + source + "'", 2, "",
         "vestrelc: a SOURCE read from standard input needs -o DIR (or --check)\n"
         "Try 'vestrelc --help' for more information.\n"},
        {program + " --check - </dev/null", 0, "Checked <stdin>: no messages, 1 file to write: init.IL\n", ""},
        {program + " --version >/dev/full", 2, "", "vestrelc: cannot write to standard output: No space left on device\n"},
        {program + " --check '" + source + "' >/dev/full", 2, "",
         "vestrelc: cannot write to standard output: No space left on device\n"},
    };
    for (const Case& c : cases) {
        const std::string command = c.command + (c.command.ends_with("/dev/full") ? "" : " >'" + path("out.txt") + "'") +
                                    " 2>'" + path("err.txt") + "'";
        writeBytes(path("out.txt"), "");
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw)) << command;
        EXPECT_EQ(WEXITSTATUS(raw), c.status) << command;
        EXPECT_EQ(readBytes(path("out.txt")), c.out) << command;
        EXPECT_EQ(readBytes(path("err.txt")), c.err) << command;
    }
    EXPECT_EQ(entriesOf(path("in")), (std::set<std::string>{"init.IL", "1.IL"}));

    // A pipe whose reader has gone: the write fails, and vestrelc says so with status 2.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(ends[1], 1);
        const int err = ::open(path("err.txt").c_str(), O_WRONLY | O_TRUNC);
        ::dup2(err, 2);
        ::execl(program.c_str(), program.c_str(), "--version", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(ends[1]);
    int raw = 0;
    ASSERT_EQ(::waitpid(child, &raw, 0), child);
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 2);
    EXPECT_EQ(readBytes(path("err.txt")), "vestrelc: cannot write to standard output: Broken pipe\n");
#endif
}

// The real program under a file-size limit (as on a full disk): the write fails with its
// reason instead of the process ending by signal, and the old project stays whole.
TEST_F(Vestrelc, TheBinaryUnderAFileSizeLimitKeepsTheOldProject) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: the shell's file-size limit (ulimit -f)";
#else
    std::string listing = "000.\r\n";
    for (int line = 0; line < 64; ++line)  // octal line numbers 00 .. 77
        listing += std::to_string(line / 8) + std::to_string(line % 8) + " " + std::string("в дв001"_cp) + "\r\n";
    writeBytes(path("big.prg"), listing);
    std::filesystem::create_directory(path("big"));
    for (const char* name : {"init.IL", "1.IL", "2.IL"}) writeBytes(path("big/") + name, "old");
    const std::string command = "ulimit -f 1; " + std::string(VESTRELC_PATH) + " -q '" + path("big.prg") + "' 2>'" +
                                path("err.txt") + "'";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw)) << command;
    EXPECT_EQ(WEXITSTATUS(raw), 2);
    EXPECT_EQ(readBytes(path("err.txt")), "vestrelc: Cannot create file " + path("big") + "/1.IL: File too large\n");
    EXPECT_EQ(entriesOf(path("big")), (std::set<std::string>{"init.IL", "1.IL", "2.IL"}));
    for (const char* name : {"init.IL", "1.IL", "2.IL"}) EXPECT_EQ(readBytes(path("big/") + name), "old") << name;
#endif
}

// The IL a large program sets aside meets the limit first: the run is a file error, and
// neither the old project nor the folder keeps anything of it.
TEST_F(Vestrelc, TheBinaryWhoseSetAsideTextMeetsAFileSizeLimitKeepsTheOldProject) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: the shell's file-size limit (ulimit -f)";
#else
    writeBytes(path("empty.prg"), std::string(400000, '\n'));  // 3.6 MB of comment lines in init.IL
    std::filesystem::create_directory(path("empty"));
    writeBytes(path("empty/init.IL"), "old");
    const std::string command = "ulimit -f 128; " + std::string(VESTRELC_PATH) + " -q '" + path("empty.prg") +
                                "' 2>'" + path("err.txt") + "'";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw)) << command;
    EXPECT_EQ(WEXITSTATUS(raw), 2);
    EXPECT_EQ(readBytes(path("err.txt")), "vestrelc: Cannot create file " + path("empty") + "/init.IL: File too large\n");
    EXPECT_EQ(entriesOf(path("empty")), (std::set<std::string>{"init.IL"}));
    EXPECT_EQ(readBytes(path("empty/init.IL")), "old");
    EXPECT_EQ(entriesOf(root().string()), (std::set<std::string>{"pump.prg", "empty.prg", "empty", "err.txt"}));
#endif
}

// The real program: exit statuses as the shell sees them.
TEST_F(Vestrelc, TheBinaryExitsWithTheDocumentedStatuses) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX only: runs the program through a POSIX shell (TheBinaryTakesCyrillicNames runs it on Windows)";
#else
    struct Case {
        std::string arguments;
        int status;
        std::string out;
    };
    const Case cases[] = {
        {"--version", 0, "vestrelc 1.0.0.772\n"},
        {"--tick 54 '" + source + "'", 2, ""},
        {"'" + path("missing.prg") + "'", 2, ""},
        {"-q -o '" + path("bin") + "' '" + source + "'", 0, ""},
    };
    for (const Case& c : cases) {
        const std::string command =
            std::string(VESTRELC_PATH) + " " + c.arguments + " >'" + path("out.txt") + "' 2>'" + path("err.txt") + "'";
        const int raw = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(raw)) << command;
        EXPECT_EQ(WEXITSTATUS(raw), c.status) << command;
        EXPECT_EQ(readBytes(path("out.txt")), c.out) << command;
        if (c.status == 2) {
            EXPECT_TRUE(readBytes(path("err.txt")).starts_with("vestrelc: ")) << command;
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(path("bin")));
#endif
}

// Runs the real program with these arguments, its standard output and error going to
// files; returns its exit status. On Windows the arguments travel in the wide command
// line, as a console or Explorer would hand them over.
int runBinary(const std::vector<std::string>& arguments, const std::string& out, const std::string& err) {
#ifdef _WIN32
    const auto wide = [](const std::string& utf8) {
        std::wstring text(utf8.size() + 1, L'\0');
        const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                                                 static_cast<int>(text.size()));
        text.resize(static_cast<std::size_t>(length));
        return text;
    };
    std::wstring program = wide(VESTRELC_PATH);
    for (wchar_t& c : program)
        if (c == L'/') c = L'\\';
    std::wstring commandLine = L"\"" + program + L"\"";
    for (const std::string& argument : arguments) commandLine += L" \"" + wide(argument) + L"\"";
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const auto create = [&](const std::string& file) {
        return ::CreateFileW(wide(file).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    const HANDLE outFile = create(out), errFile = create(err);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outFile;
    startup.hStdError = errFile;
    PROCESS_INFORMATION child{};
    const bool started = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                          nullptr, &startup, &child);
    DWORD status = 255;
    if (started) {
        ::WaitForSingleObject(child.hProcess, INFINITE);
        ::GetExitCodeProcess(child.hProcess, &status);
        ::CloseHandle(child.hProcess);
        ::CloseHandle(child.hThread);
    }
    ::CloseHandle(outFile);
    ::CloseHandle(errFile);
    return static_cast<int>(status);
#else
    std::string command = VESTRELC_PATH;
    for (const std::string& argument : arguments) command += " '" + argument + "'";
    command += " >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
}

// Cyrillic names of sources and project folders, from the command line to the files, and
// a project written over the one before it.
TEST_F(Vestrelc, TheBinaryTakesCyrillicNames) {
    const std::string folder = path("Котельная");
    std::filesystem::create_directory(testing::fsPath(folder));
    const std::string program = folder + "/насос №1.prg";
    std::filesystem::copy_file(testing::fsPath(source), testing::fsPath(program));
    ASSERT_EQ(run({"-q", "-o", path("reference"), source}).status, 0);  // the same program, in-process
    const std::string project = folder + "/насос №1";
    const std::string out = path("out.txt"), err = path("err.txt");

    for (int round = 0; round < 2; ++round) {  // the second run replaces every file of the first
        EXPECT_EQ(runBinary({program}, out, err), 0) << round;
        EXPECT_EQ(readBytes(out), "Wrote 2 files to " + project + ": init.IL 1.IL\n") << round;
        EXPECT_EQ(readBytes(err), "") << round;
        EXPECT_EQ(entriesOf(project), (std::set<std::string>{"init.IL", "1.IL"})) << round;
        for (const char* name : {"init.IL", "1.IL"})
            EXPECT_EQ(readBytes(project + "/" + name), readBytes(path("reference/") + name)) << round << " " << name;
    }
    EXPECT_EQ(entriesOf(folder), (std::set<std::string>{"насос №1.prg", "насос №1"}));

    const std::string missing = folder + "/нет такого.prg";
    EXPECT_EQ(runBinary({"--check", missing}, out, err), 2);
    EXPECT_EQ(readBytes(err), "vestrelc: cannot read " + missing + ": No such file or directory\n");
    EXPECT_EQ(runBinary({"-q", "-o", folder + "/другой", program}, out, err), 0);
    EXPECT_EQ(entriesOf(folder + "/другой"), (std::set<std::string>{"init.IL", "1.IL"}));
}

}  // namespace
}  // namespace vestrel::cli
