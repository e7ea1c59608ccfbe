#include "app/FirstPaint.h"
#include "app/InstallProbe.h"
#include "app/RallyboxApp.h"
#include "app/StartupProbe.h"
#include "audio/DeviceCatalog.h"
#include "audio/FileDecoder.h"
#include "board/MainForm.h"
#include "board/SetFilePrefetch.h"
#include "gif/PictureFormats.h"
#include "platform/ProgramFolder.h"

#include <QApplication>

// The program's entry: the application title, the windows in their fixed order (the main window
// first), then the message loop.
int main(int argc, char** argv)
{
    StartupProbe::Mark("main");
    // The one parameter names the set file: it is read and parsed while the windows are built.
    if (argc == 2) {
        SetFilePrefetch::Start(QString::fromLocal8Bit(argv[1]));
    }
    QApplication application(argc, argv);
    StartupProbe::Mark("application");
    // Probing the sound devices overlaps with building the windows; BASS_Init waits for it
    // where it needs the device list (not for the default output on a sound server).
    // Started after the application object: both load plug-ins, and the loader serves one at a
    // time.
    DeviceCatalog::instance().PrepareInBackground();
    QApplication::setApplicationName(QStringLiteral("Rallybox"));
    // The picture formats need the application object (the screen's depth is read).
    TPictureFormats pictureFormats;
    RegisterPictureFormats(pictureFormats);
    RallyboxOptions options;
    options.ProgramFolder = ProgramFolder();
    options.Parameters = QApplication::arguments().mid(1);
    RallyboxApp rallybox(std::move(options));
    StartupProbe::Mark("windows");
    StartupProbe::ExitAfterFirstPaint(*rallybox.Form1);
    InstallProbe::CheckAfterFirstPaint(rallybox);
    // The decoder (FFmpeg) loads while the operator looks at the board; a file opened before
    // that simply waits for it.
    AfterFirstPaint(*rallybox.Form1, [] { PrepareAudioFileDecoder(); });
    rallybox.ShowMainWindow();
    StartupProbe::Mark("shown");
    return QApplication::exec();
}
