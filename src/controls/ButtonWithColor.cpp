#include "controls/ButtonWithColor.h"

#include "controls/PixelPaint.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>

TBitBtnWithColor::TBitBtnWithColor(QWidget* parent) : QPushButton(parent)
{
    Init();
}

TBitBtnWithColor::TBitBtnWithColor(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    Init();
}

void TBitBtnWithColor::Init()
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(this, &QAbstractButton::clicked, this, [this] { Click(); });
    // The focus frame follows the focus across the window: a Default button shows it while
    // no other button holds the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (old == this || now == this || isDefault()) {
            update();
        }
    });
}

void TBitBtnWithColor::SetColor(TColor value)
{
    if (value == color_) {
        return;
    }
    color_ = value;
    // As assigning the glyph to itself: cached cells go and the glyph counts as changed.
    glyph_.Invalidate();
    modifiedGlyph_ = true;
    update();
}

void TBitBtnWithColor::SetGlyph(const QImage& value)
{
    glyph_.SetGlyph(value);
    modifiedGlyph_ = true;
    update();
}

void TBitBtnWithColor::SetNumGlyphs(int value)
{
    const int old = glyph_.NumGlyphs();
    glyph_.SetNumGlyphs(value);
    if (glyph_.NumGlyphs() != old) {
        update();
    }
}

TBitBtnWithColorKind TBitBtnWithColor::Kind()
{
    if (kind_ != TBitBtnWithColorKind::bkCustom) {
        const bool defaultKind = kind_ == TBitBtnWithColorKind::bkOK || kind_ == TBitBtnWithColorKind::bkYes;
        const bool cancelKind =
            kind_ == TBitBtnWithColorKind::bkCancel || kind_ == TBitBtnWithColorKind::bkNo;
        if (defaultKind != isDefault() || cancelKind != cancel_ ||
            modalResult_ != BitBtnKindInfo(kind_).ModalResult || modifiedGlyph_) {
            kind_ = TBitBtnWithColorKind::bkCustom;
        }
    }
    return kind_;
}

void TBitBtnWithColor::SetKind(TBitBtnWithColorKind value)
{
    if (value == kind_) {
        return;
    }
    if (value != TBitBtnWithColorKind::bkCustom) {
        const TBitBtnKindInfo info = BitBtnKindInfo(value);
        SetDefault(value == TBitBtnWithColorKind::bkOK || value == TBitBtnWithColorKind::bkYes);
        cancel_ = value == TBitBtnWithColorKind::bkCancel || value == TBitBtnWithColorKind::bkNo;
        setText(info.Caption);
        modalResult_ = info.ModalResult;
        glyph_.SetGlyph(BitBtnKindGlyph(value));
        glyph_.SetNumGlyphs(2);
        modifiedGlyph_ = false;
    }
    kind_ = value;
    update();
}

void TBitBtnWithColor::SetLayout(TButtonLayout value)
{
    if (value != layout_) {
        layout_ = value;
        update();
    }
}

void TBitBtnWithColor::SetMargin(int value)
{
    if (value >= -1 && value != margin_) {
        margin_ = value;
        update();
    }
}

void TBitBtnWithColor::SetSpacing(int value)
{
    if (value != spacing_) {
        spacing_ = value;
        update();
    }
}

void TBitBtnWithColor::SetStyle(TButtonStyle value)
{
    if (value != style_) {
        style_ = value;
        update();
    }
}

void TBitBtnWithColor::SetDefault(bool value)
{
    setDefault(value);
    update();
}

void TBitBtnWithColor::SetFontColor(TColor value)
{
    if (value != fontColor_) {
        fontColor_ = value;
        update();
    }
}

bool TBitBtnWithColor::Active() const
{
    const QWidget* top = window();
    const QWidget* focus = top ? top->focusWidget() : nullptr;
    if (focus == this) {
        return true;
    }
    if (focus != nullptr && qobject_cast<const QAbstractButton*>(focus) != nullptr) {
        return false;
    }
    return isDefault();
}

void TBitBtnWithColor::Click()
{
    if (kind_ == TBitBtnWithColorKind::bkHelp) {
        for (const QWidget* w = this; w != nullptr; w = w->parentWidget()) {
            const int context = w->property("HelpContext").toInt();
            if (context != 0) {
                if (OnHelp) {
                    OnHelp(context);
                }
                return;
            }
        }
    } else if (kind_ == TBitBtnWithColorKind::bkClose && window() != this) {
        window()->close();
        return;
    }
    if (modalResult_ != 0) {
        if (auto* dialog = qobject_cast<QDialog*>(window())) {
            dialog->done(modalResult_);
        }
    }
}

QImage TBitBtnWithColor::PaintToImage()
{
    const QRect client = rect();
    QImage image(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    const QColor face = ToQColor(color_);
    image.fill(face);
    QPainter painter(&image);
    PixelPaint canvas(painter);
    const bool pressed = isDown();
    const bool focused = hasFocus();
    const bool active = Active();
    QRect r = client;
    if (active || focused) {
        canvas.PenColor = ToQColor(clWindowFrame);
        canvas.FrameRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
        r.adjust(1, 1, -1, -1);
    }
    if (pressed) {
        canvas.PenColor = ToQColor(clBtnShadow);
    } else {
        canvas.RaisedEdge(r, ToQColor(cl3DLight), ToQColor(cl3DDkShadow), ToQColor(clBtnHighlight),
                          ToQColor(clBtnShadow));
        canvas.PenColor = face;
    }
    canvas.BrushColor = face;
    canvas.Rectangle(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    r.adjust(1, 1, -1, -1);
    if (active) {
        r = client.adjusted(1, 1, -1, -1);
    }
    if (pressed) {
        r.translate(1, 1);
    }
    const TGlyphState state =
        !isEnabled() ? TGlyphState::bsDisabled : (pressed ? TGlyphState::bsDown : TGlyphState::bsUp);
    glyph_.Draw(painter, r, ShownCaption(), layout_, margin_, spacing_, state, face, font(),
                ToQColor(fontColor_));
    if (active) {
        const QRect f = client.adjusted(4, 4, -4, -4);
        canvas.FocusRect(f.left(), f.top(), f.right() + 1, f.bottom() + 1);
    }
    return image;
}

void TBitBtnWithColor::SetShowAccelChar(bool value)
{
    if (showAccelChar_ != value) {
        showAccelChar_ = value;
        update();
    }
}

void TBitBtnWithColor::SetEllipsis(bool value)
{
    if (ellipsis_ != value) {
        ellipsis_ = value;
        update();
    }
}

QString TBitBtnWithColor::ShownCaption() const
{
    QString caption = text();
    if (!showAccelChar_) {
        // Drawn with mnemonics on, so a literal "&" is doubled.
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    }
    const int room = width() - 8 - (glyph_.Glyph().isNull() ? 0 : glyph_.CellSize().width() + spacing_);
    const QFontMetrics metrics(font());
    if (!ellipsis_ || caption.contains(QLatin1Char('\n')) || room <= 0 ||
        metrics.size(Qt::TextShowMnemonic, caption).width() <= room) {
        return caption;
    }
    // Shortened on the plain text; an "&" of the result is doubled again where it must show.
    QString plain = text();
    if (showAccelChar_) {
        plain.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    }
    QString shown = metrics.elidedText(plain, Qt::ElideRight, room);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return shown;
}

bool TBitBtnWithColor::event(QEvent* event)
{
    // Without accelerator characters the caption's "&" must not click the button from the keyboard.
    if (!showAccelChar_ && event->type() == QEvent::Shortcut) {
        return true;
    }
    return QPushButton::event(event);
}

void TBitBtnWithColor::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, PaintToImage());
}

void TBitBtnWithColor::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second click of a double click is a click of its own.
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    QMouseEvent press(QEvent::MouseButtonPress, event->position(), event->scenePosition(),
                      event->globalPosition(), event->button(), event->buttons(), event->modifiers());
    mousePressEvent(&press);
}
