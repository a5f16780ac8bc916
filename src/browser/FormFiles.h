#pragma once

#include "platform/ui/Button.h"
#include "platform/ui/FileList.h"
#include "platform/ui/Form.h"

#include <string>

namespace discmenu {

class ModMain;

// The file browser: the disc's files of one kind, opened for reading or saved elsewhere.
class FormFiles : public ui::Form {
public:
    FormFiles(ModMain& mod, ui::FormObserver* observer);

    ui::FileList& FileMain() { return m_fileMain; }
    ui::Button& cmdSave() { return m_cmdSave; }
    ui::Button& cmdView() { return m_cmdView; }

    void Form_Load();
    void Form_Resize();
    void Form_Terminate();
    void cmdView_Click();
    void cmdSave_Click();
    void FileMain_DblClick();

    // A listed file's full path: the disc folder, a backslash and the name.
    std::string fullPath(const std::string& name) const;

protected:
    void handle(const ui::UiEvent& event) override;

private:
    // Buttons side by side in the top left corner, the list filling the rest.
    void applyLayout();
    // Text files go to the text editor, manuals to the shell; other patterns open nothing.
    void openFile(const std::string& path);

    ModMain& m_mod;
    ui::FileList& m_fileMain;
    ui::Button& m_cmdSave;
    ui::Button& m_cmdView;
};

} // namespace discmenu
