#pragma once

#include <QList>
#include <QRgb>

// The fixed palettes of colour reduction, as constant tables.

// The 20 colours a palette display always reserves: the 16 VGA colours with four more at
// positions 8, 9, 10 and 11 (money green, sky blue, cream, medium grey), in the customary order:
// ten at the start of a system palette and ten at its end.
QList<QRgb> SystemPalette20();
// The 16 VGA colours (the first eight and the last eight of the 20).
QList<QRgb> SystemPalette16();
// The 216-colour cube: entry r*36 + g*6 + b is (r*51, g*51, b*51).
QList<QRgb> CubePalette216();
// Greys: 256 levels; 4 levels 0, 85, 170, 255; 2 levels black and white.
QList<QRgb> GrayPalette(int levels);
// The halftone palette of a palette screen: the first ten system colours, the 216-colour cube,
// twenty extra greys (four between each two grey levels of the cube), the last ten system colours.
QList<QRgb> HalftonePalette256();
