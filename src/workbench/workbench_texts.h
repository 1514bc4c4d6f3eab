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

// The buttons of the message boxes.
inline constexpr char kOkButton[] = "OK";
inline constexpr char kYesButton[] = "&Да";
inline constexpr char kNoButton[] = "&Нет";
inline constexpr char kSaveButton[] = "&Сохранить";
inline constexpr char kDiscardButton[] = "&Не сохранять";
inline constexpr char kCancelButton[] = "Отмена";

inline constexpr char kMainCaption[] = "Vestrel";
// The toolbar's name, as the frame's menu of bars shows it.
inline constexpr char kToolbarTitle[] = "Панель инструментов";

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
inline constexpr char kCannotCreateFile[] = "Не могу создать файл ";
inline constexpr char kCannotWriteSettings[] = "Не могу записать файл настроек ";
inline constexpr char kCannotOpenFile[] = "Не могу открыть файл ";
inline constexpr char kSaveSourceTitle[] = "Сохранение программы";
inline constexpr char kChangedOnDisk[] = " изменен другой программой. Загрузить его заново ?";
inline constexpr char kEditsWillGo[] = "\nИзменения, сделанные в окне, будут потеряны.";

// IL projects.
inline constexpr char kIlFilter[] = "Все файлы|*.*";
inline constexpr char kIlProjectWord[] = "IL-проект ";
inline constexpr char kIlProjectModified[] = "IL-проект был изменен. Сохранить его ?";
inline constexpr char kIlProjectSaved[] = "IL-Проект успешно сохранен";
inline constexpr char kSaveIlProjectTitle[] = "Сохранение IL-проекта";
inline constexpr char kIlEditedBeforeRun[] =
    "IL-проект был изменен вручную и не сохранен. Трансляция заменит его. Сохранить его ?";

// Several pieces of unsaved work at the end of the program, in one question.
inline constexpr char kUnsavedListHead[] = "Не сохранены:";
inline constexpr char kUnsavedIlProject[] = "    IL-проект программы ";
inline constexpr char kUnsavedSource[] = "    файл ";
inline constexpr char kUnsavedListTail[] = "Сохранить их ?";

// A character of an editor that code page 1251 cannot hold.
inline constexpr char kUnconvertibleLine[] = "Строка ";
inline constexpr char kUnconvertibleColumn[] = ", позиция ";
inline constexpr char kUnconvertibleCharacter[] = ": символ ";
inline constexpr char kUnconvertibleTail[] = " не входит в кодовую страницу 1251.";
inline constexpr char kOutputPageWord[] = "Вкладка ";

}  // namespace vestrel::workbench::texts
