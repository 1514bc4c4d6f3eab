// vestrelc: the command-line translator.
#include <csignal>

#include "cli/vestrelc.h"

int main(int argc, char** argv) {
    // A closed pipe on standard output, or a file past the size limit of the process,
    // becomes a failed write (a message and exit status 2, temporaries removed), not a
    // silent end by signal.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    return vestrel::cli::runVestrelc(argc, argv);
}
