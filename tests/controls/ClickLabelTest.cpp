// The board's click labels over their colour panels: one click reaches exactly one receiver, and a
// label hides the sound button beneath it as an opaque memo would.
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"

#include <QImage>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Slot
{
    Slot()
    {
        panel.resize(80, 60);
        panel.SetColor(clTeal);
        button = new QPushButton(QStringLiteral("Caption"), &panel);
        button->setGeometry(4, 5, 70, 20);
        memo = new TClickLabel(&panel);
        memo->setGeometry(3, 3, 72, 31);
        marker = new TClickLabel(&panel);
        marker->setGeometry(3, 35, 18, 11);
        QObject::connect(&panel, &TColorPanel::clicked, [this] { ++panelClicks; });
        QObject::connect(memo, &TClickLabel::clicked, [this] { ++memoClicks; });
    }

    TColorPanel panel;
    QPushButton* button = nullptr;
    TClickLabel* memo = nullptr;
    TClickLabel* marker = nullptr; // no receiver of its own
    int panelClicks = 0;
    int memoClicks = 0;
};

} // namespace

TEST(ClickLabel, AClickOnALabelWithAReceiverStaysThereAndOneWithoutPassesToThePanel)
{
    Slot slot;
    slot.panel.show();
    QTest::mouseClick(slot.memo, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(slot.memoClicks, 1);
    EXPECT_EQ(slot.panelClicks, 0);
    QTest::mouseClick(slot.marker, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(slot.memoClicks, 1);
    EXPECT_EQ(slot.panelClicks, 1);
    // A right click is not a click of either.
    QTest::mouseClick(slot.memo, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(slot.memoClicks + slot.panelClicks, 2);
}

TEST(ClickLabel, ATransparentLabelShowsItsPanelsFaceNotTheButtonBeneath)
{
    Slot slot;
    slot.panel.show();
    const QImage image = slot.panel.grab().toImage();
    // Inside the button's area, away from the label's own text (the memo has none).
    for (const QPoint& point : {QPoint(8, 10), QPoint(40, 15), QPoint(70, 22)}) {
        EXPECT_EQ(image.pixelColor(point), ToQColor(clTeal)) << point.x() << "," << point.y();
    }
    slot.panel.SetColor(clRed);
    const QImage red = slot.panel.grab().toImage();
    EXPECT_EQ(red.pixelColor(QPoint(40, 15)), ToQColor(clRed));
}

TEST(ClickLabel, ACaptionOfTenThousandCharactersLaysOutOnlyWhatShowsAndOnlyOnce)
{
    Slot slot;
    slot.memo->setWordWrap(true);
    slot.memo->setAlignment(Qt::AlignCenter);
    QString caption;
    while (caption.size() < 10000) {
        caption += QStringLiteral("Long caption words ");
    }
    slot.memo->setText(caption);
    slot.panel.show();
    const std::int64_t before = TClickLabel::linesLaidOut;
    const QImage first = slot.panel.grab().toImage();
    // At any font size the whole text takes hundreds of lines in the memo; a few dozen per size
    // tell that it cannot show whole.
    EXPECT_LT(TClickLabel::linesLaidOut - before, 400);
    // A return to the page draws the fit already made.
    const std::int64_t fitted = TClickLabel::linesLaidOut;
    const QImage again = slot.panel.grab().toImage();
    EXPECT_EQ(TClickLabel::linesLaidOut, fitted);
    EXPECT_EQ(again, first);
    // And it does show the text: ink of the text colour inside the memo.
    int ink = 0;
    const QRect memo = slot.memo->geometry();
    for (int y = memo.top(); y <= memo.bottom(); ++y) {
        for (int x = memo.left(); x <= memo.right(); ++x) {
            ink += first.pixelColor(x, y).lightness() < 100 ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 20);
}
