// The safe whole-file write every file of the system goes through: the bytes go to a
// temporary beside the target, are synced, and are renamed into place, so a failure
// leaves the old file or none, never a part of the new one.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "project/file_system.h"

namespace vestrel::project {

// What a write came to: ok, or the reason it failed (an os:: reason code).
struct WriteOutcome {
    bool ok = true;
    int reason = 0;
    explicit operator bool() const { return ok; }
};

// Whose file a replacement becomes: the writing user's, or the owner and group of the
// file it replaces, where the process may give them (a user's own sources and settings).
enum class Ownership { Writer, KeepReplaced };

// The bytes of a file given a piece at a time: the content calls `write` with each piece
// in order, and is true when all went (false with the reason otherwise).
using PieceWriter = std::function<bool(std::string_view piece, int& reason)>;
using FileContent = std::function<bool(const PieceWriter& write, int& reason)>;

// Writes the file path names. A link there (when trusted) is written through, into the
// file it points to, in that file's folder; another user's link is refused. On failure
// error is "Cannot create file <path>: <reason>".
WriteOutcome writeFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr,
                                 Ownership ownership = Ownership::Writer);
WriteOutcome writeFileAtomically(const std::string& path, const FileContent& content, std::string* error = nullptr,
                                 Ownership ownership = Ownership::Writer);

// One file written under a temporary name in an open directory, waiting to be renamed over
// its target; the project writer stages all its files before it renames any. A file
// staged with its sync deferred stays open, its data on the way to the disk, until
// syncStagedFile (the project writer starts all its files before it waits for any).
struct StagedFile {
    std::string temporary;
    std::string target;
    os::Descriptor file;  // open while the sync is due
};
enum class StagedSync { Now, Deferred };
std::optional<StagedFile> stageFile(const os::Descriptor& directory, const std::string& target, std::string_view bytes,
                                    Ownership ownership, int& reason, StagedSync sync = StagedSync::Now);
std::optional<StagedFile> stageFile(const os::Descriptor& directory, const std::string& target,
                                    const FileContent& content, Ownership ownership, int& reason,
                                    StagedSync sync = StagedSync::Now);
// Waits until the staged file is on disk and closes it (nothing to do when it is already).
bool syncStagedFile(StagedFile& staged, int& reason);
// Renames the staged file into place; one whose sync is still due is synced first.
bool commitStagedFile(const os::Descriptor& directory, StagedFile& staged, int& reason);
// Closes the staged file (when still open: Windows removes no open file) and removes it.
void discardStagedFile(const os::Descriptor& directory, StagedFile& staged);

// "Cannot create file <path>: <reason>".
std::string cannotCreateFileText(const std::string& path, int reason);

}  // namespace vestrel::project
