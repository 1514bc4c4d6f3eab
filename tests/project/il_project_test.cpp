// The IL project on disk: directory and file names, slot file bytes, and the writing
// sequence with its stale-file removal and its failures.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <vector>

#include "project/file_system.h"
#include "project/il_project.h"
#include "project/slot_texts_fixture.h"
#include "support/scratch_dir.h"
#include "translator/text/literal.h"

namespace vestrel::project {
namespace {
using namespace text::literals;
using testing::ScratchDir;

TEST(IlProjectNames, DirectoryAndNameFromTheBaseFileName) {
    struct Case {
        const char* base;
        const char* directory;
        const char* name;
    };
    const Case cases[] = {
        {"/w/pump.prg", "/w/pump", "pump"},
        {"/w/my.unit.x", "/w/my.unit", "my.unit"},   // only the last extension goes
        {"/w/pump", "/w/pump", "pump"},              // no extension: used whole
        {"/a.b/pump", "/a.b/pump", "pump"},          // a dot in the folder is no extension
        {"/a.b/pump.x", "/a.b/pump", "pump"},
        {"pump.prg", "pump", "pump"},                // no folder part
        {"examples/pump.prg", "examples/pump", "pump"},
        {"/w/.hidden", "/w/.hidden", ".hidden"},     // a leading dot starts no extension
        {"/w/pump.", "/w/pump", "pump"},
#ifdef _WIN32
        {"C:\\a.b\\pump", "C:\\a.b\\pump", "pump"},  // "\\" ends a folder as "/" does
        {"C:\\w\\насос.prg", "C:\\w\\насос", "насос"},
        {"C:pump.prg", "C:pump", "C:pump"},
#endif
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ilProjectDirectory(c.base), c.directory) << c.base;
        EXPECT_EQ(ilProjectName(c.base), c.name) << c.base;
    }
}

// The folder and the name of a path, as the writer opens the folder and works in it.
TEST(IlProjectNames, FolderAndNameOfAPath) {
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
    };
    const Case cases[] = {
        {"/w/pump", "/w", "pump"},
        {"/w/pump/", "/w", "pump"},
        {"/pump", "/", "pump"},
        {"/", "/", ""},
        {"pump", ".", "pump"},
        {"a/b/c", "a/b", "c"},
#ifdef _WIN32
        {"C:\\w\\pump", "C:\\w", "pump"},
        {"C:\\w/pump\\", "C:\\w", "pump"},
        {"C:\\pump", "C:\\", "pump"},
        {"C:\\", "C:\\", ""},
        {"C:", "C:", ""},
        {"C:pump", "C:", "pump"},
        {"\\\\host\\share\\pump", "\\\\host\\share", "pump"},
#endif
    };
    for (const Case& c : cases) {
        const os::PathParts parts = os::splitPath(c.path);
        EXPECT_EQ(parts.folder, c.folder) << c.path;
        EXPECT_EQ(parts.name, c.name) << c.path;
    }
}

TEST(IlProjectNames, SlotFileNames) {
    const std::vector<std::string> expected = {"init.IL", "1.IL",  "2.IL",  "3.IL",  "4.IL",  "5.IL",
                                               "6.IL",    "7.IL",  "8.IL",  "9.IL",  "10.IL", "11.IL",
                                               "12.IL",   "13.IL", "14.IL", "15.IL", "16.IL"};
    for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_EQ(slotFileName(slot), expected[static_cast<std::size_t>(slot)]);
    EXPECT_EQ(slotFileName(-1), "");
    EXPECT_EQ(slotFileName(17), "");
}

class SlotFile : public ScratchDir {};

TEST_F(SlotFile, EveryLineEndsInCrCrLfAndNoLinesGiveAnEmptyFile) {
    struct Case {
        std::vector<std::string> lines;
        std::string bytes;
    };
    const Case cases[] = {
        {{"A", "B"}, "A\r\r\nB\r\r\n"},
        {{}, ""},
        {{""}, "\r\r\n"},
        {{std::string("PROGRAM \xC1\xEB\xEE\xEA"), "  Q2 | 2"}, "PROGRAM \xC1\xEB\xEE\xEA\r\r\n  Q2 | 2\r\r\n"},
    };
    for (const Case& c : cases) {
        const std::string file = path("slot.IL");
        ASSERT_TRUE(WriteSlotFile(c.lines, file));
        EXPECT_EQ(readBytes(file), c.bytes);
    }
    // The replaced file leaves no temporary name behind.
    EXPECT_EQ(entriesOf(root().string()), std::set<std::string>{"slot.IL"});
}

TEST_F(SlotFile, AFailedWriteLeavesNeitherATemporaryNorATruncatedFile) {
    // A directory where the file should go: the rename fails even for root.
    std::filesystem::create_directory(path("1.IL"));
    std::string error;
    EXPECT_FALSE(WriteSlotFile({"A"}, path("1.IL"), &error));
    EXPECT_EQ(error, "Cannot create file " + path("1.IL") + ": Is a directory");
    EXPECT_EQ(entriesOf(root().string()), std::set<std::string>{"1.IL"});

    // A parent that is a regular file: nothing can be created under it.
    writeBytes(path("plain"), "x");
    EXPECT_FALSE(WriteSlotFile({"A"}, path("plain/init.IL"), &error));
    EXPECT_EQ(error, "Cannot create file " + path("plain/init.IL") + ": Not a directory");
    EXPECT_EQ(readBytes(path("plain")), "x");
}

class ProjectWriter : public SlotTextsFixture {};

// Records what the writer tells its progress display.
class RecordingProgress final : public ProgressSink {
public:
    std::string caption;
    int maximum = -1, position = -1, advances = 0;
    void setCaption(std::string_view text) override { caption = text; }
    void setMaximum(int value) override { maximum = value; }
    void setPosition(int value) override { position = value; }
    void advance() override { ++advances; }
};

TEST_F(ProjectWriter, PresentSlotsAreWrittenAndStaleSlotFilesDeleted) {
    const std::string directory = path("pump");
    ASSERT_TRUE(ensureProjectDirectory(directory).ok());
    for (const char* stale : {"2.IL", "16.IL", "4.IL"}) writeBytes(directory + "/" + stale, "old");
    writeBytes(directory + "/notes.txt", "mine");
#ifdef _WIN32
    // Windows file names ignore case: "2.il" is the slot file 2.IL, removed with it.
    const std::set<std::string> otherCase;
#else
    writeBytes(directory + "/2.il", "other case");
    const std::set<std::string> otherCase = {"2.il"};
#endif
    give(0, {"PROGRAM init"});
    give(1, {"A", "B"});
    give(4, {});

    RecordingProgress progress;
    const SaveResult result = writeProject(directory, slots, present, &progress);
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(result.written, (std::vector<std::string>{"init.IL", "1.IL", "4.IL"}));
    EXPECT_EQ(result.deleted, (std::vector<std::string>{"2.IL", "16.IL"}));
    std::set<std::string> expected = {"init.IL", "1.IL", "4.IL", "notes.txt"};
    expected.insert(otherCase.begin(), otherCase.end());
    EXPECT_EQ(entriesOf(directory), expected);
    EXPECT_EQ(readBytes(directory + "/1.IL"), "A\r\r\nB\r\r\n");
    EXPECT_EQ(readBytes(directory + "/4.IL"), "");
    EXPECT_EQ(readBytes(directory + "/notes.txt"), "mine");
    EXPECT_EQ(progress.caption, "Сохраняем IL-проект"_cp);
    EXPECT_EQ(progress.maximum, 17);
    EXPECT_EQ(progress.position, 0);
    EXPECT_EQ(progress.advances, 17);
}

TEST_F(ProjectWriter, AStaleFileThatCannotBeDeletedStopsTheSequenceBeforeAnythingChanges) {
    const std::string directory = path("pump");
    ASSERT_TRUE(ensureProjectDirectory(directory).ok());
    std::filesystem::create_directories(directory + "/2.IL/inside");  // cannot go as a file
    writeBytes(directory + "/16.IL", "old");
    give(0, {"I"});
    give(3, {"three"});

    RecordingProgress progress;
    const SaveResult result = writeProject(directory, slots, present, &progress);
    EXPECT_EQ(result.status, SaveStatus::CannotDeleteFile);
    EXPECT_EQ(result.message, std::string("Не могу удалить : "_cp) + directory + "/2.IL");
    EXPECT_EQ(result.reason, "Is a directory");
    EXPECT_EQ(result.path, directory + "/2.IL");
    EXPECT_EQ(result.written, std::vector<std::string>{});
    // The old project stays as it was: nothing written, 16.IL not deleted.
    EXPECT_EQ(entriesOf(directory), (std::set<std::string>{"2.IL", "16.IL"}));
    EXPECT_EQ(readBytes(directory + "/16.IL"), "old");
    EXPECT_EQ(progress.advances, 0);
}

TEST_F(ProjectWriter, ASlotFileThatCannotBeCreatedStopsTheSequenceWithoutTemporaryFiles) {
    const std::string directory = path("pump");
    ASSERT_TRUE(ensureProjectDirectory(directory).ok());
    std::filesystem::create_directory(directory + "/1.IL");
    give(0, {"I"});
    give(1, {"A"});
    give(2, {"B"});

    const SaveResult result = writeProject(directory, slots, present);
    EXPECT_EQ(result.status, SaveStatus::CannotCreateFile);
    EXPECT_EQ(result.message, "Cannot create file " + directory + "/1.IL");
    EXPECT_EQ(result.reason, "Is a directory");
    EXPECT_EQ(result.written, std::vector<std::string>{});
    EXPECT_EQ(entriesOf(directory), (std::set<std::string>{"1.IL"}));
}

TEST_F(ProjectWriter, DirectoryCreationAndRemoval) {
    // One level is created; an existing directory is fine.
    EXPECT_TRUE(ensureProjectDirectory(path("p")).ok());
    EXPECT_TRUE(ensureProjectDirectory(path("p")).ok());
    EXPECT_TRUE(std::filesystem::is_directory(path("p")));

    writeBytes(path("file"), "x");
    for (const std::string& impossible : {path("a/b"), path("file"), path("file/p")}) {
        const SaveResult result = ensureProjectDirectory(impossible);
        EXPECT_EQ(result.status, SaveStatus::CannotCreateDirectory) << impossible;
        EXPECT_EQ(result.message, std::string("Не могу создать каталог: "_cp) + impossible);
        EXPECT_EQ(result.path, impossible);
    }

}

TEST_F(ProjectWriter, ReplacingAProjectKeepsEverythingButTheSlotFiles) {
    // Save as over an existing project: the user's notes and folders stay.
    const std::string directory = path("p");
    ASSERT_TRUE(ensureProjectDirectory(directory).ok());
    for (const char* old : {"init.IL", "3.IL", "16.IL"}) writeBytes(directory + "/" + old, "old");
    writeBytes(directory + "/notes.txt", "mine");
    std::filesystem::create_directories(directory + "/sub/deeper");
    writeBytes(directory + "/sub/1.IL", "kept");
    give(0, {"I"});
    give(1, {"A"});

    const SaveResult result = writeProject(directory, slots, present);
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(result.deleted, (std::vector<std::string>{"3.IL", "16.IL"}));
    EXPECT_EQ(entriesOf(directory), (std::set<std::string>{"init.IL", "1.IL", "notes.txt", "sub"}));
    EXPECT_EQ(readBytes(directory + "/init.IL"), "I\r\r\n");
    EXPECT_EQ(readBytes(directory + "/notes.txt"), "mine");
    EXPECT_EQ(readBytes(directory + "/sub/1.IL"), "kept");
    EXPECT_TRUE(std::filesystem::is_directory(directory + "/sub/deeper"));
}

TEST_F(ProjectWriter, MessagesShowTheCyrillicPathInTheCodePage) {
    const std::string directory = path("насос/п");  // UTF-8 on disk
    const SaveResult result = ensureProjectDirectory(directory);
    EXPECT_EQ(result.message, std::string("Не могу создать каталог: "_cp) + path("") + std::string("насос/п"_cp));
    EXPECT_EQ(result.path, directory);
}

// A store that takes so many bytes and then finds the disk full.
class FillingStore final : public IlSpillStore {
public:
    FillingStore(std::shared_ptr<IlSpillStore> inner, std::size_t room) : m_inner(std::move(inner)), m_room(room) {}
    bool append(std::string_view bytes, int& reason) override {
        if (m_inner->size() + bytes.size() > m_room) {
            reason = ENOSPC;
            return false;
        }
        return m_inner->append(bytes, reason);
    }
    std::uint64_t size() const override { return m_inner->size(); }
    bool read(std::uint64_t offset, char* into, std::size_t size, int& reason) const override {
        return m_inner->read(offset, into, size, reason);
    }

private:
    std::shared_ptr<IlSpillStore> m_inner;
    std::size_t m_room;
};

class SpillingWriter : public ScratchDir {
protected:
    static constexpr std::array<int, 3> kSlots = {0, 3, 16};
    std::array<bool, kSlotCount> present{};
    void SetUp() override {
        ScratchDir::SetUp();
        for (int slot : kSlots) present[static_cast<std::size_t>(slot)] = true;
    }
    // Slots of a few hundred lines, set aside by the policy when there is one.
    static std::array<IlText, kSlotCount> textsOf(const IlSpillPolicy* policy) {
        std::array<IlText, kSlotCount> texts;
        for (int slot : kSlots) {
            IlText& text = texts[static_cast<std::size_t>(slot)];
            text.spillWith(policy);
            for (int i = 0; i < 400; ++i) text.addLine("  Q", slot, " = ", i, ";");
            text.insert(1, std::string_view("VAR_IN_OUT"));
        }
        return texts;
    }
    static IlSpillPolicy tinyPolicy(const std::string& directory) {
        IlSpillPolicy policy = projectSpillPolicy(directory);
        policy.heldLimit = 512;
        return policy;
    }
};

// The store lives beside the project (or in the folder that is to hold it) with no name:
// the written project is the bytes a whole text gives, and nothing else is left.
TEST_F(SpillingWriter, ASpilledProjectIsTheSameBytesAndLeavesNoTemporary) {
    const std::string whole = path("whole");
    ASSERT_TRUE(ensureProjectDirectory(whole).ok());
    ASSERT_TRUE(writeProject(whole, textsOf(nullptr), present).ok());

    for (const bool directoryExists : {false, true}) {
        const std::string spilled = path("spilled");
        {
            const IlSpillPolicy policy = tinyPolicy(spilled);
            const std::array<IlText, kSlotCount> texts = textsOf(&policy);
            for (int slot : kSlots) ASSERT_TRUE(texts[static_cast<std::size_t>(slot)].spilled()) << slot;
#ifndef _WIN32
            // The stores have no name at all; on Windows a file deleted on close is listed
            // until it is closed.
            EXPECT_EQ(entriesOf(root().string()), directoryExists ? (std::set<std::string>{"whole", "spilled"})
                                                                  : (std::set<std::string>{"whole"}));
#endif
            ASSERT_TRUE(ensureProjectDirectory(spilled).ok());
            const SaveResult result = writeProject(spilled, texts, present);
            ASSERT_TRUE(result.ok()) << result.message;
            for (int slot : kSlots)
                EXPECT_EQ(readBytes(spilled + "/" + slotFileName(slot)), readBytes(whole + "/" + slotFileName(slot)))
                    << slot;
        }
        // Once the texts are gone, nothing of their stores is left anywhere.
        EXPECT_EQ(entriesOf(spilled), (std::set<std::string>{"init.IL", "3.IL", "16.IL"})) << directoryExists;
    }
    EXPECT_EQ(entriesOf(root().string()), (std::set<std::string>{"whole", "spilled"}));
}

// A text whose lines could not be set aside (a full disk) has lost them: the project is
// not written, and the old one stays as it was.
TEST_F(SpillingWriter, ALostSpillFailsTheWriteAndKeepsTheOldProject) {
    const std::string directory = path("pump");
    ASSERT_TRUE(ensureProjectDirectory(directory).ok());
    std::array<std::vector<std::string>, kSlotCount> old{};
    old[0] = {"old init"};
    old[3] = {"old 3"};
    ASSERT_TRUE(writeProject(directory, old, present).ok());
    const std::string oldInit = readBytes(directory + "/init.IL");

    IlSpillPolicy policy = tinyPolicy(directory);
    policy.open = [open = policy.open](int& reason) -> std::shared_ptr<IlSpillStore> {
        std::shared_ptr<IlSpillStore> store = open(reason);
        return store ? std::make_shared<FillingStore>(store, 2000) : nullptr;
    };
    const std::array<IlText, kSlotCount> texts = textsOf(&policy);
    ASSERT_EQ(texts[0].spillFailure(), ENOSPC);
    EXPECT_EQ(texts[0].size(), 401u);

    const SaveResult result = writeProject(directory, texts, present);
    EXPECT_EQ(result.status, SaveStatus::CannotCreateFile);
    EXPECT_EQ(result.path, directory + "/init.IL");
    EXPECT_EQ(result.reasonCode, ENOSPC);
    EXPECT_TRUE(result.written.empty());
    EXPECT_EQ(entriesOf(directory), (std::set<std::string>{"init.IL", "3.IL", "16.IL"}));
    EXPECT_EQ(readBytes(directory + "/init.IL"), oldInit);
    EXPECT_EQ(readBytes(directory + "/3.IL"), "old 3\r\r\n");
}

}  // namespace
}  // namespace vestrel::project
