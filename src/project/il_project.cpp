// Writing the IL project directory: names, slot files and the writing sequence.
#include "project/il_project.h"

#include <cerrno>
#include <memory>

#include "project/file_system.h"
#include "project/source_file.h"
#include "translator/text/cp1251.h"
#include "translator/text/literal.h"

namespace vestrel::project {
namespace {
using namespace text::literals;

constexpr std::array<std::string_view, kSlotCount> kSlotFileNames = {
    "init.IL", "1.IL",  "2.IL",  "3.IL",  "4.IL",  "5.IL",  "6.IL",  "7.IL",  "8.IL",
    "9.IL",    "10.IL", "11.IL", "12.IL", "13.IL", "14.IL", "15.IL", "16.IL",
};
static_assert(kSlotFileNames.size() == 17);

constexpr std::string_view kSlotLineEnd = "\r\r\n";
constexpr std::string_view kSaveCaption = "Сохраняем IL-проект"_cp;
constexpr std::string_view kCannotCreateDirectory = "Не могу создать каталог: "_cp;
constexpr std::string_view kCannotDeleteFile = "Не могу удалить : "_cp;
constexpr std::string_view kCannotCreateFile = "Cannot create file ";

constexpr char kSeparator = '/';
// What ends a folder in a path the user gave; Windows takes "\\" as well as "/".
#ifdef _WIN32
constexpr std::string_view kFolderEnds = "/\\";
#else
constexpr std::string_view kFolderEnds = "/";
#endif

// Paths are file-system (UTF-8) bytes, while messages are cp1251 like every text the
// user is shown; a character the code page lacks is shown as "?".
std::string pathForMessage(std::string_view path) {
    if (std::optional<std::string> converted = text::fromUtf8(path)) return *converted;
    std::string shown;
    for (std::size_t i = 0; i < path.size();) {
        const auto lead = static_cast<unsigned char>(path[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        const std::optional<std::string> one = text::fromUtf8(path.substr(i, length));
        if (one) {
            shown += *one;
            i += length;
        } else {
            shown += '?';
            ++i;
        }
    }
    return shown;
}

SaveResult failure(SaveStatus status, std::string_view prefix, const std::string& path, int reason) {
    SaveResult result;
    result.status = status;
    result.message = std::string(prefix) + pathForMessage(path);
    result.reason = reason == 0 ? std::string() : os::reasonText(reason);
    result.reasonCode = reason;
    result.path = path;
    return result;
}

std::string joinPath(const std::string& directory, std::string_view name) {
    std::string path = directory;
    if (!path.empty() && kFolderEnds.find(path.back()) == std::string_view::npos) path += kSeparator;
    path += name;
    return path;
}

}  // namespace

std::string ilProjectDirectory(std::string_view baseFileName) {
    const std::size_t slash = baseFileName.find_last_of(kFolderEnds);
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = baseFileName.rfind('.');
    // Only a dot inside the file-name part starts an extension, and not a leading one:
    // ".hidden" is a name, and cutting it would make the source's own folder the project.
    if (dot == std::string_view::npos || dot <= nameStart) return std::string(baseFileName);
    return std::string(baseFileName.substr(0, dot));
}

std::string ilProjectName(std::string_view baseFileName) {
    const std::string directory = ilProjectDirectory(baseFileName);
    const std::size_t slash = directory.find_last_of(kFolderEnds);
    return slash == std::string::npos ? directory : directory.substr(slash + 1);
}

std::string slotFileName(int slot) {
    if (slot < 0 || slot >= kSlotCount) return {};
    return std::string(kSlotFileNames[static_cast<std::size_t>(slot)]);
}

namespace {
std::string slotFileBytes(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (std::string_view line : lines) size += line.size() + kSlotLineEnd.size();
    std::string bytes;
    bytes.reserve(size);
    for (std::string_view line : lines) {
        bytes += line;
        bytes += kSlotLineEnd;
    }
    return bytes;
}

// A text is written a piece at a time, never copied whole; a text that lost its lines to
// a failed spill is not written at all.
FileContent slotFileBytes(const IlText& lines) {
    return [&lines](const PieceWriter& write, int& reason) {
        if (lines.spillFailure() != 0) {
            reason = lines.spillFailure();
            return false;
        }
        return lines.writeFileForm(kSlotLineEnd, write, reason);
    };
}

// The set-aside lines of one text: an unnamed file, appended to and read by position.
class SpillFile final : public IlSpillStore {
public:
    explicit SpillFile(os::Descriptor file) : m_file(std::move(file)) {}
    bool append(std::string_view bytes, int& reason) override {
        if (!os::writeAllAt(m_file.get(), m_size, bytes, reason)) return false;
        m_size += bytes.size();
        return true;
    }
    std::uint64_t size() const override { return m_size; }
    bool read(std::uint64_t offset, char* into, std::size_t size, int& reason) const override {
        return os::readAllAt(m_file.get(), offset, into, size, reason);
    }

private:
    os::Descriptor m_file;
    std::uint64_t m_size = 0;
};
}  // namespace

IlSpillPolicy projectSpillPolicy(const std::string& directory) {
    IlSpillPolicy policy;
    policy.lineEnd = kSlotLineEnd;
    std::string folder = directory;
    while (folder.size() > 1 && kFolderEnds.find(folder.back()) != std::string_view::npos) folder.pop_back();
    policy.open = [folder](int& reason) -> std::shared_ptr<IlSpillStore> {
        os::Descriptor file = os::createUnnamedFile(folder, reason);
        if (!file) file = os::createUnnamedFile(os::splitPath(folder).folder, reason);
        if (!file) return nullptr;
        return std::make_shared<SpillFile>(std::move(file));
    };
    return policy;
}

WriteOutcome WriteSlotFile(const std::vector<std::string>& lines, const std::string& path, std::string* error) {
    return writeFileAtomically(path, slotFileBytes(lines), error);
}

WriteOutcome WriteSlotFile(const IlText& lines, const std::string& path, std::string* error) {
    return writeFileAtomically(path, slotFileBytes(lines), error);
}

SaveResult ensureProjectDirectory(const std::string& directory) {
    int reason = 0;
    if (os::createOrOpenDirectory(directory, reason)) return {};
    return failure(SaveStatus::CannotCreateDirectory, kCannotCreateDirectory, directory, reason);
}

namespace {

// The files staged so far; those not renamed into place are removed when it goes.
class StagedProject {
public:
    explicit StagedProject(const os::Descriptor& directory) : m_directory(directory) {}
    StagedProject(const StagedProject&) = delete;
    StagedProject& operator=(const StagedProject&) = delete;
    ~StagedProject() {
        for (std::size_t i = m_committed; i < m_files.size(); ++i) discardStagedFile(m_directory, m_files[i]);
    }
    void add(StagedFile file) { m_files.push_back(std::move(file)); }
    // Waits for each file's data to reach the disk (the writes of all were started as they
    // were staged, so the waits overlap); false at the first that fails, failedTarget() its name.
    bool sync(int& reason) {
        for (m_failed = 0; m_failed < m_files.size(); ++m_failed)
            if (!syncStagedFile(m_files[m_failed], reason)) return false;
        return true;
    }
    // Renames the files into place in slot order; false at the first that fails.
    bool commit(std::vector<std::string>& written, int& reason) {
        for (; m_committed < m_files.size(); ++m_committed) {
            m_failed = m_committed;
            if (!commitStagedFile(m_directory, m_files[m_committed], reason)) return false;
            written.push_back(m_files[m_committed].target);
        }
        return true;
    }
    const std::string& failedTarget() const { return m_files[m_failed].target; }

private:
    const os::Descriptor& m_directory;
    std::vector<StagedFile> m_files;
    std::size_t m_committed = 0;
    std::size_t m_failed = 0;
};

template <class Lines>
SaveResult writeProjectOf(const std::string& directory, const std::array<Lines, kSlotCount>& slotLines,
                          const std::array<bool, kSlotCount>& present, ProgressSink* progress) {
    SilentProgress silent;
    ProgressSink& gauge = progress ? *progress : silent;
    gauge.setCaption(kSaveCaption);
    gauge.setMaximum(kSlotCount);
    gauge.setPosition(0);

    int reason = 0;
    const os::Descriptor folder = os::openDirectory(directory, reason);
    if (!folder) return failure(SaveStatus::CannotCreateDirectory, kCannotCreateDirectory, directory, reason);
    // Two writers of one project take turns, so neither leaves a mix of both projects.
    const std::optional<os::DirectoryLock> lock = os::lockExclusively(folder, reason);
    if (!lock) return failure(SaveStatus::CannotCreateFile, kCannotCreateFile, directory, reason);
    os::removeAbandonedTemporaries(folder);

    // What would stop the sequence half-way is found before anything changes: a directory
    // where a slot file is to be written or removed.
    std::array<os::EntryStatus, kSlotCount> existing{};
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        const std::string name(kSlotFileNames[slot]);
        existing[slot] = os::entryStatus(folder, name);
        if (!existing[slot].isDirectory) continue;
        return present[slot] ? failure(SaveStatus::CannotCreateFile, kCannotCreateFile, joinPath(directory, name), EISDIR)
                             : failure(SaveStatus::CannotDeleteFile, kCannotDeleteFile, joinPath(directory, name), EISDIR);
    }

    StagedProject staged(folder);
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        if (present[slot]) {
            const std::string name(kSlotFileNames[slot]);
            std::optional<StagedFile> file =
                stageFile(folder, name, slotFileBytes(slotLines[slot]), Ownership::Writer, reason, StagedSync::Deferred);
            if (!file) return failure(SaveStatus::CannotCreateFile, kCannotCreateFile, joinPath(directory, name), reason);
            staged.add(std::move(*file));
        }
        gauge.advance();
    }

    if (!staged.sync(reason))
        return failure(SaveStatus::CannotCreateFile, kCannotCreateFile, joinPath(directory, staged.failedTarget()), reason);
    // Every new file is on disk: only renames and removals are left, which need no room.
    SaveResult result;
    if (!staged.commit(result.written, reason)) {
        SaveResult failed =
            failure(SaveStatus::CannotCreateFile, kCannotCreateFile, joinPath(directory, staged.failedTarget()), reason);
        failed.written = std::move(result.written);
        return failed;
    }
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        if (present[slot] || !existing[slot].exists) continue;
        const std::string name(kSlotFileNames[slot]);
        if (os::removeEntry(folder, name, reason)) {
            result.deleted.push_back(name);
        } else if (reason != ENOENT) {
            SaveResult failed = failure(SaveStatus::CannotDeleteFile, kCannotDeleteFile, joinPath(directory, name), reason);
            failed.written = std::move(result.written);
            failed.deleted = std::move(result.deleted);
            return failed;
        }
    }
    os::syncDirectory(folder);
    return result;
}

}  // namespace

SaveResult writeProject(const std::string& directory,
                        const std::array<std::vector<std::string>, kSlotCount>& slotLines,
                        const std::array<bool, kSlotCount>& present, ProgressSink* progress) {
    return writeProjectOf(directory, slotLines, present, progress);
}

SaveResult writeProject(const std::string& directory, const std::array<IlText, kSlotCount>& slotLines,
                        const std::array<bool, kSlotCount>& present, ProgressSink* progress) {
    return writeProjectOf(directory, slotLines, present, progress);
}

}  // namespace vestrel::project
