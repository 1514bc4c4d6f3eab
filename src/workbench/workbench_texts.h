// The texts the workbench shows in its message boxes, questions and file dialogs,
// typed once here. Qt text is Unicode, so these are UTF-8; the core's cp1251 texts are
// converted at the edge (text_conversion.h).
#pragma once

#include <QString>

namespace vestrel::workbench::texts {

inline QString qs(const char* utf8) { return QString::fromUtf8(utf8); }

// Captions of the three kinds of message box.
inline constexpr char kApplicationTitle[] = "Транслятор программ";
inline constexpr char kQuestionCaption[] = "Предупреждение";
inline constexpr char kNoticeCaption[] = "Message Box";

inline constexpr char kMainCaption[] = "Vestrel";

// Program names of windows that have no file yet: "NONAME" + number.
inline constexpr char kNoName[] = "NONAME";

// Source program files.
inline constexpr char kOpenDialogTitle[] = "Загрузка программы";
inline constexpr char kOpenFilter[] = "Все файлы (*.*)|*.*|Формат PRG (*.prg)|*.prg";
inline constexpr int kOpenFilterIndex = 2;
inline constexpr char kSourceExtension[] = "prg";
inline constexpr char kSourceFilter[] = "Фаилы PRG|*.prg";
inline constexpr char kSourceSaved[] = "KORVEL-Проект успешно сохранен";
inline constexpr char kFileWord[] = "Файл ";
inline constexpr char kAlreadyExists[] = " уже существует. Заменить его ?";
inline constexpr char kWasModified[] = " был изменен. Сохранить его ?";
inline constexpr char kCannotCreateFile[] = "Cannot create file ";
inline constexpr char kCannotOpenFile[] = "Не могу открыть файл ";

// IL projects.
inline constexpr char kIlFilter[] = "Все файлы|*.*";
inline constexpr char kIlProjectWord[] = "IL-проект ";
inline constexpr char kIlProjectModified[] = "IL-проект был изменен. Сохранить его ?";
inline constexpr char kIlProjectSaved[] = "IL-Проект успешно сохранен";

// A character of an editor that code page 1251 cannot hold.
inline constexpr char kUnconvertibleLine[] = "Строка ";
inline constexpr char kUnconvertibleColumn[] = ", позиция ";
inline constexpr char kUnconvertibleCharacter[] = ": символ ";
inline constexpr char kUnconvertibleTail[] = " не входит в кодовую страницу 1251.";
inline constexpr char kOutputPageWord[] = "Вкладка ";

}  // namespace vestrel::workbench::texts
