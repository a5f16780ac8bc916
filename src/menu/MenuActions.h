#pragma once

#include "platform/Failure.h"

#include <span>
#include <string>
#include <string_view>

namespace discmenu {

class FormMain;

// What one click on a menu item knows and decides; nothing of it outlives the click.
struct MenuClick {
    std::string caption;
    std::string jobFolder;  // the selected job's folder, with its trailing separator
    std::string targetPath; // opened with the shell at the end when not empty
};

// A row of the click handler's table: the caption it answers, what it does, and whether
// the window title is set to the current page afterwards.
struct MenuAction {
    std::string_view caption;
    Outcome (*run)(FormMain& form, MenuClick& click);
    bool refreshTitle;
};

// The rows in the order they are compared; the first equal caption wins.
std::span<const MenuAction> menuActions();

} // namespace discmenu
