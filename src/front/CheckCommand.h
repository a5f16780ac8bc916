#pragma once

namespace discmenu::front {

// "discmenu --check [DISC] [--json]": what the menu will show and open on a disc, and what
// on it will go wrong, without a window. Returns the exit status: 0 no problem, 1 problems,
// 2 the disc could not be read (or the command line was wrong).
int checkCommand(int argc, char** argv);

} // namespace discmenu::front
