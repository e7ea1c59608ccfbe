#include "controls/ButtonWithColorGlyph.h"

#include "platform/Color.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

void TButtonGlyph::SetGlyph(const QImage& glyph)
{
    original_ = glyph.isNull() ? QImage() : glyph.convertToFormat(QImage::Format_RGB32);
    Invalidate();
}

void TButtonGlyph::SetNumGlyphs(int value)
{
    const int clamped = std::clamp(value, 1, 4);
    if (clamped != numGlyphs_) {
        numGlyphs_ = clamped;
        Invalidate();
    }
}

QSize TButtonGlyph::CellSize() const
{
    if (original_.isNull()) {
        return QSize(0, 0);
    }
    return QSize(original_.width() / numGlyphs_, original_.height());
}

void TButtonGlyph::Invalidate()
{
    cells_.fill(QImage());
}

const QImage& TButtonGlyph::Cell(TGlyphState state, const QColor& face)
{
    // States without a cell of their own fall back to the up cell; only the disabled state
    // makes its own (embossed) image.
    if ((state == TGlyphState::bsDown && numGlyphs_ < 3) ||
        (state == TGlyphState::bsExclusive && numGlyphs_ < 4)) {
        state = TGlyphState::bsUp;
    }
    const auto index = static_cast<size_t>(state);
    if (cells_[index].isNull() || cellFaces_[index] != face) {
        cells_[index] = RenderCell(state, face);
        cellFaces_[index] = face;
        ++cellsRendered_;
    }
    return cells_[index];
}

QImage TButtonGlyph::RenderCell(TGlyphState state, const QColor& face) const
{
    const QSize size = CellSize();
    QImage cell(size, QImage::Format_RGB32);
    cell.fill(face);
    if (size.isEmpty()) {
        return cell;
    }
    // The bitmap's bottom-left pixel names its transparent colour.
    const QRgb transparent = original_.pixel(0, original_.height() - 1) | 0xFF000000u;
    const bool embossed = state == TGlyphState::bsDisabled && numGlyphs_ < 2;
    const int cellIndex = embossed ? 0 : static_cast<int>(state);
    const int x0 = cellIndex * size.width();
    if (!embossed) {
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const QRgb p = original_.pixel(x0 + x, y) | 0xFF000000u;
                if (p != transparent) {
                    cell.setPixel(x, y, p);
                }
            }
        }
        return cell;
    }
    // Disabled look of a single-cell glyph: its ink in highlight one pixel down-right, then
    // in shadow on top; white and transparent pixels are not ink.
    const auto ink = [&](int x, int y) {
        const QRgb p = original_.pixel(x, y) | 0xFF000000u;
        return p != transparent && p != 0xFFFFFFFFu;
    };
    const QRgb highlight = ToQColor(clBtnHighlight).rgb();
    const QRgb shadow = ToQColor(clBtnShadow).rgb();
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (ink(x, y) && x + 1 < size.width() && y + 1 < size.height()) {
                cell.setPixel(x + 1, y + 1, highlight);
            }
        }
    }
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (ink(x, y)) {
                cell.setPixel(x, y, shadow);
            }
        }
    }
    return cell;
}

TButtonGlyph::Placement TButtonGlyph::CalcButtonLayout(const QRect& client, QSize glyphSize, QSize textSize,
                                                       TButtonLayout layout, int margin, int spacing)
{
    const int clientW = client.width();
    const int clientH = client.height();
    const bool sideways = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
    QPoint glyphPos;
    QPoint textPos;
    // Beside each other both are centred vertically; above each other, horizontally.
    if (sideways) {
        glyphPos.setY((clientH - glyphSize.height() + 1) / 2);
        textPos.setY((clientH - textSize.height() + 1) / 2);
    } else {
        glyphPos.setX((clientW - glyphSize.width() + 1) / 2);
        textPos.setX((clientW - textSize.width() + 1) / 2);
    }
    if (textSize.width() == 0 || glyphSize.width() == 0) {
        spacing = 0;
    }
    if (margin == -1) {
        if (spacing == -1) {
            const int total =
                sideways ? glyphSize.width() + textSize.width() : glyphSize.height() + textSize.height();
            margin = ((sideways ? clientW : clientH) - total) / 3;
            spacing = margin;
        } else {
            const int total = sideways ? glyphSize.width() + spacing + textSize.width()
                                       : glyphSize.height() + spacing + textSize.height();
            margin = ((sideways ? clientW : clientH) - total + 1) / 2;
        }
    } else if (spacing == -1) {
        const int rest =
            sideways ? clientW - (margin + glyphSize.width()) : clientH - (margin + glyphSize.height());
        spacing = (rest - (sideways ? textSize.width() : textSize.height())) / 2;
    }
    switch (layout) {
    case TButtonLayout::blGlyphLeft:
        glyphPos.setX(margin);
        textPos.setX(glyphPos.x() + glyphSize.width() + spacing);
        break;
    case TButtonLayout::blGlyphRight:
        glyphPos.setX(clientW - margin - glyphSize.width());
        textPos.setX(glyphPos.x() - spacing - textSize.width());
        break;
    case TButtonLayout::blGlyphTop:
        glyphPos.setY(margin);
        textPos.setY(glyphPos.y() + glyphSize.height() + spacing);
        break;
    case TButtonLayout::blGlyphBottom:
        glyphPos.setY(clientH - margin - glyphSize.height());
        textPos.setY(glyphPos.y() - spacing - textSize.height());
        break;
    }
    const QPoint origin = client.topLeft();
    return {glyphPos + origin, QRect(textPos + origin, textSize)};
}

void TButtonGlyph::Draw(QPainter& painter, const QRect& client, const QString& caption, TButtonLayout layout,
                        int margin, int spacing, TGlyphState state, const QColor& face, const QFont& font,
                        const QColor& textColor)
{
    painter.setFont(font);
    QSize textSize(0, 0);
    if (!caption.isEmpty()) {
        const QFontMetrics metrics(font);
        textSize = metrics.boundingRect(QRect(0, 0, client.width(), 0), TextFlags, caption).size();
    }
    const Placement place = CalcButtonLayout(client, CellSize(), textSize, layout, margin, spacing);
    if (!original_.isNull()) {
        painter.drawImage(place.GlyphPos, Cell(state, face));
    }
    if (caption.isEmpty()) {
        return;
    }
    if (state == TGlyphState::bsDisabled) {
        painter.setPen(ToQColor(clBtnHighlight));
        painter.drawText(place.TextBounds.translated(1, 1), TextFlags, caption);
        painter.setPen(ToQColor(clBtnShadow));
        painter.drawText(place.TextBounds, TextFlags, caption);
        return;
    }
    painter.setPen(textColor);
    painter.drawText(place.TextBounds, TextFlags, caption);
}
