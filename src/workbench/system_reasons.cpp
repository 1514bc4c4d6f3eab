// The reasons a file cannot be read or written, said in Russian: the system's own
// texts are English, and the workbench speaks Russian throughout.
#include "workbench/system_reasons.h"

#include <cerrno>

#include "project/file_system.h"

namespace vestrel::workbench {

namespace {

struct ReasonText {
    int reason;
    const char* text;
};

constexpr ReasonText kReasonTexts[] = {
    {project::os::kUntrustedLink, "ссылка принадлежит другому пользователю"},
    {project::os::kNotRegularFile, "это не обычный файл"},
    {project::os::kTooLarge, "файл больше 256 МБ, допустимых для входного файла"},
    {project::os::kLinkNotFollowed, "это ссылка (символическая ссылка или точка соединения), запись через неё не выполняется"},
    {ENOSPC, "нет места на диске"},
#ifdef EDQUOT  // not on Windows
    {EDQUOT, "превышена дисковая квота"},
#endif
    {EFBIG, "файл слишком велик"},
    {EACCES, "нет прав доступа"},
    {EPERM, "операция не разрешена"},
    {EROFS, "файловая система доступна только для чтения"},
    {ENAMETOOLONG, "слишком длинное имя файла"},
    {ENOENT, "нет такого файла или каталога"},
    {ENOTDIR, "часть пути не является каталогом"},
    {EISDIR, "это каталог"},
    {EEXIST, "файл уже существует"},
    {ELOOP, "слишком много уровней ссылок"},
    {EBUSY, "файл занят"},
    {ETXTBSY, "файл занят"},
    {EIO, "ошибка ввода-вывода"},
    {EMFILE, "открыто слишком много файлов"},
    {ENFILE, "открыто слишком много файлов"},
    {ENOMEM, "не хватает памяти"},
    {EXDEV, "файлы на разных устройствах"},
    {ENOTEMPTY, "каталог не пуст"},
};

}  // namespace

QString systemReasonText(int reason) {
    if (reason == 0) return {};
    for (const ReasonText& entry : kReasonTexts) {
        if (entry.reason == reason) return QString::fromUtf8(entry.text);
    }
    return QStringLiteral("системная ошибка %1").arg(reason);
}

}  // namespace vestrel::workbench
