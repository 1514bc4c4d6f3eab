// vestrelc: the command-line translator.
#include <csignal>

#include "cli/process_heap.h"
#include "cli/vestrelc.h"

#ifdef _WIN32
#include "cli/windows_command_line.h"

int main() {
    // The arguments are taken from the wide command line, so file names in any script
    // (Cyrillic ones included) arrive whole; inside, as on every system, they are UTF-8.
    vestrel::cli::WindowsCommandLine line;
    return vestrel::cli::runVestrelc(line.argc(), line.argv());
}
#else
int main(int argc, char** argv) {
    // A closed pipe on standard output, or a file past the size limit of the process,
    // becomes a failed write (a message and exit status 2, temporaries removed), not a
    // silent end by signal.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    return vestrel::cli::runVestrelc(argc, argv, vestrel::cli::prepareHeapForSource);
}
#endif
