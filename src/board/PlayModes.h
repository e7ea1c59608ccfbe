#pragma once
// The play modes the main window and playback both read and set. One instance exists per window;
// playback's state is one and the window refers to it, so a routine's change is seen at once by
// every reader, including a timer tick that runs while the routine waits in a box.
struct PlayModes
{
    bool Playing = false;
    bool PlayListMode = false;
    bool PlayListRunning = false;
    bool LoopMode = false;
    bool ButtonDragMode = false;
    bool AddingSounds = false;
    // Cursor keys move a highlight over the page's buttons; Space plays the highlighted one.
    bool ManualControlMode = false;
    bool lCrossFadingIn = false;
    bool lCrossFadingOut = false;
    int MasterVolume = 0;
};
