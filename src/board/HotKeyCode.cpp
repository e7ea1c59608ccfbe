#include "board/HotKeyCode.h"

#include "board/VirtualKeys.h"

#include <array>

namespace {

// Key names in slot order; index 0 is slot 1.
const std::array<const char*, HotKeySlotCount>& SlotNames()
{
    static const std::array<const char*, HotKeySlotCount> names = {
        "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12", "1", "2", "3", "4",
        "5",  "6",  "7",  "8",  "9",  "0",  "A",  "B",  "C",  "D",   "E",   "F",   "G", "H", "I", "J",
        "K",  "L",  "M",  "N",  "O",  "Q",  "R",  "S",  "T",  "U",   "V",   "W",   "X", "Y", "Z"};
    return names;
}

const char* ModifierWords(int modifier)
{
    switch (modifier) {
    case HotKeyAlt:
        return "Alt + ";
    case HotKeyCtrl:
        return "Ctrl + ";
    case HotKeyCtrlAlt:
        return "Ctrl + Alt + ";
    default:
        return "";
    }
}

const char* ModifierMarker(int modifier)
{
    switch (modifier) {
    case HotKeyAlt:
        return "a";
    case HotKeyCtrl:
        return "c";
    case HotKeyCtrlAlt:
        return "ca";
    default:
        return "";
    }
}

} // namespace

bool HasHotKey(const QString& code)
{
    return !code.trimmed().isEmpty();
}

int HotKeyModifierOf(const QString& code)
{
    if (code.isEmpty())
        return -1;
    const QChar digit = code.at(0);
    if (digit < QLatin1Char('0') || digit > QLatin1Char('3'))
        return -1;
    return digit.unicode() - '0';
}

QString HotKeyKeyNameOf(const QString& code)
{
    return code.mid(1, 3);
}

int HotKeySlotOfKey(const QString& keyName)
{
    const auto& names = SlotNames();
    for (int i = 0; i < HotKeySlotCount; ++i) {
        if (keyName == QLatin1String(names[static_cast<std::size_t>(i)]))
            return i + 1;
    }
    return 0;
}

QString HotKeyKeyOfSlot(int slot)
{
    if (slot < 1 || slot > HotKeySlotCount)
        return {};
    return QString::fromLatin1(SlotNames()[static_cast<std::size_t>(slot - 1)]);
}

int HotKeyModifierDigit(bool alt, bool ctrl)
{
    return (alt ? 1 : 0) + 2 * (ctrl ? 1 : 0);
}

int HotKeyModifierOfShiftState(int shiftState)
{
    return (shiftState >> 1) & 3;
}

QString MakeHotKeyCode(int modifier, const QString& keyName)
{
    return QString::number(modifier) + keyName;
}

QString HotKeyLongText(const QString& code)
{
    if (!HasHotKey(code))
        return {};
    return QLatin1String(ModifierWords(HotKeyModifierOf(code))) + HotKeyKeyNameOf(code);
}

QString HotKeyMarker(const QString& code)
{
    if (!HasHotKey(code))
        return {};
    return QLatin1String(ModifierMarker(HotKeyModifierOf(code))) + HotKeyKeyNameOf(code);
}

QString HotKeyKeyNameOfVirtualKey(int virtualKey)
{
    if (virtualKey >= VK_0 && virtualKey <= VK_9)
        return QString(QChar(virtualKey));
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9)
        return QString(QChar('0' + (virtualKey - VK_NUMPAD0)));
    if (virtualKey >= VK_A && virtualKey <= VK_Z)
        return QString(QChar(virtualKey));
    if (virtualKey >= VK_F1 && virtualKey <= VK_F12)
        return QStringLiteral("F") + QString::number(virtualKey - VK_F1 + 1);
    return {};
}

QString HotKeyCodeOfKeyEvent(int virtualKey, int shiftState)
{
    const QString keyName = HotKeyKeyNameOfVirtualKey(virtualKey);
    if (keyName.isEmpty())
        return {};
    return MakeHotKeyCode(HotKeyModifierOfShiftState(shiftState), keyName);
}

bool IsReservedHotKey(const QString& code)
{
    return code == QLatin1String("0P");
}

bool IsHotKeyOffered(int modifier, const QString& keyName)
{
    if (HotKeySlotOfKey(keyName) == 0 || keyName == QLatin1String("F10"))
        return false;
    if (modifier < HotKeyNoModifier || modifier > HotKeyCtrlAlt)
        return false;
    // Alt with these letters opens the main window's menus File, Edit, Setup, Tools, Log, Help.
    static const QString menuInitials = QStringLiteral("FESTLH");
    if (modifier == HotKeyAlt && keyName.size() == 1 && menuInitials.contains(keyName.at(0)))
        return false;
    return true;
}
