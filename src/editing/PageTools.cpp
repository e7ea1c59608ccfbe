#include "editing/PageTools.h"

#include "board/MainForm.h"
#include "board/MainFormContext.h"
#include "board/Selection.h"
#include "board/Tracer.h"
#include "editing/BoardEditing.h"
#include "platform/Dialogs.h"

#include <algorithm>
#include <array>
#include <exception>
#include <numeric>

namespace {

QString TrimControls(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= u' ') {
        ++first;
    }
    while (last > first && text.at(last - 1).unicode() <= u' ') {
        --last;
    }
    return text.mid(first, last - first);
}

} // namespace

QString AlphabetizeKey(const QString& caption)
{
    QString key = TrimControls(caption);
    for (QChar& c : key) {
        if (c >= u'a' && c <= u'z') {
            c = QChar(c.unicode() - (u'a' - u'A'));
        }
    }
    return key;
}

std::vector<int> CompressOrder(const QStringList& captions)
{
    std::vector<int> order;
    for (qsizetype i = 0; i < captions.size(); ++i) {
        if (!Board::IsBlank(captions.at(i))) {
            order.push_back(static_cast<int>(i) + 1);
        }
    }
    return order;
}

std::vector<int> AlphabetizeOrder(const QStringList& captions)
{
    std::vector<int> order = CompressOrder(captions);
    std::vector<QString> keys(static_cast<std::size_t>(captions.size()) + 1);
    for (int slot : order) {
        keys[static_cast<std::size_t>(slot)] = AlphabetizeKey(captions.at(slot - 1));
    }
    // Code-unit order, the shorter of two texts that agree up to its end first; stable, so equal
    // keys keep their old slot order.
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
        return QString::compare(keys[static_cast<std::size_t>(a)], keys[static_cast<std::size_t>(b)],
                                Qt::CaseSensitive) < 0;
    });
    return order;
}

void PageTools::PageAlphabetizeClick()
{
    Rearrange(QStringLiteral("PageAlphabetizeClick"), QStringLiteral("Page Alphabetize Click"),
              &AlphabetizeOrder);
}

void PageTools::PageCompressClick()
{
    Rearrange(QStringLiteral("PageCompressClick"), QStringLiteral("Page Compress Click"), &CompressOrder);
}

void PageTools::Rearrange(const QString& routine, const QString& traceLine, OrderFunction orderOf)
{
    MainFormContext& ctx = form_.Context();
    try {
        ctx.tracer.WriteTracer(traceLine);
        Board& board = ctx.board;
        const int g = ctx.selection.PopupGroup;
        const int p = ctx.selection.PopupPage;
        if (!Board::IsValidAddress(g, p, 1) || BoardEditing::RefusePageWhilePlaying(form_, g, p)) {
            return;
        }
        std::array<TSoundButtonCell, ButtonCount + 1> work{};
        QStringList captions;
        for (int b = 1; b <= ButtonCount; ++b) {
            work[static_cast<std::size_t>(b)] = board.Cell(g, p, b);
            captions.append(board.ButtonCaption[g][p][b]);
        }
        const std::vector<int> order = orderOf(captions);
        const bool cue = g == CueGroup && p == CuePage;
        const auto originGroup = board.CueOriginGroup;
        const auto originPage = board.CueOriginPage;
        const auto originButton = board.CueOriginButton;
        TSoundButtonCell empty;
        empty.ButtonCaption.clear();
        empty.ButtonFile.clear();
        empty.ButtonTime.clear();
        empty.ButtonNote.clear();
        empty.ButtonCustomCue = QStringLiteral("N");
        for (int b = 1; b <= ButtonCount; ++b) {
            const auto target = static_cast<std::size_t>(b);
            const bool placed = b <= static_cast<int>(order.size());
            const auto from = placed ? static_cast<std::size_t>(order[target - 1]) : 0;
            board.SetCell(g, p, b, placed ? work[from] : empty);
            if (cue) {
                // On the cue each entry keeps the button it was cued from.
                board.CueOriginGroup[target] = placed ? originGroup[from] : 0;
                board.CueOriginPage[target] = placed ? originPage[from] : 0;
                board.CueOriginButton[target] = placed ? originButton[from] : 0;
            }
        }
        if (!cue) {
            std::array<int, ButtonCount + 1> newSlot{};
            for (std::size_t i = 0; i < order.size(); ++i) {
                newSlot[static_cast<std::size_t>(order[i])] = static_cast<int>(i) + 1;
            }
            BoardEditing::MoveCueOrigins(form_, g, p, p, newSlot);
        }
        board.BoardChanged = true;
        if (cue) {
            form_.CueButtonProcess();
        } else {
            form_.ProcessPageButton(p);
        }
    } catch (const std::exception&) {
        ctx.dialogs.MessageDlg(QStringLiteral("Error in ") + routine + QStringLiteral("\r "), mtError, mbOK);
    }
}
