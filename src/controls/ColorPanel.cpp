#include "controls/ColorPanel.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

TColorPanel::TColorPanel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(1);
}

void TColorPanel::SetColor(TColor color)
{
    if (color_ != color) {
        color_ = color;
        update();
    }
}

void TColorPanel::SetFontColor(TColor color)
{
    if (fontColor_ != color) {
        fontColor_ = color;
        update();
    }
}

void TColorPanel::SetCaption(const QString& caption)
{
    if (caption_ != caption) {
        caption_ = caption;
        update();
    }
}

void TColorPanel::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(rect(), ToQColor(color_));
        if (!caption_.isEmpty()) {
            painter.setPen(ToQColor(fontColor_));
            painter.drawText(contentsRect(), Qt::AlignCenter, caption_);
        }
    }
    QFrame::paintEvent(event);
}

void TColorPanel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QFrame::mousePressEvent(event);
    TakeClick(event);
}

void TColorPanel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = pressed_;
    pressed_ = false;
    QFrame::mouseReleaseEvent(event);
    TakeClick(event);
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void TColorPanel::TakeClick(QMouseEvent* event)
{
    // A control that reports its clicks keeps them: passed on, the same click would reach the
    // control beneath (a slot's panel) and act a second time. One without a receiver lets the
    // click through to what lies under it.
    if (event->button() == Qt::LeftButton &&
        isSignalConnected(QMetaMethod::fromSignal(&TColorPanel::clicked))) {
        event->accept();
    }
}
