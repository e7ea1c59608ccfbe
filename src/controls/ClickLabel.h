#pragma once
// A label with the class library's colour values for its face and its font, which reports a
// left click. The board's caption memos, time labels and marker labels are of this kind so
// that a click on any part of a slot reaches the slot's click handler. Each shows its text whole:
// wrapped lines too many for its height are set closer, or smaller; a line too tall is centred
// by its ink, or smaller.
#include "platform/Color.h"
#include <QLabel>

#include <cstdint>
#include <memory>

class QPainter;

class TClickLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TClickLabel(QWidget* parent = nullptr);
    ~TClickLabel() override;

    // Text lines laid out by every label's own fitting so far: what bounds a paint's work.
    static inline std::int64_t linesLaidOut = 0;

    // Face colour; clNone shows the face of the panel it lies on (see paintEvent).
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Draws a text that the label's own drawing would cut at its top or bottom so that it shows
    // whole; false when the text fits as it is (the label draws it).
    bool PaintTextWhole(QPainter& painter) const;
    void TakeClick(QMouseEvent* event);

    // The fit last worked out: the text and area it was made for, and its layout.
    struct Fitted;
    mutable std::unique_ptr<Fitted> fitted_;

    TColor color_ = clNone;
    TColor fontColor_ = clBlack;
    bool pressed_ = false;
};
