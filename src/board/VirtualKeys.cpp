#include "board/VirtualKeys.h"

#include <QKeyEvent>

namespace {

// Keys whose code depends on whether they came from the numeric keypad.
int KeypadAware(int qtKey, bool keypad)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return keypad ? VK_NUMPAD0 + (qtKey - Qt::Key_0) : qtKey;
    switch (qtKey) {
    case Qt::Key_Plus:
        return keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Minus:
        return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Asterisk:
        return keypad ? VK_MULTIPLY : VK_0 + 8;
    case Qt::Key_Slash:
        return keypad ? VK_DIVIDE : VK_OEM_2;
    case Qt::Key_Period:
        return keypad ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Comma:
        return keypad ? VK_DECIMAL : VK_OEM_COMMA;
    default:
        return 0;
    }
}

// Shifted symbols of a US layout, mapped back to the key that carries them.
int ShiftedSymbol(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Exclam:
        return VK_0 + 1;
    case Qt::Key_At:
        return VK_0 + 2;
    case Qt::Key_NumberSign:
        return VK_0 + 3;
    case Qt::Key_Dollar:
        return VK_0 + 4;
    case Qt::Key_Percent:
        return VK_0 + 5;
    case Qt::Key_AsciiCircum:
        return VK_0 + 6;
    case Qt::Key_Ampersand:
        return VK_0 + 7;
    case Qt::Key_ParenLeft:
        return VK_0 + 9;
    case Qt::Key_ParenRight:
        return VK_0;
    case Qt::Key_Equal:
        return VK_OEM_PLUS;
    case Qt::Key_Underscore:
        return VK_OEM_MINUS;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return VK_OEM_5;
    case Qt::Key_Question:
        return VK_OEM_2;
    case Qt::Key_Greater:
        return VK_OEM_PERIOD;
    case Qt::Key_Less:
        return VK_OEM_COMMA;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return VK_OEM_1;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return VK_OEM_4;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return VK_OEM_7;
    default:
        return 0;
    }
}

int ControlKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Clear:
        return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return VK_MENU;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Print:
        return 44;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Meta:
        return 91;
    case Qt::Key_Menu:
        return 93;
    case Qt::Key_NumLock:
        return 144;
    case Qt::Key_ScrollLock:
        return 145;
    default:
        return 0;
    }
}

} // namespace

int VirtualKeyOfQtKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey; // the same numbers as the letter codes
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK_F1 + (qtKey - Qt::Key_F1);
    if (const int code = KeypadAware(qtKey, modifiers.testFlag(Qt::KeypadModifier)))
        return code;
    if (const int code = ShiftedSymbol(qtKey))
        return code;
    return ControlKey(qtKey);
}

int ShiftStateOfQtModifiers(Qt::KeyboardModifiers modifiers)
{
    int state = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        state |= ssShift;
    if (modifiers.testFlag(Qt::AltModifier))
        state |= ssAlt;
    if (modifiers.testFlag(Qt::ControlModifier))
        state |= ssCtrl;
    return state;
}

int VirtualKeyOfEvent(const QKeyEvent& event)
{
    return VirtualKeyOfQtKey(event.key(), event.modifiers());
}

int ShiftStateOfEvent(const QKeyEvent& event)
{
    return ShiftStateOfQtModifiers(event.modifiers());
}
