#include "controls/ColorPanel.h"

#include <QFontInfo>
#include <QFontMetrics>
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
            painter.setFont(CaptionFont());
            painter.drawText(contentsRect(), Qt::AlignCenter, caption_);
        }
    }
    QFrame::paintEvent(event);
}

QFont TColorPanel::CaptionFont() const
{
    // A caption wider than the panel at its font (a scaled window grows the font by its height,
    // the panel by its width) is drawn smaller rather than cut at both ends.
    constexpr int SmallestPixelSize = 6;
    constexpr int SideGapPx = 2;
    QFont font = this->font();
    int pixels = QFontInfo(font).pixelSize();
    while (pixels > SmallestPixelSize &&
           QFontMetrics(font).horizontalAdvance(caption_) + 2 * SideGapPx > contentsRect().width()) {
        font.setPixelSize(--pixels);
    }
    return font;
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
