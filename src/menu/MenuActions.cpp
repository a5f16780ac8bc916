#include "menu/MenuActions.h"

#include "app/ModMain.h"
#include "menu/FormMain.h"
#include "platform/Text.h"
#include "savedlg/FormFileSave.h"

#include <array>

namespace discmenu {

namespace {

constexpr bool Title = true;
constexpr bool KeepTitle = false;

// A row that opens a path under the selected job's folder.
template <const char* name> Outcome jobDocument(FormMain&, MenuClick& click) {
    click.targetPath = click.jobFolder + name;
    return {};
}

constexpr char serviceReport[] = "service report.pdf";
constexpr char calibrationDocuments[] = "calibration documents";
constexpr char configurationDocuments[] = "configuration documents";
constexpr char conAndIniFiles[] = "CON & INI files";
constexpr char recoveredData[] = "recovered data";

// A row that opens the last file of the software folder found by prefix and extension;
// nothing when none is found.
template <const char* prefix, const char* extension>
Outcome softwareFile(FormMain& form, MenuClick& click) {
    auto found = form.mod().FindFileByPrefix(prefix, extension, "");
    if (!found)
        return std::unexpected(found.error());
    click.targetPath = *found;
    return {};
}

constexpr char brinextWin32[] = "brinext-win32_";
constexpr char brinextSwell[] = "BrinextSwell_";
constexpr char quaylog5[] = "quaylog_5";
constexpr char quaylog7[] = "quaylog_7";
constexpr char dataProcessing[] = "TWLDATAPROCESSING_";
constexpr char batteryBudget[] = "TWL Battery Budget Calculator";
constexpr char exe[] = "exe";
constexpr char pdf[] = "pdf";
constexpr char xls[] = "xls";

template <void (FormMain::*page)()> Outcome showPage(FormMain& form, MenuClick&) {
    (form.*page)();
    return {};
}

Outcome instrumentDocs(FormMain& form, MenuClick&) {
    return form.ShowInstrumentDocsMenu();
}

Outcome website(FormMain& form, MenuClick& click) {
    click.targetPath = form.mod().CDPath + "\\website\\index.htm";
    return {};
}

Outcome browseDisc(FormMain& form, MenuClick& click) {
    click.targetPath = form.mod().CDBase;
    return {};
}

Outcome contentsDocument(FormMain& form, MenuClick& click) {
    click.targetPath = form.mod().CDPath + "\\CDContentsAndInstallation.pdf";
    return {};
}

Outcome progConsole(FormMain& form, MenuClick&) {
    return form.mod().RunProgram("cmd.exe /k pushd " + form.mod().CDPath + "\\progsoftware" +
                                 "&&dir");
}

Outcome calpushConsole(FormMain& form, MenuClick&) {
    return form.mod().RunProgram("cmd.exe /k pushd " + form.mod().CDPath + "&&dir calpush.exe");
}

// The reader installer's version is read from its name, rp505enu.exe giving 5.05; the
// user confirms before it starts.
Outcome readerInstallation(FormMain& form, MenuClick& click) {
    ModMain& mod = form.mod();
    std::string installer;
    if (auto found = mod.FindFileByPrefix("rp", "exe", "\\Adobe Acrobat"))
        installer = *found;
    const std::string tail = text::right(installer, 10);
    const std::string version = text::left(tail, 1) + "." + text::mid(tail, 2, 2);
    if (mod.MsgBox("This will install Adobe Acrobat version " + version + ".", Buttons::OkCancel) ==
        Answer::Ok)
        click.targetPath = installer;
    return {};
}

// A row that lists the disc's files of one kind in the file browser.
template <const char* pattern, const char* caption>
Outcome fileBrowser(FormMain& form, MenuClick&) {
    form.mod().ShowFileBrowser(pattern, caption);
    return {};
}

constexpr char conPattern[] = "*.con";
constexpr char calPattern[] = "*.cal";
constexpr char capPattern[] = "*.cap";
constexpr char cfgPattern[] = "*.cfg";
constexpr char iniPattern[] = "*.ini";
constexpr char manualPattern[] = "*manual*.pdf";
constexpr char conTitle[] = "All included .CON file(s)";
constexpr char calTitle[] = "All included .CAL file(s)";
constexpr char capTitle[] = "All included .CAP file(s)";
constexpr char cfgTitle[] = "All included .CFG file(s)";
constexpr char iniTitle[] = "All included .INI file(s)";
constexpr char manualTitle[] = "All included manual(s)";

// A row that asks for the folder to install a DOS package in: the dialog's caption says
// which package its Save installs.
template <const char* dialogCaption> Outcome dosInstallation(FormMain& form, MenuClick&) {
    ModMain& mod = form.mod();
    mod.MsgBox("Please select the folder you would like this software intsalled in. (The files "
               "will be extracted and installed automatically into the selected directory)");
    FormFileSave& dialog = mod.formFileSave();
    dialog.setCaption(dialogCaption);
    dialog.show();
    return {};
}

constexpr char quaylogDialog[] = "Install path for Quaylog";
constexpr char swellDialog[] = "Install path for Brinext swell";

const std::array rows = {
    MenuAction{"View Service Report", jobDocument<serviceReport>, KeepTitle},
    MenuAction{"View Calibration Documents", jobDocument<calibrationDocuments>, KeepTitle},
    MenuAction{"View Configuration Documents", jobDocument<configurationDocuments>, KeepTitle},
    MenuAction{"View .CON and .INI Files", jobDocument<conAndIniFiles>, KeepTitle},
    MenuAction{"View Recovered Data", jobDocument<recoveredData>, KeepTitle},
    MenuAction{"Visit our website offline", website, KeepTitle},
    MenuAction{"Browse this CD", browseDisc, KeepTitle},
    MenuAction{"Install windows software", showPage<&FormMain::ShowWindowsSoftwareMenu>, Title},
    MenuAction{"Install DOS software", showPage<&FormMain::ShowDosSoftwareMenu>, Title},
    MenuAction{"View instrument specific documentation", instrumentDocs, Title},
    MenuAction{"Return to Previous Menu", showPage<&FormMain::ShowPreviousMenu>, KeepTitle},
    MenuAction{"Install Brinext for Windows", softwareFile<brinextWin32, exe>, Title},
    MenuAction{"Install Brinext Swell for Windows", softwareFile<brinextSwell, exe>, Title},
    MenuAction{"View software documentation", showPage<&FormMain::ShowSoftwareDocsMenu>, Title},
    MenuAction{"View the Quaylog Win32 Manual", softwareFile<quaylog5, pdf>, Title},
    MenuAction{"View the Quaylog v7 Manual (Recommended)", softwareFile<quaylog7, pdf>, Title},
    MenuAction{"View the TWL Data Processing Manual", softwareFile<dataProcessing, pdf>, Title},
    MenuAction{"View TWL Battery Budget Calculator", softwareFile<batteryBudget, xls>, Title},
    MenuAction{"View the contents and installation document", contentsDocument, Title},
    MenuAction{"DOS utilities", showPage<&FormMain::ShowDosUtilitiesMenu>, Title},
    MenuAction{"Prog**.exe - Reload calibration coefficients into an instrument", progConsole,
               Title},
    MenuAction{"CALPUSH.exe - Reload Calibration coefficients into .CON file", calpushConsole,
               Title},
    MenuAction{"Install Adobe Acorbat Reader (Required to view .PDF documents)", readerInstallation,
               Title},
    MenuAction{"View included software and documentation",
               showPage<&FormMain::ShowIncludedSoftwareMenu>, Title},
    MenuAction{"View .CON file(s)", fileBrowser<conPattern, conTitle>, Title},
    MenuAction{"View .CAL file(s)", fileBrowser<calPattern, calTitle>, Title},
    MenuAction{"View .CAP file(s)", fileBrowser<capPattern, capTitle>, Title},
    MenuAction{"View .CFG file(s)", fileBrowser<cfgPattern, cfgTitle>, Title},
    MenuAction{"View .INI file(s)", fileBrowser<iniPattern, iniTitle>, Title},
    MenuAction{"View Instrument Manual(s)", fileBrowser<manualPattern, manualTitle>, Title},
    MenuAction{"Install Quaylog for DOS", dosInstallation<quaylogDialog>, Title},
    MenuAction{"Install Brinext swell for DOS", dosInstallation<swellDialog>, Title},
};

} // namespace

std::span<const MenuAction> menuActions() {
    return rows;
}

} // namespace discmenu
