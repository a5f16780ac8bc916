#include "browser/FormFiles.h"

#include "app/ModMain.h"
#include "menu/FormMain.h"
#include "platform/Text.h"

#include <algorithm>
#include <array>
#include <memory>

namespace discmenu {

namespace {

std::unique_ptr<ui::Button> button(const char* name, const char* caption, int left) {
    auto b = std::make_unique<ui::Button>(name);
    b->setCaption(caption);
    b->setGeometry(left, 2280, 615, 255);
    return b;
}

std::unique_ptr<ui::FileList> fileList(const FileSystem& fs) {
    auto list = std::make_unique<ui::FileList>("FileMain", fs);
    list->setGeometry(0, 0, 3255, 2235);
    list->setAccessibleName("Files");
    return list;
}

// The frame of a sizable tool window around its client area, until the window system
// tells the real one.
constexpr int frameWidth = 240;
constexpr int frameHeight = 465;

} // namespace

FormFiles::FormFiles(ModMain& mod, ui::FormObserver* observer)
    : ui::Form("FormFiles", observer), m_mod(mod), m_fileMain(add(fileList(mod.fs()))),
      m_cmdSave(add(button("cmdSave", "Save", 0))), m_cmdView(add(button("cmdView", "View", 600))) {
    setInitialCaption("Form1");
    setWindow(ui::BorderStyle::SizableToolWindow, ui::StartPosition::CenterOwner, false, 2190,
              3795);
    setOuterSize(2190 + frameWidth, 3795 + frameHeight);
}

void FormFiles::applyLayout() {
    m_cmdSave.setTop(0);
    m_cmdSave.setLeft(0);
    m_cmdView.setTop(0);
    m_cmdView.setLeft(m_cmdSave.width());
    // Never below zero, however small the user makes the window.
    m_fileMain.setWidth(std::max(0, width() - 100));
    m_fileMain.setHeight(std::max(0, height() - m_cmdSave.height() - 200));
    m_fileMain.setTop(m_cmdSave.height());
}

void FormFiles::Form_Load() {
    applyLayout();
}
void FormFiles::Form_Resize() {
    applyLayout();
}

void FormFiles::Form_Terminate() {
    FormMain& main = m_mod.formMain();
    main.show();
    main.setWindowState(ui::WindowState::Normal);
}

std::string FormFiles::fullPath(const std::string& name) const {
    return m_mod.CDPath + "\\" + name;
}

void FormFiles::openFile(const std::string& path) {
    static constexpr std::array textPatterns = {"*.con", "*.cal", "*.cap", "*.cfg", "*.ini"};
    const std::string pattern = text::lower(m_fileMain.pattern());
    if (std::find(textPatterns.begin(), textPatterns.end(), pattern) != textPatterns.end()) {
        if (auto started = m_mod.RunProgram("notepad.exe " + path); !started)
            m_mod.MsgBox("The text editor could not be started for:\r\n" + path + "\r\n" +
                         started.error().description);
    } else if (pattern == "*manual*.pdf") {
        m_mod.ShellOpen(*this, path, m_mod.programFolder());
    }
}

void FormFiles::cmdView_Click() {
    const int n = m_fileMain.listCount();
    for (int i = 0; i < n; ++i) {
        if (m_fileMain.selected(i))
            openFile(fullPath(m_fileMain.list(i)));
    }
}

void FormFiles::FileMain_DblClick() {
    if (m_fileMain.listIndex() >= 0)
        openFile(fullPath(m_fileMain.fileName()));
}

void FormFiles::handle(const ui::UiEvent& event) {
    using ui::EventKind;
    const std::string& control = event.control;
    if (control.empty()) {
        if (event.kind == EventKind::Load)
            Form_Load();
        else if (event.kind == EventKind::Resize)
            Form_Resize();
        else if (event.kind == EventKind::Terminate)
            Form_Terminate();
    } else if (event.kind == EventKind::Click && control == "cmdView") {
        cmdView_Click();
    } else if (event.kind == EventKind::Click && control == "cmdSave") {
        cmdSave_Click();
    } else if (event.kind == EventKind::DblClick && control == "FileMain") {
        FileMain_DblClick();
    }
}

} // namespace discmenu
