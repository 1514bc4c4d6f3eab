// The command-line translator as a callable routine, so tests can run it in-process.
#pragma once

#include <iosfwd>

namespace vestrel::cli {

// Exit status: 0 translated without messages, 1 messages reported, 2 usage, encoding
// or file error.
int runVestrelc(int argc, char** argv);
int runVestrelc(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace vestrel::cli
