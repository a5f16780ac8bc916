#pragma once

#include "app/FormTrace.h"
#include "app/Trace.h"
#include "platform/Desktop.h"
#include "platform/Environment.h"
#include "platform/Failure.h"
#include "platform/FileSystem.h"
#include "platform/Launcher.h"
#include "platform/MessageBoxes.h"
#include "platform/ui/FormSet.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace discmenu {

class FormMain;
class FormFiles;
class FormFileSave;

namespace ui {
class Form;
}

// What the program needs of the machine, handed in by whoever starts it.
struct Ports {
    FileSystem& fs;
    Launcher& launcher;
    MessageBoxes& messages;
    Desktop& desktop;
    const Environment& env;
};

// The program's module: its entry, the shared disc state, the procedures that several
// windows use, and the windows themselves (each created on first use).
class ModMain : public ui::FormSet {
public:
    ModMain(Ports ports, Trace& trace);
    ~ModMain() override;
    ModMain(const ModMain&) = delete;
    ModMain& operator=(const ModMain&) = delete;

    // The shared disc state, under the names every window uses.
    std::string CDPath;
    std::string CDRoot;
    std::string CDBase;
    std::string CDVersion;
    std::string JobDate;
    std::string JobName;
    std::string RMAList;
    bool IsGenericCD = false;
    std::string CurrentMenu;
    std::string SavePath;

    // The program's entry: finds the disc, tells its kind, fills and shows the main window.
    void Main();
    Result<bool> IsServiceDisc();
    void ReadJobFile();
    void ShowSoftwareDisc();
    Outcome ScanServiceFolders();
    void ShowServiceDisc();

    // The full path of the last file in CDPath & subfolder whose name starts with prefix
    // and ends with extension (both without regard to case); empty when none does.
    Result<std::string> FindFileByPrefix(const std::string& prefix, const std::string& extension,
                                         const std::string& subfolder);
    // Whether a file directly in CDPath has a name whose lower-case form contains text.
    Result<bool> FolderContainsName(const std::string& text);
    // The arguments of the last FindFileByPrefix, kept so that a check of the disc can name
    // every file such a search matches, not only the one the menu picks.
    struct PrefixSearch {
        std::string prefix;
        std::string extension;
        std::string subfolder;
    };
    std::optional<PrefixSearch> lastPrefixSearch;

    // Opens, or reuses and brings forward, the file browser on the files of CDPath that
    // match pattern.
    void ShowFileBrowser(const std::string& pattern, const std::string& caption);
    // Creates a folder and its missing parents; true when the folder itself was created.
    bool CreateFolderPath(const std::string& path);

    // Copies that show a modal progress note once they take longer than a moment.
    Outcome CopyFile(const std::string& source, const std::string& destination);
    Outcome CopyFolder(const std::string& source, const std::string& destination);
    void setProgressDelay(std::chrono::milliseconds delay) { m_progressDelay = delay; }

    void ShellOpen(const ui::Form& owner, const std::string& file, const std::string& folder);
    Outcome RunProgram(const std::string& commandLine);
    Answer MsgBox(const std::string& prompt, Buttons buttons = Buttons::Ok);
    // How many message boxes the program has shown so far.
    int messagesShown() const { return m_messagesShown; }
    void DoEvents();

    // The main window; its first use creates it and runs its load step.
    FormMain& formMain();
    bool hasFormMain() const { return m_formMain != nullptr; }
    // The file browser and the destination dialog, likewise created and loaded on first use.
    FormFiles& formFiles();
    FormFileSave& formFileSave();
    bool hasFormFiles() const { return m_formFiles != nullptr; }
    bool hasFormFileSave() const { return m_formFileSave != nullptr; }

    std::string programFolder() const { return m_ports.env.programFolder(); }
    FileSystem& fs() { return m_ports.fs; }
    Desktop& desktop() { return m_ports.desktop; }

    std::vector<ui::Form*> loadedForms() override;
    void closeByFrame(ui::Form& form) override;

private:
    // Lets the trace catch up with what the main window shows.
    void settleTrace();
    // Whether a window of the program is shown.
    bool anyWindowOpen();

    Ports m_ports;
    Trace& m_trace;
    FormTrace m_formTrace;
    std::unique_ptr<FormMain> m_formMain;
    std::unique_ptr<FormFiles> m_formFiles;
    std::unique_ptr<FormFileSave> m_formFileSave;
    std::chrono::milliseconds m_progressDelay{1000};
    int m_messagesShown = 0;
};

} // namespace discmenu
