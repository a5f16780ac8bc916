#include "Fakes.h"

#include "platform/ui/Form.h"

#include <ctime>
#include <sstream>

namespace discmenu::test {

void FakeLauncher::shellOpen(const ui::Form& owner, const std::string& file,
                             const std::string& folder) {
    opens.push_back({file, folder, owner.name()});
}

Outcome FakeLauncher::runProgram(const std::string& commandLine) {
    runs.push_back(commandLine);
    if (failRuns)
        return fail(53, "File not found");
    return {};
}

Answer FakeMessageBoxes::show(const std::string& prompt, Buttons b) {
    prompts.push_back(prompt);
    buttons.push_back(b);
    if (answers.empty())
        return Answer::Ok;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

void FakeDesktop::doEvents() {
    ++doEventsCalls;
    if (onDoEvents)
        onDoEvents();
}

std::string FakeEnvironment::dateTimeText(FileTime t) const {
    const auto s = static_cast<std::time_t>(t.time_since_epoch().count());
    std::tm tm{};
    ::gmtime_r(&s, &tm);
    std::ostringstream out;
    out << tm.tm_mon + 1 << '/' << tm.tm_mday << '/' << tm.tm_year + 1900;
    if (tm.tm_hour || tm.tm_min || tm.tm_sec)
        out << ' ' << (tm.tm_hour % 12 ? tm.tm_hour % 12 : 12) << ':' << (tm.tm_min < 10 ? "0" : "")
            << tm.tm_min << ':' << (tm.tm_sec < 10 ? "0" : "") << tm.tm_sec
            << (tm.tm_hour < 12 ? " AM" : " PM");
    return out.str();
}

} // namespace discmenu::test
