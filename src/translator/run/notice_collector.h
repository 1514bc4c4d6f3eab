// The notices of one run, as the result keeps them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "translator/diagnostics/sinks.h"

namespace vestrel {

// Collects the notices of a run and passes each distinct text on to the front end's
// sink once: a program that exhausts the registers would otherwise stop the user at
// thousands of identical message boxes. The result keeps every distinct text with the
// number of times it was raised.
class NoticeCollector final : public NoticeSink {
public:
    NoticeCollector(std::vector<std::string>& texts, std::vector<std::size_t>& counts, NoticeSink* forward)
        : m_texts(texts), m_counts(counts), m_forward(forward) {}
    void notice(std::string_view text) override {
        for (std::size_t i = 0; i < m_texts.size(); ++i)
            if (m_texts[i] == text) {
                ++m_counts[i];
                return;
            }
        m_texts.emplace_back(text);
        m_counts.push_back(1);
        if (m_forward) m_forward->notice(text);
    }

private:
    std::vector<std::string>& m_texts;
    std::vector<std::size_t>& m_counts;
    NoticeSink* m_forward;
};

}  // namespace vestrel
