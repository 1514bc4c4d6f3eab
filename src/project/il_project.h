// The IL project on disk: a directory named after the source file, holding "init.IL"
// and one N.IL file per block half that received text. Every line ends in CR CR LF.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "project/atomic_file.h"
#include "translator/text/il_spill.h"
#include "translator/diagnostics/sinks.h"
#include "translator/run/translation.h"

namespace vestrel::project {

// Folder of the base name (with its separator) + its file name without the last
// extension: "/w/pump.prg" -> "/w/pump", "/w/my.unit.x" -> "/w/my.unit", "/w/pump" -> "/w/pump".
std::string ilProjectDirectory(std::string_view baseFileName);

// The name part of the project directory, as the replace question shows it ("pump").
std::string ilProjectName(std::string_view baseFileName);

// "init.IL" for slot 0, "1.IL" .. "16.IL" for slots 1..16.
std::string slotFileName(int slot);

enum class SaveStatus {
    Saved,
    CannotCreateDirectory,  // "Не могу создать каталог: " + directory
    CannotDeleteFile,       // "Не могу удалить : " + file
    CannotCreateFile,       // "Cannot create file %s"
};

struct SaveResult {
    SaveStatus status = SaveStatus::Saved;
    std::string message;  // cp1251, the text the user is shown; empty when saved
    std::string reason;   // the system's reason in English ("No space left on device"); may be empty
    int reasonCode = 0;   // the same reason as an os:: code (errno or one of our own), 0 for none
    std::string path;     // the directory or file the message names
    std::vector<std::string> written;  // file names written, in slot order
    std::vector<std::string> deleted;  // stale slot files removed
    bool ok() const { return status == SaveStatus::Saved; }
};

// One slot as a file: each line + CR CR LF; no lines give an empty file. The file is
// written beside its final name and renamed into place, so a failure leaves either the
// old file or none, never a truncated one.
WriteOutcome WriteSlotFile(const std::vector<std::string>& lines, const std::string& path, std::string* error = nullptr);
WriteOutcome WriteSlotFile(const IlText& lines, const std::string& path, std::string* error = nullptr);

// The spill policy of a run whose texts go to the project in directory: a text past the
// policy's limit sets its settled lines aside, as slot-file lines, in an unnamed file in
// that directory, or while it does not exist yet, in the folder that is to hold it (on
// the disk the project goes to, and never left behind).
IlSpillPolicy projectSpillPolicy(const std::string& directory);

// Creates the directory when it is missing (one level, not a chain). Another run creating
// it at the same moment is no failure; a link there is used only when trusted.
SaveResult ensureProjectDirectory(const std::string& directory);

// The writing sequence, which also replaces an existing project (Save IL project as, after
// "Yes"): only init.IL and 1.IL .. 16.IL are written or removed, every other file stays.
// The project is replaced as a whole: under the directory's advisory lock every present
// slot is written to a temporary and synced, and only then are they renamed into place
// and the files of absent slots removed; any failure before that leaves the old project
// as it was. Progress goes from 0 to 17 under the caption "Сохраняем IL-проект".
SaveResult writeProject(const std::string& directory,
                        const std::array<std::vector<std::string>, kSlotCount>& slotLines,
                        const std::array<bool, kSlotCount>& present, ProgressSink* progress = nullptr);
// The same for the texts of a translation run.
SaveResult writeProject(const std::string& directory, const std::array<IlText, kSlotCount>& slotLines,
                        const std::array<bool, kSlotCount>& present, ProgressSink* progress = nullptr);

}  // namespace vestrel::project
