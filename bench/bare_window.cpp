#include <QApplication>
#include <QMainWindow>
#include <QPalette>

// The yardstick of the start-up timings: the least a Qt Widgets program does to show one main
// window of the program's initial size at the same place. Its background is a colour nothing
// else on the screen has, so the probe sees the moment the window is drawn.
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0x33, 0x66, 0x99));
    window.setPalette(palette);
    window.resize(640, 443);
    window.move(0, 0);
    window.show();
    return app.exec();
}
