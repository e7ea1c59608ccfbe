// Files dragged from a file manager arrive, as the window system delivers them, at the widget under
// the pointer that takes drops: over the board that is the slot area or the page area (they take
// the board's own drags), not the main window itself. Each must place the files as the window does.
#include "PageCommandsFixture.h"

#include "controls/ColorPanel.h"
#include "editing/BoardDragDrop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {

class ShellDropTarget : public PageCommandsFixture
{
protected:
    void SetUp() override
    {
        PageCommandsFixture::SetUp();
        // The board's own drag and drop, as the program installs it beside the file drop.
        dragDrop = new BoardDragDrop(*form);
        // Shown, so the slots lie where the pointer finds them.
        form->show();
        QCoreApplication::processEvents();
    }

    // The widget the window system delivers a drag to: the deepest one under the point that takes
    // drops (the main window when none of its children does).
    QWidget* DropTargetAt(const QPoint& inForm) const
    {
        QWidget* widget = form->childAt(inForm);
        while (widget != nullptr && !widget->acceptDrops()) {
            widget = widget->parentWidget();
        }
        return widget != nullptr ? widget : form.get();
    }

    // Enter, move and drop of the files at the point, each sent to the widget the window system
    // picks. Returns whether the drop was taken.
    bool DropAt(QWidget* over, const QStringList& paths)
    {
        const QPoint inForm = over->mapTo(form.get(), over->rect().center());
        QWidget* target = DropTargetAt(inForm);
        const QPoint at = target->mapFrom(form.get(), inForm);
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls.append(QUrl::fromLocalFile(path));
        }
        mime.setUrls(urls);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
        if (!enter.isAccepted() || !move.isAccepted()) {
            return false;
        }
        QDropEvent dropEvent(QPointF(at), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                             Qt::NoModifier);
        QCoreApplication::sendEvent(target, &dropEvent);
        return dropEvent.isAccepted();
    }

    BoardDragDrop* dragDrop = nullptr;
};

TEST_F(ShellDropTarget, FilesDroppedOnAFilledSlotGoToTheFirstFreeButtons)
{
    NamePage(1, 1, QStringLiteral("Warmup"));
    Take(1, 1, 1, QStringLiteral("one"));
    Take(1, 1, 2, QStringLiteral("two"));
    ShowPage(1, 1);
    const QString a = WriteWav(QStringLiteral("Air Horn.wav"), 44100);
    const QString b = WriteWav(QStringLiteral("Charge.wav"), 2 * 44100);
    ASSERT_NE(DropTargetAt(form->ButtonPanels[2]->mapTo(form.get(), QPoint(5, 5))), form.get())
        << "the slot area takes the board's own drags, so the window system delivers there";
    ASSERT_TRUE(DropAt(form->ButtonPanels[2], {a, b}));
    EXPECT_EQ(board.ButtonCaption[1][1][2], QStringLiteral("two"));
    EXPECT_EQ(board.ButtonFile[1][1][3], a);
    EXPECT_EQ(board.ButtonFile[1][1][4], b);
    EXPECT_EQ(board.ButtonTime[1][1][4], QStringLiteral("00:02"));
    EXPECT_EQ(board.PageFiles[3], a);
    EXPECT_TRUE(board.BoardChanged);
}

TEST_F(ShellDropTarget, FilesDroppedOnThePageAreaFillThePageOnDisplay)
{
    NamePage(1, 3, QStringLiteral("Crowd"));
    ShowPage(1, 3);
    const QString a = WriteWav(QStringLiteral("Clap.wav"), 44100);
    ASSERT_TRUE(DropAt(AsPushButton(form->PageButtons[7]), {a}));
    EXPECT_EQ(board.ButtonFile[1][3][1], a);
    EXPECT_EQ(board.ButtonCaption[1][3][1], QStringLiteral("Clap"));
}

} // namespace
