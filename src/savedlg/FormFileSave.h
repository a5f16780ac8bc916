#pragma once

#include "platform/ui/Button.h"
#include "platform/ui/DriveList.h"
#include "platform/ui/FolderList.h"
#include "platform/ui/Form.h"
#include "platform/ui/TextBox.h"

#include <span>
#include <string>

namespace discmenu {

class ModMain;
struct InstallSet;

// The destination dialog: the user chooses a folder by drive, folder list or typed path.
// Its caption is its mode: saving the file browser's selection, or installing one of the
// DOS packages.
class FormFileSave : public ui::Form {
public:
    static constexpr const char* CopyMode = "Save In";

    FormFileSave(ModMain& mod, ui::FormObserver* observer);

    ui::DriveList& Drive1() { return m_drive1; }
    ui::FolderList& Dir1() { return m_dir1; }
    ui::TextBox& txtPath() { return m_txtPath; }
    ui::Button& cmdSave() { return m_cmdSave; }
    ui::Button& cmdCancel() { return m_cmdCancel; }

    void Form_Load();
    void Drive1_Change();
    void Dir1_Change();
    void txtPath_KeyPress(int KeyAscii);
    void txtPath_LostFocus();
    void cmdSave_Click();
    void cmdCancel_Click();

protected:
    void handle(const ui::UiEvent& event) override;

private:
    // The typed path: moved to, or reported, or offered to be created.
    void checkPath();
    void saveCopies();
    void install(const InstallSet& set);

    ModMain& m_mod;
    ui::DriveList& m_drive1;
    ui::FolderList& m_dir1;
    ui::TextBox& m_txtPath;
    ui::Button& m_cmdSave;
    ui::Button& m_cmdCancel;
    std::string m_shownDrive; // the drive before the last change, to go back to
};

} // namespace discmenu
