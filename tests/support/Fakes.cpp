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
        return fail(Err::FileNotFound);
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

std::string FakeEnvironment::dateTimeText(FileTime t) const {
    using namespace std::chrono;
    const auto day = floor<days>(t);
    const year_month_day date(day);
    const hh_mm_ss time(floor<seconds>(t - day));
    const int hour = static_cast<int>(time.hours().count());
    const auto min = time.minutes().count();
    const auto sec = time.seconds().count();
    std::ostringstream out;
    out << static_cast<unsigned>(date.month()) << '/' << static_cast<unsigned>(date.day()) << '/'
        << static_cast<int>(date.year());
    if (hour || min || sec)
        out << ' ' << (hour % 12 ? hour % 12 : 12) << ':' << (min < 10 ? "0" : "") << min << ':'
            << (sec < 10 ? "0" : "") << sec << (hour < 12 ? " AM" : " PM");
    return out.str();
}

} // namespace discmenu::test
