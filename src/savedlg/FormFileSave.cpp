#include "savedlg/FormFileSave.h"

#include "app/ModMain.h"
#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "platform/Text.h"
#include "savedlg/InstallSets.h"

#include <memory>

namespace discmenu {

namespace {

template <class C, class... Args>
std::unique_ptr<C> control(int left, int top, int width, int height, Args&&... args) {
    auto c = std::make_unique<C>(std::forward<Args>(args)...);
    c->setGeometry(left, top, width, height);
    return c;
}

std::unique_ptr<ui::Button> button(const char* name, const char* caption, int left) {
    auto b = control<ui::Button>(left, 2520, 855, 315, name);
    b->setCaption(caption);
    return b;
}

std::unique_ptr<ui::TextBox> pathBox() {
    // Wider than the dialog: its right part lies beyond the window's edge.
    auto t = control<ui::TextBox>(0, 0, 6615, 285, "txtPath");
    t->setText("Text1");
    return t;
}

} // namespace

FormFileSave::FormFileSave(ModMain& mod, ui::FormObserver* observer)
    : ui::Form("FormFileSave", observer), m_mod(mod),
      m_drive1(add(control<ui::DriveList>(0, 2520, 3615, 315, "Drive1", mod.fs()))),
      m_dir1(add(control<ui::FolderList>(0, 360, 5535, 2115, "Dir1", mod.fs()))),
      m_txtPath(add(pathBox())), m_cmdSave(add(button("cmdSave", "Save", 3720))),
      m_cmdCancel(add(button("cmdCancel", "Cancel", 4680))) {
    setInitialCaption(CopyMode);
    setWindow(ui::BorderStyle::FixedDialog, ui::StartPosition::CenterOwner, false, 5565, 2880);
    // The keyboard starts in the path box and goes on to the folders, the drives and the
    // buttons; Escape is Cancel.
    m_txtPath.setAccessibleName("Destination folder");
    m_dir1.setAccessibleName("Folders");
    m_drive1.setAccessibleName("Drives");
    int tab = 0;
    for (ui::Control* c : std::initializer_list<ui::Control*>{&m_txtPath, &m_dir1, &m_drive1,
                                                              &m_cmdSave, &m_cmdCancel})
        c->setTabIndex(tab++);
    m_cmdCancel.setCancel(true);
    setFocusOnShow(m_txtPath);
    // The drive list starts on the drive the program runs from, as the current drive.
    m_drive1.restore(text::lower(text::left(mod.programFolder(), 1)) + ":");
    m_shownDrive = m_drive1.drive();
}

void FormFileSave::Form_Load() {
    goOnPastFailure(m_dir1.setPath(m_mod.SavePath));
    m_drive1.setDrive(text::left(m_mod.SavePath, 1));
    m_txtPath.setText(m_mod.SavePath);
}

void FormFileSave::Drive1_Change() {
    auto moved = m_dir1.setPath(m_drive1.drive());
    if (!moved) {
        // A drive that cannot be read: said so, and the list shows the drive before it.
        m_mod.MsgBox("The drive could not be read:\r\n" + m_drive1.drive() + "\r\n" +
                     moved.error().description);
        m_drive1.restore(m_shownDrive);
        return;
    }
    m_shownDrive = m_drive1.drive();
    m_txtPath.setText(m_dir1.path());
}

void FormFileSave::Dir1_Change() {
    m_txtPath.setText(m_dir1.path());
    m_mod.SavePath = m_dir1.path();
}

void FormFileSave::txtPath_KeyPress(int KeyAscii) {
    if (KeyAscii == ui::TextBox::KeyEnter)
        checkPath();
}

void FormFileSave::txtPath_LostFocus() {
    checkPath();
}

void FormFileSave::checkPath() {
    const std::string typed = m_txtPath.text();
    auto moved = m_dir1.setPath(typed);
    if (moved) {
        m_mod.SavePath = m_txtPath.text();
        return;
    }
    const Failure& failure = moved.error();
    if (failure.code == Err::DriveUnavailable) {
        m_mod.MsgBox("Error, Drive not found:\r\n" + typed);
        m_txtPath.setText(m_mod.SavePath);
    } else if (failure.code == Err::PathNotFound) {
        if (m_mod.MsgBox("Founder Not found, create new directory?\r\n" + typed,
                         Buttons::OkCancel) == Answer::Ok) {
            m_mod.CreateFolderPath(typed);
            goOnPastFailure(m_dir1.setPath(typed));
            m_mod.SavePath = m_txtPath.text();
        } else {
            m_txtPath.setText(m_mod.SavePath);
        }
    } else {
        m_mod.MsgBox(std::to_string(failure.number()) + "\r\n" + failure.description);
    }
}

void FormFileSave::cmdCancel_Click() {
    if (caption() == CopyMode) {
        hide();
        m_mod.formFiles().show();
    } else if (installSetFor(caption())) {
        hide();
        m_mod.formMain().show();
    }
}

void FormFileSave::handle(const ui::UiEvent& event) {
    using ui::EventKind;
    const std::string& control = event.control;
    if (control.empty()) {
        if (event.kind == EventKind::Load)
            Form_Load();
    } else if (event.kind == EventKind::Change && control == "Drive1") {
        Drive1_Change();
    } else if (event.kind == EventKind::Change && control == "Dir1") {
        Dir1_Change();
    } else if (event.kind == EventKind::KeyPress && control == "txtPath") {
        txtPath_KeyPress(event.key);
    } else if (event.kind == EventKind::LostFocus && control == "txtPath") {
        const int before = m_mod.messagesShown();
        txtPath_LostFocus();
        // The path check's message took the release of the press on Save or Cancel that
        // moved the focus, and with it the click; the click still runs, after the message.
        const bool clicked = event.focusTo == "cmdSave" || event.focusTo == "cmdCancel";
        if (clicked && m_mod.messagesShown() != before && visible()) {
            clickRunOnFocus();
            if (event.focusTo == "cmdSave")
                cmdSave_Click();
            else
                cmdCancel_Click();
        }
    } else if (event.kind == EventKind::Click && control == "cmdSave") {
        cmdSave_Click();
    } else if (event.kind == EventKind::Click && control == "cmdCancel") {
        cmdCancel_Click();
    }
}

} // namespace discmenu
