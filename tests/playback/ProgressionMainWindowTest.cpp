// The timers at work in the real main window: the window's own QTimers tick, the engine renders on
// the manual clock, and the meters, labels and slot panels are read from the real widgets.
#include "RealWindowFixture.h"

#include "audio/EngineManual.h"
#include "controls/ColorPanel.h"
#include "controls/ProgressGauge.h"
#include "controls/SlideBar.h"
#include "controls/Zseg.h"
#include "controls/zPanel.h"
#include "support/PaintWatch.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace PlaybackTest;

class ProgressionMainWindow : public RealWindowFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString sound = dir.path() + QStringLiteral("/horn.wav");
        WriteWav(sound, 2, kRate * 3, [](int, int) { return 0.5; });
        BuildWindow(
            "[Main]\r\nCreatedBy=Rallybox\r\n\r\n[Page1]\r\nPageName=Warmup\r\nPagePlay=F\r\nRapidFire=F\r\n"
            "PageShuffle=F\r\nPageColor=clBlack\r\nc1=Horn\r\ns1=" +
                sound.toUtf8() + "\r\nt1=00:03\r\n\r\n",
            false);
    }

    void Render(int ms)
    {
        std::vector<float> out(static_cast<std::size_t>(2 * kRate / 1000 * ms));
        EngineRenderManual(out.data(), kRate / 1000 * ms);
        clock.Advance(ms);
    }
};

TEST_F(ProgressionMainWindow, ProgressionTimerTicksAtTheDisplaysRateAndRestsWhenIdle)
{
    EXPECT_EQ(form->ProgressionTimer->interval(), 17);
    // The first sound's automatic fade is met on the same second as every later one's.
    EXPECT_EQ(form->DisplayTimer->interval(), 1000);
    // Nothing plays and the needles rest: the timer stops after its first ticks.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->ProgressionTimer->isActive(); }, 3000));
    EXPECT_EQ(form->LeftMeter->Max(), 128);
    EXPECT_EQ(form->LMeter->Color3Pos(), settings.BarRed);
}

TEST_F(ProgressionMainWindow, PlayingSoundMovesMetersTimesAndEndsThroughTheTimers)
{
    ASSERT_EQ(form->VolumeControl->Value(), 50);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->ProgressionTimer->isActive(); }, 3000));
    QTest::mouseClick(form->ButtonPanels[1], Qt::LeftButton);
    ASSERT_TRUE(form->Playing);
    EXPECT_TRUE(form->ProgressionTimer->isActive());
    EXPECT_EQ(form->lblTotalTime->text(), QStringLiteral("00:03"));
    Render(100);
    // Half level at the master slider's 50 %: 8192, 32 whole steps of 256.
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->LeftMeter->Value() == 32; }, 3000));
    EXPECT_EQ(form->RightMeter->Value(), 32);
    EXPECT_EQ(form->LMeter->ValuePercent(), (32 - 1) * 100 / 127);
    Render(1200);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return form->lblTimeElapsed->text() == QStringLiteral("00:01"); }, 3000));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return form->lblTimeRemaining->text() == QStringLiteral("00:02"); }, 3000));
    // The bar shows the played share of the sound (the device buffer keeps it a little behind).
    ASSERT_EQ(state.PlayLength, 529200);
    EXPECT_EQ(form->AdvanceBar->Value(), qRound(state.PlayPosition * 100.0 / state.PlayLength));
    EXPECT_GE(form->AdvanceBar->Value(), 35);
    // The sound runs out: the next tick frees the slot, paints it played and resets the displays.
    Render(2000);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->Playing; }, 3000));
    EXPECT_EQ(form->ButtonPanels[1]->Color(), clRed);
    EXPECT_EQ(board.ButtonState[1][1][1], bstPlayed);
    EXPECT_EQ(form->lblTimeElapsed->text(), QStringLiteral("00:00"));
    EXPECT_EQ(form->ProgressGauge->Value(), 0);
    // Idle ticks bring the needles to rest at the bottom of their range.
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->LeftMeter->Value() == 1; }, 3000));
    EXPECT_EQ(form->LMeter->ValuePercent(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->ProgressionTimer->isActive(); }, 3000));
    EXPECT_TRUE(dialogs.Texts().isEmpty());
}

TEST_F(ProgressionMainWindow, TheProgressGaugeIsDrawnInTheWindowsNextPaintNotAtOnce)
{
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    PaintWatch gauge;
    PaintWatch under;
    form->ProgressGauge->installEventFilter(&gauge);
    form->Panel55->installEventFilter(&under);
    form->AdvanceBar->SetValue(40);
    EXPECT_EQ(form->ProgressGauge->Value(), 40);
    EXPECT_EQ(gauge.paints(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return gauge.paints() > 0; }, 3000));
    // The bars paint themselves whole: the panel under them is not drawn again on each move.
    EXPECT_EQ(under.paints(), 0);
}
