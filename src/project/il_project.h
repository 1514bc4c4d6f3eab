// The IL project on disk: a directory named after the source file, holding "init.IL"
// and one N.IL file per block half that received text. Every line ends in CR CR LF.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

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
    CannotDeleteDirectory,  // "Не могу удалить каталог: " + directory
    CannotDeleteFile,       // "Не могу удалить : " + file
    CannotCreateFile,       // "Cannot create file %s"
};

struct SaveResult {
    SaveStatus status = SaveStatus::Saved;
    std::string message;  // cp1251, the text the user is shown; empty when saved
    std::string path;     // the directory or file the message names
    std::vector<std::string> written;  // file names written, in slot order
    std::vector<std::string> deleted;  // stale slot files removed
    bool ok() const { return status == SaveStatus::Saved; }
};

// One slot as a file: each line + CR CR LF; no lines give an empty file. The file is
// written beside its final name and renamed into place, so a failure leaves either the
// old file or none, never a truncated one.
bool WriteSlotFile(const std::vector<std::string>& lines, const std::string& path, std::string* error = nullptr);
bool WriteSlotFile(const IlText& lines, const std::string& path, std::string* error = nullptr);

// Creates the directory when it is missing (one level, not a chain).
SaveResult ensureProjectDirectory(const std::string& directory);

// Removes an existing project directory with its contents (Save IL project as, after "Yes").
SaveResult removeProjectDirectory(const std::string& directory);

// The writing sequence: present slots are written, the files of absent slots deleted,
// in slot order 0..16; progress goes from 0 to 17 under the caption "Сохраняем IL-проект".
SaveResult writeProject(const std::string& directory,
                        const std::array<std::vector<std::string>, kSlotCount>& slotLines,
                        const std::array<bool, kSlotCount>& present, ProgressSink* progress = nullptr);
// The same for the texts of a translation run.
SaveResult writeProject(const std::string& directory, const std::array<IlText, kSlotCount>& slotLines,
                        const std::array<bool, kSlotCount>& present, ProgressSink* progress = nullptr);

}  // namespace vestrel::project
