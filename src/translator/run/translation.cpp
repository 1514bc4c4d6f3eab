// The translation run: pass 1, then pass 2 when pass 1 reported nothing.
#include "translator/run/translation.h"

#include <memory>

#include "translator/lexer/lexic_analys.h"
#include "translator/lexer/token_file.h"
#include "translator/run/notice_collector.h"
#include "translator/generator/sintax_analys.h"

namespace vestrel {
namespace {


}  // namespace

std::string TranslationResult::slotText(int slot) const {
    return slotLines[static_cast<std::size_t>(slot)].joined();
}

TranslationResult runTranslation(const std::vector<std::string>& sourceLines, const TranslationOptions& options,
                                 const RunHooks& hooks) {
    TranslationResult result;
    SilentProgress silent;
    ProgressSink& progress = hooks.progress ? *hooks.progress : silent;
    NoticeCollector notices(result.notices, result.noticeCounts, hooks.notices);
    TraceLog trace(hooks.keepTrace);

    // Both analysers live exactly as long as the run; the syntax analyser goes first.
    auto lexical = std::make_unique<TLexicAnalys>();
    auto syntax = std::make_unique<TSintaxAnalys>(progress, notices, trace);

    TokenFile tokenFile;
    TQLexicAnalys lexicalRequest{&tokenFile, &sourceLines, &result.diagnostics, &progress};
    result.tokenCount = lexical->Analyse(lexicalRequest);
    result.lexicalErrorCount = lexical->errorCount();

    // Any lexical message stops the run before pass 2.
    if (result.lexicalErrorCount == 0) {
        TQSintaxAnalys syntaxRequest{&result.slotLines, options, result.tokenCount, &tokenFile, &result.diagnostics};
        result.syntaxStatus = syntax->Analyse(syntaxRequest);
        for (int k = 0; k < kSlotCount; ++k)
            result.slotReceivedText[static_cast<std::size_t>(k)] = !result.slotLines[static_cast<std::size_t>(k)].empty();
    }

    if (hooks.keepTokenFile) result.tokenFile = tokenFile.release();
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
