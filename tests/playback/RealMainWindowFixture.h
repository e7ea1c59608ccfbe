#pragma once
// The real main window of the playback layer on a temporary program folder: three one-second
// sounds on a play-list page (the third on the hot key C), scripted dialogs, the engine on the
// manual clock. Keys go in through the window, as the window system delivers them.
#include "PlaybackFixture.h"

#include "audio/EngineManual.h"
#include "board/Backups.h"
#include "board/MainFormButtons.h"
#include "board/MainFormContext.h"
#include "board/OptionsFile.h"
#include "board/SetFile.h"
#include "controls/ColorPanel.h"
#include "controls/GTSize32Shared.h"
#include "controls/SlideBar.h"
#include "platform/Random.h"
#include "playback/PlaybackMainForm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

using namespace PlaybackTest;

// The window system hands a key to the window, which passes it to the control with the focus.
inline QWindow* WindowOf(QWidget& form)
{
    form.winId();
    return form.windowHandle();
}

inline void KeyThroughWindow(QWidget& form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(WindowOf(form), key, modifiers);
}

class RealMainWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + QStringLiteral("/");
        QByteArray set = "[Main]\r\nCreatedBy=Rallybox\r\n\r\n[Page1]\r\nPageName=Warmup\r\nPagePlay=T\r\n"
                         "RapidFire=F\r\nPageShuffle=F\r\nPageColor=clBlack\r\n";
        for (int b = 1; b <= 3; ++b) {
            const QString path = folder + QStringLiteral("s%1.wav").arg(b);
            WriteWav(path, 2, kRate, [](int, int) { return 0.5; });
            set += QStringLiteral("c%1=Sound %1\r\ns%1=%2\r\nt%1=00:01\r\n").arg(b).arg(path).toUtf8();
        }
        set += MoreSlots();
        set += "h3=0C\r\n\r\n";
        set += MorePages();
        const QString setPath = folder + QStringLiteral("Game.set");
        QFile file(setPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(set);
        file.close();

        tracer = std::make_unique<Tracer>(folder, settings, clock, dialogs);
        playLog = std::make_unique<PlayLog>(folder, settings, *tracer, dialogs);
        optionsFile = std::make_unique<OptionsFile>(folder, settings, *tracer, dialogs);
        setFile = std::make_unique<SetFile>(board, settings, dialogs, *tracer, folder);
        backups = std::make_unique<Backups>(folder, clock, *tracer, dialogs);
        context = std::make_unique<MainFormContext>(
            MainFormContext{folder,     {setPath},    board,    selection, settings, *setFile, *optionsFile,
                            *backups,   *tracer,      *playLog, dialogs,   clock,    pump,     random,
                            clipboards, scalerShared, {},       {},        {},       {},       {}});
        context->InitOutput = [](int, std::uint32_t freq, std::uint32_t flags) {
            BASS_Free();
            return EngineInitManual(freq, flags);
        };
        context->Halt = [](int) {};
        context->ShowShutDown = [] {};
        context->Terminate = [] {};
        context->ShellExecute = [](const QString&, const QString&) { return true; };
        pump.OnPump = [this](int) {
            std::vector<float> out(static_cast<std::size_t>(2 * kPumpFrames));
            EngineRenderManual(out.data(), kPumpFrames);
            clock.Advance(10);
        };
        form = std::make_unique<PlaybackMainForm>(*context, PlaybackServices{state, pump, clock});
        settings.Delay = 0;
        settings.IndividualVolume = 100;
        settings.SpaceBarStop = true;
        settings.ActiveButtonColor = clInfoBk;
    }

    // Further cells of the play-list page, and further sections, for fixtures that need them.
    virtual QByteArray MoreSlots() const { return {}; }
    virtual QByteArray MorePages() const { return {}; }

    void TearDown() override
    {
        form.reset();
        BASS_Free();
    }

    QPushButton* Mode(TBitBtnWithColor* button) const { return AsPushButton(button); }

    QWindow* Window() const { return WindowOf(*form); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        KeyThroughWindow(*form, key, modifiers);
    }

    QTemporaryDir dir;
    QString folder;
    Board board;
    Selection selection;
    Settings settings;
    ManualClock clock;
    CountingEventPump pump;
    SeededRandom random{7};
    ScriptedDialogs dialogs;
    InternalClipboards clipboards;
    GTScalerShared scalerShared;
    PlaybackState state;
    std::unique_ptr<Tracer> tracer;
    std::unique_ptr<PlayLog> playLog;
    std::unique_ptr<OptionsFile> optionsFile;
    std::unique_ptr<SetFile> setFile;
    std::unique_ptr<Backups> backups;
    std::unique_ptr<MainFormContext> context;
    std::unique_ptr<PlaybackMainForm> form;
};
