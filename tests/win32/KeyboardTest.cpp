// The forms to the keyboard and to a screen reader, in real windows under Wine: what MSAA
// reads of each window's controls, Tab through each window's stops in the form's order,
// and Enter, Space, Escape and a reader's default action reaching the controls.

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
}

// Tab visits each window's stops in the form's order, from the window itself round to the
// first again; the dialog opens with the focus in the path box.
TEST_F(Win32Keyboard, TabVisitsEachWindowsStopsInOrder) {
    struct Row {
        ui::Form& form;
        std::vector<std::string> stops;
    };
    FormFileSave& dialog = m_mod->formFileSave();
    const Row rows[] = {
        {m_mod->formMain(),
         {"lstRMA", "lblMain(2)", "lblMain(3)", "lblMain(4)", "lblMain(5)", "lblMain(6)",
          "lblMain(7)", "lblMain(0)", "lblMain(1)", "lstRMA"}},
        {m_mod->formFiles(), {"FileMain", "cmdSave", "cmdView", "FileMain"}},
        {dialog, {"txtPath", "Dir1", "Drive1", "cmdSave", "cmdCancel", "txtPath"}},
    };
    m_mod->ShowFileBrowser("*.con", "All included .CON file(s)");
    dialog.setCaption("Install path for Quaylog");
    for (const Row& row : rows) {
        row.form.show();
        m_desktop->sync();
        activate(row.form);
        std::vector<std::string> visited;
        if (&row.form == &dialog)
            visited.push_back(focused(dialog));
        while (visited.size() < row.stops.size()) {
            press(VK_TAB);
            visited.push_back(focused(row.form));
        }
        EXPECT_EQ(visited, row.stops) << row.form.name();
    }
    EXPECT_TRUE(m_messages.prompts.empty()); // the path box's check found its folder
}

TEST_F(Win32Keyboard, EnterSpaceEscapeAndAReadersActionRunTheControls) {
    FormMain& main = m_mod->formMain();
    activate(main);
    for (int i = 0; i < 7; ++i)
        press(VK_TAB);
    ASSERT_EQ(focused(main), "lblMain(7)"); // View included software and documentation
    press(VK_RETURN);
    EXPECT_EQ(main.caption(), "Tidewell Software CD - Included Software and Documentation");
    // The keyboard's user lands on the new page's first item, lit as the pointer lights it.
    EXPECT_EQ(focused(main), "lblMain(2)");
    EXPECT_EQ(main.lblMain(2).foreColor(), ui::Yellow);
    press(VK_SPACE); // Install windows software
    EXPECT_EQ(main.caption(), "Tidewell Software CD - Windows Software");
    IAccessible* back = readerObject(main, "lblMain(4)"); // Return to Previous Menu
    ASSERT_TRUE(back);
    VARIANT self{};
    self.vt = VT_I4;
    EXPECT_EQ(back->accDoDefaultAction(self), S_OK);
    back->Release();
    pump();
    EXPECT_EQ(main.caption(), "Tidewell Software CD - Included Software and Documentation");

    // Enter in the folder list opens the chosen folder; Escape is Cancel, and so is Enter
    // on the focused Cancel button.
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
    press(VK_ESCAPE);
    EXPECT_FALSE(dialog.visible());
    dialog.show();
    m_desktop->sync();
    activate(dialog);
    for (int i = 0; i < 4; ++i)
        press(VK_TAB);
    ASSERT_EQ(focused(dialog), "cmdCancel");
    press(VK_RETURN);
    EXPECT_FALSE(dialog.visible());
}

} // namespace
} // namespace discmenu::test
