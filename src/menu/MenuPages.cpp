#include "app/DiscLayout.h"
#include "app/ModMain.h"
#include "menu/FormMain.h"

namespace discmenu {

namespace {
constexpr int itemLeft = 1560;
constexpr const char* returnItem = "Return to Previous Menu";
} // namespace

void FormMain::AddMenuItem(bool shown, const std::string& caption) {
    if (NextItemIndex > lblMainUBound())
        loadMenuItem(NextItemIndex);
    ui::Label& item = lblMain(NextItemIndex);
    if (!shown) {
        item.setVisible(false);
        return;
    }
    item.setCaption(caption);
    item.setVisible(true);
    ++NextItemIndex;
    const ui::Label& slot2 = lblMain(2);
    item.setLeft(itemLeft);
    item.setTop((NextItemIndex - 3) * slot2.height() + slot2.top());
    item.font().points = slot2.font().points;
    item.setHeight(slot2.height());
    item.setWidth(slot2.width());
}

void FormMain::ClearMenu() {
    for (int i = 2; i <= lblMainUBound(); ++i)
        lblMain(i).setVisible(false);
}

void FormMain::startPage(const std::string& title) {
    m_mod.CurrentMenu = title;
    NextItemIndex = 2;
    ClearMenu();
}

std::string FormMain::jobFolder(const std::string& jobId) const {
    return layout::jobFolder(m_mod.CDRoot, jobId);
}

void FormMain::ShowJobMenu(const std::string& jobId) {
    startPage("Main Menu");
    const std::string folder = jobFolder(jobId);
    const FileSystem& fs = m_mod.fs();
    AddMenuItem(fs.fileExists(folder + "service Report.pdf"), "View Service Report");
    AddMenuItem(fs.folderExists(folder + "calibration documents"), "View Calibration Documents");
    AddMenuItem(fs.folderExists(folder + "configuration documents"),
                "View Configuration Documents");
    AddMenuItem(fs.folderExists(folder + "con & ini files"), "View .CON and .INI Files");
    AddMenuItem(fs.folderExists(folder + "recovered data"), "View Recovered Data");
    AddMenuItem(true, "View included software and documentation");
    SetWindowTitle(jobId);
}

void FormMain::ShowSingleJobStart() {
    m_mod.CurrentMenu = "Main Menu";
    lblVersion().setCaption("Version " + m_mod.CDVersion);
    lblDate().setCaption("Job Completed: " + m_mod.JobDate);
    ShowPreviousMenu();
}

void FormMain::ShowPreviousMenu() {
    ClearMenu();
    const std::string& current = m_mod.CurrentMenu;
    if (current != "Included Software and Documentation" &&
        current != "Instrument Specific Documentation" && current != "Main Menu") {
        if (m_mod.IsGenericCD)
            ShowIncludedSoftwareTopMenu();
        else
            ShowIncludedSoftwareMenu();
        SetWindowTitle(m_mod.CurrentMenu);
    } else if (!m_mod.JobName.empty()) {
        m_mod.CurrentMenu = "Main Menu";
        NextItemIndex = 2;
        AddMenuItem(true, "View instrument specific documentation");
        AddMenuItem(true, "View included software and documentation");
        SetWindowTitle(m_mod.CurrentMenu);
    } else if (!m_mod.IsGenericCD) {
        ShowJobMenu(lstRMA().text());
    } else {
        ShowIncludedSoftwareTopMenu();
        SetWindowTitle(m_mod.CurrentMenu);
    }
}

void FormMain::addIncludedSoftwareItems() {
    AddMenuItem(true, "Install windows software");
    AddMenuItem(true, "Install DOS software");
    AddMenuItem(true, "Install Adobe Acorbat Reader (Required to view .PDF documents)");
    AddMenuItem(true, "DOS utilities");
    AddMenuItem(true, "View software documentation");
}

void FormMain::ShowIncludedSoftwareMenu() {
    startPage("Included Software and Documentation");
    addIncludedSoftwareItems();
    AddMenuItem(true, returnItem);
}

void FormMain::ShowIncludedSoftwareTopMenu() {
    startPage("Included Software and Documentation");
    addIncludedSoftwareItems();
}

void FormMain::ShowWindowsSoftwareMenu() {
    startPage("Windows Software");
    AddMenuItem(true, "Install Brinext for Windows");
    AddMenuItem(true, "Install Brinext Swell for Windows");
    AddMenuItem(true, returnItem);
}

void FormMain::ShowDosSoftwareMenu() {
    startPage("DOS software");
    AddMenuItem(true, "Install Quaylog for DOS");
    AddMenuItem(true, "Install Brinext swell for DOS");
    AddMenuItem(true, returnItem);
}

Outcome FormMain::ShowInstrumentDocsMenu() {
    startPage("Instrument Specific Documentation");
    static constexpr std::pair<const char*, const char*> kinds[] = {
        {"manual", "View Instrument Manual(s)"}, {".cal", "View .CAL file(s)"},
        {".con", "View .CON file(s)"},           {".cap", "View .CAP file(s)"},
        {".cfg", "View .CFG file(s)"},           {".ini", "View .INI file(s)"}};
    for (const auto& [needle, caption] : kinds) {
        auto present = m_mod.FolderContainsName(needle);
        if (!present)
            return std::unexpected(present.error()); // the rest of the page is abandoned
        AddMenuItem(*present, caption);
    }
    AddMenuItem(true, returnItem);
    return {};
}

void FormMain::ShowSoftwareDocsMenu() {
    startPage("Software Documentation");
    AddMenuItem(true, "View the TWL Data Processing Manual");
    AddMenuItem(true, "View the Quaylog v7 Manual (Recommended)");
    AddMenuItem(true, "View the Quaylog Win32 Manual");
    AddMenuItem(true, "View the contents and installation document");
    AddMenuItem(true, "View TWL Battery Budget Calculator");
    AddMenuItem(true, returnItem);
}

void FormMain::ShowDosUtilitiesMenu() {
    startPage("DOS Utilities");
    AddMenuItem(true, "Prog**.exe - Reload calibration coefficients into an instrument");
    AddMenuItem(true, "CALPUSH.exe - Reload Calibration coefficients into .CON file");
    AddMenuItem(true, returnItem);
}

} // namespace discmenu
