// The bare Qt window the whole-process start-up measurement compares with (bench/startup.sh): one
// empty widget in one plain colour, shown maximized as the main window is, and nothing else.
// Argument: the colour (#rrggbb) the outside pixel watch waits for.
#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(argc > 1 ? QString::fromLatin1(argv[1]) : QStringLiteral("#2080c0")));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.showMaximized();
    return QApplication::exec();
}
