#include "app/ModMain.h"
#include "browser/FormFiles.h"
#include "savedlg/FormFileSave.h"

namespace discmenu {

// Opens the destination dialog in copy mode once there is something selected; the dialog
// reads the selection itself when its Save is clicked.
void FormFiles::cmdSave_Click() {
    for (int i = 0; i < m_fileMain.listCount(); ++i) {
        if (!m_fileMain.selected(i))
            continue;
        FormFileSave& dialog = m_mod.formFileSave();
        dialog.setCaption(FormFileSave::CopyMode);
        dialog.show();
    }
}

} // namespace discmenu
