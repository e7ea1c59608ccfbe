#include "controls/ProgressGauge.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

TProgressGauge::TProgressGauge(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TProgressGauge::SetRange(int min, int max)
{
    min_ = min;
    max_ = std::max(min, max);
    value_ = std::clamp(value_, min_, max_);
    update();
}

void TProgressGauge::SetValue(int value)
{
    if (value == value_ || value < min_ || value > max_) {
        return;
    }
    const int before = FilledWidth();
    value_ = value;
    const int after = FilledWidth();
    if (after != before) {
        update(std::min(before, after), 0, std::abs(after - before), height());
    }
}

int TProgressGauge::FilledWidth() const
{
    const double span = static_cast<double>(max_) - min_;
    if (span <= 0) {
        return 0;
    }
    return static_cast<int>(std::lround((value_ - min_) / span * width()));
}

void TProgressGauge::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    const QRect filled(0, 0, FilledWidth(), height());
    painter.fillRect(area, Qt::black);
    painter.fillRect(area & filled, Qt::yellow);
}
