#pragma once
// Flags that every form scaler of the program shares: whether the first adaptation to the screen
// has run, whether a window started maximized, and whether a create-time adaptation still waits
// for its first rescale. Library code takes them by reference; tests build their own.

struct GTScalerShared
{
    bool Adapted = false;
    bool StartedMaximized = false;
    bool AdaptationPending = false;

    // The one copy the windows of the running program use.
    static GTScalerShared& Process();
};
