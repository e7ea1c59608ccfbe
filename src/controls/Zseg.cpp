#include "controls/Zseg.h"

#include "controls/PixelPaint.h"
#include "controls/ZsegShapes.h"
#include "platform/Rounding.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <climits>

TzcPeakOmeter::TzcPeakOmeter(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(34, 152);
}

// Percentages are computed in 64 bits: the range of two ints does not fit in one.
int TzcPeakOmeter::ValueToPercent(int value) const
{
    const long long range = static_cast<long long>(max_) - min_;
    // An empty range has no level to show; it reads as the bottom instead of dividing by zero.
    if (range <= 0) {
        return 0;
    }
    const long long clamped = std::clamp(value, min_, max_);
    return static_cast<int>((clamped - min_) * 100 / range);
}

int TzcPeakOmeter::PercentToValue(int percent) const
{
    const double range = static_cast<double>(max_) - min_;
    const long long value = RoundHalfEven64(range * percent / 100.0 + min_);
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

void TzcPeakOmeter::NormalisePercents()
{
    color2Percent_ = std::min(color2Percent_, 101);
    color3Percent_ = std::min(color3Percent_, 101);
    color3Percent_ = std::max(color3Percent_, color2Percent_);
}

void TzcPeakOmeter::SetMin(int value)
{
    min_ = std::min(value, max_);
}

void TzcPeakOmeter::SetMax(int value)
{
    max_ = std::max(value, min_);
}

void TzcPeakOmeter::SetValue(int value)
{
    const int percent = ValueToPercent(value);
    if (percent == valuePercent_) {
        return;
    }
    valuePercent_ = percent;
    NormalisePercents();
    if (OnChange) {
        OnChange(this);
    }
    update();
}

void TzcPeakOmeter::SetColor2Pos(int value)
{
    const int percent = ValueToPercent(value);
    if (percent == color2Percent_) {
        return;
    }
    color2Percent_ = percent;
    NormalisePercents();
    update();
}

void TzcPeakOmeter::SetColor3Pos(int value)
{
    const int percent = ValueToPercent(value);
    if (percent == color3Percent_) {
        return;
    }
    color3Percent_ = percent;
    NormalisePercents();
    update();
}

void TzcPeakOmeter::SetNumberOfBars(int value)
{
    // Fewer than ten would leave the threshold step undefined (100 div 0) or coarser than the zones.
    if (value < MinBars || value > MaxBars) {
        return;
    }
    numberOfBars_ = value;
    NormalisePercents();
    update();
}

TColor TzcPeakOmeter::Color() const
{
    if (parentColor_ && parentWidget() != nullptr) {
        const QWidget* owner = parentWidget();
        return FromQColor(owner->palette().color(owner->backgroundRole()));
    }
    return color_;
}

void TzcPeakOmeter::SetColor(TColor value)
{
    if (value != color_ || parentColor_) {
        color_ = value;
        parentColor_ = false;
        update();
    }
}

TColor TzcPeakOmeter::SegmentColor(int threshold) const
{
    const bool lit = threshold < valuePercent_;
    if (threshold >= color3Percent_) {
        return lit ? litColor3_ : unLitColor3_;
    }
    if (threshold >= color2Percent_) {
        return lit ? litColor2_ : unLitColor2_;
    }
    return lit ? litColor1_ : unLitColor1_;
}

QImage TzcPeakOmeter::PaintToImage() const
{
    const int w = std::max(1, width());
    const int h = std::max(1, height());
    QImage image(w, h, QImage::Format_RGB32);
    QPainter painter(&image);
    PixelPaint canvas(painter);
    canvas.BrushColor = ToQColor(Color());
    canvas.FillRect(0, 0, w, h);

    const bool vertical = orientation_ == zcpOrientation::zcpVertical;
    const int bars = numberOfBars_;
    const int step = 100 / bars;
    const int seg = vertical ? (height() - 2) / bars : (width() - 2) / bars;
    const int corner = seg / 3;
    const int gap = useGap_ ? 1 : 0;
    for (int i = 1; i <= bars; ++i) {
        const QColor colour = ToQColor(SegmentColor((i - 1) * step));
        // A bar's far end needs no gap after it, except between round dots.
        const int gapHere = (style_ == zcDotStyle::zcdsDot || i < bars) ? gap : 0;
        int left = 1;
        int right = width() - 1;
        int top = 1;
        int bottom = height() - 1;
        if (vertical) {
            bottom = height() - (i - 1) * seg - 1;
            top = height() - i * seg - 1 + gapHere;
        } else {
            left = (i - 1) * seg + 1;
            right = i * seg + 1 - gapHere;
        }
        if (right <= left || bottom <= top) {
            continue;
        }
        switch (style_) {
        case zcDotStyle::zcdsRect:
            canvas.PenColor = colour;
            canvas.BrushColor = colour;
            canvas.Rectangle(left, top, right, bottom);
            break;
        case zcDotStyle::zcdsRound:
            RoundShapes::RoundRect(canvas, left, top, right, bottom, corner, corner, colour, colour);
            break;
        case zcDotStyle::zcdsDot:
            RoundShapes::Ellipse(canvas, left, top, right, bottom, colour, colour);
            break;
        }
    }
    return image;
}

void TzcPeakOmeter::paintEvent(QPaintEvent*)
{
    {
        QPainter painter(this);
        painter.drawImage(0, 0, PaintToImage());
    }
    if (OnPaint) {
        OnPaint(this);
    }
}

void TzcPeakOmeter::mousePressEvent(QMouseEvent* event)
{
    if (OnMouseDown) {
        OnMouseDown(this, event->button(), event->modifiers(), event->position().toPoint().x(),
                    event->position().toPoint().y());
    }
}

void TzcPeakOmeter::mouseMoveEvent(QMouseEvent* event)
{
    if (OnMouseMove) {
        OnMouseMove(this, Qt::NoButton, event->modifiers(), event->position().toPoint().x(),
                    event->position().toPoint().y());
    }
}

void TzcPeakOmeter::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (OnMouseUp) {
        OnMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
    }
    if (event->button() == Qt::LeftButton && rect().contains(at) && OnClick) {
        OnClick(this);
    }
}

void TzcPeakOmeter::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && OnDblClick) {
        OnDblClick(this);
    }
}
