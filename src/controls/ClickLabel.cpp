#include "controls/ClickLabel.h"

#include "controls/ColorPanel.h"

#include <QMetaMethod>
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
    } else if (auto* panel = qobject_cast<TColorPanel*>(parentWidget())) {
        // A transparent label shows its panel's face, never a control beneath it: a slot's caption
        // memo lies over the slot's sound button, whose caption would show through a second time.
        QPainter painter(this);
        painter.fillRect(rect(), ToQColor(panel->Color()));
    }
    QLabel::paintEvent(event);
}

void TClickLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
    TakeClick(event);
}

void TClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = pressed_;
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    TakeClick(event);
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void TClickLabel::TakeClick(QMouseEvent* event)
{
    // A control that reports its clicks keeps them: passed on, the same click would reach the
    // control beneath (a slot's panel) and act a second time. One without a receiver lets the
    // click through to what lies under it.
    if (event->button() == Qt::LeftButton &&
        isSignalConnected(QMetaMethod::fromSignal(&TClickLabel::clicked))) {
        event->accept();
    }
}
