#include "savedlg/InstallSets.h"

#include <algorithm>
#include <array>

namespace discmenu {

namespace {

constexpr std::array<std::string_view, 4> quaylogFiles = {
    "binstall.bat", "bx7310d1.exe", "bx7310d2.exe", "Brinext_7.310Rev01-09.pdf"};
constexpr std::array<std::string_view, 2> swellFiles = {"SETUP31.BAT", "B318205.EXE"};

// The batch file is copied as SETUP31.BAT and started as setup31.bat: names are matched
// without regard to case, so both name the same file.
constexpr std::array<InstallSet, 2> sets = {
    InstallSet{"Install path for Quaylog", "\\brinext.dos\\", quaylogFiles, "", "binstall.bat",
               "\\binstall.bat"},
    InstallSet{"Install path for Brinext swell", "\\bxswell.dos\\", swellFiles, "DEMO",
               "SETUP31.BAT", "\\setup31.bat"},
};

} // namespace

const InstallSet* installSetFor(std::string_view caption) {
    const auto at = std::ranges::find(sets, caption, &InstallSet::caption);
    return at != sets.end() ? &*at : nullptr;
}

} // namespace discmenu
