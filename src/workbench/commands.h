// The command vocabulary of the main window as data: captions with their access keys,
// shortcuts, hints ("short|long"), help contexts and images, and the menu layout.
#pragma once

#include <array>
#include <cstddef>

namespace vestrel::workbench {

enum class Command {
    FileNew1,
    FileOpen1,
    FileClose1,
    FileSaveKorvel1,
    FileSaveKorvelAs1,
    FileSaveIL1,
    FileSaveILAs1,
    FileExit1,
    EditCut1,
    EditCopy1,
    EditPaste1,
    Translate,
    TranslateParametrs,
    EditParametrs,
    WindowCascade1,
    WindowTileHorizontal1,
    WindowTileVertical1,
    WindowMinimizeAll1,
    WindowArrangeAll1,
    ViewStructWindow,
    N15,  // help contents
    HelpAbout1,
};
inline constexpr std::size_t kCommandCount = 22;

struct CommandInfo {
    Command command;
    const char* name;      // the action's object name
    const char* caption;   // menu caption, "&" before the access key
    const char* shortcut;  // in QKeySequence's portable form; "" for none
    const char* hint;      // "short|long"; "" for none
    int helpContext;       // 0 for none
    int imageIndex;        // index into the main image list; -1 for none
};

inline constexpr std::array<CommandInfo, kCommandCount> kCommands = {{
    {Command::FileNew1, "FileNew1", "Созд&ать ...", "Ctrl+N", "Создать|Создать новый файл", 21, 6},
    {Command::FileOpen1, "FileOpen1", "&Открыть...", "Ctrl+O", "Открыть|Открыть файл", 22, 7},
    {Command::FileClose1, "FileClose1", "&Закрыть", "", "Закрыть|Закрыть текущий файл", 0, -1},
    {Command::FileSaveKorvel1, "FileSaveKorvel1", "Сохранить &Korvel проект", "Ctrl+Alt+S",
     "Сохранить Korvel проект|Сохранить текущий Korvel проект", 24, 18},
    {Command::FileSaveKorvelAs1, "FileSaveKorvelAs1", "Сохранить Korvel проек&т как...", "",
     "Сохранить Korvel проект как|Сохранить текущий Korvel проект под другим именем", 24, -1},
    {Command::FileSaveIL1, "FileSaveIL1", "&Сохранить IL проект", "Ctrl+S",
     "Сохранить IL проект|Сохранить текущий IL проект", 24, 19},
    {Command::FileSaveILAs1, "FileSaveILAs1", "Сохранить IL проект &как...", "",
     "Сохранить IL проект как|Сохранить текущий IL проект под другим именем", 24, -1},
    {Command::FileExit1, "FileExit1", "В&ыход", "", "Выход|Выход из приложения", 0, -1},
    {Command::EditCut1, "EditCut1", "&Вырезать", "Ctrl+X", "Вырезать|Вырезать фрагмент и поместить его в буфер", 0, 0},
    {Command::EditCopy1, "EditCopy1", "&Копировать", "Ctrl+C", "Копировать|Копировать выделенный фрагмент в буфер", 0, 1},
    {Command::EditPaste1, "EditPaste1", "Вст&авить", "Ctrl+V", "Вставить|Вставить фрагмент из буфера", 0, 2},
    {Command::Translate, "Translate", "&Трансляция", "F9", "Трансляция|Перевод программы", 23, 20},
    {Command::TranslateParametrs, "TranslateParametrs", "&Параметры трансляции ...", "Ctrl+Shift+F11",
     "Параметры|Параметры трансляции", 14, -1},
    {Command::EditParametrs, "EditParametrs", "Параметры &редактора ...", "Ctrl+Shift+F12",
     "Параметры редактора|Изменение цвета, текста, шрифта программы", 0, -1},
    {Command::WindowCascade1, "WindowCascade1", "&Каскадом", "", "Каскадом", 0, 17},
    {Command::WindowTileHorizontal1, "WindowTileHorizontal1", "Расположить &горизонтально", "",
     "Расположить горизонтально", 0, 15},
    {Command::WindowTileVertical1, "WindowTileVertical1", "Расположить &вертикально", "", "Расположить вертикально", 0, 16},
    {Command::WindowMinimizeAll1, "WindowMinimizeAll1", "&Свернуть все окна", "", "свернуть все окна", 0, -1},
    {Command::WindowArrangeAll1, "WindowArrangeAll1", "&Раскрыть все окна", "", "Раскрыть все окна", 0, -1},
    {Command::ViewStructWindow, "ViewStructWindow", "Восстановить структуру &окна", "", "", 0, -1},
    {Command::N15, "N15", "&Справка по транслятору", "F1", "", 0, -1},
    {Command::HelpAbout1, "HelpAbout1", "&О программе", "", "About|Shows the product name and version", 0, -1},
}};
static_assert(kCommands.size() == kCommandCount);

constexpr const CommandInfo& commandInfo(Command command) { return kCommands[static_cast<std::size_t>(command)]; }

// A menu of the menu bar; its entries are commands, separators, or the window list.
enum class MenuEntryKind { Command, Separator, WindowList };
struct MenuEntry {
    MenuEntryKind kind;
    Command command;
};
constexpr MenuEntry entry(Command command) { return {MenuEntryKind::Command, command}; }
inline constexpr MenuEntry kSeparator{MenuEntryKind::Separator, Command::FileNew1};
inline constexpr MenuEntry kWindowList{MenuEntryKind::WindowList, Command::FileNew1};

struct MenuInfo {
    const char* name;
    const char* caption;
    const char* hint;
    int helpContext;
    const MenuEntry* entries;
    std::size_t entryCount;
};

inline constexpr MenuEntry kFileMenu[] = {
    entry(Command::FileNew1),        entry(Command::FileOpen1),         entry(Command::FileClose1), kSeparator,
    entry(Command::FileSaveKorvel1), entry(Command::FileSaveKorvelAs1), kSeparator,
    entry(Command::FileSaveIL1),     entry(Command::FileSaveILAs1),     kSeparator,
    entry(Command::FileExit1),
};
inline constexpr MenuEntry kEditMenu[] = {entry(Command::EditCut1), entry(Command::EditCopy1), entry(Command::EditPaste1)};
// The editor parameters entry is in this menu but hidden; its command is reached through
// the context menu and the shortcut.
inline constexpr MenuEntry kProjectMenu[] = {
    entry(Command::Translate), kSeparator, entry(Command::TranslateParametrs), entry(Command::EditParametrs)};
inline constexpr MenuEntry kWindowMenu[] = {
    entry(Command::WindowCascade1),     entry(Command::WindowTileHorizontal1), entry(Command::WindowTileVertical1),
    entry(Command::WindowMinimizeAll1), entry(Command::WindowArrangeAll1),     kSeparator,
    entry(Command::ViewStructWindow),   kWindowList,
};
inline constexpr MenuEntry kHelpMenu[] = {entry(Command::N15), kSeparator, entry(Command::HelpAbout1)};

inline constexpr std::array<MenuInfo, 5> kMenus = {{
    {"FileMenu", "&Файл", "Команды работы с файлами", 1, kFileMenu, std::size(kFileMenu)},
    {"EditMenu", "&Правка", "Команды редактирования", 1, kEditMenu, std::size(kEditMenu)},
    {"ProjectMenu", "Про&ект", "Опции проекта|Параметры создания проекта", 1, kProjectMenu, std::size(kProjectMenu)},
    {"WindowMenu", "&Окно", "команды работы с окнами", 1, kWindowMenu, std::size(kWindowMenu)},
    {"HelpMenu", "&?", "Help topics", 1, kHelpMenu, std::size(kHelpMenu)},
}};

// The toolbar from left to right. The buttons carry hints of their own, which differ
// from the menu entries' hints for some commands; nullptr marks a separator.
struct ToolButtonInfo {
    Command command;
    const char* hint;
};
inline constexpr ToolButtonInfo kToolbar[] = {
    {Command::FileNew1, "Новая программа|Создать новую программу"},
    {Command::FileOpen1, "Открыть|Открыть файл"},
    {Command::FileSaveKorvel1, "Сохранить Korvel проект|Сохранить текущий Korvel проект"},
    {Command::FileSaveIL1, "Сохранить IL проект|Сохранить текущий IL проект"},
    {Command::FileNew1, nullptr},
    {Command::EditCut1, "Вырезать|Вырезать и поместить в буфер"},
    {Command::EditCopy1, "Копировать|Копировать фрагмент в буфер"},
    {Command::EditPaste1, "Вставить|Вставить фрагмент из буфера"},
    {Command::FileNew1, nullptr},
    {Command::Translate, "Трансляция|Перевод программы"},
    {Command::FileNew1, nullptr},
    {Command::WindowCascade1, "Окна каскадом"},
    {Command::WindowTileHorizontal1, "Окна горизонтально"},
    {Command::WindowTileVertical1, "Окна вертикально"},
};
static_assert(std::size(kToolbar) == 14);

// The context menu of the frame background.
inline constexpr Command kContextMenu[] = {Command::TranslateParametrs, Command::EditParametrs};

}  // namespace vestrel::workbench
