#include "controls/ClickLabel.h"

#include "controls/ColorPanel.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace {

// Smallest pixel size a wrapped text shrinks to; below it the text is left to be cut.
constexpr int SmallestFittedPixelSize = 6;
// Free pixels between the ink of one line and the next, and at the area's edges, when lines are
// set closer (the measured ink is whole pixels; smoothing spills past it).
constexpr qreal InkGap = 1.0;

// Lines closer than InkGap never fit the area (see PlaceLines), so no text needs more lines laid
// out than this to tell whether it fits: a caption of thousands of characters costs a few lines.
int MostLinesShown(qreal height)
{
    return static_cast<int>(std::floor(std::max<qreal>(height, 0) / InkGap)) + 1;
}

// The first piece of a text that is shaped when it is laid out; it doubles while the lines asked
// for take all of it.
constexpr qsizetype FirstPieceLength = 512;

// Lays out at most maxLines lines of the text; whole false when more text follows them. Only as
// much of the text as those lines can take is shaped: a caption of thousands of characters would
// otherwise be shaped whole at every size tried.
std::unique_ptr<QTextLayout> LayOutLines(const QString& text, const QFont& font, qreal width,
                                         Qt::Alignment horizontal, bool wrap, int maxLines, bool& whole)
{
    QTextOption option(horizontal);
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    for (qsizetype piece = FirstPieceLength;; piece *= 2) {
        const bool all = piece >= text.size();
        auto layout = std::make_unique<QTextLayout>(all ? text : text.left(piece), font);
        layout->setTextOption(option);
        layout->beginLayout();
        for (int n = 0; n < maxLines; ++n) {
            QTextLine line = layout->createLine();
            if (!line.isValid()) {
                break;
            }
            line.setLineWidth(width);
            ++TClickLabel::linesLaidOut;
        }
        layout->endLayout();
        qsizetype end = 0;
        if (layout->lineCount() > 0) {
            const QTextLine last = layout->lineAt(layout->lineCount() - 1);
            end = last.textStart() + last.textLength();
        }
        // A line that ends short of the piece's end (with a character to spare, which decides
        // the break) is laid out as in the whole text.
        if (all || (layout->lineCount() == maxLines && end + 1 < piece)) {
            whole = end >= text.size();
            return layout;
        }
    }
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

// The first lines of a text too long to show whole even in the smallest font, in the label's own
// font: the caption's start, where the label's own drawing would show a cut piece of its middle
// after laying out all of it.
std::unique_ptr<QTextLayout> FirstLines(const QString& text, const QFont& font, const QRectF& area,
                                        Qt::Alignment horizontal)
{
    const QFontMetricsF metrics(font);
    const int count = std::max(1, static_cast<int>(std::floor(area.height() / metrics.lineSpacing())));
    bool whole = false;
    auto layout = LayOutLines(text, font, area.width(), horizontal, true, count, whole);
    qreal top = area.top() + (area.height() - metrics.lineSpacing() * layout->lineCount()) / 2;
    for (int i = 0; i < layout->lineCount(); ++i) {
        layout->lineAt(i).setPosition(QPointF(area.left(), top));
        top += metrics.lineSpacing();
    }
    return layout;
}

// The layout that shows the text whole in the area, or none when the label's own drawing shows
// it as it is (or, for a text too tall at every size but not too long, cuts it as before).
std::unique_ptr<QTextLayout> FitText(const QString& text, const QFont& own, const QRectF& area,
                                     Qt::Alignment horizontal, bool wrap)
{
    QFont font = own;
    const int pixelSize = QFontInfo(font).pixelSize();
    const int mostLines = MostLinesShown(area.height());
    bool whole = true;
    if (wrap && pixelSize > SmallestFittedPixelSize) {
        // A larger font only needs more lines: a text cut in the smallest is cut in every size.
        font.setPixelSize(SmallestFittedPixelSize);
        LayOutLines(text, font, area.width(), horizontal, wrap, mostLines, whole);
        if (!whole) {
            return FirstLines(text, own, area, horizontal);
        }
    }
    for (int size = pixelSize; size >= SmallestFittedPixelSize; --size) {
        font = own;
        if (size != pixelSize) {
            font.setPixelSize(size);
        }
        auto layout = LayOutLines(text, font, area.width(), horizontal, wrap, mostLines, whole);
        if (!whole) {
            continue;
        }
        const QFontMetricsF metrics(font);
        // What fits is drawn as every label draws it.
        if (size == pixelSize && DrawnWhole(*layout, metrics, area)) {
            return nullptr;
        }
        // A caption taller than the memo sets its lines closer, then in a smaller font, rather
        // than losing its first and last lines at the memo's edges; a marker letter whose font
        // grew faster than its label (as on a wide window) is centred by its ink, or made smaller.
        if (PlaceLines(*layout, metrics, area)) {
            return layout;
        }
    }
    if (!whole && wrap) {
        return FirstLines(text, own, area, horizontal);
    }
    return nullptr;
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

struct TClickLabel::Fitted
{
    QString text;
    QFont font;
    QRectF area;
    Qt::Alignment horizontal;
    bool wrap = false;
    std::unique_ptr<QTextLayout> layout; // none: the label's own drawing shows the text
};

TClickLabel::TClickLabel(QWidget* parent) : QLabel(parent)
{
    setPalette(WithTextColor(palette(), ToQColor(fontColor_)));
}

TClickLabel::~TClickLabel() = default;

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
    const QFont font = this->font();
    // A single line as tall as the font fits as the label draws it: decided before any layout,
    // since time labels repaint many times a second.
    if (!wordWrap() && !text.contains(QChar::LineSeparator) &&
        QFontMetricsF(font).height() <= area.height()) {
        return false;
    }
    const Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
    // Every return to a page repaints its captions: the fit is worked out once per text and size.
    if (!fitted_ || fitted_->text != text || fitted_->font != font || fitted_->area != area ||
        fitted_->horizontal != horizontal || fitted_->wrap != wordWrap()) {
        fitted_ = std::make_unique<Fitted>(Fitted{text, font, area, horizontal, wordWrap(), nullptr});
        fitted_->layout = FitText(text, font, area, horizontal, wordWrap());
    }
    if (!fitted_->layout) {
        return false;
    }
    painter.setPen(palette().color(foregroundRole()));
    fitted_->layout->draw(&painter, QPointF());
    return true;
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
