#include "controls/SlideBar.h"

#include "controls/PixelPaint.h"
#include "platform/Rounding.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

TzSlideBar::TzSlideBar(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Moves are reported with no button down too, as the window's handlers expect.
    setMouseTracking(true);
    resize(100, 20);
    RebuildThumb();
}

TzSlideBar::~TzSlideBar() = default;

void TzSlideBar::SetMin(int value)
{
    if (value < max_ && value != min_) {
        StoreAndRepaint(min_, value);
    }
}

void TzSlideBar::SetMax(int value)
{
    if (value > min_ && value != max_) {
        StoreAndRepaint(max_, value);
    }
}

void TzSlideBar::SetValue(int value)
{
    if (value == value_) {
        return;
    }
    if (value >= min_ && value <= max_) {
        value_ = value;
    }
    update();
    if (OnChange) {
        OnChange(this);
    }
    if (value_ == min_ && OnMinimum) {
        OnMinimum(this);
    }
    if (value_ == max_ && OnMaximum) {
        OnMaximum(this);
    }
}

TOrientation TzSlideBar::Orientation() const
{
    SyncOrientation();
    return orientation_;
}

void TzSlideBar::SetOrientation(TOrientation value)
{
    SyncOrientation();
    StoreAndRepaint(orientation_, value);
}

bool TzSlideBar::IsVertical() const
{
    return Orientation() == TOrientation::orVertical;
}

void TzSlideBar::SyncOrientation() const
{
    // A hidden widget gets no resize event until it is shown, yet the orientation must
    // follow every size change at once.
    if (size() != orientedSize_) {
        orientedSize_ = size();
        orientation_ = width() >= height() ? TOrientation::orHorizontal : TOrientation::orVertical;
    }
}

void TzSlideBar::SetThickness(int value)
{
    if (value >= 1 && value <= 10) {
        StoreAndRepaint(thickness_, value);
    }
}

void TzSlideBar::SetStyle(TBarStyle value)
{
    StoreAndRepaint(style_, value);
}

void TzSlideBar::SetColor(TColor value)
{
    color_ = value;
    RebuildThumb();
}

void TzSlideBar::SetThumbStyle(TThumbStyle value)
{
    thumbStyle_ = value;
    RebuildThumb();
}

void TzSlideBar::RebuildThumb()
{
    thumb_ = BuildSlideBarThumb(thumbStyle_, ToQColor(color_));
    halfWidth_ = thumb_.Bitmap.width() / 2;
    halfHeight_ = thumb_.Bitmap.height() / 2;
    update();
}

void TzSlideBar::SetFocusColor(TColor value)
{
    StoreAndRepaint(focusColor_, value);
}

void TzSlideBar::SetNonFocusColor(TColor value)
{
    StoreAndRepaint(nonFocusColor_, value);
}

void TzSlideBar::SetTicks(bool value)
{
    StoreAndRepaint(ticks_, value);
}

void TzSlideBar::SetTickStyle(TzTickStyle value)
{
    StoreAndRepaint(tickStyle_, value);
}

void TzSlideBar::SetTickWhere(TBarTickStyle value)
{
    StoreAndRepaint(tickWhere_, value);
}

void TzSlideBar::SetTickSpace(int value)
{
    StoreAndRepaint(tickSpace_, value);
}

void TzSlideBar::SetTickSize(int value)
{
    StoreAndRepaint(tickSize_, value);
}

void TzSlideBar::SetStepPerTick(int value)
{
    if (value >= 1) {
        StoreAndRepaint(stepPerTick_, value);
    }
}

void TzSlideBar::SetSteelLook(bool value)
{
    StoreAndRepaint(steelLook_, value);
}

void TzSlideBar::SetTabStop(bool value)
{
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

int TzSlideBar::ValueFromPoint(int x, int y) const
{
    const int length = IsVertical() ? height() : width();
    // A bar squeezed to nothing has no track to point at: the value stays.
    if (length <= 0) {
        return value_;
    }
    const double t = IsVertical() ? double(height() - y) / length : double(x) / length;
    const int v = min_ + RoundHalfEven(t * (max_ - min_));
    return std::clamp(v, min_, max_);
}

QRect TzSlideBar::ComputeThumbRect() const
{
    const int tw = thumb_.Bitmap.width();
    const int th = thumb_.Bitmap.height();
    const int range = max_ - min_;
    if (IsVertical()) {
        const int track = height() - th;
        const int offset = range > 0 ? RoundHalfEven(double(track) / range * (value_ - min_)) : 0;
        const int top = std::max(0, std::min(height() - offset - th, track));
        return QRect((width() - tw) / 2, top, tw, th);
    }
    const int track = width() - tw;
    const int offset = range > 0 ? RoundHalfEven(double(track) / range * (value_ - min_)) : 0;
    const int left = std::max(0, std::min(offset, track));
    return QRect(left, (height() - th) / 2, tw, th);
}

void TzSlideBar::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    moved_ = false;
    setFocus(Qt::MouseFocusReason);
    dragging_ = ComputeThumbRect().contains(p);
    if (jumpToMouse_ && dragging_) {
        pressCoordinate_ = IsVertical() ? p.y() : p.x();
        SetValue(ValueFromPoint(p.x(), p.y()));
    }
    if (OnMouseDown) {
        OnMouseDown(this, event->button(), event->modifiers(), p.x(), p.y());
    }
}

void TzSlideBar::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if ((event->buttons() & Qt::LeftButton) && dragging_) {
        moved_ = true;
        if (pressCoordinate_ != (IsVertical() ? p.y() : p.x())) {
            SetValue(ValueFromPoint(p.x(), p.y()));
        }
    }
    if (OnMouseMove) {
        OnMouseMove(this, event->button(), event->modifiers(), p.x(), p.y());
    }
}

void TzSlideBar::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (OnMouseUp) {
        OnMouseUp(this, event->button(), event->modifiers(), p.x(), p.y());
    }
    if (event->button() == Qt::LeftButton) {
        int v = value_;
        if (dragging_) {
            v = ValueFromPoint(p.x(), p.y());
        } else {
            // A click beside the thumb steps one toward the pointer.
            moved_ = true;
            const QRect thumb = ComputeThumbRect();
            if (IsVertical()) {
                const int centre = thumb.top() + halfHeight_;
                v += p.y() < centre ? 1 : (p.y() > centre ? -1 : 0);
            } else {
                const int centre = thumb.left() + halfWidth_;
                v += p.x() < centre ? -1 : (p.x() > centre ? 1 : 0);
            }
        }
        if (moved_) {
            SetValue(std::clamp(v, min_, max_));
        }
        update();
    }
    dragging_ = false;
    if (OnMouseUpTwo) {
        OnMouseUpTwo(this, event->button(), event->modifiers(), p.x(), p.y());
    }
}

void TzSlideBar::keyPressEvent(QKeyEvent* event)
{
    const int page = std::max(1, (max_ - min_) / 10);
    bool handled = true;
    switch (event->key()) {
    case Qt::Key_PageUp:
        SetValue(std::min(value_ + page, max_));
        break;
    case Qt::Key_PageDown:
        SetValue(std::max(value_ - page, min_));
        break;
    case Qt::Key_End:
        SetValue(max_);
        break;
    case Qt::Key_Home:
        SetValue(min_);
        break;
    case Qt::Key_Left:
    case Qt::Key_Down:
        if (value_ > min_) {
            SetValue(value_ - 1);
        }
        break;
    case Qt::Key_Up:
    case Qt::Key_Right:
        if (value_ < max_) {
            SetValue(value_ + 1);
        }
        break;
    default:
        handled = false;
    }
    int key = event->key();
    if (OnKeyDown) {
        OnKeyDown(this, key, event->modifiers());
    }
    if (handled) {
        event->accept();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void TzSlideBar::focusInEvent(QFocusEvent* event)
{
    update();
    if (OnEnter) {
        OnEnter(this);
    }
    QWidget::focusInEvent(event);
}

void TzSlideBar::focusOutEvent(QFocusEvent* event)
{
    update();
    if (OnExit) {
        OnExit(this);
    }
    QWidget::focusOutEvent(event);
}

void TzSlideBar::enterEvent(QEnterEvent* event)
{
    if (autoFocus_ && !hasFocus() && isEnabled() && isVisible() && focusPolicy() != Qt::NoFocus) {
        setFocus(Qt::MouseFocusReason);
    }
    if (OnMouseEnter) {
        OnMouseEnter(this);
    }
    QWidget::enterEvent(event);
}

void TzSlideBar::leaveEvent(QEvent* event)
{
    if (OnMouseLeave) {
        OnMouseLeave(this);
    }
    QWidget::leaveEvent(event);
}

void TzSlideBar::resizeEvent(QResizeEvent* event)
{
    SyncOrientation();
    update();
    QWidget::resizeEvent(event);
}
