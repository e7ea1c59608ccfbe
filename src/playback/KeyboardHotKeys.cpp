// The last step of a key release: the hot keys, either the codes assigned to buttons or the fixed
// broadcast layout of 48 keys over the shown page.
#include "playback/Keyboard.h"

#include "board/Board.h"
#include "board/HotKeyCode.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/VirtualKeys.h"
#include "playback/PlaybackWindow.h"

int Keyboard::BroadcastKeyButton(int key)
{
    constexpr int VK_O = 'O';
    constexpr int VK_P = 'P';
    constexpr int VK_Q = 'Q';
    constexpr int VK_F9 = VK_F1 + 8;
    constexpr int VK_F11 = VK_F1 + 10;
    if (key >= VK_A && key <= VK_O) {
        return key - VK_A + 1;
    }
    if (key >= VK_Q && key <= VK_Z) {
        return key - VK_Q + 16;
    }
    if (key >= VK_0 && key <= VK_9) {
        return key - VK_0 + 26;
    }
    if (key >= VK_F1 && key <= VK_F9) {
        return key - VK_F1 + 36;
    }
    switch (key) {
    case VK_F11:
        return 45;
    case VK_F12:
        return 46;
    case VK_INSERT:
        return 47;
    case VK_DELETE:
        return 48;
    case VK_P: // the Pause button's accelerator
    default:
        return 0;
    }
}

void Keyboard::HotKeys(int key, int shift)
{
    if (set_.BroadcastKeys) {
        const int button = BroadcastKeyButton(key);
        if (button != 0) {
            play_.ProcessSoundButton(button);
        }
        return;
    }
    const QString code = HotKeyCodeOfKeyEvent(key, shift);
    if (code.isEmpty()) {
        return;
    }
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageButtonCount; ++p) {
            for (int b = 1; b <= ButtonCount; ++b) {
                if (board_.ButtonHotKey[g][p][b] != code) {
                    continue;
                }
                const int cursor = s_.ManualControlButton;
                if (cursor >= 1 && cursor <= ButtonCount) {
                    win_.SetSoundButtonColor(cursor, set_.ButtonColor);
                }
                // The first match decides: a locked button blocks its key.
                if (board_.ButtonState[g][p][b] != bstLocked) {
                    s_.HotKeyGroup = g;
                    s_.HotKeyPage = p;
                    s_.HotKeyButton = b;
                    play_.HotKeyPlaySound();
                }
                return;
            }
        }
    }
}
