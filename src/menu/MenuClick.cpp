#include "app/ModMain.h"
#include "menu/FormMain.h"
#include "menu/MenuActions.h"

namespace discmenu {

void FormMain::lblMain_Click(int Index) {
    // Every step below goes on past its own failure without a word.
    MenuClick click;
    click.jobFolder = jobFolder(lstRMA().text());
    if (Index < 0 || Index > lblMainUBound())
        return;
    click.caption = lblMain(Index).caption();

    bool refreshTitle = true;
    bool known = false;
    for (const MenuAction& action : menuActions()) {
        if (action.caption != click.caption)
            continue;
        known = true;
        refreshTitle = action.refreshTitle;
        goOnPastFailure(action.run(*this, click));
        break;
    }
    if (!known)
        m_mod.MsgBox("ERROR: " + click.caption + " NOT FOUND.");

    if (refreshTitle)
        SetWindowTitle(m_mod.CurrentMenu);
    if (!click.targetPath.empty())
        m_mod.ShellOpen(*this, click.targetPath, m_mod.programFolder());
}

} // namespace discmenu
