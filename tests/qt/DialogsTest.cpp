// The file browser and the destination dialog as Qt draws them, on the offscreen platform.

#include "QtDisc.h"
#include "app/ModMain.h"
#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "platform/qt/FormWindow.h"
#include "savedlg/FormFileSave.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace discmenu;

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_disc.reset(); }
    void browserStandsWhereItsLayoutPutsIt();
    void browserFollowsItsWindowsSize();
    void clicksToggleTheBrowsersSelection();
    void dialogStandsWhereItsLayoutPutsIt();
    void typingAPathAndEnterCreatesIt();
    void progressNoteIsModal();
    void aClickAfterTypingRunsOnceAfterThePathCheck_data();
    void aClickAfterTypingRunsOnceAfterThePathCheck();
    void aScreenReadersPressIsAClick();

private:
    qt::FormWindow* browser() { return m_disc->window(m_disc->mod().formFiles()); }
    qt::FormWindow* dialog() { return m_disc->window(m_disc->mod().formFileSave()); }
    template <class W> W* widget(qt::FormWindow* window, const char* name) {
        return dynamic_cast<W*>(window->widgetFor(name));
    }

    std::unique_ptr<test::QtDisc> m_disc;
};

void DialogsTest::init() {
    m_disc = std::make_unique<test::QtDisc>(
        std::initializer_list<const char*>{},
        std::initializer_list<const char*>{"b.con", "a.con", "c.ini"});
    m_disc->mod().ShowFileBrowser("*.con", "All included .CON file(s)");
    m_disc->desktop().sync();
    QVERIFY(browser());
}

void DialogsTest::browserStandsWhereItsLayoutPutsIt() {
    qt::FormWindow* w = browser();
    QCOMPARE(w->windowTitle(), QString("All included .CON file(s)"));
    QVERIFY(w->isVisible());
    QVERIFY(w->windowFlags().testFlag(Qt::Tool)); // no task-bar button
    QVERIFY(!w->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    auto* save = widget<QPushButton>(w, "cmdSave");
    auto* view = widget<QPushButton>(w, "cmdView");
    auto* files = widget<QListWidget>(w, "FileMain");
    QVERIFY(save && view && files);
    QCOMPARE(save->text(), QString("Save"));
    QCOMPARE(save->geometry(), QRect(0, 0, 41, 17));
    QCOMPARE(view->geometry(), QRect(41, 0, 41, 17)); // side by side, "Save" first
    QCOMPARE(files->y(), 17);
    QCOMPARE(files->count(), 2);
    QCOMPARE(files->item(0)->text(), QString("a.con"));
}

void DialogsTest::browserFollowsItsWindowsSize() {
    qt::FormWindow* w = browser();
    auto* files = widget<QListWidget>(w, "FileMain");
    const QSize before = files->size();
    w->resize(w->width() + 30, w->height() + 60);
    QCoreApplication::processEvents();
    // Widening by 450 twips widens the list by as much; likewise the height.
    QCOMPARE(files->width(), before.width() + 30);
    QCOMPARE(files->height(), before.height() + 60);
    w->resize(10, 10);
    QCoreApplication::processEvents();
    QCOMPARE(m_disc->mod().formFiles().FileMain().height(), 0);
}

void DialogsTest::clicksToggleTheBrowsersSelection() {
    auto* files = widget<QListWidget>(browser(), "FileMain");
    const ui::FileList& data = m_disc->mod().formFiles().FileMain();
    const QPoint second = files->visualItemRect(files->item(1)).center();
    const QPoint first = files->visualItemRect(files->item(0)).center();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, first);
    QVERIFY(data.selected(0) && data.selected(1));
    QCOMPARE(data.listIndex(), 0);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, second);
    QVERIFY(data.selected(0));
    QVERIFY(!data.selected(1));

    // A double-click: its first press and release, then the second press.
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, first);
    QVERIFY(!m_disc->launcher.runs.empty());
    QCOMPARE(m_disc->launcher.runs.back(), std::string("notepad.exe D:\\\\a.con"));
}

void DialogsTest::dialogStandsWhereItsLayoutPutsIt() {
    m_disc->mod().formFiles().FileMain().userSetSelected(0, true);
    m_disc->mod().formFiles().cmdSave_Click();
    m_disc->desktop().sync();
    qt::FormWindow* w = dialog();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QString("Save In"));
    QCOMPARE(w->size(), QSize(371, 192));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    struct Row {
        const char* name;
        QRect pixels;
    };
    const Row rows[] = {{"txtPath", QRect(0, 0, 441, 19)},
                        {"Dir1", QRect(0, 24, 369, 141)},
                        {"Drive1", QRect(0, 168, 241, 21)},
                        {"cmdSave", QRect(248, 168, 57, 21)},
                        {"cmdCancel", QRect(312, 168, 57, 21)}};
    for (const Row& r : rows)
        QCOMPARE(w->widgetFor(r.name)->geometry(), r.pixels);
    QCOMPARE(widget<QLineEdit>(w, "txtPath")->text(), QString("C:\\"));
    QCOMPARE(widget<QComboBox>(w, "Drive1")->currentText(), QString("c:"));
    QCOMPARE(widget<QListWidget>(w, "Dir1")->item(0)->text(), QString("C:\\"));
    QCOMPARE(widget<QPushButton>(w, "cmdCancel")->text(), QString("Cancel"));
}

void DialogsTest::typingAPathAndEnterCreatesIt() {
    m_disc->mod().formFileSave().show();
    m_disc->desktop().sync();
    auto* path = widget<QLineEdit>(dialog(), "txtPath");
    QVERIFY(path);
    path->selectAll();
    QTest::keyClicks(path, "C:\\New\\Sub");
    QTest::keyClick(path, Qt::Key_Return); // the fake answers the create question with OK
    QCOMPARE(m_disc->messages.prompts.size(), std::size_t(1));
    QCOMPARE(m_disc->messages.prompts[0],
             std::string("Founder Not found, create new directory?\r\nC:\\New\\Sub"));
    QVERIFY(std::filesystem::is_directory(m_disc->home() / "New" / "Sub"));
    QCOMPARE(m_disc->mod().SavePath, std::string("C:\\New\\Sub"));
    auto* folders = widget<QListWidget>(dialog(), "Dir1");
    QCOMPARE(folders->currentItem()->text().trimmed(), QString("Sub"));
}

void DialogsTest::progressNoteIsModal() {
    m_disc->desktop().showProgress("Copying big.con", 40);
    auto* note = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
    QVERIFY(note);
    QCOMPARE(note->labelText(), QString("Copying big.con"));
    QCOMPARE(note->value(), 40);
    m_disc->desktop().endProgress();
    QVERIFY(!qobject_cast<QProgressDialog*>(QApplication::activeModalWidget()));
}

void DialogsTest::aClickAfterTypingRunsOnceAfterThePathCheck_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("button");
    // A real message box takes the release; a quick one may leave it to the button.
    QTest::addColumn<bool>("releaseReachesTheButton");
    QTest::addColumn<int>("messages");
    // Cancel: the create question only. Install: the question and the four copies the
    // disc cannot give, once each.
    QTest::newRow("Cancel, release taken") << "Save In"
                                           << "cmdCancel" << false << 1;
    QTest::newRow("Cancel, release given") << "Save In"
                                           << "cmdCancel" << true << 1;
    QTest::newRow("Save, release taken") << "Install path for Quaylog"
                                         << "cmdSave" << false << 5;
    QTest::newRow("Save, release given") << "Install path for Quaylog"
                                         << "cmdSave" << true << 5;
}

void DialogsTest::aClickAfterTypingRunsOnceAfterThePathCheck() {
    QFETCH(QString, caption);
    QFETCH(QString, button);
    QFETCH(bool, releaseReachesTheButton);
    QFETCH(int, messages);
    ModMain& mod = m_disc->mod();
    mod.formFileSave().setCaption(caption.toStdString());
    mod.formFileSave().show();
    m_disc->desktop().sync();
    dialog()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog()));
    auto* path = widget<QLineEdit>(dialog(), "txtPath");
    path->setFocus();
    path->selectAll();
    QTest::keyClicks(path, "C:\\New");
    auto* target = widget<QPushButton>(dialog(), button.toUtf8().constData());
    QTest::mousePress(target, Qt::LeftButton);
    if (releaseReachesTheButton)
        QTest::mouseRelease(target, Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(std::filesystem::is_directory(m_disc->home() / "New"));
    QCOMPARE(int(m_disc->messages.prompts.size()), messages);
    QVERIFY(!mod.formFileSave().visible());
    QVERIFY(!dialog()->isVisible());
}

// A screen reader's press is the item's click, and the new page starts at its first item.
// (What a reader finds in each window is read through AT-SPI by tests/e2e/atspi-test.sh.)
void DialogsTest::aScreenReadersPressIsAClick() {
    ModMain& mod = m_disc->mod();
    QAccessible::queryAccessibleInterface(m_disc->window(mod.formMain())->widgetFor("lblMain(2)"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(mod.CurrentMenu, std::string("Windows Software"));
    QCOMPARE(QApplication::focusWidget()
                 ? QApplication::focusWidget()->objectName()
                 : m_disc->window(mod.formMain())->focusWidget()->objectName(),
             QString("lblMain(2)"));
}

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
