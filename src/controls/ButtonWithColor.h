#pragma once

#include "controls/ButtonWithColorGlyph.h"
#include "controls/ButtonWithColorKinds.h"
#include "platform/Color.h"

#include <QPushButton>

#include <functional>

enum class TButtonStyle
{
    bsAutoDetect,
    bsWin31,
    bsNew
};

// The program's standard push button, drawn by the program so that its face can take any
// colour (the sound buttons show each sound's state this way), with an optional glyph and the
// caption laid out around it. The class name is what drag and drop recognises a button by.
class TBitBtnWithColor : public QPushButton
{
    Q_OBJECT

public:
    explicit TBitBtnWithColor(QWidget* parent = nullptr);
    explicit TBitBtnWithColor(const QString& caption, QWidget* parent = nullptr);

    TColor Color() const { return color_; }
    // An unchanged colour does nothing; a new one re-renders the glyph on it and repaints.
    void SetColor(TColor value);
    const QImage& Glyph() const { return glyph_.Glyph(); }
    void SetGlyph(const QImage& value);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int value);
    // bkCustom once Default, Cancel, ModalResult or the glyph no longer match the kind set.
    TBitBtnWithColorKind Kind();
    void SetKind(TBitBtnWithColorKind value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    // Values below -1 are refused; -1 centres glyph and caption.
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    TButtonStyle Style() const { return style_; }
    void SetStyle(TButtonStyle value);
    QString Caption() const { return text(); }
    void SetCaption(const QString& value) { setText(value); }
    bool Default() const { return isDefault(); }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor value);
    // False: an "&" in the caption shows as itself and makes no accelerator key.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    // True: a one-line caption wider than the face is shortened with an ellipsis.
    void SetEllipsis(bool value);
    // The caption as painted.
    QString ShownCaption() const;

    // The button is its window's current default button: it has the focus, or it is the
    // Default button while no other button has the focus.
    bool Active() const;
    // Glyph cells rendered so far; a colour change renders them again.
    int GlyphCellsRendered() const { return glyph_.CellsRendered(); }

    // Runs the kind's action: help topic, closing the window, or the modal result.
    virtual void Click();

    // Called with the help context of the nearest control that has one (a "HelpContext"
    // property), for help buttons.
    std::function<void(int helpContext)> OnHelp;

    // The face exactly as painted on screen.
    QImage PaintToImage();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Init();

    TColor color_ = clBtnFace;
    TColor fontColor_ = clWindowText;
    TButtonGlyph glyph_;
    TBitBtnWithColorKind kind_ = TBitBtnWithColorKind::bkCustom;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    TButtonStyle style_ = TButtonStyle::bsAutoDetect;
    bool cancel_ = false;
    int modalResult_ = 0;
    bool modifiedGlyph_ = false;
    bool showAccelChar_ = true;
    bool ellipsis_ = false;
};

using ButtonWithColor = TBitBtnWithColor;
