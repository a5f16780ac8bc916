#include "app/ModMain.h"

#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "platform/WindowsPath.h"
#include "savedlg/FormFileSave.h"

#include <algorithm>

namespace discmenu {

ModMain::ModMain(Ports ports, Trace& trace) : m_ports(ports), m_trace(trace), m_formTrace(trace) {}

ModMain::~ModMain() = default;

namespace {

// Creates a form on its first use and runs its Load step at that moment.
template <class F> F& loaded(std::unique_ptr<F>& form, ModMain& mod, FormTrace& trace) {
    if (!form) {
        form = std::make_unique<F>(mod, &trace);
        trace.formCreated(*form);
        form->raise(ui::UiEvent::form(ui::EventKind::Load));
    }
    return *form;
}

// Ends a form closed by its frame: hidden, its Terminate step run, gone.
template <class F> bool unload(std::unique_ptr<F>& form, ui::Form& closing) {
    if (form.get() != &closing)
        return false;
    std::unique_ptr<F> ending = std::move(form);
    ending->hide();
    ending->raise(ui::UiEvent::form(ui::EventKind::Terminate));
    return true;
}

// Puts up the progress note once a copy has taken longer than the delay, and takes it
// down at the end.
class ProgressNote : public CopyProgress {
public:
    ProgressNote(Desktop& desktop, std::string text, std::chrono::milliseconds delay)
        : m_desktop(desktop), m_text(std::move(text)),
          m_showFrom(std::chrono::steady_clock::now() + delay) {}
    ~ProgressNote() override {
        if (m_shown)
            m_desktop.endProgress();
    }
    void copied(std::uint64_t done, std::uint64_t total) override {
        if (!m_shown && std::chrono::steady_clock::now() < m_showFrom)
            return;
        m_shown = true;
        m_desktop.showProgress(m_text, total ? static_cast<int>(done * 100 / total) : 100);
    }

private:
    Desktop& m_desktop;
    std::string m_text;
    std::chrono::steady_clock::time_point m_showFrom;
    bool m_shown = false;
};

} // namespace

FormMain& ModMain::formMain() {
    return loaded(m_formMain, *this, m_formTrace);
}
FormFiles& ModMain::formFiles() {
    return loaded(m_formFiles, *this, m_formTrace);
}
FormFileSave& ModMain::formFileSave() {
    return loaded(m_formFileSave, *this, m_formTrace);
}

Outcome ModMain::CopyFile(const std::string& source, const std::string& destination) {
    ProgressNote note(m_ports.desktop, "Copying " + winpath::lastName(source), m_progressDelay);
    return fs().copyFile(source, destination, &note);
}

Outcome ModMain::CopyFolder(const std::string& source, const std::string& destination) {
    ProgressNote note(m_ports.desktop, "Copying " + winpath::lastName(source), m_progressDelay);
    return fs().copyFolder(source, destination, &note);
}

void ModMain::ShellOpen(const ui::Form& owner, const std::string& file, const std::string& folder) {
    m_trace.write({"open", file, folder});
    m_ports.launcher.shellOpen(owner, file, folder);
}

Outcome ModMain::RunProgram(const std::string& commandLine) {
    m_trace.write({"run", commandLine});
    return m_ports.launcher.runProgram(commandLine);
}

Answer ModMain::MsgBox(const std::string& prompt, Buttons buttons) {
    settleTrace();
    ++m_messagesShown;
    m_trace.write({"message", buttons == Buttons::Ok ? "OK" : "OKCancel", prompt});
    const Answer answer = m_ports.messages.show(prompt, buttons);
    m_trace.write({"answer", answer == Answer::Ok ? "OK" : "Cancel"});
    return answer;
}

void ModMain::DoEvents() {
    // The trace is not settled here: the scan lets events through once per folder, and
    // writing the growing job list each time would make the trace grow with the square of
    // the jobs. An event let through settles it when it ends, as every event does.
    m_ports.desktop.doEvents();
}

void ModMain::settleTrace() {
    if (m_formMain)
        m_formTrace.settle(*m_formMain);
}

std::vector<ui::Form*> ModMain::loadedForms() {
    std::vector<ui::Form*> forms{m_formMain.get(), m_formFiles.get(), m_formFileSave.get()};
    std::erase(forms, nullptr);
    return forms;
}

bool ModMain::anyWindowOpen() {
    return std::ranges::any_of(loadedForms(), &ui::Form::visible);
}

void ModMain::closeByFrame(ui::Form& form) {
    if (m_formMain.get() == &form) {
        std::unique_ptr<FormMain> closing = std::move(m_formMain);
        closing->hide();
        // The program goes on while another of its windows is open: the main window is
        // only unloaded, and its next use loads it anew. Otherwise this is the end of the
        // main window, whose Terminate step stops the program.
        if (!anyWindowOpen())
            closing->raise(ui::UiEvent::form(ui::EventKind::Terminate));
        return;
    }
    // The browser's Terminate step brings the main window back; the dialog's does nothing.
    if (!unload(m_formFiles, form))
        unload(m_formFileSave, form);
    if (anyWindowOpen())
        return;
    // No window is left: the program ends, through the main window's end where it exists.
    if (m_formMain)
        closeByFrame(*m_formMain);
    else
        m_ports.desktop.endProgram();
}

} // namespace discmenu
