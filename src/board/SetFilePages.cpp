#include "board/SetFilePages.h"

#include "board/Board.h"
#include "board/SetFileText.h"
#include "platform/Color.h"
#include "platform/IniFile.h"

#include <array>

namespace {

const QString kBlank = QStringLiteral(" ");
const QString kFalse = QStringLiteral("F");

// Plain decimal digits, as this program writes numbers; anything else goes through the full
// conversion. A full board holds some thirty thousand of these.
bool ParsePlainDecimal(const QString& text, int& value)
{
    if (text.isEmpty() || text.size() > 9) {
        return false;
    }
    int result = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
        result = result * 10 + (c.unicode() - u'0');
    }
    value = result;
    return true;
}

class PageReader
{
public:
    PageReader(Board& board, std::vector<BadSetValue>& badValues) : board_(board), badValues_(badValues)
    {
        // Copies of the key names of its own: each look-up copies its key, and readers on other
        // threads sharing the one table would all count references on the same strings.
        for (int k = 0; k < ButtonKeyCount; ++k) {
            for (int b = 1; b <= ButtonCount; ++b) {
                const QString& shared = ButtonKeyName(static_cast<ButtonKey>(k), b);
                keyNames_[k][b] = QString(shared.constData(), shared.size());
            }
        }
    }

    void ReadPage(const IniFile& ini, int group, int page)
    {
        const QString section = PageSectionName(group, page);
        const IniFile::SectionKeys keys = ini.Keys(section);
        if (keys.Exists()) {
            ReadPageFrom(keys, section, group, page, ButtonCount);
            return;
        }
        // A page the file does not hold takes every default. Its first button is read as any other
        // (from an object without sections, which answers without a look-up) and the others are
        // copies of it, so a sparse board loads in a fraction of a full one's time.
        static const IniFile kNoSections;
        ReadPageFrom(kNoSections.Keys(section), section, group, page, 1);
        const TSoundButtonCell defaults = board_.Cell(group, page, 1);
        for (int b = 2; b <= ButtonCount; ++b) {
            board_.SetCell(group, page, b, defaults);
        }
    }

private:
    void ReadPageFrom(const IniFile::SectionKeys& keys, const QString& section, int group, int page, int buttons)
    {
        board_.PageName[group][page] = keys.ReadString(QStringLiteral("PageName"), kBlank);
        board_.PagePlay[group][page] = keys.ReadString(QStringLiteral("PagePlay"), kFalse);
        board_.RapidFire[group][page] = keys.ReadString(QStringLiteral("RapidFire"), kFalse);
        board_.PageShuffle[group][page] = keys.ReadString(QStringLiteral("PageShuffle"), kFalse);
        board_.PageColor[group][page] = ReadColor(keys, section, QStringLiteral("PageColor"));
        for (int b = 1; b <= buttons; ++b) {
            ReadButton(keys, section, group, page, b);
        }
    }

    void ReadButton(const IniFile::SectionKeys& keys, const QString& section, int g, int p, int b)
    {
        auto text = [&](ButtonKey key, const QString& defaultValue) {
            return keys.ReadString(KeyName(key, b), defaultValue);
        };
        board_.ButtonCaption[g][p][b] = StoredToCaption(text(ButtonKey::Caption, kBlank));
        board_.ButtonFile[g][p][b] = text(ButtonKey::File, kBlank);
        board_.ButtonTime[g][p][b] = text(ButtonKey::Time, kBlank);
        board_.ButtonHotKey[g][p][b] = text(ButtonKey::HotKey, kBlank);
        board_.ButtonHotKeyInfo[g][p][b] = text(ButtonKey::HotKeyInfo, kBlank);
        board_.ButtonLoop[g][p][b] = text(ButtonKey::Loop, QString());
        board_.ButtonNote[g][p][b] = text(ButtonKey::Note, kBlank);
        board_.ButtonVolume[g][p][b] = text(ButtonKey::Volume, QString());

        // A sound that was playing or cued when the file was written is no longer so.
        int state =
            ReadInteger(keys, section, KeyName(ButtonKey::Activity, b), QStringLiteral("1"), bstUnplayed);
        if (state == bstCued) {
            state = bstNeutral;
        } else if (state == bstPlaying) {
            state = bstPlayed;
        } else if (state == bstHighlightedPlaying) {
            state = bstHighlightedPlayed;
        }
        board_.ButtonState[g][p][b] = state;

        board_.ButtonCustomCue[g][p][b] = text(ButtonKey::CustomCue, QStringLiteral("N"));
        board_.ButtonCueStart[g][p][b] =
            ReadInteger(keys, section, KeyName(ButtonKey::CueStart, b), QStringLiteral("0"), 0);
        board_.ButtonCueEnd[g][p][b] =
            ReadInteger(keys, section, KeyName(ButtonKey::CueEnd, b), QStringLiteral("0"), 0);
        board_.ButtonCustomColor[g][p][b] = ReadColor(keys, section, KeyName(ButtonKey::Color, b));
    }

    int ReadInteger(const IniFile::SectionKeys& keys, const QString& section, const QString& key,
                    const QString& defaultText, int defaultValue)
    {
        const QString value = keys.ReadString(key, defaultText);
        int result = 0;
        if (ParsePlainDecimal(value, result) || IniFile::TryParseInteger(value.trimmed(), result)) {
            return result;
        }
        badValues_.push_back({section, key, value});
        return defaultValue;
    }

    int ReadColor(const IniFile::SectionKeys& keys, const QString& section, const QString& key)
    {
        const QString value = keys.ReadString(key, QString());
        if (Board::IsBlank(value)) {
            return 0;
        }
        TColor color = 0;
        const QString trimmed = value.trimmed();
        // "$" and hex digits is the common form and cannot be a colour name, so it skips the name table.
        if (trimmed.startsWith(u'$') ? IniFile::TryParseInteger(trimmed, color) : StringToColor(trimmed, color)) {
            return color;
        }
        badValues_.push_back({section, key, value});
        return 0;
    }

    const QString& KeyName(ButtonKey key, int button) const { return keyNames_[static_cast<int>(key)][button]; }

    Board& board_;
    std::vector<BadSetValue>& badValues_;
    std::array<std::array<QString, ButtonCount + 1>, ButtonKeyCount> keyNames_;
};

} // namespace

void ReadSetFilePages(const IniFile& ini, Board& board, std::vector<BadSetValue>& badValues)
{
    ReadSetFileGroups(ini, board, badValues, 1, GroupCount);
}

void ReadSetFileGroups(const IniFile& ini, Board& board, std::vector<BadSetValue>& badValues, int firstGroup,
                       int lastGroup)
{
    PageReader reader(board, badValues);
    for (int g = firstGroup; g <= lastGroup; ++g) {
        for (int p = 1; p <= PageCount; ++p) {
            reader.ReadPage(ini, g, p);
        }
    }
}
