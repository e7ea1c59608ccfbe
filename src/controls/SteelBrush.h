#pragma once

#include <QBrush>
#include <QImage>
#include <QRect>

class QPainter;

// The brushed-metal pattern that controls with a steel look tile over their background:
// an 8 x 8 silver bitmap with a white dot wherever column and row are both odd.
// One process-wide bitmap, built on first use (the application builds it at start, before
// any window) and read-only afterwards.
class SteelBrush
{
public:
    static constexpr int Size = 8;

    static const QImage& Bitmap();
    // The bitmap as a tiling brush.
    static QBrush Brush();
    // Fills the rectangle with the pattern; the tiling starts at the painter's origin, as the
    // class library's brush does on a control's own bitmap.
    static void Fill(QPainter& painter, const QRect& rect);
};
