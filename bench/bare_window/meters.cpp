// The peer of the window thread's cost while a sound plays (bench/playing_cpu.sh): a bare Qt window
// with two needle meters the size of the main window's, each a kept dial picture and a line, both
// moved on every frame by a timer at the screen's refresh rate (at most 60 Hz), as the main window's
// progression tick moves its needles. It is the least any Qt widget program pays to move two
// meters at the display's rate; it reads no sound and draws nothing else. An optional argument
// asks for a lower rate (frames a second), as a larger MeterRate does in the main window.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

class BareNeedle final : public QWidget
{
public:
    explicit BareNeedle(QWidget* parent) : QWidget(parent), dial_(105, 97, QImage::Format_RGB32)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(dial_.size());
        dial_.fill(Qt::white);
    }

    void SetPercent(int percent)
    {
        percent_ = percent;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, dial_);
        const double angle = (percent_ - 50) * std::numbers::pi / 180.0;
        const QPoint hub(width() / 2, height() * 3 / 4);
        painter.setPen(Qt::darkGreen);
        painter.drawLine(hub, hub + QPoint(static_cast<int>(std::lround(45 * std::sin(angle))),
                                           -static_cast<int>(std::lround(45 * std::cos(angle)))));
    }

private:
    QImage dial_;
    int percent_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt meters"));
    window.resize(800, 600);
    auto* left = new BareNeedle(&window);
    auto* right = new BareNeedle(&window);
    left->move(560, 480);
    right->move(680, 480);
    window.show();
    double hz = std::clamp(window.screen()->refreshRate(), 1.0, 60.0);
    if (argc > 1) {
        hz = std::clamp(QString::fromLocal8Bit(argv[1]).toDouble(), 1.0, hz);
    }
    QTimer frames;
    frames.setInterval(static_cast<int>(std::ceil(1000.0 / hz)));
    int frame = 0;
    QObject::connect(&frames, &QTimer::timeout, [&] {
        // Different steps for the two sides: both needles move on every frame.
        ++frame;
        left->SetPercent(frame * 3 % 101);
        right->SetPercent(frame * 7 % 101);
    });
    frames.start();
    return QApplication::exec();
}
