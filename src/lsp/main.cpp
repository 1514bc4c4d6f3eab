// vestrel-lsp: the Korvel language server on standard input and output.
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "lsp/server_loop.h"
#include "settings/ini_location.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--stdio") continue;  // what most clients pass; standard input is the only transport
        if (arg == "-h" || arg == "--help") {
            std::cout << "Usage: vestrel-lsp [--stdio]\n"
                         "The Korvel language server: speaks the Language Server Protocol on standard\n"
                         "input and output. Settings: initializationOptions, else Vestrel.ini beside\n"
                         "vestrel-lsp.\n";
            return 0;
        }
        std::cerr << "vestrel-lsp: unknown option " << arg << "\n";
        return 2;
    }
    std::ios::sync_with_stdio(false);
    // The same "Vestrel.ini" that vestrelc reads: beside the executable, or the per-user
    // one when that folder cannot be written; none when neither can be found.
    std::string defaultIni;
    if (const auto location = vestrel::settings::iniLocation())
        defaultIni = vestrel::settings::iniFileToRead(*location).value_or(std::string());
    return vestrel::lsp::runServer(std::cin, std::cout, defaultIni);
}
