#include "app/ModMain.h"

#include "menu/FormMain.h"

namespace discmenu {

ModMain::ModMain(Ports ports, Trace& trace) : m_ports(ports), m_trace(trace), m_formTrace(trace) {}

ModMain::~ModMain() = default;

FormMain& ModMain::formMain() {
    if (!m_formMain) {
        m_formMain = std::make_unique<FormMain>(*this, &m_formTrace);
        m_formTrace.formCreated(*m_formMain);
        m_formMain->raise(ui::UiEvent::form(ui::EventKind::Load));
    }
    return *m_formMain;
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
    m_trace.write({"message", buttons == Buttons::Ok ? "OK" : "OKCancel", prompt});
    const Answer answer = m_ports.messages.show(prompt, buttons);
    m_trace.write({"answer", answer == Answer::Ok ? "OK" : "Cancel"});
    return answer;
}

void ModMain::DoEvents() {
    settleTrace();
    m_ports.desktop.doEvents();
}

void ModMain::settleTrace() {
    if (m_formMain)
        m_formTrace.settle(*m_formMain);
}

std::vector<ui::Form*> ModMain::loadedForms() {
    std::vector<ui::Form*> forms;
    if (m_formMain)
        forms.push_back(m_formMain.get());
    return forms;
}

void ModMain::closeByFrame(ui::Form& form) {
    if (&form != m_formMain.get())
        return;
    // The window object ends here; its Terminate step stops the program.
    std::unique_ptr<FormMain> closing = std::move(m_formMain);
    closing->hide();
    closing->raise(ui::UiEvent::form(ui::EventKind::Terminate));
}

} // namespace discmenu
