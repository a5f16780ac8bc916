// The forms to a screen reader and the keyboard, in real windows under Wine: what MSAA
// reads of each window's controls, and what a reader's default action and Enter in the
// folder list do. Tab, Enter, Space and Escape through every window are the keyboard
// walks' (tests/e2e/*-keys.walk).

#include "Win32Forms.h"
#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "platform/win32/Wide.h"
#include "savedlg/FormFileSave.h"

#include <oleacc.h>

namespace discmenu::test {
namespace {

class Win32Keyboard : public Win32Forms {
protected:
    Win32Keyboard() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        pump(); // the item windows are made once the main window has shown
    }
    ~Win32Keyboard() override { CoUninitialize(); }

    void pump() {
        for (int i = 0; i < 3; ++i) {
            m_desktop->doEvents();
            Sleep(2);
        }
    }
    // A key pressed and released as the keyboard does it, then the loop runs.
    void press(WORD key) {
        INPUT input[2] = {};
        for (INPUT& i : input) {
            i.type = INPUT_KEYBOARD;
            i.ki.wVk = key;
        }
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
        pump();
    }
    // The control whose window has the focus, by its display name.
    std::string focused(const ui::Form& form) {
        for (const auto& c : form.controls())
            if (window(form).controlWindow(c->displayName()) == GetFocus())
                return c->displayName();
        return "(none)";
    }
    void activate(const ui::Form& form) {
        SetForegroundWindow(window(form).hwnd());
        pump();
    }
    IAccessible* readerObject(const ui::Form& form, const std::string& control) {
        void* object = nullptr;
        // __uuidof: MinGW's IID_IAccessible is refused under Wine.
        AccessibleObjectFromWindow(window(form).controlWindow(control), OBJID_CLIENT,
                                   __uuidof(IAccessible), &object);
        return static_cast<IAccessible*>(object);
    }
    static std::string text(IAccessible* object, HRESULT (IAccessible::*get)(VARIANT, BSTR*)) {
        VARIANT self{};
        self.vt = VT_I4;
        BSTR value = nullptr;
        (object->*get)(self, &value);
        const std::string s = value ? win32::toUtf8(value) : "";
        SysFreeString(value);
        return s;
    }
};

// Each window's controls as a reader names them; the menu's items are links that are
// clicked, the header lines static text.
TEST_F(Win32Keyboard, AScreenReaderReadsEachWindowsControls) {
    FormMain& main = m_mod->formMain();
    FormFiles& files = m_mod->formFiles();
    FormFileSave& dialog = m_mod->formFileSave();
    m_mod->ShowFileBrowser("*.con", "All included .CON file(s)");
    dialog.show();
    m_desktop->sync();
    struct Row {
        const ui::Form& form;
        const char* control;
        const char* name;
        LONG role; // 0: the native control's own
        const char* action;
    };
    const Row rows[] = {
        {main, "lblMain(2)", "View Service Report", ROLE_SYSTEM_LINK, "Click"},
        {main, "lblMain(7)", "View included software and documentation", ROLE_SYSTEM_LINK, "Click"},
        {main, "lblMain(1)", "Browse this CD", ROLE_SYSTEM_LINK, "Click"},
        {main, "Label1", "Tidewell Electronics, Inc.", ROLE_SYSTEM_STATICTEXT, ""},
        {main, "lblRMATitle", "RMA # 1001, 1002 and 1003", ROLE_SYSTEM_STATICTEXT, ""},
        {main, "lstRMA", "Jobs", 0, ""},
        {files, "FileMain", "Files", 0, ""},
        {files, "cmdView", "View", 0, ""},
        {dialog, "txtPath", "Destination folder", 0, ""},
        {dialog, "Dir1", "Folders", 0, ""},
        {dialog, "Drive1", "Drives", 0, ""},
        {dialog, "cmdCancel", "Cancel", 0, ""},
    };
    for (const Row& row : rows) {
        IAccessible* object = readerObject(row.form, row.control);
        ASSERT_TRUE(object) << row.control;
        EXPECT_EQ(text(object, &IAccessible::get_accName), row.name) << row.control;
        if (row.role) {
            VARIANT self{}, role{};
            self.vt = VT_I4;
            object->get_accRole(self, &role);
            EXPECT_EQ(role.lVal, row.role) << row.control;
            EXPECT_EQ(text(object, &IAccessible::get_accDefaultAction), row.action) << row.control;
        }
        object->Release();
    }
    // A reader's default action runs the item as a click does.
    IAccessible* item = readerObject(main, "lblMain(7)");
    ASSERT_TRUE(item);
    VARIANT self{};
    self.vt = VT_I4;
    EXPECT_EQ(item->accDoDefaultAction(self), S_OK);
    item->Release();
    pump();
    EXPECT_EQ(main.caption(), "Tidewell Software CD - Included Software and Documentation");
}

// Enter in the folder list opens the folder chosen with the arrow keys, as a double-click
// does.
TEST_F(Win32Keyboard, EnterInTheFolderListOpensTheChosenFolder) {
    std::filesystem::create_directories(m_temp.path() / "home" / "data");
    FormFileSave& dialog = m_mod->formFileSave();
    dialog.setCaption("Install path for Quaylog");
    dialog.show();
    m_desktop->sync();
    activate(dialog);
    press(VK_TAB);
    ASSERT_EQ(focused(dialog), "Dir1");
    press(VK_DOWN);
    press(VK_RETURN);
    EXPECT_EQ(m_mod->SavePath, "C:\\data");
    EXPECT_TRUE(m_messages.prompts.empty()); // the path box's check found its folder
}

} // namespace
} // namespace discmenu::test
