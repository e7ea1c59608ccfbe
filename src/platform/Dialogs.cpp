#include "platform/Dialogs.h"

#include "platform/QtDialogs.h"

Dialogs& CurrentDialogs()
{
    if (Dialogs* installed = InstalledDialogs()) {
        return *installed;
    }
    static QtDialogs qtDialogs;
    return qtDialogs;
}

bool Dialogs::OpenFilesDialog(const FileDialogOptions& options, QStringList& fileNames)
{
    QString fileName;
    if (!OpenFileDialog(options, fileName)) {
        return false;
    }
    fileNames = QStringList{fileName};
    return true;
}
