// The four settings of a translation run, with their ranges and defaults typed once.
#pragma once

namespace vestrel {

struct TranslationOptions {
    static constexpr int kTickMin = 55, kTickMax = 100, kTickDefault = 55;
    static constexpr int kPeriodMin = 1, kPeriodMax = 100, kPeriodDefault = 10;
    static constexpr bool kAddCommentDefault = true, kAddProgramTextDefault = true;

    bool AddComment = kAddCommentDefault;          // "Добавлять комментарий"
    bool AddProgramText = kAddProgramTextDefault;  // "Добавлять текст программы"
    int TickResolution = kTickDefault;             // milliseconds, kTickMin..kTickMax
    int RecalcPeriod = kPeriodDefault;             // ticks, kPeriodMin..kPeriodMax

    // The nominal cycle time of a block program, tick × period, in milliseconds: the
    // templates that turn a time constant into a factor per cycle use it.
    constexpr double nominalCycleMs() const { return static_cast<double>(TickResolution) * RecalcPeriod; }

    bool operator==(const TranslationOptions&) const = default;
};

}  // namespace vestrel
