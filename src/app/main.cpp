#include "app/RallyboxApp.h"
#include "gif/PictureFormats.h"
#include "platform/ProgramFolder.h"

#include <QApplication>

// The program's entry: the application title, the windows in their fixed order (the main window
// first), then the message loop.
int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rallybox"));
    // The picture formats need the application object (the screen's depth is read).
    TPictureFormats pictureFormats;
    RegisterPictureFormats(pictureFormats);
    RallyboxOptions options;
    options.ProgramFolder = ProgramFolder();
    options.Parameters = QApplication::arguments().mid(1);
    RallyboxApp rallybox(std::move(options));
    rallybox.ShowMainWindow();
    return QApplication::exec();
}
