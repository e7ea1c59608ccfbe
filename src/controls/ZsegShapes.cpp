#include "controls/ZsegShapes.h"

#include "controls/PixelPaint.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

struct Span
{
    int first = 0;
    int last = -1; // inclusive; last < first means an empty row
    bool Contains(int x) const { return x >= first && x <= last; }
};

// How far the rounded corners cut into each row of the box.
std::vector<Span> RowSpans(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    const double rx = std::clamp(cornerWidth, 0, right - left) / 2.0;
    const double ry = std::clamp(cornerHeight, 0, bottom - top) / 2.0;
    std::vector<Span> rows;
    rows.reserve(static_cast<std::size_t>(bottom - top));
    for (int y = top; y < bottom; ++y) {
        const double centre = y + 0.5;
        double into = 0; // distance from the straight part of the sides, in rows
        if (centre < top + ry) {
            into = top + ry - centre;
        } else if (centre > bottom - ry) {
            into = centre - (bottom - ry);
        }
        Span span{left, right - 1};
        if (into > 0) {
            const double ratio = into / ry;
            const double half = ratio >= 1 ? 0 : rx * std::sqrt(1 - ratio * ratio);
            span.first = static_cast<int>(std::ceil(left + rx - half - 0.5));
            span.last = static_cast<int>(std::floor(right - rx + half - 0.5));
        }
        rows.push_back(span);
    }
    return rows;
}

void PaintSpans(PixelPaint& canvas, int top, const std::vector<Span>& rows, const QColor& pen,
                const QColor& brush)
{
    const int count = static_cast<int>(rows.size());
    for (int i = 0; i < count; ++i) {
        const Span& row = rows[static_cast<std::size_t>(i)];
        if (row.last < row.first) {
            continue;
        }
        const int y = top + i;
        canvas.Painter().fillRect(row.first, y, row.last - row.first + 1, 1, brush);
        if (pen == brush) {
            continue;
        }
        static const Span none;
        const Span& above = i > 0 ? rows[static_cast<std::size_t>(i - 1)] : none;
        const Span& below = i + 1 < count ? rows[static_cast<std::size_t>(i + 1)] : none;
        for (int x = row.first; x <= row.last; ++x) {
            const bool border = x == row.first || x == row.last || !above.Contains(x) || !below.Contains(x);
            if (border) {
                canvas.SetPixel(x, y, pen);
            }
        }
    }
}

} // namespace

namespace RoundShapes {

void RoundRect(PixelPaint& canvas, int left, int top, int right, int bottom, int cornerWidth,
               int cornerHeight, const QColor& pen, const QColor& brush)
{
    if (right < left) {
        std::swap(left, right);
    }
    if (bottom < top) {
        std::swap(top, bottom);
    }
    if (right == left || bottom == top) {
        return;
    }
    PaintSpans(canvas, top, RowSpans(left, top, right, bottom, cornerWidth, cornerHeight), pen, brush);
}

void Ellipse(PixelPaint& canvas, int left, int top, int right, int bottom, const QColor& pen,
             const QColor& brush)
{
    RoundRect(canvas, left, top, right, bottom, std::abs(right - left), std::abs(bottom - top), pen, brush);
}

} // namespace RoundShapes
