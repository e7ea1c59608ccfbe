#include "controls/ClickLabel.h"

#include <QMouseEvent>
#include <QPainter>

TClickLabel::TClickLabel(QWidget* parent) : QLabel(parent)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, ToQColor(fontColor_));
    setPalette(pal);
}

void TClickLabel::SetColor(TColor color)
{
    if (color_ != color) {
        color_ = color;
        update();
    }
}

void TClickLabel::SetFontColor(TColor color)
{
    if (fontColor_ != color) {
        fontColor_ = color;
        QPalette pal = palette();
        pal.setColor(QPalette::WindowText, ToQColor(color));
        setPalette(pal);
    }
}

void TClickLabel::paintEvent(QPaintEvent* event)
{
    if (color_ != clNone) {
        QPainter painter(this);
        painter.fillRect(rect(), ToQColor(color_));
    }
    QLabel::paintEvent(event);
}

void TClickLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = pressed_;
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}
