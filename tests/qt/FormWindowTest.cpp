// The main window as Qt draws it, on the offscreen platform: every control where the
// form's data puts it, in pixels, with its font, size and colour; the job list's click
// and double-click; the close box.

#include "platform/qt/FormWindow.h"
#include "QtDisc.h"
#include "browser/FormFiles.h"
#include "menu/FormMain.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/Widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace discmenu;

class FormWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void controlsStandWhereTheLayoutPutsThem_data();
    void controlsStandWhereTheLayoutPutsThem();
    void windowIsFixedAndNamed();
    void hiddenItemsAreNotDrawn();
    void clickingAJobBuildsItsPage();
    void closingTheWindowEndsTheProgram();
    void windowStateChangesOnlyWhenTheProgramChangesIt();
    void hoverReachesTheTopmostControl_data();
    void hoverReachesTheTopmostControl();
    void messageBoxesAskWithoutIcon();
    void onlyTheShownPartOfThePictureIsDecodedAndDrawnUnscaled();

private:
    QWidget* widget(const char* name) const { return m_window->widgetFor(name); }
    qt::LabelWidget* label(const char* name) const {
        return dynamic_cast<qt::LabelWidget*>(widget(name));
    }

    std::unique_ptr<test::QtDisc> m_disc;
    ModMain* m_mod = nullptr;
    qt::QtDesktop* m_desktop = nullptr;
    test::FakeLauncher* m_launcher = nullptr;
    qt::FormWindow* m_window = nullptr;
};

void FormWindowTest::init() {
    m_disc = std::make_unique<test::QtDisc>(
        std::initializer_list<const char*>{"1001_CD_Contents", "1002_CD_Contents/recovered data",
                                           "1003_CD_Contents",
                                           "CD Current Version (7.16)/Components"},
        std::initializer_list<const char*>{});
    m_mod = &m_disc->mod();
    m_desktop = &m_disc->desktop();
    m_launcher = &m_disc->launcher;
    m_window = m_disc->window(m_mod->formMain());
    QVERIFY(m_window);
}

void FormWindowTest::cleanup() {
    m_disc.reset();
}

void FormWindowTest::controlsStandWhereTheLayoutPutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    QTest::addColumn<int>("fontPixels");
    QTest::addColumn<QString>("style"); // b: bold, i: italic, u: underlined
    QTest::addColumn<bool>("centred");
    // Twips divided by 15; point sizes at 96 dots per inch.
    QTest::newRow("Label1") << "Label1" << QRect(0, 16, 553, 41) << 32 << "" << true;
    QTest::newRow("Label2") << "Label2" << QRect(0, 48, 553, 33) << 19 << "i" << true;
    QTest::newRow("lblTitle") << "lblTitle" << QRect(0, 72, 553, 41) << 27 << "bu" << true;
    QTest::newRow("lblVersion") << "lblVersion" << QRect(0, 104, 553, 17) << 11 << "i" << true;
    QTest::newRow("lblDate") << "lblDate" << QRect(0, 120, 553, 17) << 11 << "i" << true;
    QTest::newRow("lblRMATitle") << "lblRMATitle" << QRect(0, 136, 553, 17) << 16 << "bi" << true;
    QTest::newRow("website") << "lblMain(0)" << QRect(176, 296, 193, 17) << 16 << "bi" << false;
    QTest::newRow("browse") << "lblMain(1)" << QRect(448, 296, 97, 17) << 13 << "bi" << false;
    // Slot 2 moves from its design Left of 1200 to the rows' 1560 once it is shown.
    QTest::newRow("first row") << "lblMain(2)" << QRect(104, 160, 473, 17) << 13 << "bi" << false;
}

void FormWindowTest::controlsStandWhereTheLayoutPutsThem() {
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    QFETCH(int, fontPixels);
    QFETCH(QString, style);
    QFETCH(bool, centred);
    qt::LabelWidget* l = label(name.toStdString().c_str());
    QVERIFY(l);
    QCOMPARE(l->geometry(), pixels);
    QCOMPARE(l->font().family(), QString("Arial"));
    // The machine's font for Arial: Arial itself, or the metric-compatible Liberation Sans.
    const QFontInfo drawn(l->font());
    QVERIFY2(drawn.family() == "Arial" || drawn.family() == "Liberation Sans",
             qPrintable(drawn.family()));
    QCOMPARE(drawn.pixelSize(), fontPixels);
    QCOMPARE(l->font().pixelSize(), fontPixels);
    QCOMPARE(l->font().bold(), style.contains('b'));
    QCOMPARE(l->font().italic(), style.contains('i'));
    QCOMPARE(l->font().underline(), style.contains('u'));
    QCOMPARE(l->textAlignment(), centred ? Qt::AlignHCenter : Qt::AlignLeft);
    QCOMPARE(l->textColor(), QColor(Qt::white));
    QVERIFY(l->isVisible());
}

void FormWindowTest::windowIsFixedAndNamed() {
    QCOMPARE(m_window->size(), QSize(554, 320));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QVERIFY(
        !(m_window->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));
    QVERIFY(m_window->windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!m_window->windowFlags().testFlag(Qt::Tool)); // it keeps its task-bar button
    QCOMPARE(m_window->windowTitle(), QString("Tidewell Software CD - 1001"));
    QVERIFY(!m_window->windowIcon().isNull() && m_window->isVisible());
    auto* jobs = dynamic_cast<QListWidget*>(widget("lstRMA"));
    QVERIFY(jobs && jobs->isVisible());
    QCOMPARE(jobs->geometry(), QRect(8, 160, 65, 45)); // three entries of 225 twips
    QCOMPARE(jobs->count(), 3);
    QCOMPARE(jobs->item(2)->text(), QString("1003"));
    QCOMPARE(jobs->currentRow(), 0);
    QCOMPARE(jobs->visualItemRect(jobs->item(1)).height(), 13);
}

void FormWindowTest::hiddenItemsAreNotDrawn() {
    // The first job's page has one item: slot 2 shows it, slot 3 and up are hidden.
    QCOMPARE(label("lblMain(2)")->text(), QString("View included software and documentation"));
    m_mod->formMain().ShowIncludedSoftwareMenu();
    m_desktop->sync();
    QVERIFY(label("lblMain(7)")->isVisible());
    QCOMPARE(label("lblMain(7)")->geometry(), QRect(104, 245, 473, 17));
    m_mod->formMain().ShowJobMenu("1003");
    m_desktop->sync();
    QVERIFY(label("lblMain(2)")->isVisible());
    QVERIFY(!label("lblMain(3)")->isVisible());
    QVERIFY(!label("lblMain(7)")->isVisible());
}

void FormWindowTest::clickingAJobBuildsItsPage() {
    auto* jobs = dynamic_cast<QListWidget*>(widget("lstRMA"));
    QVERIFY(jobs);
    const QPoint second = jobs->visualItemRect(jobs->item(1)).center();
    QTest::mouseClick(jobs->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(m_mod->formMain().lstRMA().listIndex(), 1);
    QCOMPARE(m_window->windowTitle(), QString("Tidewell Software CD - 1002"));
    QCOMPARE(label("lblMain(2)")->text(), QString("View Recovered Data"));
    QVERIFY(label("lblMain(3)")->isVisible());

    QTest::mouseDClick(jobs->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(m_launcher->opens.size(), std::size_t(1));
    QCOMPARE(m_launcher->opens[0].file, std::string("D:\\\\1002_CD_Contents\\"));
}

void FormWindowTest::closingTheWindowEndsTheProgram() {
    m_window->close();
    QVERIFY(!m_mod->hasFormMain());
    QVERIFY(m_desktop->ended());
}

void FormWindowTest::windowStateChangesOnlyWhenTheProgramChangesIt() {
    m_mod->ShowFileBrowser("*.con", "All included .CON file(s)");
    m_desktop->sync();
    m_window->setWindowState(Qt::WindowMinimized); // the user minimises the main window
    QCOMPARE(m_mod->formMain().windowState(), ui::WindowState::Minimized);
    // Work in the browser leaves it so.
    m_desktop->windows().raise(m_mod->formFiles(), ui::UiEvent::form(ui::EventKind::Resize));
    QVERIFY(m_window->windowState().testFlag(Qt::WindowMinimized));
    // The browser's end sets it to normal.
    m_desktop->windows().closeByFrame(m_mod->formFiles());
    QVERIFY(!m_window->windowState().testFlag(Qt::WindowMinimized));
    QCOMPARE(m_mod->formMain().windowState(), ui::WindowState::Normal);
}

void FormWindowTest::hoverReachesTheTopmostControl_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QString>("colours"); // of lblMain(0) to lblMain(7): Y yellow, w white
    const QPoint item3(200, 177 + 8), item0(200, 296 + 8), background(20, 260);
    QTest::newRow("item") << background << item3 << "wwwYwwww";
    QTest::newRow("fixed item") << item3 << item0 << "Ywwwwwww";
    QTest::newRow("background") << item3 << background << "wwwwwwww";
    QTest::newRow("job line") << item3 << QPoint(400, 136 + 8) << "wwwwwwww";
    QTest::newRow("job list") << item3 << QPoint(30, 170) << "wwwwwwww";
    // The other header labels have no handler: the item stays yellow.
    QTest::newRow("company") << item3 << QPoint(300, 20) << "wwwYwwww";
    QTest::newRow("disc title") << item3 << QPoint(300, 90) << "wwwYwwww";
    QTest::newRow("version") << item3 << QPoint(300, 110) << "wwwYwwww";
}

void FormWindowTest::hoverReachesTheTopmostControl() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QString, colours);
    m_mod->formMain().ShowIncludedSoftwareMenu(); // items in slots 2 to 7
    m_desktop->sync();
    QWindow* handle = m_window->windowHandle();
    QVERIFY(handle);
    QTest::mouseMove(handle, from);
    QTest::mouseMove(handle, to);
    QString seen;
    for (int i = 0; i <= 7; ++i) {
        const char* name[] = {"lblMain(0)", "lblMain(1)", "lblMain(2)", "lblMain(3)",
                              "lblMain(4)", "lblMain(5)", "lblMain(6)", "lblMain(7)"};
        seen += label(name[i])->textColor() == QColor(Qt::yellow) ? 'Y' : 'w';
    }
    QCOMPARE(seen, colours);
}

void FormWindowTest::messageBoxesAskWithoutIcon() {
    qt::QtMessageBoxes boxes(*m_desktop);
    boxes.queueAnswer(Answer::Cancel);
    QCOMPARE(boxes.show("queued", Buttons::OkCancel), Answer::Cancel);

    // Without a queued answer a real dialog asks; answer it as a user would.
    QString title, text;
    bool icon = true;
    int buttons = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon() != QMessageBox::NoIcon;
        buttons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::Cancel)->click();
    });
    QCOMPARE(boxes.show("Founder Not found, create new directory?\r\nC:\\New", Buttons::OkCancel),
             Answer::Cancel);
    QCOMPARE(title, QString("Tidewell CD"));
    QCOMPARE(text, QString("Founder Not found, create new directory?\r\nC:\\New"));
    QVERIFY(!icon);
    QCOMPARE(buttons, 2);
}

// One image pixel to one screen pixel from the top-left corner; only the part the window
// shows is ever decoded.
void FormWindowTest::onlyTheShownPartOfThePictureIsDecodedAndDrawnUnscaled() {
    const QImage drawn = m_window->grab().toImage();
    const qreal ratio = m_window->devicePixelRatioF();
    QCOMPARE(m_window->decodedPicture(), (QSizeF(m_window->size()) * ratio).toSize());
    const QImage whole(QStringLiteral(":/art/water.jpg"));
    QCOMPARE(whole.size(), QSize(2048, 1400));
    // Corners and edges of the client area where no control stands: the picture's own
    // pixels there, not a scaled or shifted copy of them.
    const QPoint free[] = {{1, 1}, {550, 5}, {5, 300}, {553, 319}, {300, 319}, {120, 230}};
    for (const QPoint& p : free) {
        const QPoint device = (QPointF(p) * ratio).toPoint();
        QVERIFY2(drawn.pixelColor(device) == whole.pixelColor(device),
                 qPrintable(QStringLiteral("at %1,%2").arg(p.x()).arg(p.y())));
    }
}

QTEST_MAIN(FormWindowTest)
#include "FormWindowTest.moc"
