#pragma once

#include "check/DiscReport.h"
#include "check/DiscTree.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"

#include <string>

namespace discmenu {
class ModMain;
}

namespace discmenu::check {

// What a check reads: the machine's files, the program folder the menu would start from,
// and the disc's whole tree, whose root the menu names treeRoot ("D:\").
struct CheckPorts {
    FileSystem& fs;
    const Environment& env;
    const DiscTree& tree;
    std::string treeRoot;
};

// Hears of each page while the main window shows it, and of each file browser while it is
// open, so that they can be drawn; the module is the one the check runs.
class PageWatcher {
public:
    virtual ~PageWatcher() = default;
    virtual void pageShown(ModMain& mod, const Page& page) = 0;
    virtual void browserShown(ModMain& mod, const Page& page, const ItemAction& item) = 0;
    // The module is about to end (the check starts it afresh or is done).
    virtual void moduleEnding(ModMain& mod) = 0;
};

// Runs the menu's own start-up over the disc, then clicks every item of every page the menu
// can reach, with the shell, program start and message boxes replaced by recorders, and
// reports what the menu shows and opens and what on the disc it will get wrong.
DiscReport checkDisc(const CheckPorts& ports, PageWatcher* watcher = nullptr);

} // namespace discmenu::check
