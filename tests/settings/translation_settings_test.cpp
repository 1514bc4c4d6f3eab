// "Vestrel.ini": the four keys, the reading rules of the dialog, and an ini store that
// keeps what it does not know.
#include <gtest/gtest.h>

#include <filesystem>

#include "settings/ini_store.h"
#include "settings/translation_settings.h"
#include "support/scratch_dir.h"
#include "translator/text/literal.h"

namespace vestrel::settings {
namespace {
using namespace text::literals;
using testing::ScratchDir;

const std::string kDefaultFile = std::string(
    "[Параметры трансляции]\r\n"
    "Добавлять комментарий=1\r\n"
    "Добавлять текст программы=1\r\n"
    "[Параметры времени]\r\n"
    "Разрешение=55\r\n"
    "Период пересчета=10\r\n"_cp);

class IniFile : public ScratchDir {
protected:
    std::string iniPath() const { return path("Vestrel.ini"); }
    TranslationOptions load() {
        IniStore store(iniPath());
        std::string error;
        const TranslationOptions options = loadTranslationSettings(store, &error);
        EXPECT_EQ(error, "");
        return options;
    }
};

TEST_F(IniFile, FirstLoadCreatesTheFourDefaults) {
    IniStore store(iniPath());
    EXPECT_FALSE(store.exists());
    const TranslationOptions options = readTranslationOptions(store);
    EXPECT_TRUE(options.AddComment);
    EXPECT_TRUE(options.AddProgramText);
    EXPECT_EQ(options.TickResolution, 55);
    EXPECT_EQ(options.RecalcPeriod, 10);
    EXPECT_TRUE(addMissingKeys(store, options));
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(readBytes(iniPath()), kDefaultFile);
    EXPECT_EQ(entriesOf(root().string()), std::set<std::string>{"Vestrel.ini"});

    // A complete file needs nothing added and is rewritten to the same bytes.
    IniStore again(iniPath());
    EXPECT_TRUE(again.exists());
    EXPECT_FALSE(addMissingKeys(again, readTranslationOptions(again)));
    ASSERT_TRUE(again.flush());
    EXPECT_EQ(readBytes(iniPath()), kDefaultFile);
}

TEST_F(IniFile, StoredValuesReadWithTheDialogRules) {
    struct Case {
        const char* what;
        std::string comment, programText, resolution, period;
        bool expectComment, expectProgramText;
        int expectResolution, expectPeriod;
    };
    const Case cases[] = {
        {"all in range", "0", "1", "70", "5", false, true, 70, 5},
        {"resolution pulled up, period pulled down", "1", "1", "20", "250", true, true, 55, 100},
        {"resolution pulled down, period pulled up", "1", "1", "250", "0", true, true, 100, 1},
        {"a flag of 2 is off", "2", "-1", "55", "10", false, false, 55, 10},
        {"not numbers read as defaults", "yes", "", "fast", "1O", true, true, 55, 10},
        {"blanks around a number", " 0 ", "0", " 60", "7 ", false, false, 60, 7},
        // Beyond the integer range, however far, a number is pulled to the nearer end.
        {"too large for an integer", "1", "1", "2147483648", "99999999999999999999999", true, true, 100, 100},
        {"too small for an integer", "1", "1", "-2147483649", "-99999999999999999999999", true, true, 55, 1},
        {"a huge flag is off", "4294967297", "+4294967297", "55", "10", false, false, 55, 10},
    };
    for (const Case& c : cases) {
        writeBytes(iniPath(), std::string("[Параметры трансляции]\r\nДобавлять комментарий="_cp) + c.comment +
                                  std::string("\r\nДобавлять текст программы="_cp) + c.programText +
                                  std::string("\r\n[Параметры времени]\r\nРазрешение="_cp) + c.resolution +
                                  std::string("\r\nПериод пересчета="_cp) + c.period + "\r\n");
        const TranslationOptions options = readTranslationOptions(IniStore(iniPath()));
        EXPECT_EQ(options.AddComment, c.expectComment) << c.what;
        EXPECT_EQ(options.AddProgramText, c.expectProgramText) << c.what;
        EXPECT_EQ(options.TickResolution, c.expectResolution) << c.what;
        EXPECT_EQ(options.RecalcPeriod, c.expectPeriod) << c.what;
    }
}

TEST_F(IniFile, ADeletedKeyComesBackWithItsDefaultAndForeignLinesSurvive) {
    // LF line breaks, a comment, a foreign key and section, other case in a section name;
    // "Разрешение" is missing.
    writeBytes(iniPath(), std::string("; written by hand\n"
                                      "[Параметры трансляции]\n"
                                      "Добавлять комментарий=0\n"
                                      "Цвет=12\n"
                                      "Добавлять текст программы=1\n"
                                      "\n"
                                      "[Окно]\n"
                                      "Ширина=640\n"
                                      "[параметры времени]\n"
                                      "Период пересчета=20\n"_cp));
    const TranslationOptions options = load();
    EXPECT_FALSE(options.AddComment);
    EXPECT_EQ(options.TickResolution, 55);
    EXPECT_EQ(options.RecalcPeriod, 20);
    EXPECT_EQ(readBytes(iniPath()), std::string("; written by hand\r\n"
                                                 "[Параметры трансляции]\r\n"
                                                 "Добавлять комментарий=0\r\n"
                                                 "Цвет=12\r\n"
                                                 "Добавлять текст программы=1\r\n"
                                                 "\r\n"
                                                 "[Окно]\r\n"
                                                 "Ширина=640\r\n"
                                                 "[параметры времени]\r\n"
                                                 "Период пересчета=20\r\n"
                                                 "Разрешение=55\r\n"_cp));

    // The dialog's OK writes all four; the foreign lines stay where they are.
    IniStore store(iniPath());
    writeTranslationOptions(store, TranslationOptions{true, false, 80, 3});
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(readBytes(iniPath()), std::string("; written by hand\r\n"
                                                 "[Параметры трансляции]\r\n"
                                                 "Добавлять комментарий=1\r\n"
                                                 "Цвет=12\r\n"
                                                 "Добавлять текст программы=0\r\n"
                                                 "\r\n"
                                                 "[Окно]\r\n"
                                                 "Ширина=640\r\n"
                                                 "[параметры времени]\r\n"
                                                 "Период пересчета=3\r\n"
                                                 "Разрешение=80\r\n"_cp));
    EXPECT_EQ(store.readString("Окно"_cp, "Ширина"_cp), "640");
    EXPECT_EQ(store.readInteger("ОКНО"_cp, "ширина"_cp, 0), 640);
    EXPECT_FALSE(store.hasKey("Окно"_cp, "Высота"_cp));
}

TEST_F(IniFile, AFailedFlushNamesTheFile) {
    // A directory where the file should be: nothing can be written there, even as root.
    std::filesystem::create_directory(iniPath());
    IniStore store(iniPath());
    EXPECT_FALSE(store.exists());
    std::string error;
    const TranslationOptions options = loadTranslationSettings(store, &error);
    EXPECT_EQ(error, "Unable to write to " + iniPath());
    EXPECT_EQ(options.TickResolution, 55);
    EXPECT_EQ(entriesOf(root().string()), std::set<std::string>{"Vestrel.ini"});
}


}  // namespace
}  // namespace vestrel::settings
