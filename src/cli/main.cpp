// vestrelc: the command-line translator.
#include <csignal>

#include "cli/vestrelc.h"

int main(int argc, char** argv) {
    // A closed pipe on standard output becomes a failed write (exit status 2), not a
    // silent end by signal.
    std::signal(SIGPIPE, SIG_IGN);
    return vestrel::cli::runVestrelc(argc, argv);
}
