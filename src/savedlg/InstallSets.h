#pragma once

#include <span>
#include <string_view>

namespace discmenu {

// A DOS package: the dialog caption that asks for it, where it lies on the disc, what is
// copied in order (files, then at most one folder with all it holds) and the batch file
// started in the destination afterwards.
struct InstallSet {
    std::string_view caption;
    std::string_view sourceFolder; // appended to the disc folder
    std::span<const std::string_view> files;
    std::string_view folder;      // empty: none
    std::string_view batchCopied; // the batch file's name among the files
    std::string_view batchStarted;
};

// The packages, by the caption of the dialog; null for any other caption.
const InstallSet* installSetFor(std::string_view caption);

} // namespace discmenu
