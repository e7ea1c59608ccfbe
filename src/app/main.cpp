#include "app/RallyboxApp.h"
#include "app/StartupProbe.h"
#include "audio/DeviceCatalog.h"
#include "board/MainForm.h"
#include "gif/PictureFormats.h"
#include "platform/ProgramFolder.h"

#include <QApplication>

// The program's entry: the application title, the windows in their fixed order (the main window
// first), then the message loop.
int main(int argc, char** argv)
{
    StartupProbe::Mark("main");
    // Probing the sound devices overlaps with building the windows; BASS_Init waits for it.
    DeviceCatalog::instance().PrepareInBackground();
    QApplication application(argc, argv);
    StartupProbe::Mark("application");
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
    rallybox.ShowMainWindow();
    StartupProbe::Mark("shown");
    return QApplication::exec();
}
