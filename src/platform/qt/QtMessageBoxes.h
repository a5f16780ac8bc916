#pragma once

#include "platform/MessageBoxes.h"

#include <deque>

namespace discmenu::qt {

class QtDesktop;

// Message boxes with a prompt only: no icon, the application's title. A test can queue
// the next answers; a queued answer is given without showing a dialog.
class QtMessageBoxes : public MessageBoxes {
public:
    static constexpr const char* Title = "Tidewell CD";

    explicit QtMessageBoxes(QtDesktop& desktop) : m_desktop(desktop) {}

    Answer show(const std::string& prompt, Buttons buttons) override;
    void queueAnswer(Answer answer) { m_queued.push_back(answer); }

private:
    QtDesktop& m_desktop;
    std::deque<Answer> m_queued;
};

} // namespace discmenu::qt
