#include "controls/MeterPlaceholder.h"

#include <QPainter>

TMeterPlaceholder::TMeterPlaceholder(QWidget* parent) : QWidget(parent) {}

void TMeterPlaceholder::SetColor(TColor color)
{
    if (color_ != color) {
        color_ = color;
        update();
    }
}

void TMeterPlaceholder::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(color_));
    painter.setPen(Qt::darkGray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
