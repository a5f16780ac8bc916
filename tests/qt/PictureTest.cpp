// The main window's picture: drawn one image pixel to one screen pixel from the top-left
// corner, and only the part the window shows is ever decoded.

#include "QtDisc.h"
#include "menu/FormMain.h"
#include "platform/qt/FormWindow.h"

#include <QTest>

using namespace discmenu;

class PictureTest : public QObject {
    Q_OBJECT

private slots:
    void onlyTheShownPartIsDecodedAndDrawnUnscaled();
};

void PictureTest::onlyTheShownPartIsDecodedAndDrawnUnscaled() {
    test::QtDisc disc({"1001_CD_Contents", "CD Current Version (7.16)/Components"}, {});
    qt::FormWindow* window = disc.window(disc.mod().formMain());
    QVERIFY(window);
    const QImage drawn = window->grab().toImage();
    const qreal ratio = window->devicePixelRatioF();
    QCOMPARE(window->decodedPicture(), (QSizeF(window->size()) * ratio).toSize());

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

QTEST_MAIN(PictureTest)
#include "PictureTest.moc"
