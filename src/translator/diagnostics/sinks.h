// What the core needs of a front end while it runs: a progress display and a place for
// the notices that the workbench shows as modal message boxes.
#pragma once

#include <string>
#include <string_view>

namespace vestrel {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void setCaption(std::string_view captionCp1251) = 0;
    virtual void setMaximum(int maximum) = 0;
    virtual void setPosition(int position) = 0;
    virtual void advance() = 0;
};

// A notice is a message box whose answer nobody uses ("Не хватает переменных", ...).
class NoticeSink {
public:
    virtual ~NoticeSink() = default;
    virtual void notice(std::string_view textCp1251) = 0;
};

class SilentProgress final : public ProgressSink {
public:
    void setCaption(std::string_view) override {}
    void setMaximum(int) override {}
    void setPosition(int) override {}
    void advance() override {}
};

}  // namespace vestrel
