// vestrelc: the command-line translator.
#include "cli/vestrelc.h"

int main(int argc, char** argv) { return vestrel::cli::runVestrelc(argc, argv); }
