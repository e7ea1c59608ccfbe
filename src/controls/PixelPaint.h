#pragma once

#include <QColor>
#include <QPoint>
#include <QPolygon>
#include <QRect>

#include <initializer_list>

class QPainter;

// A drawing canvas with the class library's pixel rules on top of QPainter: rectangles cover
// left <= x < right and top <= y < bottom, and a line stops one pixel short of its end point.
// QPainter includes both, so every control whose look is given in pixels draws through this.
// The canvas keeps a pen colour, a brush colour and a pen position like the class library's
// canvas, so owner-draw handlers can be written the same way.
class PixelPaint
{
public:
    explicit PixelPaint(QPainter& painter);

    QColor PenColor{Qt::black};
    QColor BrushColor{Qt::white};

    QPainter& Painter() { return painter_; }

    // Fills the half-open rectangle with the brush colour (no outline).
    void FillRect(int left, int top, int right, int bottom);
    void FillRect(const QRect& rect);
    // Outline in the pen colour on the rectangle's border pixels, inside in the brush colour.
    void Rectangle(int left, int top, int right, int bottom);
    // Outline only: the border pixels of the half-open rectangle in the pen colour.
    void FrameRect(int left, int top, int right, int bottom);

    void MoveTo(int x, int y) { penPos_ = QPoint(x, y); }
    // Draws from the pen position to (x, y) without the end point, then moves there.
    void LineTo(int x, int y);
    QPoint PenPos() const { return penPos_; }
    // A connected line through the points; only the very last point stays undrawn.
    void Polyline(std::initializer_list<QPoint> points);
    void Polyline(const QPolygon& points);
    // Fills the polygon (even-odd, sampled at each pixel's top-left corner, right and bottom
    // edges excluded) with the brush colour and outlines it, closed, in the pen colour.
    void Polygon(const QPolygon& points);

    void SetPixel(int x, int y, const QColor& color);

    // A two-pixel raised bevel on the rectangle's border (outer ring, then inner ring; the
    // bottom-right colours take the two far corners); the rectangle shrinks by 2 on every side.
    void RaisedEdge(QRect& rect, const QColor& outerLight, const QColor& outerDark, const QColor& innerLight,
                    const QColor& innerDark);
    // The dotted focus frame: every other border pixel inverted, so drawing it twice removes it.
    void FocusRect(int left, int top, int right, int bottom);

private:
    void FillSpan(int x0, int x1, int y, const QColor& color);

    QPainter& painter_;
    QPoint penPos_;
};

// Rectangle from the class library's four edges; right and bottom are exclusive.
inline QRect EdgesToRect(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}
