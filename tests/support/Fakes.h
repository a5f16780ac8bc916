#pragma once

#include "platform/Desktop.h"
#include "platform/Environment.h"
#include "platform/Launcher.h"
#include "platform/MessageBoxes.h"

#include <deque>
#include <string>
#include <vector>

namespace discmenu::test {

// Records every open and command line; command lines succeed unless told to fail.
class FakeLauncher : public Launcher {
public:
    struct Open {
        std::string file;
        std::string folder;
        std::string owner;
        bool operator==(const Open&) const = default;
    };
    void shellOpen(const ui::Form& owner, const std::string& file,
                   const std::string& folder) override;
    Outcome runProgram(const std::string& commandLine) override;

    std::vector<Open> opens;
    std::vector<std::string> runs;
    bool failRuns = false;
};

// Records every prompt and answers from a script; OK when the script is empty.
class FakeMessageBoxes : public MessageBoxes {
public:
    Answer show(const std::string& prompt, Buttons buttons) override;

    std::vector<std::string> prompts;
    std::vector<Buttons> buttons;
    std::deque<Answer> answers;
};

class FakeDesktop : public Desktop {
public:
    void doEvents() override {}
    void endProgram() override { ++ends; }
    void showProgress(const std::string& text, int percent) override {
        progress.push_back(text + " " + std::to_string(percent));
    }
    void endProgress() override { progress.push_back("end"); }

    int ends = 0;
    std::vector<std::string> progress;
};

class FakeEnvironment : public Environment {
public:
    std::string programFolder() const override { return folder; }
    // "M/D/YYYY h:mm:ss AM" in UTC, the date alone at midnight.
    std::string dateTimeText(FileTime t) const override;

    std::string folder = "D:\\autorun";
};

} // namespace discmenu::test
