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
