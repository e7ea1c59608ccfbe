#pragma once
// Flags that every form scaler of the program shares: whether the first adaptation to the screen
// has run, whether a window started maximized, whether a create-time adaptation still waits for
// its first rescale, and whether that rescale has happened. Library code takes them by reference;
// tests build their own.

struct GTScalerShared
{
    bool Adapted = false;
    bool StartedMaximized = false;
    bool AdaptationPending = false;
    // Whether a window's first rescale has taken the create-time adaptation. A window created
    // after that (a tool window built once the board shows) adapts itself alone and leaves
    // nothing pending, which the next activation of a shown window would take for its own and
    // answer by putting that window's design layout back.
    bool Rescaled = false;

    // The one copy the windows of the running program use.
    static GTScalerShared& Process();
};
