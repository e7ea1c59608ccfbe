#pragma once
// Start-up measurement (bench/startup.sh): with RBX_STARTUP_PROBE set in the environment, the
// program writes the wall-clock time (ns) of each start-up step to stdout and leaves as soon as
// the main window's first paint has completed. Without the variable nothing is installed.
#include <QString>

class QWidget;

namespace StartupProbe {
bool Enabled();
// Writes "<step> <CLOCK_REALTIME ns>" and "<step>.cpu <the thread's processor time, ns>" when
// enabled.
void Mark(const char* step);
// Leaves the process right after the window's first completed paint, when enabled.
void ExitAfterFirstPaint(QWidget& window);
} // namespace StartupProbe
