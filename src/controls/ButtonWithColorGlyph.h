#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>

class QPainter;

enum class TButtonLayout
{
    blGlyphLeft,
    blGlyphRight,
    blGlyphTop,
    blGlyphBottom
};
enum class TGlyphState
{
    bsUp,
    bsDisabled,
    bsDown,
    bsExclusive
};

// The glyph of a colour button: a bitmap of one to four cells side by side (up, disabled,
// down, exclusive) and the cell images made from it. A cell is rendered on the button's own
// face colour, so the holder drops its cells whenever that colour changes.
class TButtonGlyph
{
public:
    struct Placement
    {
        QPoint GlyphPos;
        QRect TextBounds;
    };

    const QImage& Glyph() const { return original_; }
    void SetGlyph(const QImage& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    // Kept within 1..4.
    void SetNumGlyphs(int value);
    QSize CellSize() const;
    // Forget the rendered cells; they are made again on the next draw.
    void Invalidate();
    // How many cells have been rendered since the holder was made (for checks of the cache).
    int CellsRendered() const { return cellsRendered_; }

    // The cell for a state on the given face colour, rendered once and then cached.
    const QImage& Cell(TGlyphState state, const QColor& face);

    // Where glyph and caption go inside client, by layout, margin and spacing.
    static Placement CalcButtonLayout(const QRect& client, QSize glyphSize, QSize textSize,
                                      TButtonLayout layout, int margin, int spacing);

    // Draws glyph and caption in client; a disabled caption is embossed.
    void Draw(QPainter& painter, const QRect& client, const QString& caption, TButtonLayout layout,
              int margin, int spacing, TGlyphState state, const QColor& face, const QFont& font,
              const QColor& textColor);

    static constexpr int TextFlags = Qt::AlignCenter | Qt::TextShowMnemonic;

private:
    QImage RenderCell(TGlyphState state, const QColor& face) const;

    QImage original_;
    int numGlyphs_ = 1;
    std::array<QImage, 4> cells_;
    std::array<QColor, 4> cellFaces_;
    int cellsRendered_ = 0;
};
