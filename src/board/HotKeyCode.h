#pragma once

#include "board/VirtualKeys.h"

#include <QString>

// A sound button's hot key as text (`THotKeyCode`): one modifier digit ("0" none, "1" Alt,
// "2" Ctrl, "3" Ctrl and Alt) followed by the key name ("F1".."F12", "0".."9", "A".."Z").
// Empty, or blanks only, means no hot key. Codes compare as whole texts, case-sensitively.

// Number of keys that can carry a sound; slots run 1..HotKeySlotCount.
inline constexpr int HotKeySlotCount = 47;

// The modifier digits.
inline constexpr int HotKeyNoModifier = 0;
inline constexpr int HotKeyAlt = 1;
inline constexpr int HotKeyCtrl = 2;
inline constexpr int HotKeyCtrlAlt = 3;

// Shown by the sound-button editor when asked to store "0P" (P is the Pause button's accelerator).
inline const char* const HotKeyReservedText = "This Hot Key is reserved by the system for the <Pause> button";

// Whether the button has a hot key: decided on the trimmed text.
bool HasHotKey(const QString& code);

// Character 1 of the untrimmed code as a number 0..3, or -1 when it is not one of "0".."3".
int HotKeyModifierOf(const QString& code);

// The key name: the (at most three) characters from position 2 of the untrimmed code.
QString HotKeyKeyNameOf(const QString& code);

// Slot 1..47 of a key name (F1..F12 = 1..12, "1".."9" = 13..21, "0" = 22, A..O = 23..37,
// Q..Z = 38..47), 0 for any other text, "P" included.
int HotKeySlotOfKey(const QString& keyName);

// The key name of a slot 1..47, empty for any other number.
QString HotKeyKeyOfSlot(int slot);

// Alt + 2 x Ctrl.
int HotKeyModifierDigit(bool alt, bool ctrl);

// The modifier digit of a key event's shift state ((state >> 1) and 3): Shift is ignored.
int HotKeyModifierOfShiftState(int shiftState);

// Modifier digit followed by the key name, e.g. (2, "F5") -> "2F5".
QString MakeHotKeyCode(int modifier, const QString& keyName);

// Long form for hints, lists and messages: "Alt + ", "Ctrl + " or "Ctrl + Alt + " and the key
// ("0F5" -> "F5", "17" -> "Alt + 7"). Empty when the button has no hot key.
QString HotKeyLongText(const QString& code);

// Compact marker for the slot's hot-key label: "a", "c" or "ca" and the key ("2Q" -> "cQ").
// Empty when the button has no hot key.
QString HotKeyMarker(const QString& code);

// The key name a virtual-key code stands for as a hot key: "0".."9" from the top row and the
// numpad alike, "A".."Z", "F1".."F12"; empty for every other key.
QString HotKeyKeyNameOfVirtualKey(int virtualKey);

// The hot-key code of a key release (virtual-key code and shift state), empty when the key
// cannot be a hot key.
QString HotKeyCodeOfKeyEvent(int virtualKey, int shiftState);

// "0P" is reserved for the Pause button and never stored by the editor.
bool IsReservedHotKey(const QString& code);

// Whether the hot-key picker offers the key under the modifier: never "P" nor "F10", and with
// Alt alone not the menu initials "F", "E", "S", "T", "L" and "H".
bool IsHotKeyOffered(int modifier, const QString& keyName);
