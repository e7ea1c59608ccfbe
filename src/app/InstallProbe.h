#pragma once
// The installation check (scripts/install-check.sh): with RBX_INSTALL_PROBE set in the
// environment, the program proves after its first paint that it found its parts. It prints
// "decoder <module file>", "output <module file>", "help <file>" for each help page,
// "folder <program folder>" and "played <ms> <sound file>" for the first sound of the shown page,
// played through the engine, then leaves: with 0 when each was found and the sound played, else
// 1. Without the variable nothing is installed.
class RallyboxApp;

namespace InstallProbe {
bool Enabled();
void CheckAfterFirstPaint(RallyboxApp& app);
} // namespace InstallProbe
