#include "app/DiscLayout.h"
#include "app/ModMain.h"
#include "app/TextFile.h"
#include "menu/FormMain.h"

namespace discmenu {

void FormMain::Form_Load() {
    if (!m_mod.JobName.empty()) {
        ShowSingleJobStart();
        return;
    }
    if (auto version = openTextFile(m_mod.fs(), layout::versionFile(m_mod.CDPath))) {
        if (auto line = version->readLine())
            m_mod.CDVersion = *line;
    }
    lblVersion().setCaption("Version " + m_mod.CDVersion);
    ShowIncludedSoftwareTopMenu();
}

void FormMain::Form_Terminate() {
    m_mod.desktop().endProgram();
}

void FormMain::lstRMA_Click() {
    ShowJobMenu(lstRMA().text());
}

void FormMain::lstRMA_DblClick() {
    m_mod.ShellOpen(*this, jobFolder(lstRMA().text()), m_mod.programFolder());
}

} // namespace discmenu
