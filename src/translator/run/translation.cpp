// The translation run: pass 1, then pass 2 when pass 1 reported nothing.
#include "translator/run/translation.h"

#include <cstdint>
#include <memory>
#include <optional>

#include "translator/lexer/lexic_analys.h"
#include "translator/lexer/token_sequence.h"
#include "translator/run/notice_collector.h"
#include "translator/generator/sintax_analys.h"

namespace vestrel {
namespace {

// The tokens of a program may take about half its size again and a few megabytes:
// all of a program of ordinary size, and memory that follows the source for any other.
// Lines that hold a line feed are kept whole: pass 2 then reads their record text.
std::size_t tokenStorageLimit(const SourceText& source, const RunHooks& hooks) {
    if (source.linesHoldLineFeeds()) return SIZE_MAX;
    return hooks.tokenStorageLimit.value_or(source.bytes().size() / 2 + (std::size_t{4} << 20));
}

}  // namespace

std::string TranslationResult::slotText(int slot) const {
    return slotLines[static_cast<std::size_t>(slot)].joined();
}

TranslationResult runTranslation(std::string_view source, const TranslationOptions& options, const RunHooks& hooks) {
    const SourceText text(source);
    return runTranslation(text, options, hooks);
}

TranslationResult runTranslation(const std::vector<std::string>& sourceLines, const TranslationOptions& options,
                                 const RunHooks& hooks) {
    const SourceText text(sourceLines);
    return runTranslation(text, options, hooks);
}

TranslationResult runTranslation(const SourceText& source, const TranslationOptions& options, const RunHooks& hooks) {
    TranslationResult result;
    SilentProgress silent;
    ProgressSink& progress = hooks.progress ? *hooks.progress : silent;
    NoticeCollector notices(result.notices, result.noticeCounts, hooks.notices);
    TraceLog trace(hooks.keepTrace);

    // Both analysers live exactly as long as the run; the syntax analyser goes first.
    auto lexical = std::make_unique<TLexicAnalys>();
    auto syntax = std::make_unique<TSintaxAnalys>(progress, notices, trace);

    TokenSequence tokens;
    if (hooks.keepTokenFile) tokens.renderRecordsTo(&result.tokenFile);
    // Without a progress window pass 1 reports no progress, so the lines are not counted.
    TQLexicAnalys lexicalRequest{&tokens, &source, &result.diagnostics, hooks.progress,
                                 tokenStorageLimit(source, hooks)};
    result.tokenCount = lexical->Analyse(lexicalRequest);
    result.lexicalErrorCount = lexical->errorCount();
    tokens.renderRecordsTo(nullptr);

    // Any lexical message stops the run before pass 2.
    if (result.lexicalErrorCount == 0) {
        // Tokens too many to keep are made again, a few lines at a time, as pass 2 reads.
        std::optional<TokenRescan> rescan;
        if (tokens.dropped()) rescan.emplace(source);
        TQSintaxAnalys syntaxRequest{&result.slotLines, options, result.tokenCount, &tokens,
                                     rescan ? &*rescan : nullptr, &result.diagnostics,
                                     hooks.keepSlotTexts, hooks.spill};
        result.syntaxStatus = syntax->Analyse(syntaxRequest);
        for (int k = 0; k < kSlotCount; ++k)
            result.slotReceivedText[static_cast<std::size_t>(k)] = !result.slotLines[static_cast<std::size_t>(k)].empty();
    }

    syntax.reset();
    lexical.reset();
    if (hooks.keepTrace) result.trace = trace.release();
    return result;
}

std::vector<std::string> splitSourceLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

}  // namespace vestrel
