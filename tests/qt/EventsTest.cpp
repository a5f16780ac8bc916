// The events each kind of control raises when the user double-clicks it, in the order
// Windows raises them: a double-click is a click followed by a double-click, except on a
// push button, which has no double-click and takes the second press as a second click.

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

class EventsTest : public QObject {
    Q_OBJECT

private slots:
    void doubleClickRaisesWhatWindowsRaises_data();
    void doubleClickRaisesWhatWindowsRaises();
};

void EventsTest::doubleClickRaisesWhatWindowsRaises_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("label") << "lblItem(3)" << QStringList{"lblItem Click", "lblItem DblClick"};
    QTest::newRow("button") << "cmdView" << QStringList{"cmdView Click", "cmdView Click"};
    QTest::newRow("list box") << "lstRMA" << QStringList{"lstRMA Click", "lstRMA DblClick"};
    QTest::newRow("file list") << "FileMain" << QStringList{"FileMain Click", "FileMain DblClick"};
}

void EventsTest::doubleClickRaisesWhatWindowsRaises() {
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

QTEST_MAIN(EventsTest)
#include "EventsTest.moc"
