#pragma once

#include "check/DiscCheck.h"
#include "platform/posix/PathResolver.h"
#include "platform/posix/PosixDiscTree.h"
#include "platform/posix/PosixEnvironment.h"
#include "platform/posix/PosixFileSystem.h"

#include <string>

namespace discmenu::posix {

// The machine as a check of a disc folder sees it: the folder is drive D:, as a disc in
// its drive, and the menu starts from D:\autorun. Without a folder, the disc is the folder
// above the program's own, as the menu finds it.
class CheckSetup {
public:
    explicit CheckSetup(const std::string& disc);

    const std::string& discFolder() const { return m_disc; }
    check::CheckPorts ports() { return {m_fs, m_env, m_tree, "D:\\"}; }

private:
    std::string m_disc;
    PathResolver m_paths;
    PosixFileSystem m_fs;
    PosixEnvironment m_env;
    PosixDiscTree m_tree;
};

} // namespace discmenu::posix
