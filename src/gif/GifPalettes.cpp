#include "gif/GifPalettes.h"

QList<QRgb> SystemPalette20()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),     qRgb(0, 128, 0),     qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128),   qRgb(0, 128, 128),   qRgb(192, 192, 192),
            qRgb(192, 220, 192), qRgb(166, 202, 240), qRgb(255, 251, 240), qRgb(160, 160, 164),
            qRgb(128, 128, 128), qRgb(255, 0, 0),     qRgb(0, 255, 0),     qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255),   qRgb(0, 255, 255),   qRgb(255, 255, 255)};
}

QList<QRgb> SystemPalette16()
{
    const QList<QRgb> all = SystemPalette20();
    return all.mid(0, 8) + all.mid(12, 8);
}

QList<QRgb> CubePalette216()
{
    QList<QRgb> palette;
    palette.reserve(216);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.append(qRgb(r * 51, g * 51, b * 51));
    return palette;
}

QList<QRgb> GrayPalette(int levels)
{
    QList<QRgb> palette;
    levels = std::max(levels, 2);
    for (int i = 0; i < levels; ++i) {
        const int v = i * 255 / (levels - 1);
        palette.append(qRgb(v, v, v));
    }
    return palette;
}

QList<QRgb> HalftonePalette256()
{
    const QList<QRgb> system = SystemPalette20();
    QList<QRgb> palette = system.mid(0, 10) + CubePalette216();
    // Greys between the cube's steps of 51, four in each gap.
    for (int step = 0; step < 5; ++step)
        for (int k = 1; k <= 4; ++k) {
            const int v = step * 51 + k * 10 + (k > 2 ? 1 : 0);
            palette.append(qRgb(v, v, v));
        }
    return palette + system.mid(10, 10);
}
