#pragma once
// The texts of the sound-button editor that do not depend on its window: its own table of the
// audio engine's error texts, the open dialog's filter and the caption rules.
#include <QString>

// The editor's own text for an audio-engine error code; any code outside its table reads
// "Unknown error (" + code + ")". It differs from the trace's table and writes no trace line.
QString ChangeSoundButtonErrorText(int code);

// The whole box text: "BASS Error (" + code + "):  " + the text above.
QString ChangeSoundButtonErrorMessage(int code);

// The open dialog's filter in the class library's "description|patterns|..." form.
QString SoundFileFilter();

// Removes the first "&" of a caption, keeping at most 100 characters after it, so a button does
// not turn the next letter into an accelerator. Blanks on both sides of it stay.
QString RemoveFirstAmpersand(const QString& caption);

// The caption a file gives a button: its name without folders ("/", "\" or a drive's ":") and
// without its extension, whatever its length, then without its first "&".
QString DefaultCaptionOfFile(const QString& path);

// A caption as the board keeps it: the first line break as CR LF, any further line break joined
// as one blank (the set file holds one line break per caption).
QString BoardCaptionOfMemo(const QString& memoText);

// The caption as a memo shows it: CR LF as one line break.
QString MemoTextOfCaption(const QString& caption);
