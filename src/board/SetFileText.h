#pragma once

#include <QString>

// The text forms the set file gives to board values (one key per line, so a value never holds a
// line break).

// Section of a page: the group's prefix and the page number, "PageB12"; group D's prefix is "PageQ".
QString PageSectionName(int group, int page);

// A caption as stored: its first line break becomes "%%" and at most 100 characters follow it;
// any further line break becomes a blank.
QString CaptionToStored(const QString& caption);

// A stored caption as shown: the first "%%" becomes CR LF (at most 100 characters after it), then
// the first "&" becomes a blank (at most 100 characters after it).
QString StoredToCaption(const QString& stored);

// Any other text as stored: every line break (CR LF, CR or LF) becomes one blank.
QString SingleLineText(const QString& text);

// Whether the set file can name this file: a path with a line break would be saved with a blank
// in its place and so name a missing file after the next start.
bool SetFileCanHoldPath(const QString& path);
// The error box's text for a file refused for that reason.
QString PathWithLineBreakText(const QString& path);

// The per-button keys of a page section, in the order the writer writes them.
enum class ButtonKey
{
    Caption,
    File,
    Time,
    HotKey,
    HotKeyInfo,
    Loop,
    Note,
    Volume,
    Activity,
    CustomCue,
    CueStart,
    CueEnd,
    Color
};
constexpr int ButtonKeyCount = 13;

// The key name followed by the button number 1..48: "c1", "activity48".
const QString& ButtonKeyName(ButtonKey key, int button);
