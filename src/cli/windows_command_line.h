// Windows: the command line as UTF-8 arguments, read from the wide command line (the
// narrow one would hold only what the ANSI code page can say), and standard output and
// error set to pass bytes unchanged, as on every other system.
#pragma once

#include <string>
#include <vector>

namespace vestrel::cli {

class WindowsCommandLine {
public:
    WindowsCommandLine();
    ~WindowsCommandLine();
    WindowsCommandLine(const WindowsCommandLine&) = delete;
    WindowsCommandLine& operator=(const WindowsCommandLine&) = delete;
    int argc() const { return static_cast<int>(m_pointers.size()) - 1; }
    char** argv() { return m_pointers.data(); }

private:
    std::vector<std::string> m_arguments;
    std::vector<char*> m_pointers;  // into m_arguments, ending with a null pointer
    unsigned m_consoleCodePage = 0;  // the console's own, given back at the end; 0 without one
};

}  // namespace vestrel::cli
