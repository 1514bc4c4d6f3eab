// Pass 2 over hand-made records.
#include "support/pass2_runner.h"

#include "translator/generator/sintax_analys.h"

namespace vestrel::testing {

namespace {
class CollectNotices final : public NoticeSink {
public:
    explicit CollectNotices(std::vector<std::string>& out) : m_out(out) {}
    void notice(std::string_view text) override { m_out.emplace_back(text); }

private:
    std::vector<std::string>& m_out;
};
}  // namespace

Pass2Outcome runPass2(const std::vector<Record>& records, TranslationOptions options, bool keepTrace) {
    Pass2Outcome outcome;
    TokenFile file;
    for (const Record& r : records) file.writeRecord(r.code, r.text);
    SilentProgress progress;
    CollectNotices notices(outcome.notices);
    TraceLog trace(keepTrace);
    TSintaxAnalys analyser(progress, notices, trace);
    SlotLists texts;
    TQSintaxAnalys request{&texts, options, 0, &file, &outcome.diagnostics};
    outcome.status = analyser.Analyse(request);
    for (int k = 0; k < kSlotCount; ++k) outcome.slots[static_cast<std::size_t>(k)] = texts[static_cast<std::size_t>(k)].lines();
    outcome.trace = trace.release();
    return outcome;
}

std::vector<int> visitedRows(const std::string& trace) {
    std::vector<int> rows;
    for (std::size_t i = 0; i + 1 < trace.size(); ++i) {
        if (trace[i] != ',' || trace[i + 1] < '0' || trace[i + 1] > '9') continue;
        int row = 0;
        std::size_t k = i + 1;
        while (k < trace.size() && trace[k] >= '0' && trace[k] <= '9') row = row * 10 + (trace[k++] - '0');
        rows.push_back(row);
        i = k - 1;
    }
    return rows;
}

}  // namespace vestrel::testing
