#pragma once

#include "controls/SlideBarTypes.h"

#include <QColor>
#include <QImage>

// The thumb of a slide bar: its bitmap and a mask of the same size. Where the mask is black
// the thumb is opaque; where it is white the thumb bitmap is black, so AND with the mask and
// OR with the bitmap leaves the background showing through.
struct SlideBarThumb
{
    QImage Bitmap;
    QImage Mask;
};

SlideBarThumb BuildSlideBarThumb(TThumbStyle style, const QColor& face);
