// Writing the IL project directory: names, slot files and the writing sequence.
#include "project/il_project.h"

#include <filesystem>
#include <system_error>

#include "project/source_file.h"
#include "translator/text/cp1251.h"
#include "translator/text/literal.h"

namespace vestrel::project {
namespace {
using namespace text::literals;
namespace fs = std::filesystem;

constexpr std::array<std::string_view, kSlotCount> kSlotFileNames = {
    "init.IL", "1.IL",  "2.IL",  "3.IL",  "4.IL",  "5.IL",  "6.IL",  "7.IL",  "8.IL",
    "9.IL",    "10.IL", "11.IL", "12.IL", "13.IL", "14.IL", "15.IL", "16.IL",
};
static_assert(kSlotFileNames.size() == 17);

constexpr std::string_view kSlotLineEnd = "\r\r\n";
constexpr std::string_view kSaveCaption = "Сохраняем IL-проект"_cp;
constexpr std::string_view kCannotCreateDirectory = "Не могу создать каталог: "_cp;
constexpr std::string_view kCannotDeleteDirectory = "Не могу удалить каталог: "_cp;
constexpr std::string_view kCannotDeleteFile = "Не могу удалить : "_cp;
constexpr std::string_view kCannotCreateFile = "Cannot create file ";

constexpr char kSeparator = '/';

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

SaveResult failure(SaveStatus status, std::string_view prefix, const std::string& path) {
    SaveResult result;
    result.status = status;
    result.message = std::string(prefix) + pathForMessage(path);
    result.path = path;
    return result;
}

std::string joinPath(const std::string& directory, std::string_view name) {
    std::string path = directory;
    if (!path.empty() && path.back() != kSeparator) path += kSeparator;
    path += name;
    return path;
}

// Deletes one stale slot file. Only a file goes: a directory of that name is left alone
// and counts as a file that could not be deleted.
enum class Deletion { NothingThere, Deleted, Failed };
Deletion deleteSlotFile(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (status.type() == fs::file_type::not_found) return Deletion::NothingThere;
    if (error || status.type() == fs::file_type::directory) return Deletion::Failed;
    if (fs::remove(path, error)) return Deletion::Deleted;
    return fs::exists(fs::symlink_status(path, error)) ? Deletion::Failed : Deletion::NothingThere;
}

}  // namespace

std::string ilProjectDirectory(std::string_view baseFileName) {
    const std::size_t slash = baseFileName.rfind(kSeparator);
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = baseFileName.rfind('.');
    // Only a dot inside the file-name part starts an extension, and not a leading one:
    // ".hidden" is a name, and cutting it would make the source's own folder the project.
    if (dot == std::string_view::npos || dot <= nameStart) return std::string(baseFileName);
    return std::string(baseFileName.substr(0, dot));
}

std::string ilProjectName(std::string_view baseFileName) {
    const std::string directory = ilProjectDirectory(baseFileName);
    const std::size_t slash = directory.rfind(kSeparator);
    return slash == std::string::npos ? directory : directory.substr(slash + 1);
}

std::string slotFileName(int slot) {
    if (slot < 0 || slot >= kSlotCount) return {};
    return std::string(kSlotFileNames[static_cast<std::size_t>(slot)]);
}

namespace {
template <class Lines>
std::string slotFileBytes(const Lines& lines) {
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
}  // namespace

bool WriteSlotFile(const std::vector<std::string>& lines, const std::string& path, std::string* error) {
    return writeFileAtomically(path, slotFileBytes(lines), error);
}

bool WriteSlotFile(const IlText& lines, const std::string& path, std::string* error) {
    return writeFileAtomically(path, slotFileBytes(lines), error);
}

SaveResult ensureProjectDirectory(const std::string& directory) {
    std::error_code error;
    if (fs::is_directory(directory, error)) return {};
    if (fs::create_directory(directory, error) && !error) return {};
    return failure(SaveStatus::CannotCreateDirectory, kCannotCreateDirectory, directory);
}

SaveResult removeProjectDirectory(const std::string& directory) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(directory, error);
    // Only a real directory is removed: a file or a link of that name is not a project,
    // and creating the directory afterwards reports the clash.
    if (status.type() != fs::file_type::directory) return {};
    fs::remove_all(directory, error);
    if (error || fs::exists(fs::symlink_status(directory, error)))
        return failure(SaveStatus::CannotDeleteDirectory, kCannotDeleteDirectory, directory);
    return {};
}

namespace {
template <class Lines>
SaveResult writeProjectOf(const std::string& directory, const std::array<Lines, kSlotCount>& slotLines,
                          const std::array<bool, kSlotCount>& present, ProgressSink* progress) {
    SilentProgress silent;
    ProgressSink& gauge = progress ? *progress : silent;
    gauge.setCaption(kSaveCaption);
    gauge.setMaximum(kSlotCount);
    gauge.setPosition(0);

    SaveResult result;
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        const std::string name(kSlotFileNames[slot]);
        const std::string path = joinPath(directory, name);
        if (present[slot]) {
            if (!WriteSlotFile(slotLines[slot], path)) {
                SaveResult failed = failure(SaveStatus::CannotCreateFile, kCannotCreateFile, path);
                failed.written = std::move(result.written);
                failed.deleted = std::move(result.deleted);
                return failed;
            }
            result.written.push_back(name);
        } else {
            switch (deleteSlotFile(path)) {
                case Deletion::NothingThere: break;
                case Deletion::Deleted: result.deleted.push_back(name); break;
                case Deletion::Failed: {
                    SaveResult failed = failure(SaveStatus::CannotDeleteFile, kCannotDeleteFile, path);
                    failed.written = std::move(result.written);
                    failed.deleted = std::move(result.deleted);
                    return failed;
                }
            }
        }
        gauge.advance();
    }
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
