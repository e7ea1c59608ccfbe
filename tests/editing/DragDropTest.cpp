// Drag mode and drag and drop on the real main window: the switch's notice and colours, the role
// of every control, drops delivered as real drop events with the board's own MIME type, and the
// refusals (blank page, same page, playing sounds, other programs' drags).
#include "ArrangeFixture.h"

#include "editing/BoardDragDrop.h"
#include "editing/BoardEditing.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QUrl>

namespace {

class DragDropTest : public ArrangeFixture
{
protected:
    void StartDragMode()
    {
        StartArrange();
        settings.DragModeColor = 0x00ABCDEF;
        settings.GroupColor[1] = 0x00336699;
        QTest::mouseClick(AsPushButton(form->ButtonDragButton), Qt::LeftButton);
        ASSERT_TRUE(form->ButtonDragMode);
        dialogs.Reset();
    }

    BoardDragDrop& Drag() { return *arranging->DragDrop; }

    QWidget* Named(const QString& name) const { return form->findChild<QWidget*>(name); }

    // Delivers a drag of payload onto the middle of the named control to the nearest container
    // that takes drops, as the platform does; true when the control took it.
    bool DropOn(const QString& targetName, QMimeData* payload, QEvent::Type type = QEvent::Drop)
    {
        QWidget* target = Named(targetName);
        // Frames and the page area are mostly covered by what they hold: their own edge.
        const bool edge = targetName.startsWith(QStringLiteral("PanelPage"));
        const QPoint local = !edge                                        ? target->rect().center()
                             : targetName == QStringLiteral("PanelPages") ? QPoint(1, target->height() - 2)
                                                                          : QPoint(0, 0);
        EXPECT_NE(target, nullptr) << targetName.toStdString();
        QWidget* container = target;
        while (container != nullptr && !container->acceptDrops()) {
            container = container->parentWidget();
        }
        EXPECT_NE(container, nullptr);
        const QPoint at = target->mapTo(container, local);
        // As the platform delivers a drag: it enters, then moves or drops; a drop reaches only a
        // control that took the drag when it entered.
        QDragEnterEvent enter(at, Qt::MoveAction, payload, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(container, &enter);
        bool accepted = enter.isAccepted();
        if (accepted) {
            QDropEvent event(at, Qt::MoveAction, payload, Qt::LeftButton, Qt::NoModifier, type);
            QCoreApplication::sendEvent(container, &event);
            accepted = event.isAccepted();
            if (type != QEvent::Drop) {
                QDragLeaveEvent leave;
                QCoreApplication::sendEvent(container, &leave);
            }
        }
        delete payload;
        return accepted;
    }

    bool DropSound(int slot, const QString& target)
    {
        return DropOn(target, BoardDragDrop::MimeOf({DragRole::Slot, slot}));
    }
    bool DropPage(int page, const QString& target)
    {
        return DropOn(target, BoardDragDrop::MimeOf({DragRole::PageButton, page}));
    }
};

} // namespace

TEST_F(DragDropTest, TheSwitchShowsTheNoticeColoursAndLocksOutEdit)
{
    StartDragMode();
    EXPECT_TRUE(form->Edit1->actions().contains(form->ButtonDragModeOnOff));
    EXPECT_EQ(form->SoundPlaying->text(),
              QStringLiteral("****** NOTICE:  PROGRAM IN BUTTON DRAG MODE!!! ******"));
    EXPECT_EQ(FaceOf(form->ButtonDragButton), settings.ActiveButtonColor);
    EXPECT_FALSE(AsPushButton(form->EditButton)->isEnabled());
    for (TColorPanel* panel : {form->PanelControls, form->PanelPages, form->Panel52, form->Panel54,
                               form->Panel55, form->PanelPage[1], form->PanelPage[18]}) {
        EXPECT_EQ(panel->Color(), 0x00ABCDEF) << panel->objectName().toStdString();
    }
    form->Label2->show(); // "Now Playing:", as a sound before drag mode left it
    form->ButtonDragModeOnOff->trigger();
    EXPECT_FALSE(form->ButtonDragMode);
    EXPECT_TRUE(form->SoundPlaying->text().isEmpty());
    EXPECT_TRUE(form->Label2->isHidden());
    EXPECT_TRUE(AsPushButton(form->EditButton)->isEnabled());
    EXPECT_EQ(FaceOf(form->ButtonDragButton), settings.ButtonColor);
    EXPECT_EQ(form->PanelPage[5]->Color(), 0x00336699);
    EXPECT_EQ(form->Panel54->Color(), 0x00336699);

    // Neither in edit mode nor on a locked board.
    form->EditButtonClick();
    Drag().ButtonDragModeOnOff1Click();
    EXPECT_FALSE(form->ButtonDragMode);
    form->EditButtonClick();
    settings.SecurityLocked = true;
    Drag().ButtonDragModeOnOff1Click();
    EXPECT_FALSE(form->ButtonDragMode);
}

TEST_F(DragDropTest, EveryControlIsKnownByItsRole)
{
    StartArrange();
    EXPECT_EQ(BoardDragDrop::RoleOf(Named(QStringLiteral("Memo7"))), (DragRole{DragRole::Slot, 7}));
    EXPECT_EQ(BoardDragDrop::RoleOf(Named(QStringLiteral("Button7"))), (DragRole{DragRole::Slot, 7}));
    EXPECT_EQ(BoardDragDrop::RoleOf(Named(QStringLiteral("TimeLabel30"))), (DragRole{DragRole::Slot, 30}));
    EXPECT_EQ(BoardDragDrop::RoleOf(Named(QStringLiteral("KL48"))), (DragRole{DragRole::Slot, 48}));
    EXPECT_EQ(BoardDragDrop::RoleOf(Named(QStringLiteral("Panel12"))), (DragRole{DragRole::Slot, 12}));
    EXPECT_EQ(BoardDragDrop::RoleOf(Named(QStringLiteral("PageButton3"))),
              (DragRole{DragRole::PageButton, 3}));
    EXPECT_EQ(BoardDragDrop::RoleOf(Named(QStringLiteral("PanelPage18"))),
              (DragRole{DragRole::PageFrame, 18}));
    EXPECT_EQ(BoardDragDrop::RoleOf(Named(QStringLiteral("PanelPages"))), (DragRole{DragRole::PageArea, 0}));
    EXPECT_EQ(BoardDragDrop::RoleOf(Named(QStringLiteral("Panel54"))), DragRole{});
    EXPECT_EQ(BoardDragDrop::RoleOf(Named(QStringLiteral("Panel52"))), DragRole{});
    DragRole source;
    EXPECT_FALSE(BoardDragDrop::SourceOf(nullptr, source));
    QMimeData bad;
    bad.setData(BoardDragDrop::MimeType, "sound 49");
    EXPECT_FALSE(BoardDragDrop::SourceOf(&bad, source));
}

TEST_F(DragDropTest, ASoundDroppedOnAnotherSlotSwapsWholeButtons)
{
    StartArrange();
    Fill(1, 1, 2, QStringLiteral("Horn"));
    Fill(1, 1, 9, QStringLiteral("Drum"));
    board.ButtonState[1][1][9] = bstPlayed;
    const TSoundButtonCell horn = board.Cell(1, 1, 2);
    const TSoundButtonCell drum = board.Cell(1, 1, 9);
    Show(1);
    QTest::mouseClick(AsPushButton(form->ButtonDragButton), Qt::LeftButton);
    EXPECT_TRUE(DropSound(2, QStringLiteral("Memo9")));
    EXPECT_EQ(board.Cell(1, 1, 9), horn);
    EXPECT_EQ(board.Cell(1, 1, 2), drum);
    EXPECT_EQ(Panel(2), clRed);
    EXPECT_EQ(Memo(9), QStringLiteral("Horn"));
    EXPECT_EQ(board.PageFiles[9], horn.ButtonFile);
    EXPECT_TRUE(board.BoardChanged);

    // Onto an empty slot's time label: the sound moves there and its slot empties.
    EXPECT_TRUE(DropSound(9, QStringLiteral("TimeLabel20")));
    EXPECT_EQ(board.Cell(1, 1, 20), horn);
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[1][1][9]));
    EXPECT_EQ(Panel(9), clTeal);
    EXPECT_TRUE(SlotButton(9)->isHidden());

    // Onto its own slot nothing moves; the page frame and the page area take no sound.
    board.BoardChanged = false;
    DropSound(20, QStringLiteral("Memo20"));
    EXPECT_EQ(board.Cell(1, 1, 20), horn);
    EXPECT_TRUE(board.BoardChanged);
    DropSound(20, QStringLiteral("PanelPage4"));
    DropSound(20, QStringLiteral("PanelPages"));
    EXPECT_EQ(board.Cell(1, 1, 20), horn);
    EXPECT_TRUE(Boxes().isEmpty()) << Boxes().join(QLatin1Char('|')).toStdString();
}

TEST_F(DragDropTest, ASoundDroppedOnAPageButtonMovesOrIsRefused)
{
    StartDragMode();
    Fill(1, 1, 4, QStringLiteral("Horn"));
    const TSoundButtonCell horn = board.Cell(1, 1, 4);
    Fill(1, 2, 1, QStringLiteral("First"));
    DropSound(4, QStringLiteral("PageButton7"));
    DropSound(4, QStringLiteral("PageButton1"));
    EXPECT_EQ(
        Boxes(),
        QStringList({QStringLiteral("You can not drag a sound to a Page that does not exist."),
                     QStringLiteral("You can not drag a Sound Button to the same Page it is already on.")}));
    EXPECT_EQ(board.Cell(1, 1, 4), horn);

    DropSound(4, QStringLiteral("PageButton2"));
    EXPECT_EQ(board.Cell(1, 2, 2), horn);
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[1][1][4]));
    EXPECT_EQ(Panel(4), clTeal);
}

TEST_F(DragDropTest, PagesSwapWithTheirStoredColoursAndTheDisplayFollows)
{
    StartArrange();
    Fill(1, 1, 1, QStringLiteral("Warm"));
    Fill(1, 2, 1, QStringLiteral("Anthem"));
    board.PageColor[1][1] = 0x00111111;
    Show(1);
    settings.ActiveButtonColor = clInfoBk;
    QTest::mouseClick(AsPushButton(form->ButtonDragButton), Qt::LeftButton);
    // A page frame starts a page drag too.
    EXPECT_TRUE(DropOn(QStringLiteral("PageButton2"), BoardDragDrop::MimeOf({DragRole::PageFrame, 1})));
    EXPECT_EQ(board.PageName[1][2], QStringLiteral("Warmup"));
    EXPECT_EQ(board.PageName[1][1], QStringLiteral("Anthems"));
    EXPECT_EQ(board.PageColor[1][2], 0x00111111);
    EXPECT_EQ(board.PageColor[1][1], 0x00445566);
    EXPECT_EQ(board.PagePlay[1][1], QStringLiteral("T"));
    EXPECT_EQ(board.ButtonCaption[1][2][1], QStringLiteral("Warm"));
    EXPECT_EQ(PageButton(1)->text(), QStringLiteral("Anthems"));
    EXPECT_EQ(FaceOf(form->PageButtons[1]), 0x00445566);
    // The slots still show "Warm", now page 2.
    EXPECT_EQ(selection.CurrentPage, 2);
    EXPECT_EQ(Memo(1), QStringLiteral("Warm"));
    EXPECT_EQ(FaceOf(form->PageButtons[2]), clInfoBk);

    // With a blank page the source reads "(Blank Page)".
    DropPage(2, QStringLiteral("PanelPage9"));
    EXPECT_EQ(board.PageName[1][9], QStringLiteral("Warmup"));
    EXPECT_EQ(PageButton(2)->text(), QStringLiteral("(Blank Page)"));
    EXPECT_EQ(PageButton(2)->toolTip(), QStringLiteral("Right Click to Add Page"));
    EXPECT_EQ(selection.CurrentPage, 9);

    // A page goes nowhere on the page area and never into the sound area.
    DropPage(9, QStringLiteral("PanelPages"));
    EXPECT_TRUE(Boxes().isEmpty());
    DropPage(9, QStringLiteral("Memo3"));
    DropPage(9, QStringLiteral("Panel3"));
    EXPECT_EQ(Boxes(), QStringList(2, QStringLiteral("You can not drag a Page to the Sound Button area.")));
    EXPECT_EQ(board.PageName[1][9], QStringLiteral("Warmup")) << board.PageName[1][2].toStdString();
}

TEST_F(DragDropTest, PlayingSoundsAreNeitherSwappedNorMoved)
{
    StartArrange();
    Fill(1, 1, 1, QStringLiteral("Live"));
    Fill(1, 1, 2, QStringLiteral("Next"));
    Show(1);
    QTest::mouseClick(AsPushButton(form->ButtonDragButton), Qt::LeftButton);
    dialogs.Reset();
    playing.insert({1, 1, 1});
    DropSound(2, QStringLiteral("Memo1"));
    DropSound(1, QStringLiteral("PageButton2"));
    DropPage(2, QStringLiteral("PageButton1"));
    EXPECT_EQ(board.ButtonCaption[1][1][1], QStringLiteral("Live"));
    EXPECT_EQ(board.ButtonCaption[1][1][2], QStringLiteral("Next"));
    EXPECT_EQ(board.PageName[1][1], QStringLiteral("Warmup"));
    EXPECT_EQ(Boxes(), QStringList({BoardEditing::SoundPlayingRefusal, BoardEditing::SoundPlayingRefusal,
                                    BoardEditing::PagePlayingRefusal}));
}

TEST_F(DragDropTest, CueEntriesSwapWithTheirOrigins)
{
    StartArrange();
    Fill(4, 19, 1, QStringLiteral("one"));
    Fill(4, 19, 2, QStringLiteral("two"));
    board.CueOriginGroup[1] = 1;
    board.CueOriginPage[1] = 1;
    board.CueOriginButton[1] = 11;
    board.CueOriginGroup[2] = 1;
    board.CueOriginPage[2] = 2;
    board.CueOriginButton[2] = 22;
    form->CueButtonProcess();
    QTest::mouseClick(AsPushButton(form->ButtonDragButton), Qt::LeftButton);
    DropSound(1, QStringLiteral("Memo2"));
    EXPECT_EQ(board.ButtonCaption[4][19][2], QStringLiteral("one"));
    EXPECT_EQ(board.CueOriginButton[2], 11);
    EXPECT_EQ(board.CueOriginPage[1], 2);
    EXPECT_EQ(board.CueOriginButton[1], 22);
}

TEST_F(DragDropTest, OutsideDragModeAndForOtherProgramsDragsNothingIsTaken)
{
    StartArrange();
    Fill(1, 1, 1, QStringLiteral("Horn"));
    Show(1);
    EXPECT_FALSE(
        DropOn(QStringLiteral("Memo5"), BoardDragDrop::MimeOf({DragRole::Slot, 1}), QEvent::DragMove));
    DropSound(1, QStringLiteral("Memo5"));
    EXPECT_EQ(board.ButtonCaption[1][1][1], QStringLiteral("Horn"));

    QTest::mouseClick(AsPushButton(form->ButtonDragButton), Qt::LeftButton);
    EXPECT_TRUE(
        DropOn(QStringLiteral("Memo5"), BoardDragDrop::MimeOf({DragRole::Slot, 1}), QEvent::DragMove));
    auto* files = new QMimeData;
    files->setUrls({QUrl::fromLocalFile(PathOf(QStringLiteral("song.wav")))});
    EXPECT_FALSE(DropOn(QStringLiteral("Memo5"), files, QEvent::DragMove));
    files = new QMimeData;
    files->setUrls({QUrl::fromLocalFile(PathOf(QStringLiteral("song.wav")))});
    EXPECT_FALSE(DropOn(QStringLiteral("Memo5"), files));
    EXPECT_EQ(board.ButtonCaption[1][1][1], QStringLiteral("Horn"));
}

TEST_F(DragDropTest, ADragStartsOnlyPastTheDragDistanceInDragMode)
{
    StartArrange();
    std::vector<QString> started;
    Drag().ExecDrag = [&started](QWidget* source, QMimeData* data) {
        started.push_back(source->objectName() + QLatin1Char('=') +
                          QString::fromUtf8(data->data(BoardDragDrop::MimeType)));
        delete data;
    };
    QWidget* memo = Named(QStringLiteral("Memo6"));
    const QPoint at = memo->rect().center();
    const int distance = QApplication::startDragDistance();
    auto press = [memo, at] {
        QMouseEvent event(QEvent::MouseButtonPress, at, memo->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(memo, &event);
    };
    auto move = [memo, at](int dx) {
        const QPoint to = at + QPoint(dx, 0);
        QMouseEvent event(QEvent::MouseMove, to, memo->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(memo, &event);
    };
    press();
    move(distance + 2);
    EXPECT_TRUE(started.empty());

    QTest::mouseClick(AsPushButton(form->ButtonDragButton), Qt::LeftButton);
    press();
    move(distance - 1);
    EXPECT_TRUE(started.empty());
    move(distance + 1);
    ASSERT_EQ(started.size(), 1U);
    EXPECT_EQ(started.front(), QStringLiteral("Memo6=sound 6"));

    QWidget* frame = Named(QStringLiteral("PanelPage4"));
    QMouseEvent framePress(QEvent::MouseButtonPress, QPointF(2, 2), frame->mapToGlobal(QPointF(2, 2)),
                           Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame, &framePress);
    QMouseEvent frameMove(QEvent::MouseMove, QPointF(2 + distance + 3, 2),
                          frame->mapToGlobal(QPointF(2 + distance + 3, 2)), Qt::NoButton, Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(frame, &frameMove);
    ASSERT_EQ(started.size(), 2U);
    EXPECT_EQ(started.back(), QStringLiteral("PanelPage4=page 4"));
}
