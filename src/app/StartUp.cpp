#include "app/DiscLayout.h"
#include "app/DiscRoot.h"
#include "app/ModMain.h"
#include "menu/FormMain.h"
#include "platform/Text.h"

#include <algorithm>

namespace discmenu {

namespace {
constexpr std::size_t shortestNonRoot = 12;
} // namespace

void ModMain::Main() {
    IsGenericCD = true;
    const std::string folder = programFolder();
    CDPath = text::left(folder, 3);
    const std::size_t len = text::length(folder);
    CDBase = len >= shortestNonRoot ? text::left(folder, len - layout::autorunFolder.size())
                                    : text::left(folder, 3);
    SavePath = "C:\\";

    auto service = IsServiceDisc();
    if (!service) {
        // Not expected on the disc the program runs from; the menu still comes up, as a
        // software disc, so that the user learns what is wrong and can close it.
        MsgBox("The disc folder could not be read:\r\n" + CDPath + "\r\n" +
               service.error().description);
    }
    if (service && *service) {
        IsGenericCD = false;
        CDRoot = CDPath;
        goOnPastFailure(ScanServiceFolders());
        CDPath = layout::softwareFolder(CDPath, CDVersion);
        ShowServiceDisc();
    } else {
        ReadJobFile();
        ShowSoftwareDisc();
    }
    settleTrace();
}

Result<bool> ModMain::IsServiceDisc() {
    CDPath = discRootFor(CDBase, CDPath);
    auto folders = fs().subfolders(CDPath);
    if (!folders)
        return std::unexpected(folders.error());
    return std::ranges::any_of(*folders, [](const FolderEntry& f) {
        return text::right(f.name, layout::jobFolderEnd.size()) == layout::jobFolderEnd;
    });
}

} // namespace discmenu
