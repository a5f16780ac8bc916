#include "menu/MenuActions.h"

#include "app/ModMain.h"
#include "menu/FormMain.h"
#include "platform/ConsoleCommand.h"
#include "platform/Text.h"
#include "savedlg/FormFileSave.h"

#include <array>

namespace discmenu {

namespace {

constexpr bool Title = true;
constexpr bool KeepTitle = false;

using Form = FormMain;
using Click = MenuClick;

Outcome open(Click& click, std::string path) {
    click.targetPath = std::move(path);
    return {};
}

// The last file of the software folder (and subfolder) whose name starts with prefix and
// ends with extension; nothing is opened when none does.
Outcome openFound(Form& form, Click& click, const char* prefix, const char* extension,
                  const char* subfolder = "") {
    auto found = form.mod().FindFileByPrefix(prefix, extension, subfolder);
    if (!found)
        return std::unexpected(found.error());
    return open(click, *found);
}

Outcome page(Form& form, void (FormMain::*show)()) {
    (form.*show)();
    return {};
}

Outcome console(Form& form, const std::string& commandLine) {
    return form.mod().RunProgram(commandLine);
}

// The reader installer's version is read from its name, rp505enu.exe giving 5.05; the
// user confirms before it starts.
Outcome readerInstallation(Form& form, Click& click) {
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

Outcome fileBrowser(Form& form, const char* pattern, const char* caption) {
    form.mod().ShowFileBrowser(pattern, caption);
    return {};
}

// Asks for the folder to install a DOS package in: the dialog's caption says which
// package its Save installs.
Outcome dosInstallation(Form& form, const char* dialogCaption) {
    ModMain& mod = form.mod();
    mod.MsgBox("Please select the folder you would like this software intsalled in. (The files "
               "will be extracted and installed automatically into the selected directory)");
    FormFileSave& dialog = mod.formFileSave();
    dialog.setCaption(dialogCaption);
    dialog.show();
    return {};
}

const std::array rows = {
    MenuAction{"View Service Report",
               [](Form&, Click& c) { return open(c, c.jobFolder + "service report.pdf"); },
               KeepTitle},
    MenuAction{"View Calibration Documents",
               [](Form&, Click& c) { return open(c, c.jobFolder + "calibration documents"); },
               KeepTitle},
    MenuAction{"View Configuration Documents",
               [](Form&, Click& c) { return open(c, c.jobFolder + "configuration documents"); },
               KeepTitle},
    MenuAction{"View .CON and .INI Files",
               [](Form&, Click& c) { return open(c, c.jobFolder + "CON & INI files"); }, KeepTitle},
    MenuAction{"View Recovered Data",
               [](Form&, Click& c) { return open(c, c.jobFolder + "recovered data"); }, KeepTitle},
    MenuAction{"Visit our website offline",
               [](Form& f, Click& c) { return open(c, f.mod().CDPath + "\\website\\index.htm"); },
               KeepTitle},
    MenuAction{"Browse this CD", [](Form& f, Click& c) { return open(c, f.mod().CDBase); },
               KeepTitle},
    MenuAction{"Install windows software",
               [](Form& f, Click&) { return page(f, &FormMain::ShowWindowsSoftwareMenu); }, Title},
    MenuAction{"Install DOS software",
               [](Form& f, Click&) { return page(f, &FormMain::ShowDosSoftwareMenu); }, Title},
    MenuAction{"View instrument specific documentation",
               [](Form& f, Click&) { return f.ShowInstrumentDocsMenu(); }, Title},
    MenuAction{"Return to Previous Menu",
               [](Form& f, Click&) { return page(f, &FormMain::ShowPreviousMenu); }, KeepTitle},
    MenuAction{"Install Brinext for Windows",
               [](Form& f, Click& c) { return openFound(f, c, "brinext-win32_", "exe"); }, Title},
    MenuAction{"Install Brinext Swell for Windows",
               [](Form& f, Click& c) { return openFound(f, c, "BrinextSwell_", "exe"); }, Title},
    MenuAction{"View software documentation",
               [](Form& f, Click&) { return page(f, &FormMain::ShowSoftwareDocsMenu); }, Title},
    MenuAction{"View the Quaylog Win32 Manual",
               [](Form& f, Click& c) { return openFound(f, c, "quaylog_5", "pdf"); }, Title},
    MenuAction{"View the Quaylog v7 Manual (Recommended)",
               [](Form& f, Click& c) { return openFound(f, c, "quaylog_7", "pdf"); }, Title},
    MenuAction{"View the TWL Data Processing Manual",
               [](Form& f, Click& c) { return openFound(f, c, "TWLDATAPROCESSING_", "pdf"); },
               Title},
    MenuAction{
        "View TWL Battery Budget Calculator",
        [](Form& f, Click& c) { return openFound(f, c, "TWL Battery Budget Calculator", "xls"); },
        Title},
    MenuAction{"View the contents and installation document",
               [](Form& f, Click& c) {
                   return open(c, f.mod().CDPath + "\\CDContentsAndInstallation.pdf");
               },
               Title},
    MenuAction{"DOS utilities",
               [](Form& f, Click&) { return page(f, &FormMain::ShowDosUtilitiesMenu); }, Title},
    // The console changes into the folder, lists it (or the tool's file) and stays open
    // for the user to run the tool by hand.
    MenuAction{"Prog**.exe - Reload calibration coefficients into an instrument",
               [](Form& f, Click&) {
                   return console(f, consoleCommandLine({f.mod().CDPath + "\\progsoftware", ""}));
               },
               Title},
    MenuAction{"CALPUSH.exe - Reload Calibration coefficients into .CON file",
               [](Form& f, Click&) {
                   return console(f, consoleCommandLine({f.mod().CDPath, "calpush.exe"}));
               },
               Title},
    MenuAction{"Install Adobe Acorbat Reader (Required to view .PDF documents)", readerInstallation,
               Title},
    MenuAction{"View included software and documentation",
               [](Form& f, Click&) { return page(f, &FormMain::ShowIncludedSoftwareMenu); }, Title},
    // The file browser on the disc's files of one kind.
    MenuAction{"View .CON file(s)",
               [](Form& f, Click&) { return fileBrowser(f, "*.con", "All included .CON file(s)"); },
               Title},
    MenuAction{"View .CAL file(s)",
               [](Form& f, Click&) { return fileBrowser(f, "*.cal", "All included .CAL file(s)"); },
               Title},
    MenuAction{"View .CAP file(s)",
               [](Form& f, Click&) { return fileBrowser(f, "*.cap", "All included .CAP file(s)"); },
               Title},
    MenuAction{"View .CFG file(s)",
               [](Form& f, Click&) { return fileBrowser(f, "*.cfg", "All included .CFG file(s)"); },
               Title},
    MenuAction{"View .INI file(s)",
               [](Form& f, Click&) { return fileBrowser(f, "*.ini", "All included .INI file(s)"); },
               Title},
    MenuAction{
        "View Instrument Manual(s)",
        [](Form& f, Click&) { return fileBrowser(f, "*manual*.pdf", "All included manual(s)"); },
        Title},
    // The destination dialog for a DOS package.
    MenuAction{"Install Quaylog for DOS",
               [](Form& f, Click&) { return dosInstallation(f, "Install path for Quaylog"); },
               Title},
    MenuAction{"Install Brinext swell for DOS",
               [](Form& f, Click&) { return dosInstallation(f, "Install path for Brinext swell"); },
               Title},
};

} // namespace

std::span<const MenuAction> menuActions() {
    return rows;
}

} // namespace discmenu
