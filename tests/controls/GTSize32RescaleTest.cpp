#include "GTSize32TestWindow.h"

#include "controls/GTSize32.h"
#include "controls/GTSize32Controls.h"

#include <QApplication>
#include <QLabel>

namespace {

// 400 x 320 scaled to 500 x 400 (factor 1.25): halves round to even, so an edge at 10 lands on 12.
void ExpectEnlargedByQuarter(const GTSize32TestWindow& w)
{
    EXPECT_EQ(w.size(), QSize(500, 400));
    EXPECT_EQ(w.button->geometry(), QRect(12, 12, 126, 38));  // edges 12.5, 137.5, 12.5, 50
    EXPECT_EQ(w.panel->geometry(), QRect(250, 62, 240, 326)); // edges 250, 490, 62.5, 387.5
    EXPECT_EQ(w.inner->geometry(), QRect(10, 10, 50, 25));
    EXPECT_EQ(w.plain->geometry(), QRect(12, 125, 100, 31)); // bottom 156.25
    EXPECT_EQ(GTSize32TestWindow::FontPixels(w.button), 15);
    EXPECT_EQ(GTSize32TestWindow::FontPixels(w.inner), 12); // 12.5 to even
    EXPECT_EQ(GTSize32TestWindow::FontPixels(&w), 14);      // 13.75
}

void ExpectDesignLayout(const GTSize32TestWindow& w)
{
    EXPECT_EQ(w.size(), QSize(400, 320));
    EXPECT_EQ(w.button->geometry(), QRect(10, 10, 100, 30));
    EXPECT_EQ(w.panel->geometry(), QRect(200, 50, 192, 260));
    EXPECT_EQ(w.inner->geometry(), QRect(8, 8, 40, 20));
    EXPECT_EQ(w.plain->geometry(), QRect(10, 100, 80, 25));
    EXPECT_EQ(GTSize32TestWindow::FontPixels(w.button), 12);
    EXPECT_EQ(GTSize32TestWindow::FontPixels(w.inner), 10);
    EXPECT_EQ(GTSize32TestWindow::FontPixels(&w), 11);
}

TEST(GTSize32Rescale, WideningMakesTheHeightFollowAndScalesEveryEdgeAndFont)
{
    GTSize32TestWindow w;
    w.GTForm1->FormCreate();
    w.ShowActive();
    ExpectDesignLayout(w);
    w.resize(500, 320);
    QApplication::processEvents();
    ExpectEnlargedByQuarter(w);
}

TEST(GTSize32Rescale, HeighteningMakesTheWidthFollow)
{
    GTSize32TestWindow w;
    w.GTForm1->FormCreate();
    w.ShowActive();
    w.resize(400, 400);
    QApplication::processEvents();
    ExpectEnlargedByQuarter(w);
}

TEST(GTSize32Rescale, RestoreAfterEnlargingPutsBackTheExactCapturedLayout)
{
    GTSize32TestWindow w;
    w.GTForm1->FormCreate();
    w.ShowActive();
    // Several steps accumulate rounding; the restore must not be a rescaled approximation.
    for (int width : {437, 512, 463}) {
        w.resize(width, w.height());
        QApplication::processEvents();
    }
    ASSERT_NE(w.button->geometry(), QRect(10, 10, 100, 30));
    w.GTForm1->RestoreDesignLayout();
    ExpectDesignLayout(w);
    EXPECT_TRUE(w.GTForm1->Enabled());
    EXPECT_TRUE(w.GTForm1->Active());
}

TEST(GTSize32Rescale, ParentFontControlsKeepFollowingTheirParent)
{
    GTSize32TestWindow w;
    w.GTForm1->FormCreate();
    w.ShowActive();
    w.resize(500, 320);
    EXPECT_FALSE(w.plain->testAttribute(Qt::WA_SetFont));
    EXPECT_EQ(w.plain->font().pixelSize(), 14);
    w.GTForm1->RestoreDesignLayout();
    EXPECT_FALSE(w.plain->testAttribute(Qt::WA_SetFont));
    EXPECT_EQ(w.plain->font().pixelSize(), 11);
}

TEST(GTSize32Rescale, ControlsWithTheIgnoreTagKeepTheirFontSize)
{
    GTSize32TestWindow w;
    GTControls::SetTag(*w.button, 1);
    w.GTForm1->FormCreate();
    w.ShowActive();
    w.resize(500, 320);
    EXPECT_EQ(w.button->geometry(), QRect(12, 12, 126, 38));
    EXPECT_EQ(GTSize32TestWindow::FontPixels(w.button), 12);
    EXPECT_EQ(GTSize32TestWindow::FontPixels(w.inner), 12);
}

TEST(GTSize32Rescale, ShrinkingBelowAQuarterStopsAtTheMinimumWidthAndKeepsFonts)
{
    GTSize32TestWindow w;
    w.GTForm1->FormCreate();
    w.ShowActive();
    w.resize(50, 320);
    QApplication::processEvents();
    // Minimum width 100 (a quarter of 400); the height follows to 80, below 100, so fonts stay.
    EXPECT_EQ(w.size(), QSize(100, 80));
    EXPECT_EQ(w.button->geometry(), QRect(2, 2, 26, 8)); // edges 2.5, 27.5, 2.5, 10
    EXPECT_EQ(GTSize32TestWindow::FontPixels(w.button), 12);
    EXPECT_EQ(GTSize32TestWindow::FontPixels(&w), 11);
}

TEST(GTSize32Rescale, ShrinkingBelowAThirdRestoresTheDesignBeforeScaling)
{
    GTSize32TestWindow w;
    w.GTForm1->FormCreate();
    w.ShowActive();
    w.resize(50, 320); // stops at 100 x 80: the layout now carries quarter-scale rounding
    ASSERT_EQ(w.size(), QSize(100, 80));
    ASSERT_EQ(w.button->geometry(), QRect(2, 2, 26, 8));
    w.resize(500, 80);
    QApplication::processEvents();
    // Scaled from the design layout, the result is exactly the one-step enlargement.
    ExpectEnlargedByQuarter(w);
}

TEST(GTSize32Rescale, HeightBelowOneHundredSnapsBackToTheLastReferenceSize)
{
    GTSize32TestWindow w;
    w.GTForm1->FormCreate();
    w.ShowActive();
    w.resize(400, 90);
    QApplication::processEvents();
    ExpectDesignLayout(w);
}

TEST(GTSize32Rescale, ResizeWhileDeactivatedDoesNothing)
{
    GTSize32TestWindow w;
    int resizes = 0;
    w.GTForm1->GTOnResize = [&resizes](QWidget*) { ++resizes; };
    w.GTForm1->FormCreate();
    w.ShowActive();
    QWidget other;
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other, 5000));
    EXPECT_FALSE(w.GTForm1->Enabled());
    resizes = 0;
    w.resize(500, 320);
    QApplication::processEvents();
    EXPECT_EQ(w.size(), QSize(500, 320)); // no aspect correction
    EXPECT_EQ(w.button->geometry(), QRect(10, 10, 100, 30));
    EXPECT_EQ(resizes, 0);

    // Activated again, the layout follows the size the window was given meanwhile, and the
    // next resize scales from there.
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w, 5000));
    EXPECT_TRUE(w.GTForm1->Enabled());
    EXPECT_EQ(w.button->geometry(), QRect(12, 12, 126, 38));
    EXPECT_EQ(w.size(), QSize(500, 400));
    EXPECT_GT(resizes, 0);
    w.resize(600, 400);
    QApplication::processEvents();
    EXPECT_EQ(w.size(), QSize(600, 480));
}

TEST(GTSize32Rescale, AWindowBuiltAfterAnotherWasScaledLeavesThatOnesLayoutAlone)
{
    GTSize32TestWindow w;
    w.GTForm1->FormCreate();
    w.ShowActive();
    w.resize(500, 320);
    QApplication::processEvents();
    ExpectEnlargedByQuarter(w);

    // A second window of the same program built only now; then the first one is activated again.
    QWidget later;
    later.resize(200, 100);
    auto* laterButton = new QPushButton(QStringLiteral("Later"), &later);
    laterButton->setGeometry(10, 10, 60, 20);
    auto* laterForm = new GTForm(later, w.shared, [] { return QSize(1920, 1080); });
    laterForm->FormCreate();
    QWidget other;
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other, 5000));
    w.ShowActive();
    ExpectEnlargedByQuarter(w);
}

TEST(GTSize32Rescale, MinimisedOrEmptyWindowIsNotRescaled)
{
    GTSize32TestWindow w;
    w.GTForm1->FormCreate();
    w.ShowActive();
    w.showMinimized();
    QApplication::processEvents();
    w.resize(500, 320);
    QApplication::processEvents();
    EXPECT_EQ(w.button->geometry(), QRect(10, 10, 100, 30));
    EXPECT_EQ(GTSize32TestWindow::FontPixels(w.button), 12);
}

TEST(GTSize32Rescale, ZeroSizedWindowIsNotRescaled)
{
    GTSize32TestWindow w;
    w.GTForm1->FormCreate();
    w.ShowActive();
    w.resize(0, 0);
    QApplication::processEvents();
    EXPECT_EQ(w.button->geometry(), QRect(10, 10, 100, 30));
    EXPECT_EQ(w.GTForm1->ReferenceClientSize(), QSize(400, 320));
}

TEST(GTSize32Rescale, ShowingOnAScreenOfAnotherWidthGoesBackToTheDesignClient)
{
    GTSize32TestWindow w;
    w.GTForm1->FormCreate();
    w.ShowActive();
    w.resize(500, 320);
    QApplication::processEvents();
    ASSERT_EQ(w.size(), QSize(500, 400));
    w.hide();
    w.screenSize = QSize(1280, 1024);
    w.show();
    QApplication::processEvents();
    ExpectDesignLayout(w);
    // The new screen is recorded: a later show does not rescale again.
    w.resize(500, 320);
    QApplication::processEvents();
    w.hide();
    w.show();
    QApplication::processEvents();
    EXPECT_EQ(w.size(), QSize(500, 400));
}

TEST(GTSize32Rescale, AlignedControlsKeepTheirAlignmentAndScaleOneSide)
{
    GTScalerShared shared;
    QWidget form;
    form.resize(400, 320);
    auto* top = new QFrame(&form);
    top->setGeometry(0, 0, 400, 40);
    auto* left = new QFrame(&form);
    left->setGeometry(0, 40, 60, 280);
    auto* client = new QFrame(&form);
    auto* bottom = new QFrame(&form);
    bottom->setGeometry(0, 300, 400, 20);
    GTControls::SetAlign(*top, TAlign::alTop);
    GTControls::SetAlign(*bottom, TAlign::alBottom);
    GTControls::SetAlign(*left, TAlign::alLeft);
    GTControls::SetAlign(*client, TAlign::alClient);
    ASSERT_EQ(client->geometry(), QRect(60, 40, 340, 260));
    auto* scaler = new GTForm(form, shared, [] { return QSize(1920, 1080); });
    scaler->SetGTDesignW(QStringLiteral("1920-0"));
    scaler->SetGTDesignH(QStringLiteral("1080-0"));
    scaler->FormCreate();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form, 5000));
    ASSERT_EQ(form.size(), QSize(400, 320));

    form.resize(500, 320);
    QApplication::processEvents();
    ASSERT_EQ(form.size(), QSize(500, 400));
    EXPECT_EQ(top->geometry(), QRect(0, 0, 500, 50));
    EXPECT_EQ(bottom->geometry(), QRect(0, 375, 500, 25));
    EXPECT_EQ(left->geometry(), QRect(0, 50, 75, 325));
    EXPECT_EQ(client->geometry(), QRect(75, 50, 425, 325));
}

TEST(GTSize32Rescale, HiddenMediaPlayerKeepsTheMainWindowWideEnough)
{
    GTScalerShared shared;
    QWidget form;
    form.resize(784, 514);
    auto* grid = new QFrame(&form);
    grid->setGeometry(0, 0, 784, 514);
    auto* player = new QWidget(&form);
    player->setGeometry(100, 400, 253, 30);
    player->hide();
    GTControls::SetSpecialKind(*player, GTSpecialKind::MediaPlayer);
    auto* scaler = new GTForm(form, shared, [] { return QSize(1920, 1080); });
    scaler->SetGTDesignW(QStringLiteral("1920-0"));
    scaler->SetGTDesignH(QStringLiteral("1080-0"));
    scaler->FormCreate();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form, 5000));

    form.resize(500, 514);
    QApplication::processEvents();
    EXPECT_GE(player->width(), 253);
    EXPECT_GE(player->height(), 20);
    EXPECT_EQ(form.width(), 784);
}

TEST(GTSize32Rescale, FontHeightNeverRoundsToZero)
{
    GTSize32TestWindow w;
    w.GTForm1->FormCreate();
    w.button->setFont(GTSize32TestWindow::PixelFont(3));
    w.GTForm1->ScaleControlFont(w.button, 0.1);
    EXPECT_EQ(GTSize32TestWindow::FontPixels(w.button), 1);
    w.GTForm1->ScaleControlFont(w.button, 2.5);
    EXPECT_EQ(GTSize32TestWindow::FontPixels(w.button), 2); // 2.5 to even
}

} // namespace

TEST(GTSize32Rescale, AMarkedLabelKeepsItsScaledWidthWhileAnEmptyPlainOneShrinksToItsText)
{
    GTSize32TestWindow w;
    auto* kept = new QLabel(&w);
    kept->setGeometry(10, 200, 160, 20);
    kept->setProperty(GTKeepSizeProperty, true);
    auto* plain = new QLabel(&w);
    plain->setGeometry(10, 240, 160, 20);
    w.GTForm1->FormCreate();
    w.ShowActive();
    w.resize(500, 320);
    QApplication::processEvents();
    ASSERT_EQ(w.size(), QSize(500, 400));
    // 160 wide at 1.25: 200; the empty unmarked label takes the width of no text.
    EXPECT_EQ(kept->geometry(), QRect(12, 250, 200, 25));
    EXPECT_LT(plain->width(), 20);
    kept->setText(QStringLiteral("Warmup and Anthems"));
    EXPECT_GE(kept->width(), kept->sizeHint().width());
}
