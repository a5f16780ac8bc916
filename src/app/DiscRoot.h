#pragma once

#include <string>

namespace discmenu {

// The folder that start-up scans for job folders, given the folder that holds the
// program's own "autorun" folder (CDBase) and the program folder's first three characters.
//
// The discs' historic rule cuts 36 characters from CDBase, which finds the root only for
// a program inside "\CD Current Version (V)\Components\autorun" with a three- or
// four-character version. That result is kept where it is a drive root. Otherwise the
// root is derived from the layout: the folder holding "CD Current Version (V)", or CDBase
// itself for any other program folder, so that a disc copied to a hard disk or mounted
// anywhere works.
std::string discRootFor(const std::string& cdBase, const std::string& driveRoot);

} // namespace discmenu
