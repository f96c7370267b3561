#pragma once
// What opening a run asks of the user: the wait window, message boxes and the
// first-load adjustments question. The viewer answers with its dialogs; the
// command-line tool and the tests answer from their options.

#include <cstdint>
#include <string>

#include "common/Message.h"

namespace kurvex {

// The answers of the first-load question "Datenanpassungen".
struct FirstLoadAnswer {
    bool mirror = false;
    std::string kilometreAdjustment;  // "start;ascending", or empty for none
};

class OpenInteraction {
public:
    virtual ~OpenInteraction() = default;

    // "Moment bitte ..." while the run is opened.
    virtual void ShowWaitWindow() {}
    virtual void CloseWaitWindow() {}
    // How far the open has come, 0..100, so the wait window can show that work goes on.
    virtual void ShowProgress(int /*percent*/) {}
    virtual void ShowMessage(const UserMessage& message) = 0;
    // fileStart and fileEnd: the run's stations as read, in dm.
    virtual FirstLoadAnswer AskFirstLoadAdjustments(int32_t fileStart, int32_t fileEnd) = 0;
};

}  // namespace kurvex
