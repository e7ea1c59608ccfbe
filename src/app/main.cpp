#include "app/RallyboxApp.h"
#include "board/MainForm.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QScreen>

// The program's entry: the application title, the windows in their fixed order (the main window
// first), then the message loop.
int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rallybox"));
    RallyboxOptions options;
    options.ProgramFolder = ProgramFolder();
    options.Parameters = QApplication::arguments().mid(1);
    RallyboxApp rallybox(std::move(options));
    // The main window runs maximized; on a display without a window manager (Xvfb) the state
    // alone does not size it, so it is given the screen's work area as well.
    TForm1& form = *rallybox.Form1;
    if (QScreen* screen = form.screen()) {
        form.setGeometry(screen->availableGeometry());
    }
    form.show();
    return QApplication::exec();
}
