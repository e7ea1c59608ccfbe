#include "board/SetFileButtonKeys.h"

#include "board/Board.h"
#include "board/SetFileText.h"
#include "platform/Color.h"
#include "platform/IniFile.h"

void WriteButtonKeys(IniFile& ini, const QString& section, int b, const TSoundButtonCell& cell,
                     ColorKeyRule colorRule)
{
    auto textWhenNotBlank = [&](ButtonKey key, const QString& value) {
        if (!Board::IsBlank(value)) {
            ini.WriteString(section, ButtonKeyName(key, b), SingleLineText(value));
        }
    };
    const bool hasCaption = !Board::IsBlank(cell.ButtonCaption);
    if (hasCaption) {
        ini.WriteString(section, ButtonKeyName(ButtonKey::Caption, b), CaptionToStored(cell.ButtonCaption));
    }
    textWhenNotBlank(ButtonKey::File, cell.ButtonFile);
    // The time goes with the caption, not with a time of its own.
    if (hasCaption) {
        ini.WriteString(section, ButtonKeyName(ButtonKey::Time, b), SingleLineText(cell.ButtonTime));
    }
    textWhenNotBlank(ButtonKey::HotKey, cell.ButtonHotKey);
    textWhenNotBlank(ButtonKey::HotKeyInfo, cell.ButtonHotKeyInfo);
    textWhenNotBlank(ButtonKey::Loop, cell.ButtonLoop);
    textWhenNotBlank(ButtonKey::Note, cell.ButtonNote);
    textWhenNotBlank(ButtonKey::Volume, cell.ButtonVolume);
    if (cell.ButtonState > bstUnplayed) {
        ini.WriteString(section, ButtonKeyName(ButtonKey::Activity, b), QString::number(cell.ButtonState));
    }
    if (cell.ButtonCustomCue == QLatin1String("Y")) {
        ini.WriteString(section, ButtonKeyName(ButtonKey::CustomCue, b), QStringLiteral("Y"));
    }
    if (cell.ButtonCueStart > 0) {
        ini.WriteString(section, ButtonKeyName(ButtonKey::CueStart, b), QString::number(cell.ButtonCueStart));
    }
    if (cell.ButtonCueEnd > 0) {
        ini.WriteString(section, ButtonKeyName(ButtonKey::CueEnd, b), QString::number(cell.ButtonCueEnd));
    }
    if (cell.ButtonCustomColor != 0 || colorRule == ColorKeyRule::Always) {
        ini.WriteString(section, ButtonKeyName(ButtonKey::Color, b), ColorToString(cell.ButtonCustomColor));
    }
}
