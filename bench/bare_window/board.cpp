// The second peer of the whole-process start-up (bench/startup.sh): a bare Qt window holding as many
// plain Qt widgets as the main window shows at its first paint, in the same kinds and roles, and
// nothing else: a menu bar, a row of 51 push buttons, 10 labels, two sliders, two meter faces and
// a grid of 48 coloured button panels of six text labels each, with 24 more coloured panels. It
// reads no file, loads no sound library and draws nothing of its own beyond the meters' faces.
// Between the bare window and the program it tells what a plain Qt widget window of the board's size
// costs from what the program adds to it.
// Arguments: the colours (#rrggbb) of the first and the last button panel, which the outside pixel
// watch waits for.
#include <QApplication>
#include <QColor>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <QWidget>

namespace {

constexpr int Slots = 48;
constexpr int Columns = 8;

QFrame* ColouredPanel(QWidget* parent, const QColor& colour)
{
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    return panel;
}

// A button's panel: its caption lines, file name, length and hot key, as the board's buttons show.
QFrame* SlotPanel(QWidget* parent, int slot, const QColor& colour)
{
    QFrame* panel = ColouredPanel(parent, colour);
    auto* lines = new QVBoxLayout(panel);
    // The watched point near the top left corner stays the panel's own colour.
    lines->setContentsMargins(12, 12, 4, 4);
    lines->setSpacing(0);
    const QString number = QString::number(slot);
    for (const QString& text : {QStringLiteral("Sound ") + number, QStringLiteral("Caption line two"),
                                QStringLiteral("Game day ") + number + QStringLiteral(".mp3"),
                                QStringLiteral("0:0") + QString::number(slot % 10), QStringLiteral("Key ") + number,
                                QStringLiteral("Vol 100")}) {
        lines->addWidget(new QLabel(text, panel));
    }
    return panel;
}

class MeterFace final : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawArc(rect().adjusted(8, 8, -8, height() / 2), 30 * 16, 120 * 16);
        painter.drawLine(width() / 2, height() - 8, width() / 4, height() / 3);
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QColor first(argc > 1 ? QString::fromLatin1(argv[1]) : QStringLiteral("#22aa5a"));
    const QColor last(argc > 2 ? QString::fromLatin1(argv[2]) : QStringLiteral("#e2aa5a"));
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt board"));
    auto* rows = new QVBoxLayout(&window);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(2);

    auto* menus = new QMenuBar(&window);
    for (const char* title : {"File", "Edit", "View", "Play", "Lists", "Tools", "Scoreboard", "Help"}) {
        menus->addMenu(QString::fromLatin1(title))->addAction(QStringLiteral("Item"));
    }
    rows->setMenuBar(menus);

    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < 51; ++i) {
        auto* button = new QPushButton(i < 10 ? QString(QChar(u'A' + i)) : QString::number(i), &window);
        button->setFixedWidth(34);
        buttons->addWidget(button);
    }
    rows->addLayout(buttons);

    auto* status = new QHBoxLayout;
    for (int i = 0; i < 10; ++i) {
        status->addWidget(new QLabel(QStringLiteral("Label %1").arg(i), &window));
    }
    for (int i = 0; i < 2; ++i) {
        auto* slider = new QSlider(Qt::Horizontal, &window);
        slider->setRange(0, 100);
        status->addWidget(slider);
        auto* meter = new MeterFace(&window);
        meter->setFixedSize(105, 97);
        status->addWidget(meter);
    }
    rows->addLayout(status);

    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    for (int slot = 1; slot <= Slots; ++slot) {
        const QColor colour = slot == 1 ? first : slot == Slots ? last : QColor(30 + 4 * slot, 170, 120);
        grid->addWidget(SlotPanel(&window, slot, colour), (slot - 1) / Columns, (slot - 1) % Columns);
    }
    rows->addLayout(grid, 1);

    auto* others = new QHBoxLayout;
    for (int i = 0; i < 24; ++i) {
        QFrame* panel = ColouredPanel(&window, QColor(90, 90, 30 + 8 * i));
        panel->setMinimumHeight(24);
        others->addWidget(panel);
    }
    rows->addLayout(others);

    window.showMaximized();
    return QApplication::exec();
}
