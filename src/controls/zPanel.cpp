#include "controls/zPanel.h"

#include "controls/zPanelScale.h"
#include "platform/Rounding.h"

#include <QEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <numbers>

TzPanelMeter::TzPanelMeter(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(105, 97);
}

TzPanelMeter::~TzPanelMeter() = default;

void TzPanelMeter::SetMin(int value)
{
    min_ = std::min(value, max_);
    SetValue(value_);
    Invalidate();
}

void TzPanelMeter::SetMax(int value)
{
    max_ = std::max(value, min_);
    SetValue(value_);
    Invalidate();
}

void TzPanelMeter::SetValue(int value)
{
    const int shown = value_;
    value_ = std::clamp(value, min_, max_);
    if (useAlert_) {
        if (value_ < alert_ && alerted_) {
            alerted_ = false;
            if (OnNotAlert) {
                OnNotAlert(this);
            }
        } else if (value_ >= alert_ && !alerted_) {
            alerted_ = true;
            if (OnAlert) {
                OnAlert(this);
            }
        }
    }
    if (OnChange) {
        OnChange(this);
    }
    // The level follows the signal tick by tick, so it is drawn now rather than queued; an
    // unchanged needle (a silent meter on every tick while nothing plays) is not drawn again.
    if (value_ == shown || !NeedleMoved()) {
        return;
    }
    // Only the strip the shown and the new needle cross changes; the rest of the dial stays.
    const QRect strip = panelType_ == zPanelType::zpStandard && painted_
                            ? NeedleBounds(paintedValue_) | NeedleBounds(value_)
                            : rect();
    if (queuedPaints_) {
        update(strip);
    } else {
        repaint(strip);
    }
}

QRect TzPanelMeter::NeedleBounds(int value) const
{
    const QPoint tip = NeedleTip(PercentOf(value));
    const QPoint hub = NeedleHub();
    return QRect(QPoint(std::min(tip.x(), hub.x()), std::min(tip.y(), hub.y())),
                 QPoint(std::max(tip.x(), hub.x()), std::max(tip.y(), hub.y())));
}

QPoint TzPanelMeter::NeedleHub() const
{
    const int h = height();
    return QPoint(width() / 2, h - h / 4 - h / 11);
}

void TzPanelMeter::SetAlert(int value)
{
    StoreAndInvalidate(alert_, std::clamp(value, min_, max_));
}

void TzPanelMeter::SetShadowColor(TColor value)
{
    shadowColor_ = value;
    steelLook_ = false;
    Invalidate();
}

void TzPanelMeter::SetHighColor(TColor value)
{
    highColor_ = value;
    steelLook_ = false;
    Invalidate();
}

void TzPanelMeter::SetScaleWidth(int value)
{
    if (value >= 0 && value <= MaxScaleWidth) {
        StoreAndInvalidate(scaleWidth_, value);
    }
}

void TzPanelMeter::SetSteelLook(bool value)
{
    steelLook_ = value;
    if (value) {
        shadowColor_ = SteelShadowColor;
        highColor_ = SteelHighColor;
    }
    Invalidate();
}

void TzPanelMeter::SetCaption(const QString& value)
{
    if (value != caption_) {
        StoreAndInvalidate(caption_, value);
    }
}

bool TzPanelMeter::NeedleMoved() const
{
    // The dial's needle runs from the scale point of its percentage: values that share a point
    // draw the same picture as the one on the screen.
    return panelType_ != zPanelType::zpStandard || !painted_ ||
           NeedleTip(PercentOf(value_)) != NeedleTip(PercentOf(paintedValue_));
}

int TzPanelMeter::PercentOf(int value) const
{
    return zPanelPercent(value, min_, max_);
}

QPoint TzPanelMeter::NeedleTip(int percent) const
{
    if (needleTipsSize_ != size()) {
        for (int p = 0; p < static_cast<int>(needleTips_.size()); ++p) {
            needleTips_[p] = ArcPoint(p, 0);
        }
        needleTipsSize_ = size();
    }
    return percent >= 0 && percent <= 100 ? needleTips_[percent] : ArcPoint(percent, 0);
}

QPoint TzPanelMeter::ArcPoint(int percent, int d) const
{
    // 0 % lies 50 degrees left of straight up, 100 % 50 degrees right of it.
    int degrees = percent + 310;
    if (degrees > 359) {
        degrees -= 360;
    }
    const double angle = degrees * 2 * std::numbers::pi / 360;
    const int w = width();
    const int h = height();
    const int b = h / 11;
    const int x = RoundHalfEven(std::sin(angle) * (w / 2)) + w / 2;
    const int y = h / 2 + 2 * b - d - RoundHalfEven(std::cos(angle) * (h / 2));
    return QPoint(x, y);
}

void TzPanelMeter::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange:
    case QEvent::StyleChange:
        Invalidate();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void TzPanelMeter::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    if (OnMouseEnter) {
        OnMouseEnter(this);
    }
}

void TzPanelMeter::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (OnMouseLeave) {
        OnMouseLeave(this);
    }
}

void TzPanelMeter::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (OnMouseDown) {
        OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
    }
}

void TzPanelMeter::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (OnMouseMove) {
        OnMouseMove(this, Qt::NoButton, event->modifiers(), at.x(), at.y());
    }
}

void TzPanelMeter::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (OnMouseUp) {
        OnMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
    }
    if (event->button() == Qt::LeftButton && rect().contains(at) && OnClick) {
        OnClick(this);
    }
}

void TzPanelMeter::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && OnDblClick) {
        OnDblClick(this);
    }
}
