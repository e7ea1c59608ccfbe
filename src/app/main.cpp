#include "app/FirstPaint.h"
#include "app/HeapReserve.h"
#include "app/InstallProbe.h"
#include "app/RallyboxApp.h"
#include "app/SessionBusProbe.h"
#include "app/StartupProbe.h"
#include "audio/Bass.h"
#include "audio/DeviceCatalog.h"
#include "audio/FileDecoder.h"
#include "audio/OutputBackend.h"
#include "board/MainForm.h"
#include "board/SetFilePrefetch.h"
#include "gif/PictureFormats.h"
#include "platform/DeferredIconStyle.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QDBusConnection>

#include <chrono>
#include <cstdio>
#include <thread>

// The program's entry: the application title, the windows in their fixed order (the main window
// first), then the message loop.
int main(int argc, char** argv)
{
    StartupProbe::Mark("main");
    // Before any other thread starts: the threads that read ahead allocate much at once.
    HeapReserve::Apply();
    // Before any other thread runs: the variables are set in the environment.
    DeviceCatalog::SetQuietEnvironment();
    // A healthy bus answers within a millisecond or two; a frozen one would hold the first
    // control's text (through the accessibility bridge) for good, so the program starts without it.
    const bool sessionBusAnswers = SessionBusProbe::Answers(std::chrono::milliseconds(500));
    if (!sessionBusAnswers) {
        std::fputs("Rallybox: the session bus does not answer; starting without it\n", stderr);
        SessionBusProbe::StartWithoutBus();
    }
    // The output layer's libraries (the sound server's client, PortAudio, ALSA, JACK and theirs)
    // load on a helper thread beside the application object's start instead of before main();
    // the engine's start in the create step waits for them.
    OutputBackend::PrepareInBackground();
    // The one parameter names the set file: it is read and parsed while the windows are built.
    if (argc == 2) {
        SetFilePrefetch::Start(QString::fromLocal8Bit(argv[1]));
    }
    // The menu bar stays in the window, where the operator works, and building it does not wait
    // on the session bus to ask for a desktop-wide one.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication application(argc, argv);
    StartupProbe::Mark("application");
    QApplication::setApplicationName(QStringLiteral("Rallybox"));
    // Before the first window: the menu bar's hidden overflow icon is read when first drawn.
    QApplication::setStyle(new DeferredIconStyle);
    // The first control's text wakes the accessibility bridge, which waits for a connection to the
    // session bus; the connection is opened meanwhile, while the windows are being built.
    std::thread sessionBus;
    if (sessionBusAnswers) {
        sessionBus = std::thread([] { QDBusConnection::sessionBus(); });
    }
    // The picture formats need the application object (the screen's depth is read).
    TPictureFormats pictureFormats;
    RegisterPictureFormats(pictureFormats);
    // No sound file holds the window's thread: an open that takes longer than this goes on in
    // the background and its sound starts when the file is open.
    BASS_SetConfig(BassConfigFileOpenWait, 30);
    RallyboxOptions options;
    options.ProgramFolder = ProgramFolder();
    options.Parameters = QApplication::arguments().mid(1);
    options.ToolWindowsAfterFirstPaint = true;
    RallyboxApp rallybox(std::move(options));
    StartupProbe::Mark("windows");
    StartupProbe::ExitAfterFirstPaint(*rallybox.Form1);
    InstallProbe::CheckAfterFirstPaint(rallybox);
    // The decoder (FFmpeg) loads, and the sound devices are probed (Setup's list), while the
    // operator looks at the board; a file opened before that simply waits for the decoder. The
    // default output on a sound server needs no device list; another output makes BASS_Init
    // probe at once.
    AfterFirstPaint(*rallybox.Form1, [] {
        PrepareAudioFileDecoder();
        DeviceCatalog::instance().PrepareInBackground();
    });
    rallybox.ShowMainWindow();
    StartupProbe::Mark("shown");
    const int exitCode = QApplication::exec();
    if (sessionBus.joinable()) {
        sessionBus.join();
    }
    return exitCode;
}
