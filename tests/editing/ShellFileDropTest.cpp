// Files dropped from a file manager onto the main window: the real drop event with file URLs, the
// slots they fill, the page naming, the end of the group and the times measured by the engine.
#include "PageCommandsFixture.h"

#include "controls/ClickLabel.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {

class ShellDrop : public PageCommandsFixture
{
protected:
    // Sends a real drop of the files onto the main window, as a file manager's drag ends.
    bool DropOnWindow(const QStringList& paths)
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls.append(QUrl::fromLocalFile(path));
        }
        mime.setUrls(urls);
        const QPointF at(200, 200);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent dropEvent(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &dropEvent);
        return dropEvent.isAccepted();
    }

    void FillPage(int group, int page, const std::vector<int>& freeButtons)
    {
        for (int b = 1; b <= ButtonCount; ++b) {
            if (std::find(freeButtons.begin(), freeButtons.end(), b) == freeButtons.end()) {
                Take(group, page, b, QStringLiteral("taken %1").arg(b));
            }
        }
    }
};

TEST_F(ShellDrop, ThreeFilesFillTheFreeButtonsInDropOrder)
{
    NamePage(1, 2, QStringLiteral("Crowd"));
    FillPage(1, 2, {4, 9, 10});
    ShowPage(1, 2);
    const QString a = WriteWav(QStringLiteral("Air Horn.wav"), 3 * 44100);
    const QString b = WriteWav(QStringLiteral("Rock & Roll.wav"), 44100 * 65);
    const QString c = WriteWav(QStringLiteral("long.name.flac.wav"), 44100);
    ASSERT_TRUE(DropOnWindow({a, b, c}));

    EXPECT_EQ(board.ButtonCaption[1][2][4], QStringLiteral("Air Horn"));
    EXPECT_EQ(board.ButtonCaption[1][2][9], QStringLiteral("Rock  Roll"));
    EXPECT_EQ(board.ButtonCaption[1][2][10], QStringLiteral("long.name.flac"));
    EXPECT_EQ(board.ButtonFile[1][2][9], b);
    EXPECT_EQ(board.ButtonNote[1][2][4], QStringLiteral("Air Horn"));
    EXPECT_EQ(board.ButtonTime[1][2][4], QStringLiteral("00:03"));
    EXPECT_EQ(board.ButtonTime[1][2][9], QStringLiteral("01:05"));
    EXPECT_EQ(board.ButtonState[1][2][4], bstUnplayed);
    EXPECT_EQ(board.ButtonCustomColor[1][2][4], clBtnFace);
    EXPECT_EQ(board.ButtonHotKey[1][2][4], QStringLiteral(" "));
    EXPECT_EQ(settings.LastSoundButtonColor, clBtnFace);
    EXPECT_TRUE(board.BoardChanged);
    // The slots on display show the new buttons.
    EXPECT_EQ(form->TimeLabels[4]->text(), QStringLiteral("00:03"));
    EXPECT_EQ(board.PageFiles[10], c);
    EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(ShellDrop, AFullPageOverflowsIntoTheNextPageWhichIsNamed)
{
    settings.LastSoundButtonColor = 0x00445566;
    FillPage(3, 5, {});
    ShowPage(3, 5);
    // An unnamed page can be on display after its name was deleted.
    selection.CurrentPage = 5;
    const QString a = WriteWav(QStringLiteral("a.wav"), 100);
    drop->WMDropFiles({a});
    // The page on display was unnamed, so it is named first, then found full.
    EXPECT_EQ(board.PageName[3][5], QStringLiteral("Drag and Drop"));
    EXPECT_EQ(board.PageColor[3][5], 0x00445566);
    EXPECT_EQ(board.PageName[3][6], QStringLiteral("Drag and Drop"));
    EXPECT_EQ(board.PageColor[3][6], clBtnFace);
    EXPECT_EQ(board.ButtonCaption[3][6][1], QStringLiteral("a"));
    EXPECT_EQ(AsPushButton(form->PageButtons[6])->text(), QStringLiteral("Drag and Drop"));
}

TEST_F(ShellDrop, TheEndOfTheGroupStopsWithItsMessageAndKeepsWhatWasPlaced)
{
    NamePage(2, 18, QStringLiteral("Last"));
    FillPage(2, 18, {48});
    ShowPage(2, 18);
    const QString a = WriteWav(QStringLiteral("a.wav"), 100);
    const QString b = WriteWav(QStringLiteral("b.wav"), 100);
    const QString c = WriteWav(QStringLiteral("c.wav"), 100);
    drop->WMDropFiles({a, b, c});
    EXPECT_EQ(board.ButtonFile[2][18][48], a);
    EXPECT_EQ(dialogs.Texts(), QStringList{QStringLiteral(
                                   "There are no more Pages in this Group, please select another Group")});
}

TEST_F(ShellDrop, AFileThatCannotBePlayedStillBecomesAButton)
{
    NamePage(1, 1, QStringLiteral("P"));
    ShowPage(1, 1);
    const QString path = folder + QStringLiteral("notes.mp3");
    WriteText(path, "this is no sound at all, only text");
    drop->WMDropFiles({path});
    EXPECT_EQ(board.ButtonCaption[1][1][1], QStringLiteral("notes"));
    EXPECT_EQ(board.ButtonFile[1][1][1], path);
    EXPECT_TRUE(Board::IsBlank(board.ButtonTime[1][1][1]));
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_TRUE(dialogs.Calls()[0].text.startsWith(QStringLiteral("BASS Error (")));
    EXPECT_TRUE(dialogs.Calls()[0].text.endsWith(QStringLiteral("AddSoundButon - StreamCreateFile")));
}

TEST_F(ShellDrop, AFileWhoseNameHoldsALineBreakIsRefusedAndTheOthersArePlaced)
{
    NamePage(1, 1, QStringLiteral("P"));
    ShowPage(1, 1);
    // The set file keeps one value a line: such a name would come back as a missing file.
    const QString broken = WriteWav(QStringLiteral("two\nlines.wav"), 100);
    const QString good = WriteWav(QStringLiteral("good.wav"), 100);
    drop->WMDropFiles({broken, good});
    EXPECT_EQ(board.ButtonFile[1][1][1], good);
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[1][1][2]));
    EXPECT_EQ(
        dialogs.Texts(),
        QStringList{QStringLiteral("This file's name holds a line break, which a set file cannot keep:\r\r") +
                    broken + QStringLiteral("\r\rRename the file and add it again.")});
}

TEST_F(ShellDrop, LongPathsAndBlankCaptionsAreHandledWhole)
{
    NamePage(1, 1, QStringLiteral("P"));
    board.ButtonCaption[1][1][1] = QStringLiteral("   ");
    ShowPage(1, 1);
    QString deep = folder;
    for (int i = 0; i < 6; ++i) {
        deep += QString(40, QChar(u'a' + i)) + u'/';
    }
    ASSERT_TRUE(QDir().mkpath(deep));
    const QString path = deep + QStringLiteral("deep.wav");
    ASSERT_GT(path.size(), 255);
    ASSERT_TRUE(WriteSilentWav(path, 44100));
    drop->WMDropFiles({path});
    EXPECT_EQ(board.ButtonFile[1][1][1], path);
    EXPECT_EQ(board.ButtonTime[1][1][1], QStringLiteral("00:01"));
}

TEST_F(ShellDrop, DropsAreRefusedWhileLockedEditingDraggingOrOnTheCue)
{
    NamePage(1, 1, QStringLiteral("P"));
    ShowPage(1, 1);
    const QString a = WriteWav(QStringLiteral("a.wav"), 100);
    settings.SecurityLocked = true;
    EXPECT_FALSE(DropOnWindow({a}));
    settings.SecurityLocked = false;
    board.EditMode = true;
    drop->WMDropFiles({a});
    board.EditMode = false;
    form->ButtonDragMode = true;
    drop->WMDropFiles({a});
    form->ButtonDragMode = false;
    selection.CurrentGroup = CueGroup;
    selection.CurrentPage = CuePage;
    EXPECT_FALSE(DropOnWindow({a}));
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[1][1][1]));
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[CueGroup][CuePage][1]));
    EXPECT_FALSE(board.BoardChanged);
}

} // namespace
