#pragma once

#include <QColor>

class PixelPaint;

// Filled round shapes on a pixel canvas, with the box's right and bottom edges excluded as the
// class library's canvas does: a rounded rectangle whose corners are quarters of a cw x ch
// ellipse, and an ellipse (the rounded rectangle whose corner ellipse is the whole box).
// Pixels are inside when their centre is; the outline is the shape's own border pixels.
namespace RoundShapes {

void RoundRect(PixelPaint& canvas, int left, int top, int right, int bottom, int cornerWidth,
               int cornerHeight, const QColor& pen, const QColor& brush);
void Ellipse(PixelPaint& canvas, int left, int top, int right, int bottom, const QColor& pen,
             const QColor& brush);

} // namespace RoundShapes
