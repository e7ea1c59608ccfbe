#include "controls/PixelPaint.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

PixelPaint::PixelPaint(QPainter& painter) : painter_(painter)
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

void PixelPaint::FillRect(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top) {
        return;
    }
    painter_.fillRect(EdgesToRect(left, top, right, bottom), BrushColor);
}

void PixelPaint::FillRect(const QRect& rect)
{
    if (!rect.isEmpty()) {
        painter_.fillRect(rect, BrushColor);
    }
}

void PixelPaint::Rectangle(int left, int top, int right, int bottom)
{
    FillRect(left + 1, top + 1, right - 1, bottom - 1);
    FrameRect(left, top, right, bottom);
}

void PixelPaint::FrameRect(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top) {
        return;
    }
    FillSpan(left, right, top, PenColor);
    FillSpan(left, right, bottom - 1, PenColor);
    if (bottom - top > 2) {
        painter_.fillRect(EdgesToRect(left, top + 1, left + 1, bottom - 1), PenColor);
        painter_.fillRect(EdgesToRect(right - 1, top + 1, right, bottom - 1), PenColor);
    }
}

void PixelPaint::LineTo(int x, int y)
{
    const QPoint from = penPos_;
    penPos_ = QPoint(x, y);
    const int dx = std::abs(x - from.x());
    const int dy = std::abs(y - from.y());
    if (dx == 0 && dy == 0) {
        return;
    }
    // Straight lines are the common case and go out as one rectangle.
    if (dy == 0) {
        const int step = x > from.x() ? 1 : -1;
        const int last = x - step;
        painter_.fillRect(EdgesToRect(std::min(from.x(), last), y, std::max(from.x(), last) + 1, y + 1),
                          PenColor);
        return;
    }
    if (dx == 0) {
        const int step = y > from.y() ? 1 : -1;
        const int last = y - step;
        painter_.fillRect(EdgesToRect(x, std::min(from.y(), last), x + 1, std::max(from.y(), last) + 1),
                          PenColor);
        return;
    }
    // Bresenham along the major axis; the loop stops before the end point.
    const int sx = x > from.x() ? 1 : -1;
    const int sy = y > from.y() ? 1 : -1;
    int err = (dx > dy ? dx : -dy) / 2;
    int cx = from.x();
    int cy = from.y();
    const int steps = std::max(dx, dy);
    // Neighbouring pixels in one row or one column go out as one rectangle: a steep or flat line
    // is a few fills instead of one per pixel.
    QRect run;
    for (int i = 0; i < steps; ++i) {
        const QRect pixel(cx, cy, 1, 1);
        const bool alongRow =
            run.height() == 1 && cy == run.top() && (cx == run.left() - 1 || cx == run.right() + 1);
        const bool alongColumn =
            run.width() == 1 && cx == run.left() && (cy == run.top() - 1 || cy == run.bottom() + 1);
        if (run.isNull()) {
            run = pixel;
        } else if (alongRow || alongColumn) {
            run |= pixel;
        } else {
            painter_.fillRect(run, PenColor);
            run = pixel;
        }
        const int e = err;
        if (e > -dx) {
            err -= dy;
            cx += sx;
        }
        if (e < dy) {
            err += dx;
            cy += sy;
        }
    }
    if (!run.isNull()) {
        painter_.fillRect(run, PenColor);
    }
}

void PixelPaint::Polyline(std::initializer_list<QPoint> points)
{
    Polyline(QPolygon(QList<QPoint>(points)));
}

void PixelPaint::Polyline(const QPolygon& points)
{
    if (points.isEmpty()) {
        return;
    }
    MoveTo(points.front().x(), points.front().y());
    for (qsizetype i = 1; i < points.size(); ++i) {
        LineTo(points[i].x(), points[i].y());
    }
}

void PixelPaint::Polygon(const QPolygon& points)
{
    if (points.size() < 2) {
        return;
    }
    const QRect bounds = points.boundingRect();
    std::vector<double> crossings;
    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        crossings.clear();
        for (qsizetype i = 0; i < points.size(); ++i) {
            const QPoint a = points[i];
            const QPoint b = points[(i + 1) % points.size()];
            // Half-open in y so that a shared vertex is counted once.
            if ((a.y() <= y && y < b.y()) || (b.y() <= y && y < a.y())) {
                crossings.push_back(a.x() + double(y - a.y()) * (b.x() - a.x()) / (b.y() - a.y()));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            FillSpan(int(std::ceil(crossings[i])), int(std::ceil(crossings[i + 1])), y, BrushColor);
        }
    }
    QPolygon closed = points;
    closed.append(points.front());
    Polyline(closed);
}

void PixelPaint::SetPixel(int x, int y, const QColor& color)
{
    painter_.fillRect(QRect(x, y, 1, 1), color);
}

void PixelPaint::RaisedEdge(QRect& rect, const QColor& outerLight, const QColor& outerDark,
                            const QColor& innerLight, const QColor& innerDark)
{
    const QColor rings[2][2] = {{outerLight, outerDark}, {innerLight, innerDark}};
    for (const auto& ring : rings) {
        if (rect.width() <= 0 || rect.height() <= 0) {
            return;
        }
        const int l = rect.left();
        const int t = rect.top();
        const int r = rect.right() + 1;
        const int b = rect.bottom() + 1;
        PenColor = ring[0];
        MoveTo(l, t);
        LineTo(r, t);
        MoveTo(l, t);
        LineTo(l, b);
        PenColor = ring[1];
        MoveTo(l, b - 1);
        LineTo(r, b - 1);
        MoveTo(r - 1, t);
        LineTo(r - 1, b);
        rect.adjust(1, 1, -1, -1);
    }
}

void PixelPaint::FocusRect(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top) {
        return;
    }
    const QPainter::CompositionMode old = painter_.compositionMode();
    painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const auto dot = [this](int x, int y) {
        if (((x + y) & 1) == 0) {
            painter_.fillRect(QRect(x, y, 1, 1), Qt::white);
        }
    };
    for (int x = left; x < right; ++x) {
        dot(x, top);
        if (bottom - 1 != top) {
            dot(x, bottom - 1);
        }
    }
    for (int y = top + 1; y < bottom - 1; ++y) {
        dot(left, y);
        if (right - 1 != left) {
            dot(right - 1, y);
        }
    }
    painter_.setCompositionMode(old);
}

void PixelPaint::FillSpan(int x0, int x1, int y, const QColor& color)
{
    if (x1 > x0) {
        painter_.fillRect(QRect(x0, y, x1 - x0, 1), color);
    }
}
