#pragma once
// The board's two internal clipboards, apart from the system clipboard: one sound button and one
// whole page. Copy and Cut fill them from the popup target, Paste writes them onto a blank slot or
// a blank page. The full flags, paste counters and names live in the process-wide
// InternalClipboards, which the exit sequence reads; the content lives here for the whole run.
#include "board/Board.h"

#include <QString>

#include <array>

class TColorPanel;
class TForm1;
struct InternalClipboards;

// One sound button, as Copy or Cut took it. Its hot-key label is painted from the hot key itself
// when it is pasted.
struct SoundClipboardData
{
    TSoundButtonCell Cell;
};

// One page: name, flags, colour and its 48 buttons.
struct PageClipboardData
{
    QString PageName;
    QString PagePlay;
    QString RapidFire;
    QString PageShuffle;
    TColor PageColor = 0;
    std::array<TSoundButtonCell, ButtonCount + 1> Cells{};
};

class BoardClipboards
{
public:
    // Builds the two indicator panels ("SoundClipboard", "PageClipboard") on the main window.
    explicit BoardClipboards(TForm1& form);

    void SoundCopyClick();
    void CutSoundClick();
    void PasteSoundClick();
    void PageCopyClick();
    void PageCutClick();
    void PagePasteClick();
    void CopyCueClick();

    const SoundClipboardData& SoundClipboard() const { return sound_; }
    const PageClipboardData& PageClipboard() const { return page_; }
    TColorPanel* SoundIndicator() const { return soundPanel_; }
    TColorPanel* PageIndicator() const { return pagePanel_; }

    // The warnings shown before unpasted content is overwritten.
    static QString SoundGuardText(const QString& caption);
    static QString PageGuardText(const QString& pageName, int blanks);

private:
    // False when the operator keeps unpasted content (Cancel).
    bool SoundGuard();
    bool PageGuard(int blanks);
    void FilledSound();
    void FilledPage();
    void CopyPage(int group, int page, bool withHotKeys);
    void BlankPage(int group, int page);
    void ShowErrorBox(const QString& routine);

    TForm1& form_;
    InternalClipboards& flags_;
    SoundClipboardData sound_;
    PageClipboardData page_;
    TColorPanel* soundPanel_ = nullptr;
    TColorPanel* pagePanel_ = nullptr;
};

// A cell as a clipboard keeps it: a sound that was playing goes in as not playing, so a paste
// never shows a button stuck in the playing colour with no channel behind it.
TSoundButtonCell ClipboardCell(TSoundButtonCell cell, bool withHotKey);
// The empty cell that Cut leaves behind.
TSoundButtonCell CutCell();
