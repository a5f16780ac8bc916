#include "app/ModMain.h"
#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "savedlg/FormFileSave.h"
#include "savedlg/InstallSets.h"

namespace discmenu {

void FormFileSave::cmdSave_Click() {
    if (caption() == CopyMode) {
        saveCopies();
    } else if (const InstallSet* set = installSetFor(caption())) {
        install(*set);
    }
}

// Copies every file selected in the file browser at this moment, tells of each failure
// at once, and sums up what was copied.
void FormFileSave::saveCopies() {
    int count = 0;
    std::string copiedNames;
    FormFiles& browser = m_mod.formFiles();
    const ui::FileList& list = browser.FileMain();
    for (int i = 0; i < list.listCount(); ++i) {
        if (!list.selected(i))
            continue;
        const std::string name = list.list(i);
        auto copied = m_mod.CopyFile(m_mod.CDPath + "\\" + name, m_mod.SavePath + "\\" + name);
        if (copied) {
            ++count;
            copiedNames += "\r\n" + name;
        } else if (copied.error().code == Err::PermissionDenied) {
            m_mod.MsgBox("Could not save:" + name + "\r\nTo: " + m_mod.SavePath);
        } else {
            m_mod.MsgBox(std::to_string(copied.error().number()) + "\r\n" +
                         copied.error().description);
        }
    }
    // The count stands where a sign would: " 2 File(s) copied:".
    std::string summary = " ";
    summary += std::to_string(count);
    summary += " File(s) copied:\r\n";
    m_mod.MsgBox(summary + copiedNames);
    hide();
    browser.show();
}

// Copies a package into the typed folder and starts its batch file there. Each failed
// copy is told; a batch file whose copy failed is not started, so that one left by an
// earlier install never runs in its place.
void FormFileSave::install(const InstallSet& set) {
    m_mod.SavePath = m_txtPath.text();
    const std::string source = m_mod.CDPath + std::string(set.sourceFolder);
    bool batchCopied = true;
    auto report = [&](const Failure& failure, std::string_view name) {
        m_mod.MsgBox(std::to_string(failure.number()) + "\r\n" + failure.description + "\r\n" +
                     std::string(name));
    };
    for (std::string_view name : set.files) {
        auto copied =
            m_mod.CopyFile(source + std::string(name), m_mod.SavePath + "\\" + std::string(name));
        if (!copied) {
            report(copied.error(), name);
            if (name == set.batchCopied)
                batchCopied = false;
        }
    }
    if (!set.folder.empty()) {
        const std::string folder(set.folder);
        if (auto copied = m_mod.CopyFolder(source + folder, m_mod.SavePath + "\\" + folder);
            !copied)
            report(copied.error(), folder);
    }
    if (batchCopied)
        m_mod.ShellOpen(*this, m_mod.SavePath + std::string(set.batchStarted), m_mod.SavePath);
    hide();
    m_mod.formMain().show();
}

} // namespace discmenu
