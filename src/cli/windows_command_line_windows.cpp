// The wide command line of vestrelc on Windows.
#include "cli/windows_command_line.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

namespace vestrel::cli {
namespace {

std::string utf8FromWide(const wchar_t* wide) {
    const int length = static_cast<int>(std::wcslen(wide));
    if (length == 0) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) ::WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

}  // namespace

WindowsCommandLine::WindowsCommandLine() {
    int count = 0;
    if (wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) m_arguments.push_back(utf8FromWide(wide[i]));
        ::LocalFree(wide);
    }
    if (m_arguments.empty()) m_arguments.emplace_back("vestrelc");
    for (std::string& argument : m_arguments) m_pointers.push_back(argument.data());
    m_pointers.push_back(nullptr);
    // Messages are UTF-8 bytes and the IL and report texts are written as they are: no
    // line-break translation on the way out. A console is told to show UTF-8 while
    // vestrelc runs.
    (void)_setmode(_fileno(stdout), _O_BINARY);
    (void)_setmode(_fileno(stderr), _O_BINARY);
    m_consoleCodePage = ::GetConsoleOutputCP();
    if (m_consoleCodePage != 0) (void)::SetConsoleOutputCP(CP_UTF8);
}

WindowsCommandLine::~WindowsCommandLine() {
    if (m_consoleCodePage != 0) (void)::SetConsoleOutputCP(m_consoleCodePage);
}

}  // namespace vestrel::cli
