#include "app/ModMain.h"
#include "browser/FormFiles.h"

namespace discmenu {

void ModMain::ShowFileBrowser(const std::string& pattern, const std::string& caption) {
    FormFiles& files = formFiles();
    files.show();
    files.bringToFront();
    if (auto listed = files.FileMain().setPath(CDPath); !listed)
        MsgBox("The files of this disc could not be listed:\r\n" + CDPath + "\r\n" +
               listed.error().description);
    goOnPastFailure(files.FileMain().setPattern(pattern));
    files.setCaption(caption);
}

} // namespace discmenu
