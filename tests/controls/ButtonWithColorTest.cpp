#include "controls/ButtonWithColor.h"
#include "support/PaintWatch.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

QColor At(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// A colour as it lands in a 32-bit image: palette colours carry more precision than that.
QColor Drawn(TColor color)
{
    return QColor(ToQColor(color).rgb());
}

void SendMouse(QWidget& w, QEvent::Type type, Qt::MouseButtons buttons)
{
    const QPointF p(w.width() / 2.0, w.height() / 2.0);
    QMouseEvent event(type, p, w.mapToGlobal(p), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}

// A 16 x 16 glyph on olive (its transparent colour) with a black 4 x 4 square in the middle.
QImage SquareGlyph()
{
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(QColor(0x80, 0x80, 0x00));
    QPainter(&glyph).fillRect(6, 6, 4, 4, Qt::black);
    return glyph;
}

} // namespace

TEST(ButtonWithColorFace, FaceTakesTheColourInsideARaisedTwoPixelEdge)
{
    TBitBtnWithColor button;
    button.resize(75, 25);
    button.SetColor(clRed);
    const QImage image = button.grab().toImage();
    const QColor red(0xFF, 0, 0);
    EXPECT_EQ(At(image, 10, 12), red);
    EXPECT_EQ(At(image, 2, 2), red);
    EXPECT_EQ(At(image, 72, 22), red);
    EXPECT_EQ(At(image, 0, 0), Drawn(cl3DLight));
    EXPECT_EQ(At(image, 0, 23), Drawn(cl3DLight));
    EXPECT_EQ(At(image, 0, 24), Drawn(cl3DDkShadow));
    EXPECT_EQ(At(image, 74, 0), Drawn(cl3DDkShadow));
    EXPECT_EQ(At(image, 74, 24), Drawn(cl3DDkShadow));
    EXPECT_EQ(At(image, 1, 1), Drawn(clBtnHighlight));
    EXPECT_EQ(At(image, 73, 23), Drawn(clBtnShadow));
    EXPECT_EQ(At(image, 73, 1), Drawn(clBtnShadow));
}

TEST(ButtonWithColorFace, PressedFaceIsOutlinedInShadowWithoutTheEdge)
{
    TBitBtnWithColor button;
    button.resize(75, 25);
    button.SetColor(clAqua);
    button.setDown(true);
    const QImage image = button.grab().toImage();
    EXPECT_EQ(At(image, 0, 0), Drawn(clBtnShadow));
    EXPECT_EQ(At(image, 74, 24), Drawn(clBtnShadow));
    EXPECT_EQ(At(image, 1, 1), QColor(0, 0xFF, 0xFF));
}

TEST(ButtonWithColorFace, DefaultButtonShowsTheWindowFrameAndTheDottedFocusFrame)
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    auto* button = new TBitBtnWithColor(&window);
    button->setGeometry(0, 40, 75, 25);
    button->SetColor(clRed);
    edit->setFocus();
    EXPECT_FALSE(button->Active());
    EXPECT_EQ(At(button->grab().toImage(), 0, 0), Drawn(cl3DLight));

    button->SetDefault(true);
    EXPECT_TRUE(button->Active());
    const QImage image = button->grab().toImage();
    EXPECT_EQ(At(image, 0, 0), Drawn(clWindowFrame));
    EXPECT_EQ(At(image, 74, 24), Drawn(clWindowFrame));
    EXPECT_EQ(At(image, 1, 1), Drawn(cl3DLight));
    EXPECT_EQ(At(image, 4, 4), QColor(0, 0xFF, 0xFF)); // inverted red
    EXPECT_EQ(At(image, 5, 4), QColor(0xFF, 0, 0));
    EXPECT_EQ(At(image, 70, 10), QColor(0, 0xFF, 0xFF)); // right column of the dotted frame
    EXPECT_EQ(At(image, 70, 9), QColor(0xFF, 0, 0));
    EXPECT_EQ(At(image, 71, 10), QColor(0xFF, 0, 0));

    // Another button holding the focus takes the default look away.
    auto* other = new TBitBtnWithColor(&window);
    other->setFocus();
    EXPECT_FALSE(button->Active());
    EXPECT_TRUE(other->Active());
}

TEST(ButtonWithColorGlyph, ColourChangeRendersTheGlyphAgainOnTheNewFace)
{
    TBitBtnWithColor button;
    button.resize(60, 30);
    button.SetGlyph(SquareGlyph());
    button.SetColor(clYellow);
    // Client after edge and outline: (3, 3) 54 x 24; glyph centred at (3 + 19, 3 + 4).
    QImage image = button.grab().toImage();
    EXPECT_EQ(At(image, 22, 7), QColor(0xFF, 0xFF, 0));
    EXPECT_EQ(At(image, 28, 13), QColor(0, 0, 0));
    EXPECT_EQ(At(image, 31, 16), QColor(0, 0, 0));
    EXPECT_EQ(At(image, 32, 17), QColor(0xFF, 0xFF, 0));
    const int rendered = button.GlyphCellsRendered();

    button.SetColor(clLime);
    image = button.grab().toImage();
    EXPECT_EQ(At(image, 22, 7), QColor(0, 0xFF, 0));
    EXPECT_EQ(At(image, 28, 13), QColor(0, 0, 0));
    EXPECT_GT(button.GlyphCellsRendered(), rendered);
}

TEST(ButtonWithColorGlyph, DisabledSingleCellGlyphIsEmbossed)
{
    TBitBtnWithColor button;
    button.resize(60, 30);
    button.SetGlyph(SquareGlyph());
    button.SetColor(clYellow);
    button.setEnabled(false);
    const QImage image = button.grab().toImage();
    EXPECT_EQ(At(image, 28, 13), Drawn(clBtnShadow));
    EXPECT_EQ(At(image, 32, 17), Drawn(clBtnHighlight));
    EXPECT_EQ(At(image, 22, 7), QColor(0xFF, 0xFF, 0));
}

TEST(ButtonWithColorGlyph, LayoutPlacesGlyphAndCaptionByMarginAndSpacing)
{
    const QRect client(3, 3, 100, 30);
    const QSize glyph(16, 16), text(40, 13);
    auto p = TButtonGlyph::CalcButtonLayout(client, glyph, text, TButtonLayout::blGlyphLeft, -1, 4);
    EXPECT_EQ(p.GlyphPos, QPoint(3 + 20, 3 + 7));
    EXPECT_EQ(p.TextBounds, QRect(3 + 40, 3 + 9, 40, 13));
    p = TButtonGlyph::CalcButtonLayout(client, glyph, text, TButtonLayout::blGlyphRight, 5, -1);
    EXPECT_EQ(p.GlyphPos, QPoint(3 + 79, 3 + 7));
    EXPECT_EQ(p.TextBounds.left(), 3 + 79 - 19 - 40);
    p = TButtonGlyph::CalcButtonLayout(QRect(0, 0, 60, 60), glyph, text, TButtonLayout::blGlyphTop, -1, -1);
    EXPECT_EQ(p.GlyphPos, QPoint(22, 10));
    EXPECT_EQ(p.TextBounds, QRect(10, 36, 40, 13));
    p = TButtonGlyph::CalcButtonLayout(QRect(0, 0, 60, 60), glyph, text, TButtonLayout::blGlyphBottom, 2, 4);
    EXPECT_EQ(p.GlyphPos, QPoint(22, 42));
    EXPECT_EQ(p.TextBounds.top(), 42 - 4 - 13);
    // With no glyph the spacing does not count and the caption is centred.
    p = TButtonGlyph::CalcButtonLayout(client, QSize(0, 0), text, TButtonLayout::blGlyphLeft, -1, 4);
    EXPECT_EQ(p.TextBounds.left(), 3 + 30);
}

TEST(ButtonWithColorProperties, SameColourTwiceRepaintsOnlyOnce)
{
    TBitBtnWithColor button;
    button.resize(60, 30);
    button.show();
    QCoreApplication::processEvents();
    PaintWatch counter;
    button.installEventFilter(&counter);
    button.SetColor(clRed);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints(), 1);
    button.SetColor(clRed);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints(), 1);
}

TEST(ButtonWithColorProperties, MarginBelowMinusOneIsRefusedAndNumGlyphsStaysWithinFour)
{
    TBitBtnWithColor button;
    button.SetMargin(3);
    button.SetMargin(-2);
    EXPECT_EQ(button.Margin(), 3);
    button.SetMargin(-1);
    EXPECT_EQ(button.Margin(), -1);
    button.SetNumGlyphs(9);
    EXPECT_EQ(button.NumGlyphs(), 4);
}

TEST(ButtonWithColorKind, KindBringsCaptionDefaultResultAndGlyphUntilOneIsChanged)
{
    TBitBtnWithColor button;
    button.SetKind(TBitBtnWithColorKind::bkYes);
    EXPECT_EQ(button.Caption(), "&Yes");
    EXPECT_TRUE(button.Default());
    EXPECT_FALSE(button.Cancel());
    EXPECT_EQ(button.ModalResult(), 6);
    EXPECT_EQ(button.NumGlyphs(), 2);
    EXPECT_EQ(button.Glyph().size(), QSize(36, 18));
    EXPECT_EQ(button.Kind(), TBitBtnWithColorKind::bkYes);
    button.SetModalResult(1);
    EXPECT_EQ(button.Kind(), TBitBtnWithColorKind::bkCustom);

    TBitBtnWithColor cancel;
    cancel.SetKind(TBitBtnWithColorKind::bkCancel);
    EXPECT_TRUE(cancel.Cancel());
    EXPECT_EQ(cancel.Kind(), TBitBtnWithColorKind::bkCancel);
    cancel.SetColor(clRed); // re-rendering the glyph counts as a changed glyph
    EXPECT_EQ(cancel.Kind(), TBitBtnWithColorKind::bkCustom);
}

TEST(ButtonWithColorClick, ModalResultEndsTheDialogAndHelpFindsTheNearestContext)
{
    QDialog dialog;
    auto* button = new TBitBtnWithColor("Go", &dialog);
    button->SetModalResult(6);
    button->click();
    EXPECT_EQ(dialog.result(), 6);

    QWidget window;
    window.setProperty("HelpContext", 120);
    auto* panel = new QWidget(&window);
    auto* help = new TBitBtnWithColor(panel);
    help->SetKind(TBitBtnWithColorKind::bkHelp);
    int shown = 0;
    help->OnHelp = [&shown](int context) { shown = context; };
    help->click();
    EXPECT_EQ(shown, 120);
}

TEST(ButtonWithColorClick, DoubleClickCountsAsTwoClicks)
{
    TBitBtnWithColor button("Play");
    button.resize(75, 25);
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    // What the window system delivers for a double click: press, release, double click, release.
    SendMouse(button, QEvent::MouseButtonPress, Qt::LeftButton);
    SendMouse(button, QEvent::MouseButtonRelease, Qt::NoButton);
    SendMouse(button, QEvent::MouseButtonDblClick, Qt::LeftButton);
    SendMouse(button, QEvent::MouseButtonRelease, Qt::NoButton);
    EXPECT_EQ(clicks.count(), 2);
}

TEST(ButtonWithColorClick, ClassNameIsTheOneDragAndDropLooksFor)
{
    TBitBtnWithColor button;
    EXPECT_STREQ(button.metaObject()->className(), "TBitBtnWithColor");
}
