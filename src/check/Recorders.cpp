#include "check/Recorders.h"

namespace discmenu::check {

void RecordingLauncher::shellOpen(const ui::Form&, const std::string& file, const std::string&) {
    opens.push_back(file);
}

Outcome RecordingLauncher::runProgram(const std::string& commandLine) {
    runs.push_back(commandLine);
    return {};
}

Answer RecordingMessageBoxes::show(const std::string& prompt, Buttons) {
    prompts.push_back(prompt);
    return Answer::Ok;
}

} // namespace discmenu::check
