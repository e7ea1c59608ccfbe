#pragma once
// The application's hint-hide pause: how long a tooltip stays up in every window of the program
// (the options' note time). Qt keeps a display time per widget only, so a filter on the
// application shows each widget's tooltip itself, with this time.

// From now on every tooltip of the program stays up ms milliseconds; 0 or less gives Qt's own
// time back. Needs the QApplication.
void SetHintHidePause(int ms);
// The pause set last; 0 when none was set.
int HintHidePause();
