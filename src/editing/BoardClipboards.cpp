// The shared parts of the clipboards: the indicator panels, the overwrite guards and the cells as
// a clipboard takes them.
#include "editing/BoardClipboards.h"

#include "board/MainForm.h"
#include "board/MainFormContext.h"
#include "controls/ColorPanel.h"
#include "platform/Dialogs.h"

namespace {

constexpr TColor IndicatorYellow = clYellow;
constexpr TColor IndicatorPurple = clPurple;

TColorPanel* MakeIndicator(QWidget* host, const QString& name, const QString& caption, const QRect& bounds)
{
    auto* panel = new TColorPanel(host);
    panel->setObjectName(name);
    panel->SetCaption(caption);
    panel->SetColor(IndicatorYellow);
    panel->SetFontColor(IndicatorPurple);
    panel->setGeometry(bounds);
    panel->hide();
    return panel;
}

} // namespace

BoardClipboards::BoardClipboards(TForm1& form) : form_(form), flags_(form.Context().clipboards)
{
    QWidget* host = form.centralWidget() ? form.centralWidget() : &form;
    soundPanel_ = MakeIndicator(host, QStringLiteral("SoundClipboard"),
                                QStringLiteral("Sound Clipboard contains Data"), QRect(430, 84, 175, 17));
    pagePanel_ = MakeIndicator(host, QStringLiteral("PageClipboard"),
                               QStringLiteral("Page Clipboard contains Data"), QRect(607, 84, 175, 17));
}

QString BoardClipboards::SoundGuardText(const QString& caption)
{
    return QStringLiteral("NOTE:  The Sound Clipboard already contains the button:\r\r") + QString(18, u' ') +
           QStringLiteral("\"") + caption + QStringLiteral("\"") + QStringLiteral("\r") +
           QStringLiteral("\r") + QStringLiteral("that has NOT been saved.  To overwrite, click OK ") +
           QStringLiteral("\r") + QStringLiteral("To save, click Cancel and then Paste the ") +
           QStringLiteral("\r") + QStringLiteral("button in the clipboard.");
}

QString BoardClipboards::PageGuardText(const QString& pageName, int blanks)
{
    return QStringLiteral("NOTE:  The Page Clipboard already contains a Page:\r\r") + QString(blanks, u' ') +
           QStringLiteral("\"") + pageName + QStringLiteral("\"") + QStringLiteral("\r") +
           QStringLiteral("\r") + QStringLiteral("that has NOT been saved.  To overwrite, click OK ") +
           QStringLiteral("\r") + QStringLiteral("To save, click Cancel and then Paste the ") +
           QStringLiteral("\r") + QStringLiteral("Page in the clipboard.");
}

bool BoardClipboards::SoundGuard()
{
    if (!flags_.SoundClipboardFull || flags_.SoundClipboardPastes != 0) {
        return true;
    }
    return form_.Context().dialogs.MessageDlg(SoundGuardText(sound_.Cell.ButtonCaption), mtWarning,
                                              mbOKCancel) != mrCancel;
}

bool BoardClipboards::PageGuard(int blanks)
{
    if (!flags_.PageClipboardFull || flags_.PageClipboardPastes != 0) {
        return true;
    }
    return form_.Context().dialogs.MessageDlg(PageGuardText(page_.PageName, blanks), mtWarning, mbOKCancel) !=
           mrCancel;
}

void BoardClipboards::FilledSound()
{
    flags_.SoundClipboardPastes = 0;
    flags_.SoundClipboardFull = true;
    flags_.SoundClipboardCaption = sound_.Cell.ButtonCaption;
    soundPanel_->show();
    soundPanel_->raise();
    soundPanel_->setToolTip(sound_.Cell.ButtonCaption);
}

void BoardClipboards::FilledPage()
{
    flags_.PageClipboardPastes = 0;
    flags_.PageClipboardFull = true;
    flags_.PageClipboardPageName = page_.PageName;
    pagePanel_->show();
    pagePanel_->raise();
    pagePanel_->setToolTip(page_.PageName);
}

void BoardClipboards::ShowErrorBox(const QString& routine)
{
    form_.Context().dialogs.MessageDlg(QStringLiteral("Error in ") + routine + QStringLiteral("\r "), mtError,
                                       mbOK);
}

TSoundButtonCell ClipboardCell(TSoundButtonCell cell, bool withHotKey)
{
    if (cell.ButtonState == bstPlaying) {
        cell.ButtonState = bstUnplayed;
    } else if (cell.ButtonState == bstHighlightedPlaying) {
        cell.ButtonState = bstHighlighted;
    }
    if (!withHotKey) {
        cell.ButtonHotKey.clear();
        cell.ButtonHotKeyInfo.clear();
    }
    return cell;
}

TSoundButtonCell CutCell()
{
    TSoundButtonCell cell;
    cell.ButtonState = bstUnplayed;
    cell.ButtonCustomCue = QStringLiteral("N");
    return cell;
}
