#include "controls/ButtonWithColorKinds.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace {

constexpr int kCell = 18;
// The glyphs' transparent colour (their bottom-left pixel): olive, which no glyph uses as ink.
const QColor kOlive(0x80, 0x80, 0x00);

void DrawKindPicture(QPainter& p, TBitBtnWithColorKind kind)
{
    const auto pen = [&p](const QColor& c, int w) { p.setPen(QPen(c, w, Qt::SolidLine, Qt::SquareCap)); };
    switch (kind) {
    case TBitBtnWithColorKind::bkOK:
    case TBitBtnWithColorKind::bkYes:
        pen(QColor(0, 0x80, 0), 2);
        p.drawPolyline(QPolygon(QList<QPoint>{{3, 9}, {7, 13}, {14, 4}}));
        break;
    case TBitBtnWithColorKind::bkAll:
        pen(QColor(0, 0x80, 0), 2);
        p.drawPolyline(QPolygon(QList<QPoint>{{1, 9}, {4, 12}, {9, 5}}));
        p.drawPolyline(QPolygon(QList<QPoint>{{7, 10}, {10, 13}, {16, 5}}));
        break;
    case TBitBtnWithColorKind::bkCancel:
    case TBitBtnWithColorKind::bkAbort:
        pen(QColor(0xFF, 0, 0), 2);
        p.drawLine(4, 4, 13, 13);
        p.drawLine(13, 4, 4, 13);
        if (kind == TBitBtnWithColorKind::bkAbort) {
            pen(QColor(0x80, 0, 0), 1);
            p.drawEllipse(1, 1, 15, 15);
        }
        break;
    case TBitBtnWithColorKind::bkNo:
        pen(QColor(0xFF, 0, 0), 2);
        p.drawEllipse(3, 3, 11, 11);
        p.drawLine(5, 12, 12, 5);
        break;
    case TBitBtnWithColorKind::bkHelp:
        pen(QColor(0, 0, 0xFF), 2);
        p.drawArc(5, 2, 8, 7, 0, 180 * 16);
        p.drawArc(5, 2, 8, 7, 0, -90 * 16);
        p.drawLine(9, 9, 9, 11);
        p.drawPoint(9, 14);
        break;
    case TBitBtnWithColorKind::bkClose:
        p.fillRect(4, 1, 10, 16, QColor(0x80, 0, 0));
        p.fillRect(6, 3, 6, 12, QColor(0xFF, 0xFF, 0));
        p.fillRect(10, 8, 1, 2, Qt::black);
        break;
    case TBitBtnWithColorKind::bkRetry:
        pen(QColor(0, 0x80, 0), 2);
        p.drawArc(3, 3, 12, 12, 45 * 16, 270 * 16);
        p.drawLine(14, 3, 14, 7);
        p.drawLine(14, 7, 10, 7);
        break;
    case TBitBtnWithColorKind::bkIgnore:
        pen(QColor(0, 0, 0x80), 2);
        p.drawLine(3, 14, 14, 3);
        p.drawLine(9, 3, 14, 3);
        p.drawLine(14, 3, 14, 8);
        break;
    case TBitBtnWithColorKind::bkCustom:
        break;
    }
}

QImage BuildKindGlyph(TBitBtnWithColorKind kind)
{
    if (kind == TBitBtnWithColorKind::bkCustom) {
        return QImage();
    }
    QImage image(2 * kCell, kCell, QImage::Format_RGB32);
    image.fill(kOlive);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        DrawKindPicture(p, kind);
    }
    // The disabled cell: the picture's ink as an embossed gray shape.
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            if (image.pixel(x, y) == kOlive.rgb()) {
                continue;
            }
            if (x + 1 < kCell && y + 1 < kCell && image.pixel(kCell + x + 1, y + 1) == kOlive.rgb()) {
                image.setPixel(kCell + x + 1, y + 1, qRgb(0xFF, 0xFF, 0xFF));
            }
            image.setPixel(kCell + x, y, qRgb(0x80, 0x80, 0x80));
        }
    }
    return image;
}

} // namespace

TBitBtnKindInfo BitBtnKindInfo(TBitBtnWithColorKind kind)
{
    switch (kind) {
    case TBitBtnWithColorKind::bkCustom:
        return {0, "", QString()};
    case TBitBtnWithColorKind::bkOK:
        return {1, "BBCOK", QStringLiteral("OK")};
    case TBitBtnWithColorKind::bkCancel:
        return {2, "BBCCANCEL", QStringLiteral("Cancel")};
    case TBitBtnWithColorKind::bkHelp:
        return {0, "BBCHELP", QStringLiteral("&Help")};
    case TBitBtnWithColorKind::bkYes:
        return {6, "BBCYES", QStringLiteral("&Yes")};
    case TBitBtnWithColorKind::bkNo:
        return {7, "BBCNO", QStringLiteral("&No")};
    case TBitBtnWithColorKind::bkClose:
        return {0, "BBCCLOSE", QStringLiteral("&Close")};
    case TBitBtnWithColorKind::bkAbort:
        return {3, "BBCABORT", QStringLiteral("Abort")};
    case TBitBtnWithColorKind::bkRetry:
        return {4, "BBCRETRY", QStringLiteral("&Retry")};
    case TBitBtnWithColorKind::bkIgnore:
        return {5, "BBCIGNORE", QStringLiteral("&Ignore")};
    case TBitBtnWithColorKind::bkAll:
        return {8, "BBCALL", QStringLiteral("&All")};
    }
    return {0, "", QString()};
}

const QImage& BitBtnKindGlyph(TBitBtnWithColorKind kind)
{
    static std::array<QImage, 11> glyphs;
    static std::array<bool, 11> built{};
    const auto index = static_cast<size_t>(kind);
    if (!built[index]) {
        glyphs[index] = BuildKindGlyph(kind);
        built[index] = true;
    }
    return glyphs[index];
}
