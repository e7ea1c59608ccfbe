#pragma once

#include <Qt>

class QKeyEvent;

// Windows virtual-key codes: the keyboard handling decides by these numbers, so Qt's keys are
// translated to them once, here.
inline constexpr int VK_BACK = 8;
inline constexpr int VK_TAB = 9;
inline constexpr int VK_RETURN = 13;
inline constexpr int VK_SHIFT = 16;
inline constexpr int VK_CONTROL = 17;
inline constexpr int VK_MENU = 18;
inline constexpr int VK_PAUSE = 19;
inline constexpr int VK_CAPITAL = 20;
inline constexpr int VK_ESCAPE = 27;
inline constexpr int VK_SPACE = 32;
inline constexpr int VK_PRIOR = 33;
inline constexpr int VK_NEXT = 34;
inline constexpr int VK_END = 35;
inline constexpr int VK_HOME = 36;
inline constexpr int VK_LEFT = 37;
inline constexpr int VK_UP = 38;
inline constexpr int VK_RIGHT = 39;
inline constexpr int VK_DOWN = 40;
inline constexpr int VK_INSERT = 45;
inline constexpr int VK_DELETE = 46;
inline constexpr int VK_0 = 48;
inline constexpr int VK_9 = 57;
inline constexpr int VK_A = 65;
inline constexpr int VK_Z = 90;
inline constexpr int VK_NUMPAD0 = 96;
inline constexpr int VK_NUMPAD9 = 105;
inline constexpr int VK_MULTIPLY = 106;
inline constexpr int VK_ADD = 107;
inline constexpr int VK_SUBTRACT = 109;
inline constexpr int VK_DECIMAL = 110;
inline constexpr int VK_DIVIDE = 111;
inline constexpr int VK_F1 = 112;
inline constexpr int VK_F10 = 121;
inline constexpr int VK_F12 = 123;
inline constexpr int VK_F24 = 135;
inline constexpr int VK_OEM_1 = 186;
inline constexpr int VK_OEM_PLUS = 187;
inline constexpr int VK_OEM_COMMA = 188;
inline constexpr int VK_OEM_MINUS = 189;
inline constexpr int VK_OEM_PERIOD = 190;
inline constexpr int VK_OEM_2 = 191;
inline constexpr int VK_OEM_3 = 192;
inline constexpr int VK_OEM_4 = 219;
inline constexpr int VK_OEM_5 = 220;
inline constexpr int VK_OEM_6 = 221;
inline constexpr int VK_OEM_7 = 222;

// The class library's shift-state set as an integer: Shift bit 0, Alt bit 1, Ctrl bit 2.
inline constexpr int ssShift = 1;
inline constexpr int ssAlt = 2;
inline constexpr int ssCtrl = 4;

// The virtual-key code of a Qt key under the given modifiers, 0 when it has none. Keys from the
// numeric keypad (Qt::KeypadModifier) give the numpad codes for digits, plus and minus; shifted
// symbols of the top rows give their key's code, since Shift never changes which key was hit.
int VirtualKeyOfQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

// The class library's shift-state set (Shift 1, Alt 2, Ctrl 4) of Qt modifiers.
int ShiftStateOfQtModifiers(Qt::KeyboardModifiers modifiers);

// Both of the above for a key event.
int VirtualKeyOfEvent(const QKeyEvent& event);
int ShiftStateOfEvent(const QKeyEvent& event);
