// Files that cannot hurt the user: what a replaced file keeps, links planted by another
// user, projects replaced as a whole, two writers at once, long names, temporaries of a
// killed run, saving through a link, and inputs that are not plain files.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <csignal>
#include <filesystem>
#include <optional>
#include <set>
#include <thread>

#include "project/atomic_file.h"
#include "project/file_system.h"
#include "project/il_project.h"
#include "project/source_file.h"
#include "project/slot_texts_fixture.h"
#include "support/processes.h"
#include "support/scratch_dir.h"
#include "support/windows_api.h"

namespace vestrel::project {
namespace {
using testing::ScratchDir;
namespace fs = std::filesystem;

#ifdef _WIN32
// Windows has no file modes, owners, FIFOs, file-size limits, and no symbolic links an
// ordinary user may make; these tests say so there instead of passing.
#define POSIX_ONLY(what) GTEST_SKIP() << "POSIX only: " << what
#else
constexpr uid_t kOtherUser = 54321;

mode_t modeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_mode;
}

uid_t ownerOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_uid;
}

// The mode a new file gets here: 0666 less the umask.
mode_t defaultFileMode() {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

#endif

class FileSafety : public SlotTextsFixture {
protected:
#ifndef _WIN32
    static void requireRoot() {
        if (::geteuid() != 0) GTEST_SKIP() << "needs root to give files to another user";
    }
#endif
};

TEST_F(FileSafety, AReplacedFileKeepsOnlyItsReadAndWriteBitsAndNothingOfALinksTarget) {
#ifdef _WIN32
    POSIX_ONLY("file modes and set-id bits");
#else
    // A set-uid program that a planted link points to, and a file writable by everyone.
    writeBytes(path("program"), "binary");
    ASSERT_EQ(::chmod(path("program").c_str(), 04755), 0);
    const std::string directory = path("p");
    ASSERT_TRUE(ensureProjectDirectory(directory).ok());
    fs::create_symlink(path("program"), directory + "/1.IL");
    writeBytes(directory + "/2.IL", "old");
    ASSERT_EQ(::chmod((directory + "/2.IL").c_str(), 0666), 0);
    writeBytes(directory + "/3.IL", "old");
    ASSERT_EQ(::chmod((directory + "/3.IL").c_str(), 06600), 0);
    give(1, {"A"});
    give(2, {"B"});
    give(3, {"C"});
    give(4, {"D"});

    ASSERT_TRUE(writeProject(directory, slots, present).ok());
    struct Case {
        const char* name;
        mode_t mode;
    };
    const Case cases[] = {
        {"1.IL", S_IFREG | defaultFileMode()},  // the link is replaced, its target's bits not taken
        {"2.IL", S_IFREG | (0666 & defaultFileMode())},
        {"3.IL", S_IFREG | 0600},  // set-id bits never
        {"4.IL", S_IFREG | defaultFileMode()},
    };
    for (const Case& c : cases) EXPECT_EQ(modeOf(directory + "/" + c.name), c.mode) << c.name;
    EXPECT_EQ(readBytes(path("program")), "binary");
    EXPECT_EQ(modeOf(path("program")) & 07777, 04755u);
#endif
}

TEST_F(FileSafety, ALinkOwnedByAnotherUserRedirectsNoWriteAndNoRemoval) {
#ifdef _WIN32
    POSIX_ONLY("links owned by another user (on Windows no link is followed for a write: AWindowsLinkIsNeverWrittenThrough)");
#else
    requireRoot();
    const std::string victim = path("victim");
    fs::create_directory(victim);
    writeBytes(victim + "/3.IL", "precious");
    const std::string planted = path("pump");
    fs::create_symlink(victim, planted);
    ASSERT_EQ(::lchown(planted.c_str(), kOtherUser, kOtherUser), 0);
    give(0, {"I"});

    const SaveResult created = ensureProjectDirectory(planted);
    EXPECT_EQ(created.status, SaveStatus::CannotCreateDirectory);
    EXPECT_EQ(created.reason, "the link is owned by another user");
    const SaveResult written = writeProject(planted, slots, present);
    EXPECT_EQ(written.status, SaveStatus::CannotCreateDirectory);
    EXPECT_EQ(entriesOf(victim), std::set<std::string>{"3.IL"});
    EXPECT_EQ(readBytes(victim + "/3.IL"), "precious");

    // A single file named through such a link is not written either.
    writeBytes(path("target.txt"), "mine");
    fs::create_symlink(path("target.txt"), path("tokens.txt"));
    ASSERT_EQ(::lchown(path("tokens.txt").c_str(), kOtherUser, kOtherUser), 0);
    std::string error;
    EXPECT_FALSE(writeFileAtomically(path("tokens.txt"), "records", &error));
    EXPECT_EQ(error, "Cannot create file " + path("tokens.txt") + ": the link is owned by another user");
    EXPECT_EQ(readBytes(path("target.txt")), "mine");

    // The user's own link (and root's) is followed as before.
    ASSERT_EQ(::lchown(planted.c_str(), ::geteuid(), ::getegid()), 0);
    ASSERT_TRUE(writeProject(planted, slots, present).ok());
    EXPECT_EQ(entriesOf(victim), std::set<std::string>{"init.IL"});
#endif
}

#ifndef _WIN32
// The file-size limit makes a write fail half-way, as a full disk does, even for root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_handler(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit small = m_previous;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_previous{};
    void (*m_handler)(int);
};
#endif

TEST_F(FileSafety, AProjectThatCannotBeWrittenWholeLeavesTheOldProjectAsItWas) {
#ifdef _WIN32
    POSIX_ONLY("a file-size limit that makes a write fail half-way");
#else
    const std::string directory = path("p");
    ASSERT_TRUE(ensureProjectDirectory(directory).ok());
    for (int slot = 0; slot < kSlotCount; ++slot) writeBytes(directory + "/" + slotFileName(slot), "old");
    give(0, {"I"});
    give(1, {"A"});
    give(5, {std::string(100, 'x')});  // larger than the disk allows

    SaveResult result;
    {
        const FileSizeLimit limit(32);
        result = writeProject(directory, slots, present);
    }
    EXPECT_EQ(result.status, SaveStatus::CannotCreateFile);
    EXPECT_EQ(result.message, "Cannot create file " + directory + "/5.IL");
    EXPECT_EQ(result.reason, "File too large");
    EXPECT_EQ(result.written, std::vector<std::string>{});
    EXPECT_EQ(result.deleted, std::vector<std::string>{});
    EXPECT_EQ(entriesOf(directory).size(), 17u);  // no temporary left
    for (int slot = 0; slot < kSlotCount; ++slot)
        EXPECT_EQ(readBytes(directory + "/" + slotFileName(slot)), "old") << slot;
#endif
}

TEST_F(FileSafety, AStagedFileWhoseSyncIsDueIsSyncedAndClosedBeforeItTakesItsName) {
    // The project writer stages its files with the sync deferred; whichever way a file
    // leaves the stage, its descriptor is closed, and its name is the target's only once
    // the bytes are whole.
    const std::string directory = path("staged");
    ASSERT_TRUE(ensureProjectDirectory(directory).ok());
    writeBytes(directory + "/1.IL", "old");
    int reason = 0;
    const os::Descriptor folder = os::openDirectory(directory, reason);
    ASSERT_TRUE(folder) << reason;

    std::optional<StagedFile> kept = stageFile(folder, "1.IL", "new bytes", Ownership::Writer, reason, StagedSync::Deferred);
    std::optional<StagedFile> dropped = stageFile(folder, "2.IL", "dropped", Ownership::Writer, reason, StagedSync::Deferred);
    ASSERT_TRUE(kept && dropped) << reason;
    EXPECT_TRUE(kept->file);  // its sync is still due
    EXPECT_EQ(readBytes(directory + "/1.IL"), "old");

    ASSERT_TRUE(commitStagedFile(folder, *kept, reason)) << reason;
    EXPECT_FALSE(kept->file);
    EXPECT_TRUE(syncStagedFile(*kept, reason));  // nothing left to do
    EXPECT_EQ(readBytes(directory + "/1.IL"), "new bytes");

    discardStagedFile(folder, *dropped);
    EXPECT_FALSE(dropped->file);
    EXPECT_EQ(entriesOf(directory), (std::set<std::string>{"1.IL"}));
}

TEST_F(FileSafety, TwoWritersOfOneProjectTakeTurns) {
    // Each writer's project names itself in every file and has its own set of slots; after
    // both, the directory holds exactly one of the two projects.
    const std::string directory = path("p");
    ASSERT_TRUE(ensureProjectDirectory(directory).ok());
    std::array<std::vector<std::string>, kSlotCount> first{}, second{};
    std::array<bool, kSlotCount> firstPresent{}, secondPresent{};
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        first[slot] = {"first"};
        second[slot] = {"second"};
        firstPresent[slot] = slot % 2 == 0;
        secondPresent[slot] = slot % 3 == 0;
    }
    for (int round = 0; round < 12; ++round) {
        SaveResult a, b;
        std::thread one([&] { a = writeProject(directory, first, firstPresent); });
        std::thread two([&] { b = writeProject(directory, second, secondPresent); });
        one.join();
        two.join();
        ASSERT_TRUE(a.ok() && b.ok());
        const std::set<std::string> names = entriesOf(directory);
        const std::string owner = readBytes(directory + "/init.IL");
        ASSERT_TRUE(owner == "first\r\r\n" || owner == "second\r\r\n");
        const auto& expected = owner == "first\r\r\n" ? firstPresent : secondPresent;
        for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
            const std::string name = slotFileName(static_cast<int>(slot));
            ASSERT_EQ(names.count(name), expected[slot] ? 1u : 0u) << round << " " << name;
            if (expected[slot]) {
                ASSERT_EQ(readBytes(directory + "/" + name), owner) << round << " " << name;
            }
        }
        ASSERT_EQ(names.size(), static_cast<std::size_t>(std::count(expected.begin(), expected.end(), true)));
    }
}

TEST_F(FileSafety, ADirectoryCreatedByAnotherRunAtTheSameMomentIsNoFailure) {
    for (int round = 0; round < 200; ++round) {
        const std::string directory = path("d" + std::to_string(round));
        SaveResult a, b;
        std::thread one([&] { a = ensureProjectDirectory(directory); });
        std::thread two([&] { b = ensureProjectDirectory(directory); });
        one.join();
        two.join();
        ASSERT_TRUE(a.ok()) << round << " " << a.reason;
        ASSERT_TRUE(b.ok()) << round << " " << b.reason;
    }
}

TEST_F(FileSafety, TemporaryNamesAreShortWhateverTheTargetsLength) {
    // The longest name the file system allows is 255 bytes; 234 and 255 must both work.
    for (const std::size_t length : {std::size_t{234}, std::size_t{255}}) {
        const std::string name(length, 'n');
        std::string error;
        ASSERT_TRUE(writeFileAtomically(path(name), "x", &error)) << error;
        EXPECT_EQ(readBytes(path(name)), "x");
        ASSERT_TRUE(writeFileAtomically(path(name), "again", &error)) << error;
        EXPECT_EQ(readBytes(path(name)), "again");
        fs::remove(path(name));
    }
    EXPECT_EQ(entriesOf(root().string()), std::set<std::string>{});
}

TEST_F(FileSafety, TemporariesOfAnEndedRunAreRemovedByTheNextWrite) {
    const std::string ended = std::to_string(testing::endedProcessId());
    const testing::LivingProcess livingProcess;
    const std::string living = std::to_string(livingProcess.id());
    const std::string directory = path("p");
    ASSERT_TRUE(ensureProjectDirectory(directory).ok());
    const std::set<std::string> kept = {
        ".vestrel-" + living + "-0.tmp",  // its process still runs
        ".vestrel-" + ended + "-x.tmp",   // not of the pattern
        "vestrel-" + ended + "-0.tmp",    // not of the pattern
        "notes.txt",
    };
    for (const std::string& name : kept) writeBytes(directory + "/" + name, "t");
    writeBytes(directory + "/.vestrel-" + ended + "-0.tmp", "abandoned");
    writeBytes(directory + "/.vestrel-" + ended + "-17.tmp", "abandoned");
    fs::create_directory(directory + "/.vestrel-" + ended + "-3.tmp");  // not a file: stays
    give(0, {"I"});

    ASSERT_TRUE(writeProject(directory, slots, present).ok());
    std::set<std::string> expected = kept;
    expected.insert("init.IL");
    expected.insert(".vestrel-" + ended + "-3.tmp");
    EXPECT_EQ(entriesOf(directory), expected);

    // A single-file write cleans its own folder the same way.
    writeBytes(path(".vestrel-" + ended + "-5.tmp"), "abandoned");
    ASSERT_TRUE(writeFileAtomically(path("f"), "x"));
    EXPECT_FALSE(fs::exists(path(".vestrel-" + ended + "-5.tmp")));
}

TEST_F(FileSafety, ASourceSavedThroughALinkReplacesTheFileItPointsTo) {
#ifdef _WIN32
    POSIX_ONLY("symbolic links, modes and owners (on Windows a link is refused: AWindowsLinkIsNeverWrittenThrough)");
#else
    fs::create_directory(path("real"));
    writeBytes(path("real/pump.prg"), "old\r\n");
    ASSERT_EQ(::chmod(path("real/pump.prg").c_str(), 0640), 0);
    fs::create_symlink("real/pump.prg", path("pump.prg"));
    fs::create_symlink(path("pump.prg"), path("again.prg"));  // a link to the link
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path("real/pump.prg").c_str(), kOtherUser, kOtherUser), 0);
    }
    // A hard link keeps the old text: the saved name gets a new file.
    ASSERT_EQ(::link(path("real/pump.prg").c_str(), path("hard.prg").c_str()), 0);

    std::string error;
    ASSERT_TRUE(writeSourceFile(path("again.prg"), {"new"}, &error)) << error;
    EXPECT_TRUE(fs::is_symlink(path("pump.prg")));
    EXPECT_TRUE(fs::is_symlink(path("again.prg")));
    EXPECT_EQ(readBytes(path("real/pump.prg")), "new\r\n");
    EXPECT_EQ(modeOf(path("real/pump.prg")), S_IFREG | (0640 & defaultFileMode()));
    if (::geteuid() == 0) {
        EXPECT_EQ(ownerOf(path("real/pump.prg")), kOtherUser);
    }
    EXPECT_EQ(readBytes(path("hard.prg")), "old\r\n");
    EXPECT_EQ(entriesOf(path("real")), std::set<std::string>{"pump.prg"});
#endif
}

#ifdef _WIN32
// Any user may plant a junction, so Windows follows no link for a write: a project folder
// or a file named through one is refused, and what it points to stays as it was.
TEST_F(FileSafety, AWindowsLinkIsNeverWrittenThrough) {
    const std::string victim = path("victim");
    fs::create_directory(testing::fsPath(victim));
    writeBytes(victim + "/3.IL", "precious");
    writeBytes(path("target.txt"), "mine");
    const auto link = [&](const std::string& target, const std::string& name, DWORD flags) {
        const std::filesystem::path from = testing::fsPath(name), to = testing::fsPath(target);
        return ::CreateSymbolicLinkW(from.c_str(), to.c_str(), flags | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0 &&
               (::GetFileAttributesW(from.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
               ::GetFileAttributesW(from.c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    // Wine reports success and makes nothing.
    if (!link(victim, path("pump"), SYMBOLIC_LINK_FLAG_DIRECTORY) || !link(path("target.txt"), path("tokens.txt"), 0))
        GTEST_SKIP() << "symbolic links cannot be made here (they need a privilege or developer mode)";
    give(0, {"I"});

    const SaveResult created = ensureProjectDirectory(path("pump"));
    EXPECT_EQ(created.status, SaveStatus::CannotCreateDirectory);
    EXPECT_EQ(created.reason, "it is a link (symbolic link or junction), which is not followed for a write");
    EXPECT_EQ(writeProject(path("pump"), slots, present).status, SaveStatus::CannotCreateDirectory);
    EXPECT_EQ(entriesOf(victim), std::set<std::string>{"3.IL"});
    EXPECT_EQ(readBytes(victim + "/3.IL"), "precious");

    std::string error;
    EXPECT_FALSE(writeFileAtomically(path("tokens.txt"), "records", &error));
    EXPECT_EQ(error, "Cannot create file " + path("tokens.txt") +
                         ": it is a link (symbolic link or junction), which is not followed for a write");
    EXPECT_EQ(readBytes(path("target.txt")), "mine");
}
#endif

TEST_F(FileSafety, OnlyRegularFilesWithinTheLimitAreRead) {
    // A sparse file one byte over the limit costs no disk.
    writeBytes(path("big"), "");
    fs::resize_file(testing::fsPath(path("big")), os::kInputSizeLimit + 1);
    struct Case {
        std::string path;
        std::string error;
    };
    std::vector<Case> cases = {
        {root().string(), "cannot read " + root().string() + ": not a regular file"},
        {path("big"), "cannot read " + path("big") + ": larger than 256 MB, the limit for an input"},
    };
#ifdef _WIN32
    cases.push_back({"NUL", "cannot read NUL: not a regular file"});
#else
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    cases.push_back({path("fifo"), "cannot read " + path("fifo") + ": not a regular file"});
    cases.push_back({"/dev/zero", "cannot read /dev/zero: not a regular file"});
#endif
    for (const Case& c : cases) {
        const SourceReadResult result = readSourceFile(c.path, SourceEncoding::Auto);
        EXPECT_FALSE(result.ok) << c.path;
        EXPECT_EQ(result.error, c.error);
        int reason = 0;
        EXPECT_EQ(readWholeFile(c.path, &reason), std::nullopt);
        EXPECT_NE(reason, 0);
    }
#ifndef _WIN32
    // A stream is read to its end, but not past the limit.
    const os::Descriptor zero(::open("/dev/zero", O_RDONLY));
    int reason = 0;
    EXPECT_EQ(os::readToEnd(zero.get(), 1 << 20, reason), std::nullopt);
    EXPECT_EQ(reason, os::kTooLarge);
    const os::Descriptor null(::open("/dev/null", O_RDONLY));
    EXPECT_EQ(os::readToEnd(null.get(), 1 << 20, reason), std::string());
#endif
}

}  // namespace
}  // namespace vestrel::project
