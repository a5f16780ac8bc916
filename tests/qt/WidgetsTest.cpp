// Widgets on their own, each with a control of its kind. A double-click raises the events
// Windows raises, in its order: a click and a double-click, but on a push button, which has
// no double-click and takes the second press as a second click. A list is brought in line
// with its data at the cost of what changed: one that grows keeps the rows it shows, and
// ends with exactly the data's entries and selection, whatever happened in between.

#include "platform/qt/Widgets.h"
#include "platform/posix/PathResolver.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/QtDesktop.h"
#include "platform/ui/Button.h"
#include "platform/ui/FileList.h"
#include "platform/ui/FormSet.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <memory>

using namespace discmenu;

namespace {

// A form with one control of each kind that handles clicks, writing down every event.
class RecordingForm : public ui::Form, public ui::FormSet {
public:
    explicit RecordingForm(const FileSystem& fs) : ui::Form("Recording", nullptr) {
        setWindow(ui::BorderStyle::FixedDialog, ui::StartPosition::CenterScreen, true, 6000, 4000);
        auto label = std::make_unique<ui::Label>("lblItem", 3);
        label->setGeometry(0, 0, 1500, 255);
        label->setCaption("Install windows software");
        add(std::move(label));
        auto button = std::make_unique<ui::Button>("cmdView");
        button->setGeometry(0, 600, 900, 315);
        button->setCaption("View");
        add(std::move(button));
        auto list = std::make_unique<ui::ListBox>("lstRMA");
        list->setGeometry(0, 1200, 1500, 900);
        list->addItem("1001");
        list->addItem("1002");
        add(std::move(list));
        auto files = std::make_unique<ui::FileList>("FileMain", fs);
        files->setGeometry(3000, 0, 2500, 2000);
        m_files = &add(std::move(files));
    }
    ui::FileList& files() { return *m_files; }

    std::vector<ui::Form*> loadedForms() override { return {this}; }
    void closeByFrame(ui::Form&) override {}

    QStringList events;

protected:
    void handle(const ui::UiEvent& event) override {
        if (event.kind == ui::EventKind::Click)
            events << QString::fromStdString(event.control) + " Click";
        else if (event.kind == ui::EventKind::DblClick)
            events << QString::fromStdString(event.control) + " DblClick";
    }

private:
    ui::FileList* m_files = nullptr;
};

void send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// What the window system delivers for a double-click: press, release, double-click, release.
void doubleClick(QWidget* target, QPoint at) {
    send(target, QEvent::MouseButtonPress, at, Qt::LeftButton);
    send(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
    send(target, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    send(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

} // namespace

class WidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void doubleClickRaisesWhatWindowsRaises_data();
    void doubleClickRaisesWhatWindowsRaises();
    void growingListKeepsItsRows();
    void listFollowsEveryKindOfChange();
};

void WidgetsTest::doubleClickRaisesWhatWindowsRaises_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("label") << "lblItem(3)" << QStringList{"lblItem Click", "lblItem DblClick"};
    QTest::newRow("button") << "cmdView" << QStringList{"cmdView Click", "cmdView Click"};
    QTest::newRow("list box") << "lstRMA" << QStringList{"lstRMA Click", "lstRMA DblClick"};
    QTest::newRow("file list") << "FileMain" << QStringList{"FileMain Click", "FileMain DblClick"};
}

void WidgetsTest::doubleClickRaisesWhatWindowsRaises() {
    QFETCH(QString, control);
    QFETCH(QStringList, events);
    QTemporaryDir dir;
    for (const char* name : {"a.con", "b.con"})
        std::ofstream(dir.filePath(name).toStdString()) << name;
    posix::DriveMap drives;
    drives.add('D', dir.path().toStdString());
    posix::PathResolver paths(drives);
    posix::PosixFileSystem fs(paths);
    RecordingForm form(fs);
    QVERIFY(form.files().setPath("D:\\"));
    form.show();
    qt::QtDesktop desktop;
    desktop.attach(form);
    desktop.sync();
    QWidget* widget = desktop.windowOf(form)->widgetFor(control.toStdString());
    QVERIFY(widget);
    if (auto* list = dynamic_cast<QListWidget*>(widget))
        doubleClick(list->viewport(), list->visualItemRect(list->item(1)).center());
    else
        doubleClick(widget, widget->rect().center());
    QCOMPARE(form.events, events);
}

namespace {

// Counts the events a widget raises.
struct CountingHost : qt::WidgetHost {
    int raised = 0;
    void raise(const ui::UiEvent&, const std::function<void()>&) override { ++raised; }
    void act(const std::function<void()>&) override {}
    bool lostFocus(ui::TextBox&, std::string, const std::string&) override { return false; }
};

QStringList rows(const QListWidget& w) {
    QStringList out;
    for (int i = 0; i < w.count(); ++i)
        out << w.item(i)->text();
    return out;
}

QStringList entries(const ui::ListBox& list) {
    QStringList out;
    for (const std::string& e : list.entries())
        out << QString::fromStdString(e);
    return out;
}

} // namespace

void WidgetsTest::growingListKeepsItsRows() {
    CountingHost host;
    ui::ListBox list("lstRMA");
    qt::ListWidget widget(nullptr, host, list);
    list.setSorted(true);
    for (int i = 0; i < 100; ++i)
        list.addItem(std::to_string(1000 + 2 * i));
    list.setListIndex(0);
    widget.sync();
    QListWidgetItem* first = widget.item(0);
    QListWidgetItem* last = widget.item(99);

    // One job added among the others, the way the scan adds them between two syncs.
    list.addItem("1051");
    widget.sync();
    QCOMPARE(rows(widget), entries(list));
    QCOMPARE(widget.item(0), first); // the rows that were there are the same rows
    QCOMPARE(widget.item(100), last);
    QCOMPARE(widget.currentRow(), 0);
    QCOMPARE(host.raised, 0); // bringing the list in line is not the user's click
}

void WidgetsTest::listFollowsEveryKindOfChange() {
    CountingHost host;
    ui::ListBox list("lstRMA");
    qt::ListWidget widget(nullptr, host, list);
    list.setSorted(true);
    list.addItem("lstRMA");
    widget.sync();
    struct Step {
        const char* what;
        std::vector<const char*> add;
        bool clearFirst;
        int select;
    };
    const std::vector<Step> steps = {
        {"design entry replaced", {"1002"}, true, -1},
        {"before and after", {"1003", "1001"}, false, 1},
        {"selection moves with its entry", {"1000"}, false, -1},
        {"nothing changed", {}, false, -1},
        {"cleared and refilled with the same texts", {"1000", "1001", "1002", "1003"}, true, 0},
    };
    for (const Step& s : steps) {
        if (s.clearFirst)
            list.clear();
        for (const char* e : s.add)
            list.addItem(e);
        if (s.select >= 0)
            list.setListIndex(s.select);
        widget.sync();
        QVERIFY2(rows(widget) == entries(list), s.what);
        QVERIFY2(widget.currentRow() == list.listIndex(), s.what);
    }
    // More added between two syncs than the list keeps a record of.
    for (int i = 0; i < 500; ++i)
        list.addItem(std::to_string(5000 - i));
    widget.sync();
    QCOMPARE(rows(widget), entries(list));
    QCOMPARE(widget.currentRow(), list.listIndex());
}

QTEST_MAIN(WidgetsTest)
#include "WidgetsTest.moc"
