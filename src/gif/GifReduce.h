#pragma once

#include "gif/GifBitmap.h"
#include "gif/GifDither.h"

enum TColorReduction
{
    rcNone,
    rcSystem20,
    rcHalftone256,
    rcGray4,
    rcMono,
    rcGray256,
    rcCube216,
    rcOctree,
    rcOctreeSystem,
    rcCustomPalette
};

// A new 8-bit bitmap of the source's size in the colours of the method, dithered by the mode
// (for rcNone a 24-bit copy). reductionBits (1..8) sets the octree's 2^bits colours. Raises
// "Invalid image dimensions" for an empty source or when the method, palette or mode leaves
// nothing to reduce to.
TBitmap ReduceBitmapColors(const TBitmap& bitmap, TColorReduction method, TDitherMode dither,
                           const QList<QRgb>& customPalette = {}, int reductionBits = 8);
// The palette a method reduces to (empty for rcNone and unknown methods).
QList<QRgb> ReductionPalette(const TBitmap& bitmap, TColorReduction method, const QList<QRgb>& customPalette,
                             int reductionBits);
