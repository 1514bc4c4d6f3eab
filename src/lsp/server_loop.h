// The running server: a reader thread cuts the input into frames, a worker thread runs
// the analyses, and this thread answers the messages and publishes the reports that are
// still current.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

namespace vestrel::lsp {

// The frame of a message, as written to the client (invalid UTF-8 replaced).
std::string frameJson(const nlohmann::json& message);

// Serves until "exit" or the end of the input; returns the process exit code
// (0 after shutdown and exit, 1 otherwise).
int runServer(std::istream& in, std::ostream& out, const std::string& defaultIni);

}  // namespace vestrel::lsp
