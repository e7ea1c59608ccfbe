#pragma once
// A panel whose face colour is kept exactly as the class library's colour value, because
// several commands decide by the colour a panel shows. It can carry a centred caption and
// reports a left click, so a click anywhere on a board slot can act as a click on its button.
#include "platform/Color.h"
#include <QFrame>
#include <QString>

class TColorPanel : public QFrame
{
    Q_OBJECT
public:
    explicit TColorPanel(QWidget* parent = nullptr);

    TColor Color() const { return color_; }
    void SetColor(TColor color);

    // Colour of the caption text (the panel's font colour).
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QFont CaptionFont() const;
    void TakeClick(QMouseEvent* event);

    TColor color_ = clBtnFace;
    TColor fontColor_ = clBlack;
    QString caption_;
    bool pressed_ = false;
};
