// The program as main() builds it plays: a click on a slot of the real window reaches the audio
// engine (on its manual clock), and STOP ends the sound.
#include "AppTestOptions.h"
#include "app/RallyboxApp.h"
#include "support/WindowsDouble.h"

#include "audio/Bass.h"
#include "audio/EngineManual.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "controls/ColorPanel.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "playback/PlaybackMainForm.h"

#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr int kRate = 44100;

// A stereo 16-bit WAV of a constant level.
void WriteConstantWav(const QString& path, int frames, std::int16_t level)
{
    QByteArray data;
    auto put32 = [&data](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        data.append(reinterpret_cast<const char*>(&le), 4);
    };
    auto put16 = [&data](quint16 v) {
        const quint16 le = qToLittleEndian(v);
        data.append(reinterpret_cast<const char*>(&le), 2);
    };
    const quint32 bytes = static_cast<quint32>(frames) * 4U;
    data.append("RIFF");
    put32(36 + bytes);
    data.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(2);
    put32(kRate);
    put32(kRate * 4);
    put16(4);
    put16(16);
    data.append("data");
    put32(bytes);
    for (int i = 0; i < frames * 2; ++i) {
        put16(static_cast<quint16>(level));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

class AppPlaybackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString folder = dir.path() + QStringLiteral("/");
        sound = folder + QStringLiteral("horn.wav");
        WriteConstantWav(sound, kRate * 2, 16384);
        const QString setPath = folder + QStringLiteral("Game.set");
        QFile file(setPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Page1]\r\nPageName=Warmup\r\nc2=Horn\r\ns2=" + sound.toUtf8() + "\r\nt2=00:02\r\n\r\n");
        file.close();

        RallyboxOptions options = ManualClockAppOptions(folder, {setPath}, dialogs, clock);
        app = std::make_unique<RallyboxApp>(std::move(options));
        app->settings.Tracer = true;
    }

    void TearDown() override
    {
        app.reset();
        BASS_Free();
    }

    // The largest absolute sample of the next `frames` of mixed output.
    float Peak(int frames)
    {
        std::vector<float> out(static_cast<std::size_t>(2 * frames));
        EngineRenderManual(out.data(), frames);
        float peak = 0.0f;
        for (float v : out) {
            peak = std::max(peak, std::fabs(v));
        }
        return peak;
    }

    int TakenChannels() const
    {
        int taken = 0;
        for (int slot = 1; slot <= ChannelSlots; ++slot) {
            taken += app->playbackState.ChannelArray[static_cast<std::size_t>(slot)] != 0 ? 1 : 0;
        }
        return taken;
    }

    QByteArray Trace() const
    {
        QFile file(dir.path() + QStringLiteral("/Tracer.txt"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString sound;
    ScriptedDialogs dialogs;
    ManualClock clock;
    std::unique_ptr<RallyboxApp> app;
};

} // namespace

TEST_F(AppPlaybackTest, ASlotClickOnTheProgramsWindowPlaysTheFileAndStopEndsIt)
{
    ASSERT_NE(app->PlaybackForm, nullptr);
    TForm1& form = *app->Form1;
    ASSERT_EQ(app->board.PageFiles[2], sound);
    EXPECT_EQ(Peak(kRate / 20), 0.0f);

    QTest::mouseClick(AsPushButton(form.SoundButtons[2]), Qt::LeftButton);
    EXPECT_EQ(app->board.ButtonState[1][1][2], bstPlaying);
    EXPECT_EQ(form.ButtonPanels[2]->Color(), clLime);
    EXPECT_EQ(FaceOf(form.SoundButtons[2]), clInfoBk);
    EXPECT_EQ(TakenChannels(), 1);
    EXPECT_TRUE(app->playbackState.Playing);
    EXPECT_TRUE(form.Playing);
    EXPECT_GT(Peak(kRate / 20), 0.05f);
    EXPECT_TRUE(Trace().contains(" - Button 2 Click Event\r\n"));

    QTest::mouseClick(AsPushButton(form.StopPlayButton), Qt::LeftButton);
    EXPECT_EQ(app->board.ButtonState[1][1][2], bstPlayed);
    EXPECT_EQ(form.ButtonPanels[2]->Color(), clRed);
    EXPECT_EQ(TakenChannels(), 0);
    EXPECT_FALSE(form.Playing);
    EXPECT_EQ(Peak(kRate / 20), 0.0f);
}

TEST_F(AppPlaybackTest, SlotOnesOwnButtonPlaysWithoutTheClickTraceButItsPanelTracesIt)
{
    QFile::remove(dir.path() + QStringLiteral("/Tracer.txt"));
    app->board.PageFiles[1] = sound;
    AsPushButton(app->Form1->SoundButtons[1])->setText(QStringLiteral("Copy"));
    QTest::mouseClick(AsPushButton(app->Form1->SoundButtons[1]), Qt::LeftButton);
    EXPECT_EQ(app->board.ButtonState[1][1][1], bstPlaying);
    EXPECT_FALSE(Trace().contains("Button 1 Click Event"));
    QTest::mouseClick(app->Form1->ButtonPanels[1], Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(Trace().contains(" - Button 1 Click Event\r\n"));
}

TEST_F(AppPlaybackTest, AnEditModeClickOpensTheSoundButtonEditorOnThatSlot)
{
    int opened = 0;
    WindowsDouble windows;
    windows.SoundButtonEditor = [&opened] {
        ++opened;
        return 2;
    };
    app->Form1->SetWindows(&windows);
    app->board.EditMode = true;
    QTest::mouseClick(app->Form1->ButtonPanels[5], Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(app->selection.PopupButton, 5);
    EXPECT_EQ(app->selection.PopupPage, 1);
    EXPECT_EQ(TakenChannels(), 0);
    app->Form1->SetWindows(app.get()); // the double ends with this test
}

TEST_F(AppPlaybackTest, TheShownMainWindowKeepsTheBottomSlotRowOnTheScreen)
{
    TForm1& form = *app->Form1;
    app->ShowMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, 5000));
    const QRect area = form.screen()->availableGeometry();
    for (const int slot : {41, 48}) {
        QWidget* panel = form.ButtonPanels[static_cast<std::size_t>(slot)];
        const QRect inForm(panel->mapTo(&form, QPoint(0, 0)), panel->size());
        EXPECT_TRUE(form.rect().contains(inForm)) << "slot " << slot;
        const QRect onScreen(panel->mapToGlobal(QPoint(0, 0)), panel->size());
        EXPECT_TRUE(area.contains(onScreen)) << "slot " << slot;
    }
}
