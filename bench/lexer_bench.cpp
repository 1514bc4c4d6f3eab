// Pass 1 alone (TLexicAnalys::Analyse over prepared source lines) on a large listing.
// The listing is made in memory by large_listing.h, or read from the file named by the
// environment variable VESTREL_LISTING (for example one written by make_large_listing.py).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "large_listing.h"
#include "translator/lexer/lexic_analys.h"
#include "translator/run/translation.h"
#include "translator/text/cp1251.h"

namespace vestrel {
namespace {

struct PreparedListing {
    std::vector<std::string> lines;
    std::size_t bytes = 0;  // size of the listing as a file, CR LF included
    std::string error;
};

const PreparedListing& preparedListing() {
    static const PreparedListing prepared = [] {
        PreparedListing listing;
        std::string text;
        if (const char* path = std::getenv("VESTREL_LISTING")) {
            std::ifstream file(path, std::ios::binary);
            if (!file) listing.error = std::string("cannot read ") + path;
            text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        } else {
            text = bench::LargeListing().build();
        }
        listing.bytes = text.size();
        listing.lines = splitSourceLines(text);
        return listing;
    }();
    return prepared;
}

void BM_LexicalPass(benchmark::State& state) {
    const PreparedListing& listing = preparedListing();
    if (!listing.error.empty()) {
        state.SkipWithError(listing.error.c_str());
        return;
    }
    DiagnosticList messages;
    SilentProgress progress;
    int tokens = 0;
    int errors = 0;
    for (auto _ : state) {
        // A fresh analyser and token file each time, as every translation run has.
        TokenFile file;
        TLexicAnalys analyser;
        tokens = analyser.Analyse({&file, &listing.lines, &messages, &progress});
        errors = analyser.errorCount();
        benchmark::DoNotOptimize(file.bytes().data());
    }
    if (errors > 0) {
        static std::string first;
        first = "the listing has lexical errors: " + text::toUtf8(messages.empty() ? std::string() : messages[0].text());
        state.SkipWithError(first.c_str());
        return;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(listing.bytes));
    state.counters["lines"] = static_cast<double>(listing.lines.size());
    state.counters["tokens"] = tokens;
}
BENCHMARK(BM_LexicalPass)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vestrel
