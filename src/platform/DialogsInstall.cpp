#include "platform/Dialogs.h"

// Kept apart from CurrentDialogs() so that installing scripted dialogs does not pull the
// Qt dialog code (and its print support) into a test program.
namespace {

Dialogs* gInstalled = nullptr;

} // namespace

Dialogs* InstalledDialogs()
{
    return gInstalled;
}

Dialogs* InstallDialogs(Dialogs* dialogs)
{
    Dialogs* previous = gInstalled;
    gInstalled = dialogs;
    return previous;
}
