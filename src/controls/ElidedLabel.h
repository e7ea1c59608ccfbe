#pragma once
// A one-line label whose text, when wider than the label, is shown shortened with an ellipsis
// (at the end, or in the middle so that both ends of a path stay readable) instead of being cut
// at the label's edge. text() keeps the whole text.
#include <QLabel>

class TElidedLabel : public QLabel
{
public:
    TElidedLabel(Qt::TextElideMode mode, QWidget* parent = nullptr);

    // The text as painted at the present width and font.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::TextElideMode mode_;
};

// The largest pixel size, not above the control's present one, at which `widestText` fits the
// control's width with `gapPx` to spare; the control keeps it as its own font.
void FitFontToWidth(QWidget& control, const QString& widestText, int gapPx);
