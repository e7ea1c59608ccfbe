#pragma once
// What the sound-button editor is given: the process-wide objects it reads and writes, the main
// window's slot controls, and the hook that opens the custom cue editor.
#include "audio/Bass.h"

#include <functional>

class Board;
class Dialogs;
class QString;
class SoundLengthFollower;
class SoundSlotView;
struct GTScalerShared;
struct Selection;
struct Settings;

struct ChangeSoundButtonContext
{
    Board& board;
    Selection& selection;
    Settings& settings;
    Dialogs& dialogs;
    SoundSlotView& slotView;
    GTScalerShared& scalerShared;
    // Shows the custom cue editor modally on the popup target and returns its modal result; the
    // cue editor frees its own preview stream. Empty while that window is not built.
    std::function<int()> ShowCustomCueEditor;
    // Measures the new file without holding the window, and shows a measured length that arrives
    // after the estimate on the main window (see TForm1::CorrectButtonTime). Without it the
    // estimate stays.
    SoundLengthFollower* buttonLengths = nullptr;
    std::function<void(int group, int page, int button, const QString& file, const QString& time)> CorrectButtonTime;
};
