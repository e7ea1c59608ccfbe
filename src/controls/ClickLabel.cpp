#include "controls/ClickLabel.h"

#include "controls/ColorPanel.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

// Smallest pixel size a wrapped text shrinks to; below it the text is left to be cut.
constexpr int SmallestFittedPixelSize = 6;
// Free pixels between the ink of one line and the next, and at the area's edges, when lines are
// set closer (the measured ink is whole pixels; smoothing spills past it).
constexpr qreal InkGap = 1.0;

void LayOutLines(QTextLayout& layout, qreal width, Qt::Alignment horizontal, bool wrap)
{
    QTextOption option(horizontal);
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
    }
    layout.endLayout();
}

struct LineInk
{
    qreal above = 0; // ink above the baseline (negative or 0)
    qreal below = 0; // ink below the baseline
};

std::vector<LineInk> InkOfLines(const QTextLayout& layout, const QFontMetricsF& metrics)
{
    std::vector<LineInk> inks;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const QRectF ink =
            metrics.tightBoundingRect(layout.text().mid(line.textStart(), line.textLength()).trimmed());
        inks.push_back({std::min<qreal>(ink.top(), 0), std::max<qreal>(ink.bottom(), 0)});
    }
    return inks;
}

// Sets the laid-out lines in the area, centred by their ink, at the font's own line spacing or
// closer, but never so close that the ink of two lines meets. False when they cannot fit.
bool PlaceLines(QTextLayout& layout, const QFontMetricsF& metrics, const QRectF& bounds)
{
    const QRectF area = bounds.adjusted(0, InkGap, 0, -InkGap);
    const std::vector<LineInk> inks = InkOfLines(layout, metrics);
    const auto count = inks.size();
    if (count == 0) {
        return true;
    }
    qreal closest = 0;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        closest = std::max(closest, inks[i].below - inks[i + 1].above + InkGap);
    }
    const qreal outer = inks.front().above * -1 + inks.back().below;
    const qreal fitting = count > 1 ? (area.height() - outer) / static_cast<qreal>(count - 1)
                                    : std::numeric_limits<qreal>::max();
    const qreal pitch = std::min(metrics.lineSpacing(), fitting);
    if (pitch < closest || outer > area.height()) {
        return false;
    }
    const qreal inkHeight = outer + pitch * static_cast<qreal>(count - 1);
    qreal baseline = area.top() + (area.height() - inkHeight) / 2 - inks.front().above;
    for (std::size_t i = 0; i < count; ++i) {
        QTextLine line = layout.lineAt(static_cast<int>(i));
        line.setPosition(QPointF(area.left(), baseline - line.ascent()));
        baseline += pitch;
    }
    return true;
}

// Whether the label's own drawing shows the text whole: lines at the font's spacing fit the
// height. A single line whose font is taller than the label is left to the ink placement, as
// where the label's centring puts its ink depends on rounding.
bool DrawnWhole(const QTextLayout& layout, const QFontMetricsF& metrics, const QRectF& area)
{
    if (layout.lineCount() == 1) {
        return metrics.height() <= area.height();
    }
    return metrics.lineSpacing() * layout.lineCount() <= area.height();
}

// The palette of `base` with `color` for the text. The board's labels are made by the hundred
// with one text colour over one palette: the palette made for the first serves the rest.
QPalette WithTextColor(const QPalette& base, const QColor& color)
{
    static QPalette lastBase;
    static QPalette lastMade;
    static QColor lastColor;
    if (lastColor.isValid() && color == lastColor && base.resolveMask() == lastBase.resolveMask() &&
        (base.isCopyOf(lastBase) || base == lastBase)) {
        return lastMade;
    }
    QPalette made = base;
    made.setColor(QPalette::WindowText, color);
    lastBase = base;
    lastMade = made;
    lastColor = color;
    return made;
}

} // namespace

TClickLabel::TClickLabel(QWidget* parent) : QLabel(parent)
{
    setPalette(WithTextColor(palette(), ToQColor(fontColor_)));
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
        setPalette(WithTextColor(palette(), ToQColor(color)));
    }
}

void TClickLabel::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        if (color_ != clNone) {
            painter.fillRect(rect(), ToQColor(color_));
        } else if (auto* panel = qobject_cast<TColorPanel*>(parentWidget())) {
            // A transparent label shows its panel's face, never a control beneath it: a slot's caption
            // memo lies over the slot's sound button, whose caption would show through a second time.
            painter.fillRect(rect(), ToQColor(panel->Color()));
        }
        if (!text().isEmpty() && PaintTextWhole(painter)) {
            return;
        }
    }
    QLabel::paintEvent(event);
}

bool TClickLabel::PaintTextWhole(QPainter& painter) const
{
    const QRectF area = contentsRect();
    QString text = this->text();
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QFont font = this->font();
    // A single line as tall as the font fits as the label draws it: decided before any layout,
    // since time labels repaint many times a second.
    if (!wordWrap() && !text.contains(QChar::LineSeparator) &&
        QFontMetricsF(font).height() <= area.height()) {
        return false;
    }
    const int pixelSize = QFontInfo(font).pixelSize();
    for (int size = pixelSize; size >= SmallestFittedPixelSize; --size) {
        if (size != pixelSize) {
            font.setPixelSize(size);
        }
        QTextLayout layout(text, font);
        LayOutLines(layout, area.width(), alignment() & Qt::AlignHorizontal_Mask, wordWrap());
        const QFontMetricsF metrics(font);
        // What fits is drawn as every label draws it.
        if (size == pixelSize && DrawnWhole(layout, metrics, area)) {
            return false;
        }
        // A caption taller than the memo sets its lines closer, then in a smaller font, rather
        // than losing its first and last lines at the memo's edges; a marker letter whose font
        // grew faster than its label (as on a wide window) is centred by its ink, or made smaller.
        if (PlaceLines(layout, metrics, area)) {
            painter.setPen(palette().color(foregroundRole()));
            layout.draw(&painter, QPointF());
            return true;
        }
    }
    return false;
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
