#pragma once

#include "platform/Failure.h"
#include "platform/ui/Form.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"

#include <string>
#include <vector>

namespace discmenu {

class ModMain;

// The main window: the header that names the disc, the job list, and the menu, a control
// array of labels whose captions identify the items.
class FormMain : public ui::Form {
public:
    FormMain(ModMain& mod, ui::FormObserver* observer);

    ui::Label& Label1() { return m_label1; }
    ui::Label& Label2() { return m_label2; }
    ui::Label& lblTitle() { return m_lblTitle; }
    ui::Label& lblVersion() { return m_lblVersion; }
    ui::Label& lblDate() { return m_lblDate; }
    ui::Label& lblRMATitle() { return m_lblRMATitle; }
    ui::ListBox& lstRMA() { return m_lstRMA; }
    const ui::ListBox& lstRMA() const { return m_lstRMA; }
    ui::Label& lblMain(int index) { return *m_lblMain.at(static_cast<std::size_t>(index)); }
    const ui::Label& lblMain(int index) const {
        return *m_lblMain.at(static_cast<std::size_t>(index));
    }
    // The highest index the item array has now.
    int lblMainUBound() const { return static_cast<int>(m_lblMain.size()) - 1; }

    // One of the four header labels that start-up and the pages write, by name.
    const ui::Label& headerLabel(const std::string& name) const;
    // Captions of the visible items from slot 2 upwards.
    std::vector<std::string> visibleItems() const;

    void SetWindowTitle(const std::string& title);

    // Menu pages.
    void AddMenuItem(bool shown, const std::string& caption);
    void ClearMenu();
    void ShowJobMenu(const std::string& jobId);
    void ShowSingleJobStart();
    void ShowPreviousMenu();
    void ShowIncludedSoftwareMenu();
    void ShowIncludedSoftwareTopMenu();
    void ShowWindowsSoftwareMenu();
    void ShowDosSoftwareMenu();
    Outcome ShowInstrumentDocsMenu();
    void ShowSoftwareDocsMenu();
    void ShowDosUtilitiesMenu();

    // Event handlers.
    void Form_Load();
    void Form_Terminate();
    void Form_MouseMove();
    void lstRMA_Click();
    void lstRMA_DblClick();
    void lstRMA_MouseMove();
    void lblRMATitle_MouseMove();
    void lblMain_Click(int Index);
    void lblMain_MouseMove(int Index);

    // Whitens every item but keep; 0 spares none.
    void ResetMenuHighlight(int keep);

    ModMain& mod() { return m_mod; }

    int NextItemIndex = 2;

protected:
    void handle(const ui::UiEvent& event) override;

private:
    // The folder of a service job on the disc, with its trailing separator.
    std::string jobFolder(const std::string& jobId) const;
    void startPage(const std::string& title);
    void addIncludedSoftwareItems();
    ui::Label& loadMenuItem(int index);

    ModMain& m_mod;
    ui::Label& m_label1;
    ui::Label& m_label2;
    ui::Label& m_lblTitle;
    ui::Label& m_lblVersion;
    ui::Label& m_lblDate;
    ui::Label& m_lblRMATitle;
    ui::ListBox& m_lstRMA;
    std::vector<ui::Label*> m_lblMain;
};

} // namespace discmenu
