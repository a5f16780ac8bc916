#pragma once

#include "platform/Desktop.h"
#include "platform/Launcher.h"
#include "platform/MessageBoxes.h"

#include <string>
#include <vector>

namespace discmenu::check {

// Stands in for the shell and program start while the disc is checked: writes down what
// the menu would open or run, and opens and runs nothing.
class RecordingLauncher : public Launcher {
public:
    void shellOpen(const ui::Form& owner, const std::string& file,
                   const std::string& folder) override;
    Outcome runProgram(const std::string& commandLine) override;

    std::vector<std::string> opens;
    std::vector<std::string> runs;
};

// Stands in for message boxes: writes down each prompt and answers OK, so that what a
// confirmed message leads to is seen too.
class RecordingMessageBoxes : public MessageBoxes {
public:
    Answer show(const std::string& prompt, Buttons buttons) override;

    std::vector<std::string> prompts;
};

// A desktop with no window system behind it: pending events are none, and an end of the
// program is only noted.
class QuietDesktop : public Desktop {
public:
    void doEvents() override {}
    void endProgram() override { ended = true; }
    void showProgress(const std::string&, int) override {}
    void endProgress() override {}

    bool ended = false;
};

} // namespace discmenu::check
