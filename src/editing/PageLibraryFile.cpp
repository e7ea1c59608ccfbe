#include "editing/PageLibraryFile.h"

#include "board/SetFileButtonKeys.h"
#include "board/SetFileText.h"
#include "platform/Color.h"
#include "platform/IniFile.h"

namespace {

const QString kMain = QStringLiteral("Main");
const QString kPage = QStringLiteral("Page");
const QString kBlank = QStringLiteral(" ");
constexpr int kTailLength = 100;

// A caption as the library holds it: the first "%%" is the line break; an "&" stays.
QString LibraryCaption(const QString& stored)
{
    const qsizetype at = stored.indexOf(QStringLiteral("%%"));
    if (at < 0) {
        return stored;
    }
    return stored.left(at) + QStringLiteral("\r\n") + stored.mid(at + 2, kTailLength);
}

// Cued, playing and played states mean nothing in another board; they come back neutral.
int ImportedState(int state)
{
    switch (state) {
    case bstPlayed:
    case bstPlaying:
    case bstCued:
    case bstHighlightedPlayed:
    case bstHighlightedPlaying:
        return bstNeutral;
    default:
        return state;
    }
}

class PageReader
{
public:
    explicit PageReader(const IniFile& ini) : ini_(ini) {}

    QString Text(const QString& key, const QString& defaultValue) const
    {
        return ini_.ReadString(kPage, key, defaultValue);
    }
    bool Integer(const QString& key, const QString& defaultText, int& value)
    {
        if (IniFile::TryParseInteger(Text(key, defaultText).trimmed(), value)) {
            return true;
        }
        bad_ = key;
        return false;
    }
    bool Color(const QString& key, const QString& defaultText, TColor& color)
    {
        const QString text = Text(key, defaultText);
        if (Board::IsBlank(text)) {
            color = 0;
            return true;
        }
        if (StringToColor(text.trimmed(), color)) {
            return true;
        }
        bad_ = key;
        return false;
    }
    const QString& Bad() const { return bad_; }

private:
    const IniFile& ini_;
    QString bad_;
};

bool ReadCell(PageReader& r, int b, TSoundButtonCell& cell)
{
    auto key = [b](ButtonKey k) { return ButtonKeyName(k, b); };
    cell.ButtonCustomCue = r.Text(key(ButtonKey::CustomCue), QStringLiteral("N"));
    int cueStart = 0;
    int cueEnd = 0;
    int state = bstUnplayed;
    if (!r.Integer(key(ButtonKey::CueStart), QStringLiteral("0"), cueStart) ||
        !r.Integer(key(ButtonKey::CueEnd), QStringLiteral("0"), cueEnd)) {
        return false;
    }
    cell.ButtonCueStart = cueStart;
    cell.ButtonCueEnd = cueEnd;
    cell.ButtonCaption = LibraryCaption(r.Text(key(ButtonKey::Caption), kBlank));
    cell.ButtonFile = r.Text(key(ButtonKey::File), kBlank);
    cell.ButtonTime = r.Text(key(ButtonKey::Time), kBlank);
    cell.ButtonHotKey = r.Text(key(ButtonKey::HotKey), kBlank);
    cell.ButtonHotKeyInfo = r.Text(key(ButtonKey::HotKeyInfo), kBlank);
    cell.ButtonVolume = r.Text(key(ButtonKey::Volume), QString());
    cell.ButtonLoop = r.Text(key(ButtonKey::Loop), QString());
    cell.ButtonNote = r.Text(key(ButtonKey::Note), kBlank);
    if (!r.Color(key(ButtonKey::Color), QString(), cell.ButtonCustomColor) ||
        !r.Integer(key(ButtonKey::Activity), QStringLiteral("1"), state)) {
        return false;
    }
    cell.ButtonState = ImportedState(state);
    return true;
}

} // namespace

bool WritePageLibrary(const Board& board, int group, int page, IniFile& ini)
{
    ini.Clear();
    ini.WriteString(kMain, QStringLiteral("CreatedBy"), QStringLiteral("Rallybox Page Library"));
    const bool isCue = group == CueGroup && page == CuePage;
    if (Board::IsBlank(board.PageName[group][page]) && !isCue) {
        return false;
    }
    ini.WriteString(kPage, QStringLiteral("PageName"), SingleLineText(board.PageName[group][page]));
    ini.WriteString(kPage, QStringLiteral("PagePlay"), SingleLineText(board.PagePlay[group][page]));
    ini.WriteString(kPage, QStringLiteral("PageShuffle"), SingleLineText(board.PageShuffle[group][page]));
    ini.WriteString(kPage, QStringLiteral("PageColor"), ColorToString(board.PageColor[group][page]));
    for (int b = 1; b <= ButtonCount; ++b) {
        WriteButtonKeys(ini, kPage, b, board.Cell(group, page, b), ColorKeyRule::Always);
    }
    return true;
}

bool ReadPageLibrary(const IniFile& ini, PageLibraryPage& out, QString& badKey)
{
    badKey.clear();
    if (!ini.SectionExists(kPage)) {
        return false;
    }
    PageReader r(ini);
    PageLibraryPage page;
    page.PageName = r.Text(QStringLiteral("PageName"), kBlank);
    page.PagePlay = r.Text(QStringLiteral("PagePlay"), QStringLiteral("F"));
    page.PageShuffle = r.Text(QStringLiteral("PageShuffle"), QStringLiteral("F"));
    bool ok = r.Color(QStringLiteral("PageColor"), QStringLiteral("clBtnFace"), page.PageColor);
    for (int b = 1; ok && b <= ButtonCount; ++b) {
        ok = ReadCell(r, b, page.Cells[static_cast<std::size_t>(b)]);
    }
    if (!ok) {
        badKey = r.Bad();
        return false;
    }
    out = std::move(page);
    return true;
}

void CommitPageLibrary(Board& board, int group, int page, const PageLibraryPage& imported)
{
    board.PageName[group][page] = imported.PageName;
    board.PagePlay[group][page] = imported.PagePlay;
    board.PageShuffle[group][page] = imported.PageShuffle;
    board.PageColor[group][page] = imported.PageColor;
    for (int b = 1; b <= ButtonCount; ++b) {
        board.SetCell(group, page, b, imported.Cells[static_cast<std::size_t>(b)]);
    }
}

QString PageLibraryFileName(const QString& pageName, bool& replaced)
{
    static const QString invalid = QStringLiteral("\\/?:*\"><|");
    replaced = false;
    QString name = pageName;
    // The scan starts again from the beginning after each replacement, as a file name is built up.
    for (;;) {
        qsizetype at = -1;
        for (qsizetype i = 0; i < name.size(); ++i) {
            if (invalid.contains(name.at(i))) {
                at = i;
                break;
            }
        }
        if (at < 0) {
            return name;
        }
        replaced = true;
        name = name.left(at) + u'-' + name.mid(at + 1, kTailLength);
    }
}
