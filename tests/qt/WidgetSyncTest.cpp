// Widgets brought in line with their controls' data at the cost of what changed: a list
// that grows keeps the rows it already shows, and ends with exactly the data's entries and
// selection, whatever happened in between.

#include "platform/qt/Widgets.h"
#include "platform/ui/ListBox.h"

#include <QApplication>
#include <QTest>
#include <vector>

using namespace discmenu;

class WidgetSyncTest : public QObject {
    Q_OBJECT

private slots:
    void growingListKeepsItsRows();
    void listFollowsEveryKindOfChange();
};

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

void WidgetSyncTest::growingListKeepsItsRows() {
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

void WidgetSyncTest::listFollowsEveryKindOfChange() {
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

QTEST_MAIN(WidgetSyncTest)
#include "WidgetSyncTest.moc"
