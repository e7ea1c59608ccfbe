#include "controls/zLed.h"

#include "controls/PixelPaint.h"
#include "controls/SteelBrush.h"
#include "controls/ZsegShapes.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

struct LampColours
{
    TColor lit;
    TColor unlit;
};

LampColours ColoursOf(LedColorType type)
{
    switch (type) {
    case LedColorType::lctBlue:
        return {0xFF0000, 0x800000};
    case LedColorType::lctGreen:
        return {0x00FF00, 0x008000};
    case LedColorType::lctyellow:
        return {0x00FFFF, 0x008080};
    case LedColorType::lctMangenta:
        return {0xFF00FF, 0x800080};
    case LedColorType::lctGrey:
        return {0xC0C0C0, 0x000000};
    case LedColorType::lctCyan:
        return {0xFFFF00, 0x808000};
    case LedColorType::lctWhite:
        return {0xFFFFFF, 0x808080};
    case LedColorType::lctRed:
    case LedColorType::lctUser:
        break;
    }
    return {0x0000FF, 0x000080};
}

// An ellipse in the box (left, top) - (right, bottom), right and bottom excluded, outlined `pen`
// pixels wide: the outline is the ring between the box and the box inset by the pen width.
void WideEllipse(PixelPaint& canvas, int left, int top, int right, int bottom, int pen,
                 const QColor& penColour, const QColor& brush)
{
    RoundShapes::Ellipse(canvas, left, top, right, bottom, penColour, penColour);
    RoundShapes::Ellipse(canvas, left + pen, top + pen, right - pen, bottom - pen, brush, brush);
}

double RayDegrees(double cx, double cy, QPointF through)
{
    // Screen y grows downwards; angles count counter-clockwise from three o'clock.
    return std::atan2(cy - through.y(), through.x() - cx) * 180.0 / M_PI;
}

// The counter-clockwise arc of the ellipse in the box from the ray through `from` to the ray
// through `to`, both rays from the box's centre, stroked `width` pixels wide inside the box.
void Arc(QPainter& painter, int left, int top, int right, int bottom, QPointF from, QPointF to, int width,
         const QColor& colour)
{
    const double cx = (left + right) / 2.0;
    const double cy = (top + bottom) / 2.0;
    const double start = RayDegrees(cx, cy, from);
    double span = RayDegrees(cx, cy, to) - start;
    while (span <= 0) {
        span += 360;
    }
    const double inset = width / 2.0;
    const QRectF box(left + inset, top + inset, right - left - width, bottom - top - width);
    if (box.width() <= 0 || box.height() <= 0) {
        return;
    }
    QPen pen(colour);
    pen.setWidth(width);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(box, static_cast<int>(std::lround(start * 16)), static_cast<int>(std::lround(span * 16)));
}

} // namespace

TzLed::TzLed(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(17, 17);
}

TzLed::~TzLed()
{
    FreeTimer();
}

void TzLed::SetEnabled(bool value)
{
    if (value == lit_) {
        return;
    }
    lit_ = value;
    repaint();
    if (OnChange) {
        OnChange(this);
    }
}

void TzLed::SetLEDColor(LedColorType value)
{
    color_ = value;
    update();
}

void TzLed::SetLedStyle(LedStyleType value)
{
    if (value != style_) {
        style_ = value;
        update();
    }
}

void TzLed::SetBlink(bool value)
{
    if (value == blink_) {
        return;
    }
    FreeTimer();
    blink_ = value;
    RestartTimer();
    update();
}

void TzLed::SetBlinkInterval(int value)
{
    if (value == blinkInterval_) {
        return;
    }
    FreeTimer();
    blinkInterval_ = value;
    RestartTimer();
    update();
}

void TzLed::SetSteelLook(bool value)
{
    steelLook_ = value;
    update();
}

void TzLed::RestartTimer()
{
    // A period of 0 or less would tick as fast as the event loop runs; such a lamp does not blink.
    if (!blink_ || blinkInterval_ <= 0) {
        return;
    }
    timer_ = new QTimer(this);
    timer_->setInterval(blinkInterval_);
    connect(timer_, &QTimer::timeout, this, [this] { ToggleLit(); });
    timer_->start();
}

void TzLed::FreeTimer()
{
    delete timer_;
    timer_ = nullptr;
}

void TzLed::ToggleLit()
{
    SetEnabled(!lit_);
}

void TzLed::SwitchOff()
{
    SetEnabled(false);
    FreeTimer();
    blink_ = false;
}

TColor TzLed::OnColor() const
{
    TColor colour = ColoursOf(color_).lit;
    if (color_ == LedColorType::lctUser && OnGetOnColor) {
        OnGetOnColor(const_cast<TzLed*>(this), colour);
    }
    return colour;
}

TColor TzLed::OffColor() const
{
    TColor colour = ColoursOf(color_).unlit;
    if (color_ == LedColorType::lctUser && OnGetOffColor) {
        OnGetOffColor(const_cast<TzLed*>(this), colour);
    }
    return colour;
}

void TzLed::PaintBackground(QImage& image) const
{
    QPainter painter(&image);
    const QRect all(0, 0, image.width(), image.height());
    if (steelLook_) {
        SteelBrush::Fill(painter, all);
        return;
    }
    const QWidget* owner = parentWidget();
    const QPalette palette = owner != nullptr ? owner->palette() : this->palette();
    const QPalette::ColorRole role = owner != nullptr ? owner->backgroundRole() : backgroundRole();
    painter.fillRect(all, palette.color(role));
}

QImage TzLed::PaintToImage() const
{
    const int w = std::max(1, width());
    const int h = std::max(1, height());
    QImage image(w, h, QImage::Format_RGB32);
    PaintBackground(image);
    const int b = std::clamp(w / 17, 1, 6);
    const TColor lamp = lit_ ? OnColor() : OffColor();
    switch (style_) {
    case LedStyleType::lstSimpleRound: {
        QPainter painter(&image);
        PixelPaint canvas(painter);
        WideEllipse(canvas, 0, 0, w, h, b, Qt::black, ToQColor(lamp));
        break;
    }
    case LedStyleType::lstRound:
        PaintRound(image, b, lamp);
        break;
    case LedStyleType::lstSquare:
        PaintSquare(image, b, lamp);
        return image;
    }
    PaintReflection(image, b);
    return image;
}

void TzLed::PaintRound(QImage& image, int b, TColor lamp) const
{
    const int w = image.width();
    const int h = image.height();
    const int cx = w / 2;
    const int cy = h / 2;
    const QColor brush = ToQColor(lamp);
    QPainter painter(&image);
    PixelPaint canvas(painter);
    WideEllipse(canvas, 0, 0, w, h, b, Qt::black, brush);
    // The ring: silver all round, its lower right half shaded gray.
    WideEllipse(canvas, b, b, w - b, h - b, b, QColor(0xC0, 0xC0, 0xC0), brush);
    Arc(painter, b, b, w - b, h - b, QPointF(b, h - b), QPointF(w - b, b), b, QColor(0x80, 0x80, 0x80));
    WideEllipse(canvas, 2 * b, 2 * b, w - 2 * b, h - 2 * b, b, Qt::black, brush);
    // Four notches across the ring at top, bottom, left and right.
    const int r = 3 * b;
    Arc(painter, b, b, w - b, h - b, QPointF(cx + r, b), QPointF(cx - r, b), b, Qt::black);
    Arc(painter, b, b, w - b, h - b, QPointF(cx - r, h - b), QPointF(cx + r, h - b), b, Qt::black);
    Arc(painter, b, b, w - b, h - b, QPointF(b, cy - r), QPointF(b, cy + r), b, Qt::black);
    Arc(painter, b, b, w - b, h - b, QPointF(w - b, cy + r), QPointF(w - b, cy - r), b, Qt::black);
}

void TzLed::PaintSquare(QImage& image, int b, TColor lamp) const
{
    const int w = image.width();
    const int h = image.height();
    QPainter painter(&image);
    PixelPaint canvas(painter);
    canvas.BrushColor = ToQColor(lamp);
    canvas.FillRect(0, 0, w, h);
    const int inner = 3 * b - 1;
    // Bevel between the two frames: silver upper left, gray lower right.
    for (int i = b; i < inner; ++i) {
        canvas.PenColor = QColor(0xC0, 0xC0, 0xC0);
        canvas.MoveTo(i, h - 1 - i);
        canvas.LineTo(i, i);
        canvas.LineTo(w - 1 - i, i);
        canvas.PenColor = QColor(0x80, 0x80, 0x80);
        canvas.LineTo(w - 1 - i, h - 1 - i);
        canvas.LineTo(i, h - 1 - i);
    }
    canvas.PenColor = Qt::black;
    for (int i = 0; i < b; ++i) {
        canvas.FrameRect(i, i, w - i, h - i);
        canvas.FrameRect(inner + i, inner + i, w - inner - i, h - inner - i);
    }
    // Reflection spots: white and silver upper left, gray lower right.
    const int spot = std::max(1, b);
    const int at = inner + b + spot;
    canvas.BrushColor = Qt::white;
    canvas.FillRect(at, at, at + spot, at + spot);
    canvas.BrushColor = QColor(0xC0, 0xC0, 0xC0);
    canvas.FillRect(at + spot, at, at + 2 * spot, at + spot);
    canvas.FillRect(at, at + spot, at + spot, at + 2 * spot);
    canvas.BrushColor = QColor(0x80, 0x80, 0x80);
    canvas.FillRect(w - at - spot, h - at - spot, w - at, h - at);
}

void TzLed::PaintReflection(QImage& image, int b) const
{
    const int w = image.width();
    const int h = image.height();
    const int hl = std::max(1, b / 2);
    QPainter painter(&image);
    const int l = 4 * b;
    const int t = 4 * b;
    const int r = w - 4 * b;
    const int btm = h - 4 * b;
    Arc(painter, l, t, r, btm, QPointF(w - 4 * b, h - 2 * b), QPointF(w - 4 * b, h - 9 * b), hl,
        QColor(0x80, 0x80, 0x80));
    Arc(painter, l, t, r, btm, QPointF(8 * b, 0), QPointF(7 * b, 9 * b), hl, Qt::white);
    Arc(painter, l, t, r, btm, QPointF(8 * b, 0), QPointF(7 * b, 8 * b), hl, QColor(0xC0, 0xC0, 0xC0));
}

void TzLed::paintEvent(QPaintEvent*)
{
    {
        QPainter painter(this);
        painter.drawImage(0, 0, PaintToImage());
    }
    if (OnPaint) {
        OnPaint(this);
    }
}

void TzLed::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    if (OnMouseEnter) {
        OnMouseEnter(this);
    }
}

void TzLed::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (OnMouseLeave) {
        OnMouseLeave(this);
    }
}

void TzLed::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick) {
        OnClick(this);
    }
}
