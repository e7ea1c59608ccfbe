#pragma once
// Whether the desktop's session bus answers, asked with a time limit before anything of Qt's
// connects to it. Qt's accessibility bridge, woken by the first control's text, connects to the
// bus on the window's thread and waits without limit; a frozen bus (one that takes the
// connection and never replies) would keep the board from showing at all.
#include <chrono>

namespace SessionBusProbe {
// False only for a bus that takes the connection and does not answer the first line of its
// handshake within maxWait. No address, a socket that refuses or closes, or an address kind
// this probe does not speak count as answering: Qt's own attempt then ends at once or is left
// as it was. Blocks the caller at most maxWait (plus the connect, also bounded by it).
bool Answers(std::chrono::milliseconds maxWait);
// Points the bus address at one that fails at once, so that the bridge and every other bus
// user of this process give up instead of waiting. Call before any other thread starts.
void StartWithoutBus();
} // namespace SessionBusProbe
