// vestrelc: reads a Korvel source, translates it and writes the IL project.
#include "cli/vestrelc.h"

#include <iostream>

namespace vestrel::cli {

int runVestrelc(int argc, char** argv) { return runVestrelc(argc, argv, std::cout, std::cerr); }

int runVestrelc(int, char**, std::ostream&, std::ostream& err) {
    err << "vestrelc: not built yet\n";
    return 2;
}

}  // namespace vestrel::cli
