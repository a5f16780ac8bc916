// What the keyboard and a screen reader find in each window, on the offscreen platform:
// roles, names and actions, the Tab order, and the focus the program gives.

#include "QtDisc.h"
#include "app/ModMain.h"
#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "platform/qt/FormWindow.h"
#include "savedlg/FormFileSave.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QTest>
#include <memory>

using namespace discmenu;

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_disc.reset(); }
    void eachWindowTellsRolesNamesAndActions();
    void theKeyboardRunsTheMenu();
    void theDialogStartsInItsPathBoxAndEscapeCancels();

private:
    qt::FormWindow* window(const ui::Form& form) { return m_disc->window(form); }
    std::unique_ptr<test::QtDisc> m_disc;
};

namespace {

struct Row {
    const char* control; // a display name; empty for the window itself
    QAccessible::Role role;
    QString name;
    bool press; // offers the press action
};

void checkRows(qt::FormWindow* w, const std::vector<Row>& rows) {
    for (const Row& r : rows) {
        QObject* object = *r.control ? w->widgetFor(r.control) : w;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(object);
        QVERIFY2(a, r.control);
        QCOMPARE(a->role(), r.role);
        QCOMPARE(a->text(QAccessible::Name), r.name);
        const QStringList actions =
            a->actionInterface() ? a->actionInterface()->actionNames() : QStringList();
        QCOMPARE(actions.contains(QAccessibleActionInterface::pressAction()), r.press);
    }
}

} // namespace

void AccessibilityTest::init() {
    // A generic software disc: its first page has five items.
    m_disc = std::make_unique<test::QtDisc>(std::initializer_list<const char*>{},
                                            std::initializer_list<const char*>{"a.con"});
}

void AccessibilityTest::eachWindowTellsRolesNamesAndActions() {
    ModMain& mod = m_disc->mod();
    checkRows(window(mod.formMain()),
              {{"", QAccessible::Window, "Customer Service CD", false},
               {"Label1", QAccessible::StaticText, "Tidewell Electronics, Inc.", false},
               {"lblTitle", QAccessible::StaticText, "Software CD", false},
               {"lblVersion", QAccessible::StaticText, "Version 7.16", false},
               {"lblMain(2)", QAccessible::Link, "Install windows software", true},
               {"lblMain(6)", QAccessible::Link, "View software documentation", true},
               {"lblMain(0)", QAccessible::Link, "Visit our website offline", true}});
    mod.ShowFileBrowser("*.con", "All included .CON file(s)");
    m_disc->desktop().sync();
    checkRows(window(mod.formFiles()),
              {{"", QAccessible::Window, "All included .CON file(s)", false},
               {"FileMain", QAccessible::List, "Files", false},
               {"cmdSave", QAccessible::Button, "Save", true}});
    mod.formFileSave().show();
    m_disc->desktop().sync();
    checkRows(window(mod.formFileSave()),
              {{"", QAccessible::Dialog, "Save In", false},
               {"txtPath", QAccessible::EditableText, "Destination folder", false},
               {"Dir1", QAccessible::List, "Folders", false},
               {"Drive1", QAccessible::ComboBox, "Drives", false},
               {"cmdCancel", QAccessible::Button, "Cancel", true}});

    // A screen reader's press is the item's click; the new page starts at its first item.
    QAccessible::queryAccessibleInterface(window(mod.formMain())->widgetFor("lblMain(2)"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(mod.CurrentMenu, std::string("Windows Software"));
    QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                         : window(mod.formMain())->focusWidget()->objectName(),
             QString("lblMain(2)"));
}

void AccessibilityTest::theKeyboardRunsTheMenu() {
    ModMain& mod = m_disc->mod();
    qt::FormWindow* w = window(mod.formMain());
    QApplication::setActiveWindow(w);
    QCOMPARE(w->focusWidget(), w); // nothing is focused, nor framed, before the keyboard moves
    QCOMPARE(mod.formMain().lblMain(2).foreColor(), ui::White);
    // Tab visits the page's items in reading order, then the two at the foot.
    QStringList visited;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, (QStringList{"lblMain(2)", "lblMain(3)", "lblMain(4)", "lblMain(5)",
                                   "lblMain(6)", "lblMain(0)", "lblMain(1)", "lblMain(2)"}));
    // The focus shows as the hover does; Enter runs the item.
    QCOMPARE(mod.formMain().lblMain(2).foreColor(), ui::Yellow);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(mod.CurrentMenu, std::string("Windows Software"));
}

void AccessibilityTest::theDialogStartsInItsPathBoxAndEscapeCancels() {
    ModMain& mod = m_disc->mod();
    FormFileSave& dialog = mod.formFileSave();
    dialog.setCaption("Install path for Quaylog");
    dialog.show();
    m_disc->desktop().sync();
    qt::FormWindow* w = window(dialog);
    QApplication::setActiveWindow(w);
    QCOMPARE(w->focusWidget(), w->widgetFor("txtPath"));
    QTest::keyClick(w->focusWidget(), Qt::Key_Escape);
    QVERIFY(!dialog.visible());
    QVERIFY(mod.formMain().visible());
}

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
