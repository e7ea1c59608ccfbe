#include "editing/ShellFileDrop.h"

#include "board/BassErrorText.h"
#include "board/Board.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/SetFileText.h"
#include "board/Settings.h"
#include "board/SoundLengthFollower.h"
#include "board/TimeText.h"
#include "editing/SoundFileLength.h"
#include "platform/Dialogs.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

namespace {

constexpr int kTailLength = 100;
const QString kDragAndDrop = QStringLiteral("Drag and Drop");

// The caption a dropped file gets: its name without the extension, the first "&" taken out
// (an "&" would mark an accelerator on the button).
QString CaptionOfDroppedFile(const QString& path)
{
    QString name = QFileInfo(path).completeBaseName();
    if (name.isEmpty()) {
        name = QFileInfo(path).fileName();
    }
    const qsizetype amp = name.indexOf(u'&');
    if (amp >= 0) {
        name = name.left(amp) + name.mid(amp + 1, kTailLength);
    }
    return name;
}

QStringList LocalFiles(const QMimeData* mime)
{
    QStringList paths;
    if (mime == nullptr || !mime->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile()) {
            paths.append(url.toLocalFile());
        }
    }
    return paths;
}

} // namespace

ShellFileDrop::ShellFileDrop(TForm1& form) : QObject(&form), form_(form)
{
    setObjectName(QStringLiteral("ShellFileDrop"));
    form_.setAcceptDrops(true);
    form_.installEventFilter(this);
}

bool ShellFileDrop::AcceptsDrops() const
{
    const MainFormContext& ctx = form_.Context();
    const bool cueShown = ctx.selection.CurrentGroup == CueGroup && ctx.selection.CurrentPage == CuePage;
    return !ctx.settings.SecurityLocked && !ctx.board.EditMode && !form_.ButtonDragMode && !cueShown;
}

bool ShellFileDrop::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &form_) {
        return false;
    }
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (AcceptsDrops() && !LocalFiles(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList paths = LocalFiles(drop->mimeData());
        if (paths.isEmpty()) {
            return false;
        }
        drop->acceptProposedAction();
        WMDropFiles(paths);
        return true;
    }
    return false;
}

void ShellFileDrop::WMDropFiles(const QStringList& paths)
{
    if (!AcceptsDrops()) {
        return;
    }
    for (const QString& path : paths) {
        if (!PlaceFile(path)) {
            break;
        }
    }
}

bool ShellFileDrop::PlaceFile(const QString& path)
{
    MainFormContext& ctx = form_.Context();
    Board& board = ctx.board;
    Settings& s = ctx.settings;
    Selection& sel = ctx.selection;
    if (!SetFileCanHoldPath(path)) {
        // Refused rather than kept under a name the next start would not find; the other
        // files of the drop are still placed.
        ctx.dialogs.MessageDlg(PathWithLineBreakText(path), mtError, mbOK);
        return true;
    }
    const QString name = CaptionOfDroppedFile(path);
    const int group = sel.CurrentGroup < 1 ? 1 : sel.CurrentGroup;
    const int shownPage = sel.CurrentPage < 1 ? 1 : sel.CurrentPage;
    sel.PopupGroup = group;
    sel.PopupButton = 0;
    if (Board::IsBlank(board.PageName[group][shownPage])) {
        NamePage(group, shownPage, s.LastSoundButtonColor);
    }

    int page = shownPage;
    int button = 0;
    while (button == 0) {
        for (int b = 1; b <= ButtonCount && button == 0; ++b) {
            if (Board::IsBlank(board.ButtonCaption[group][page][b])) {
                button = b;
            }
        }
        if (button != 0) {
            break;
        }
        ++page;
        if (page > PageButtonCount) {
            ctx.dialogs.MessageDlg(
                QStringLiteral("There are no more Pages in this Group, please select another Group"), mtError,
                mbOK);
            return false;
        }
        if (Board::IsBlank(board.PageName[group][page])) {
            NamePage(group, page, clBtnFace);
        }
    }
    sel.PopupPage = page;
    sel.PopupButton = button;

    board.ButtonCaption[group][page][button] = name;
    board.ButtonFile[group][page][button] = path;
    board.ButtonNote[group][page][button] = name;
    board.ButtonState[group][page][button] = bstUnplayed;
    board.ButtonCustomColor[group][page][button] = clBtnFace;
    board.ButtonHotKey[group][page][button] = QStringLiteral(" ");
    s.LastSoundButtonColor = clBtnFace;
    board.BoardChanged = true;
    MeasureLength(group, page, button);
    if (page == shownPage) {
        form_.LoadButtons();
    }
    return true;
}

void ShellFileDrop::NamePage(int group, int page, TColor pageColor)
{
    MainFormContext& ctx = form_.Context();
    ctx.board.PageName[group][page] = kDragAndDrop;
    ctx.board.PageColor[group][page] = pageColor;
    TBitBtnWithColor* pageButton = form_.PageButtons[static_cast<std::size_t>(page)];
    QPushButton* button = AsPushButton(pageButton);
    button->setText(kDragAndDrop);
    SetFace(pageButton, clBtnFace);
    SetButtonFontColor(pageButton, ctx.settings.PageFontColor);
    button->setToolTip(QStringLiteral("Right Click to Modify Page"));
}

void ShellFileDrop::MeasureLength(int group, int page, int button)
{
    MainFormContext& ctx = form_.Context();
    const QString path = ctx.board.ButtonFile[group][page][button];
    if (Board::IsBlank(path) || !QFileInfo::exists(path)) {
        return;
    }
    const BassHandle stream = OpenStreamForLength(path);
    if (stream == 0) {
        BassErrorFunction(QStringLiteral("AddSoundButon - StreamCreateFile"), ctx.tracer, ctx.dialogs);
        return;
    }
    form_.ButtonLengths().Measure(stream, [this, group, page, button, path](BassHandle s, std::int64_t bytes,
                                                                           bool later) {
        const QString time =
            ConvertTime(MeasuredSeconds(s, bytes, QStringLiteral("N"), 0, 0), QStringLiteral("MM:SS"));
        if (later) {
            form_.CorrectButtonTime(group, page, button, path, time);
        } else {
            form_.Context().board.ButtonTime[group][page][button] = time;
        }
    });
}
