// Notices of a run: every distinct text reaches the front end once, the result counts them.
#include <gtest/gtest.h>

#include "translator/run/notice_collector.h"

namespace vestrel {
namespace {

struct Recorder final : NoticeSink {
    std::vector<std::string> shown;
    void notice(std::string_view text) override { shown.emplace_back(text); }
};

TEST(NoticeCollector, EachDistinctTextIsShownOnceAndCounted) {
    std::vector<std::string> texts;
    std::vector<std::size_t> counts;
    Recorder recorder;
    NoticeCollector collector(texts, counts, &recorder);
    for (int i = 0; i < 5000; ++i) collector.notice(i % 3 == 0 ? "a" : "b");
    collector.notice("c");
    EXPECT_EQ(recorder.shown, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(texts, recorder.shown);
    EXPECT_EQ(counts, (std::vector<std::size_t>{1667, 3333, 1}));
    NoticeCollector silent(texts, counts, nullptr);
    silent.notice("a");
    EXPECT_EQ(counts[0], 1668u);
}

}  // namespace
}  // namespace vestrel
