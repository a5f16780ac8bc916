// The smallest Qt 6 Widgets program with a window the size of the menu's: the reference
// for the menu's start-up memory and time.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal window"));
    window.setFixedSize(554, 320);
    window.show();
    return QApplication::exec();
}
