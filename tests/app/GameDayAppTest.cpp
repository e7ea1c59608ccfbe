// The game-day windows inside the program as main() builds it: a scoreboard hot key starts the
// board's sound through the main window's own hot-key path, a locked button stays silent, and the
// Scoreboard menu opens the right window for each sport.
#include "AppTestOptions.h"
#include "app/RallyboxApp.h"

#include "audio/Bass.h"
#include "audio/EngineManual.h"
#include "board/MainForm.h"
#include "controls/ColorPanel.h"
#include "controls/GTSize32.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "tools/TFormAustralianFootball.h"
#include "tools/TFormGenericScoreboard.h"
#include "tools/TScoreboard.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

constexpr int kRate = 44100;

QByteArray ToneWav(int frames)
{
    QByteArray data;
    auto put = [&data](quint32 v, int size) {
        for (int i = 0; i < size; ++i) {
            data.append(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
    };
    const quint32 bytes = static_cast<quint32>(frames) * 4U;
    data.append("RIFF");
    put(36 + bytes, 4);
    data.append("WAVEfmt ");
    put(16, 4);
    put(1, 2);
    put(2, 2);
    put(kRate, 4);
    put(kRate * 4, 4);
    put(4, 2);
    put(16, 2);
    data.append("data");
    put(bytes, 4);
    for (int i = 0; i < frames * 2; ++i) {
        put(static_cast<quint16>(12000), 2);
    }
    return data;
}

class GameDayApp : public ::testing::Test
{
protected:
    void Start(const QByteArray& extraKeys, bool toolWindowsAfterFirstPaint = false)
    {
        ASSERT_TRUE(dir.isValid());
        const QString folder = dir.path() + QStringLiteral("/");
        const QString sound = folder + QStringLiteral("horn.wav");
        QFile wav(sound);
        ASSERT_TRUE(wav.open(QIODevice::WriteOnly));
        wav.write(ToneWav(kRate));
        wav.close();
        const QString setPath = folder + QStringLiteral("Game.set");
        QFile file(setPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[PageC3]\r\nPageName=Crowd\r\nc5=Horn\r\ns5=" + sound.toUtf8() +
                   "\r\nt5=00:01\r\nh5=2Q\r\n" + extraKeys +
                   "\r\n[PageE1]\r\nPageName=Late\r\nc1=Late\r\ns1=" + sound.toUtf8() + "\r\nh1=2W\r\n\r\n");
        file.close();
        RallyboxOptions options = ManualClockAppOptions(folder, {setPath}, dialogs, clock);
        options.ToolWindowsAfterFirstPaint = toolWindowsAfterFirstPaint;
        app = std::make_unique<RallyboxApp>(std::move(options));
    }

    void TearDown() override
    {
        app.reset();
        BASS_Free();
    }

    int TakenChannels() const
    {
        int taken = 0;
        for (int slot = 1; slot <= ChannelSlots; ++slot) {
            taken += app->playbackState.ChannelArray[static_cast<std::size_t>(slot)] != 0 ? 1 : 0;
        }
        return taken;
    }

    // A key released while the baseball scoreboard has the keyboard, then the main window's
    // activation, which plays what the scoreboard handed on.
    void KeyOnScoreboard(Qt::Key key)
    {
        app->Scoreboard->show();
        ASSERT_NE(app->Scoreboard->windowHandle(), nullptr);
        QTest::keyRelease(app->Scoreboard->windowHandle(), key, Qt::ControlModifier);
        if (app->Form1->GTForm1->GTOnActivate) {
            app->Form1->GTForm1->GTOnActivate(app->Form1.get());
        }
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock;
    std::unique_ptr<RallyboxApp> app;
};

TEST_F(GameDayApp, AScoreboardHotKeyPlaysTheBoardsSoundThroughTheMainWindow)
{
    Start({});
    KeyOnScoreboard(Qt::Key_Q);
    EXPECT_FALSE(app->playbackState.HotKeyPending);
    EXPECT_EQ(TakenChannels(), 1);
    EXPECT_EQ(app->playbackState.ChannelGroup[1], 3);
    EXPECT_EQ(app->playbackState.ChannelPage[1], 3);
    EXPECT_EQ(app->playbackState.ChannelButton[1], 5);
    std::vector<float> out(2 * 2048);
    EngineRenderManual(out.data(), 2048);
    float peak = 0;
    for (float v : out) {
        peak = std::max(peak, std::fabs(v));
    }
    EXPECT_GT(peak, 0.1f);
}

TEST_F(GameDayApp, ALockedButtonAndAButtonBeyondGroupDStaySilent)
{
    Start("activity5=4\r\n");
    KeyOnScoreboard(Qt::Key_Q);
    KeyOnScoreboard(Qt::Key_W);
    EXPECT_FALSE(app->playbackState.HotKeyPending);
    EXPECT_EQ(TakenChannels(), 0);
}

TEST_F(GameDayApp, TheScoreboardMenuOpensEachSportsWindow)
{
    // As the program starts: the menu may be chosen before the tool windows have been built.
    Start({}, true);
    ASSERT_EQ(app->FormGenericScoreboard, nullptr);
    auto trigger = [this](const char* name) {
        QAction* action = app->Form1->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    };
    trigger("Hockey1");
    EXPECT_TRUE(app->FormGenericScoreboard->isVisible());
    EXPECT_EQ(app->FormGenericScoreboard->windowTitle(), QStringLiteral("Hockey Scoreboard"));
    EXPECT_EQ(app->FormGenericScoreboard->pos(), QPoint(301, 6));
    trigger("Soccer1");
    EXPECT_EQ(app->FormGenericScoreboard->windowTitle(), QStringLiteral("Soccer Scoreboard"));
    // Opened on a maximized board whose normal size is another (as when the window was first
    // shown maximized), the main window goes back to its design size, normal, beside it.
    const QSize design = app->Form1->size();
    ASSERT_EQ(design.width(), 784);
    app->Form1->resize(1000, 700);
    app->Form1->showMaximized();
    trigger("Baseball1");
    EXPECT_TRUE(app->Scoreboard->isVisible());
    EXPECT_FALSE(app->Form1->isMaximized());
    EXPECT_EQ(app->Form1->pos(), QPoint(231, 169));
    EXPECT_EQ(app->Form1->size(), design);
    // The slot grid reaches the bottom of the client below the menu bar, leaving no strip.
    QWidget* client = app->Form1->centralWidget();
    EXPECT_EQ(app->Form1->Panel54->geometry().bottom(), client->height() - 1);
    trigger("AustralianFootball1");
    EXPECT_TRUE(app->FormAustralianFootball->isVisible());
    // Maximized, the board fills the client below the menu bar too.
    app->Form1->showMaximized();
    QApplication::processEvents();
    EXPECT_NEAR(app->Form1->Panel54->geometry().bottom(), client->height() - 1, 1);
}

} // namespace
