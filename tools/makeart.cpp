// Paints the main window's background picture and the program's icon:
//   makeart OUTPUT-FOLDER   writes water.jpg (2048 x 1400) and plate.png (32 x 32, 16 colours),
//                           and water-top.jpg, the top left 1120 x 656 of the water.
// Run once by hand; the pictures are kept in the source tree and built into the program.
// The Windows program carries water-top.jpg beside water.jpg: it covers the main window up
// to twice the usual dpi, and decoding it takes a quarter of the time of the whole picture.

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <iostream>

namespace {

// Plain blue water with horizontal ripples, lighter in the middle, darker at the bottom.
QImage water() {
    constexpr int width = 2048;
    constexpr int height = 1400;
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const double v = double(y) / height;
        // Light rises to the middle band, then falls away towards the deep.
        const double light = std::exp(-std::pow((v - 0.42) / 0.30, 2.0)) * 0.55 + (1.0 - v) * 0.15;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width;
            const double ripple = std::sin(y * 0.21 + std::sin(u * 9.0 + y * 0.013) * 2.4) * 0.5 +
                                  std::sin(y * 0.057 + u * 3.1) * 0.5;
            const double shade = std::clamp(light + ripple * 0.045 * (0.4 + light), 0.0, 1.0);
            const int r = int(8 + 70 * shade);
            const int g = int(40 + 120 * shade);
            const int b = int(92 + 150 * shade);
            line[x] = qRgb(r, g, std::min(b, 255));
        }
    }
    return image;
}

// A white plate framed in blue on a teal field, in sixteen colours.
QImage plate() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(QColor(0, 128, 128));
    QPainter p(&image);
    p.fillRect(6, 4, 20, 24, QColor(0, 0, 160));
    p.fillRect(8, 6, 16, 20, Qt::white);
    p.fillRect(11, 10, 10, 1, QColor(0, 0, 160));
    p.fillRect(11, 14, 10, 1, QColor(0, 0, 160));
    p.fillRect(11, 18, 7, 1, QColor(0, 0, 160));
    p.end();
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: makeart OUTPUT-FOLDER\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QImage sea = water();
    if (!sea.save(folder + "/water.jpg", "JPG", 40) ||
        !sea.copy(0, 0, 1120, 656).save(folder + "/water-top.jpg", "JPG", 40) ||
        !plate().save(folder + "/plate.png", "PNG")) {
        std::cerr << "makeart: could not write the pictures\n";
        return 1;
    }
    return 0;
}
