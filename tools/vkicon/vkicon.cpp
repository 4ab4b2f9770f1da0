#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <iostream>

// vkicon: renders the program's scalable icon at one of the fixed sizes that desktops without
// SVG support, and the package's menu entries, look for. Built and run at build time only.

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;
constexpr int LargestSize = 1024;
constexpr const char *UsageText = "Usage: vkicon SVG SIZE PNG\n";
constexpr const char *BadSvgText = "vkicon: not a usable SVG file: ";
constexpr const char *SaveFailedText = "vkicon: cannot write ";

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::cerr << UsageText;
        return ExitUsage;
    }
    bool isNumber = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&isNumber);
    if (!isNumber || size < 1 || size > LargestSize) {
        std::cerr << UsageText;
        return ExitUsage;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::cerr << BadSvgText << argv[1] << '\n';
        return ExitFailed;
    }
    // Transparent around the drawing, and the whole view box scaled into the square, so every
    // size shows the same picture.
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter, QRectF(0, 0, size, size));
    }
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::cerr << SaveFailedText << argv[3] << '\n';
        return ExitFailed;
    }
    return ExitOk;
}
