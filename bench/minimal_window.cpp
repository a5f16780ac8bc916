// The smallest Qt 6 Widgets program with a window the size of the menu's: the reference
// for the menu's start-up memory and time.
//   minimal_window [--like-menu PICTURE.jpg]
// With --like-menu the window also holds what the menu's window is made of, in plain Qt: a
// line of text, a list of three rows, and the part of the picture it shows. That tells
// what the toolkit itself needs for such a window.

#include <QApplication>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QWidget>

namespace {

class Window : public QWidget {
public:
    QImage picture;

protected:
    void paintEvent(QPaintEvent*) override {
        if (!picture.isNull())
            QPainter(this).drawImage(0, 0, picture);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Window window;
    window.setWindowTitle(QStringLiteral("Minimal window"));
    window.setFixedSize(554, 320);
    if (argc == 3 && QByteArray(argv[1]) == "--like-menu") {
        QImageReader reader(QString::fromLocal8Bit(argv[2]), "jpg");
        reader.setClipRect(QRect(0, 0, 554, 320));
        window.picture = reader.read();
        auto* text = new QLabel(QStringLiteral("Tidewell Electronics, Inc."), &window);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(32);
        text->setFont(font);
        text->setGeometry(0, 16, 553, 41);
        auto* list = new QListWidget(&window);
        list->addItems({QStringLiteral("1001"), QStringLiteral("1002"), QStringLiteral("1003")});
        list->setGeometry(8, 160, 65, 45);
    }
    window.show();
    return QApplication::exec();
}
