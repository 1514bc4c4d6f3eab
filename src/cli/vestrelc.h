// The command-line translator as a callable routine, so tests can run it in-process.
#pragma once

#include <functional>
#include <string_view>
#include <string>
#include <vector>

#include "cli/text_output.h"
#include "translator/run/translation.h"

namespace vestrel::cli {

// The translation step vestrelc calls; tests put a double in its place.
using TranslateStep =
    std::function<TranslationResult(std::string_view, const TranslationOptions&, const RunHooks&)>;

// Exit status: 0 translated without messages, 1 messages reported, 2 usage, encoding
// or file error.
// vestrelc's main passes what its process does before the source is read (sizing its
// memory for it: prepareHeapForSource); a run inside another program does nothing.
using BeforeSourceRead = void (*)(const std::string& source);
int runVestrelc(int argc, char** argv, BeforeSourceRead beforeRead = nullptr);
int runVestrelc(int argc, char** argv, TextOutput& out, TextOutput& err);
int runVestrelc(int argc, char** argv, TextOutput& out, TextOutput& err, const TranslateStep& translate);

// "1.0.0.772": the file version of the product.
std::string versionText();

}  // namespace vestrel::cli
