// The safe whole-file write: resolve trusted links, stage a temporary in the target's
// folder, sync it and rename it into place.
#include "project/atomic_file.h"

#include <cerrno>

#include "project/file_system.h"

namespace vestrel::project {

std::string cannotCreateFileText(const std::string& path, int reason) {
    return "Cannot create file " + path + ": " + os::reasonText(reason);
}

namespace {
FileContent wholeContent(std::string_view bytes) {
    return [bytes](const PieceWriter& write, int& reason) { return write(bytes, reason); };
}
}  // namespace

std::optional<StagedFile> stageFile(const os::Descriptor& directory, const std::string& target, std::string_view bytes,
                                    Ownership ownership, int& reason, StagedSync sync) {
    return stageFile(directory, target, wholeContent(bytes), ownership, reason, sync);
}

std::optional<StagedFile> stageFile(const os::Descriptor& directory, const std::string& target,
                                    const FileContent& content, Ownership ownership, int& reason, StagedSync sync) {
    std::optional<os::Temporary> temporary = os::createTemporary(directory, reason);
    if (!temporary) return std::nullopt;
    StagedFile staged{temporary->name, target, std::move(temporary->file)};
    const os::NativeHandle file = staged.file.get();
    bool written =
        content([file](std::string_view piece, int& pieceReason) { return os::writeAll(file, piece, pieceReason); },
                reason);
    if (written) {
        os::keepAttributes(staged.file.get(), os::entryStatus(directory, target), ownership == Ownership::KeepReplaced);
        if (sync == StagedSync::Now)
            written = syncStagedFile(staged, reason);
        else
            os::startWriteback(staged.file.get());
    }
    if (!written) {
        discardStagedFile(directory, staged);
        return std::nullopt;
    }
    return staged;
}

bool syncStagedFile(StagedFile& staged, int& reason) {
    return !staged.file || os::syncAndClose(staged.file, reason);
}

bool commitStagedFile(const os::Descriptor& directory, StagedFile& staged, int& reason) {
    // A file is renamed into place only once it is on disk: never an empty or partial file
    // under the target's name after a crash.
    if (!syncStagedFile(staged, reason)) return false;
    return os::renameEntry(directory, staged.temporary, staged.target, reason);
}

void discardStagedFile(const os::Descriptor& directory, StagedFile& staged) {
    staged.file = os::Descriptor();
    int ignored = 0;
    os::removeEntry(directory, staged.temporary, ignored);
}

WriteOutcome writeFileAtomically(const std::string& path, std::string_view bytes, std::string* error,
                                 Ownership ownership) {
    return writeFileAtomically(path, wholeContent(bytes), error, ownership);
}

WriteOutcome writeFileAtomically(const std::string& path, const FileContent& content, std::string* error,
                                 Ownership ownership) {
    WriteOutcome outcome;
    auto fail = [&](int reason) {
        outcome.ok = false;
        outcome.reason = reason;
        if (error) *error = cannotCreateFileText(path, reason);
        return outcome;
    };
    int reason = 0;
    const std::optional<std::string> real = os::resolveTrustedLinks(path, reason);
    if (!real) return fail(reason);
    const os::PathParts parts = os::splitPath(*real);
    if (parts.name.empty()) return fail(EISDIR);
    const os::Descriptor folder = os::openDirectory(parts.folder, reason);
    if (!folder) return fail(reason);
    os::removeAbandonedTemporaries(folder);
    std::optional<StagedFile> staged = stageFile(folder, parts.name, content, ownership, reason);
    if (!staged) return fail(reason);
    if (!commitStagedFile(folder, *staged, reason)) {
        discardStagedFile(folder, *staged);
        return fail(reason);
    }
    os::syncDirectory(folder);
    return outcome;
}

}  // namespace vestrel::project
