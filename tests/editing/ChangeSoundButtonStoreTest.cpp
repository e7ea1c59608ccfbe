// OK, Delete, Browse and Custom Cue Control of the real editor window: what reaches the board and
// the slot, the file's length measured through the audio engine, and the error texts.
#include "EditorFixture.h"

namespace {

class StoreTest : public EditorFixture
{
protected:
    // A plain button on page 1 of group 1, slot 3, showing its caption.
    void OpenPlain()
    {
        Fill(1, 1, 3, QStringLiteral("Old"), QString());
        board.ButtonTime[1][1][3] = QStringLiteral("00:09");
        view.at(3).panel = clBtnFace;
        OpenOn(1, 1, 3);
    }

    void ChooseFile(const QString& path)
    {
        dialogs.QueueFileName(path);
        Click(editor->BrowseButton);
    }
};

} // namespace

TEST_F(StoreTest, OpeningFillsTheFieldsFromTheCellAndTheSlot)
{
    Fill(1, 1, 3, QStringLiteral("Two"), QString());
    board.ButtonCaption[1][1][3] = QStringLiteral("Two\r\nLines");
    board.ButtonNote[1][1][3] = QStringLiteral("before the puck drop");
    board.ButtonLoop[1][1][3] = QStringLiteral("L");
    settings.BroadcastKeys = true;
    OpenOn(1, 1, 3);
    EXPECT_EQ(editor->MemoCaption->Text(), QStringLiteral("Two\nLines"));
    EXPECT_EQ(editor->NewCaption->text(), QStringLiteral("Two\r\nLines"));
    EXPECT_EQ(editor->NewFileName->text(), QStringLiteral("/music/Two.wav"));
    EXPECT_EQ(editor->NewNote->text(), QStringLiteral("before the puck drop"));
    EXPECT_TRUE(editor->cbLoopSound->isChecked());
    EXPECT_FALSE(editor->HotKeyAssignedLabel->isEnabled());
    EXPECT_TRUE(editor->AltLabel->isHidden());
    EXPECT_TRUE(editor->CtrlLabel->isHidden());
}

TEST_F(StoreTest, OkStoresCaptionFileNoteAndLoopAndAsksForThePageTotals)
{
    OpenPlain();
    editor->MemoCaption->SetText(QStringLiteral("Rock & Roll"));
    editor->NewFileName->setText(QStringLiteral("/nowhere/rock.mp3"));
    editor->NewNote->setText(QStringLiteral("encore"));
    editor->cbLoopSound->setChecked(true);
    Click(editor->OKButton);

    EXPECT_EQ(editor->result(), mrOk);
    EXPECT_TRUE(dialogs.Calls().empty());
    // The first "&" goes; the blanks on both sides of it stay.
    EXPECT_EQ(board.ButtonCaption[1][1][3], QStringLiteral("Rock  Roll"));
    EXPECT_EQ(view.at(3).caption, QStringLiteral("Rock  Roll"));
    EXPECT_EQ(view.at(3).memo, QStringLiteral("Rock  Roll"));
    EXPECT_EQ(board.ButtonFile[1][1][3], QStringLiteral("/nowhere/rock.mp3"));
    EXPECT_EQ(board.PageFiles[3], QStringLiteral("/nowhere/rock.mp3"));
    EXPECT_TRUE(view.at(3).buttonVisible);
    EXPECT_EQ(board.ButtonNote[1][1][3], QStringLiteral("encore"));
    EXPECT_EQ(view.at(3).hint, QStringLiteral("encore"));
    EXPECT_EQ(board.ButtonLoop[1][1][3], QStringLiteral("L"));
    EXPECT_TRUE(board.BoardChanged);
    // A missing file leaves the time as it was.
    EXPECT_EQ(board.ButtonTime[1][1][3], QStringLiteral("00:09"));
    ASSERT_EQ(view.totalsAsked.size(), 1u);
    EXPECT_EQ(view.totalsAsked[0], std::make_pair(1, 1));
}

TEST_F(StoreTest, ABlankNoteAndNoLoopEmptyThemAndNoHotKeyEmptiesHotKeyAndInfo)
{
    Fill(1, 1, 3, QStringLiteral("Keyed"), QStringLiteral("0F5"));
    board.ButtonHotKeyInfo[1][1][3] = QStringLiteral("kept with the key");
    board.ButtonNote[1][1][3] = QStringLiteral("old note");
    board.ButtonLoop[1][1][3] = QStringLiteral("L");
    view.at(3).hotKeyShown = true;
    OpenOn(1, 1, 3);
    editor->NewNote->setText(QStringLiteral("   "));
    editor->cbLoopSound->setChecked(false);
    Click(editor->RemoveHotKeyButton);
    Click(editor->OKButton);
    EXPECT_TRUE(board.ButtonNote[1][1][3].isEmpty());
    EXPECT_TRUE(view.at(3).hint.isEmpty());
    EXPECT_TRUE(board.ButtonLoop[1][1][3].isEmpty());
    EXPECT_TRUE(board.ButtonHotKey[1][1][3].isEmpty());
    EXPECT_TRUE(board.ButtonHotKeyInfo[1][1][3].isEmpty());
    EXPECT_FALSE(view.at(3).hotKeyShown);
}

TEST_F(StoreTest, FurtherLineBreaksOfACaptionAreJoined)
{
    OpenPlain();
    editor->MemoCaption->SetText(QStringLiteral("Home\nTeam\nGoal"));
    Click(editor->OKButton);
    EXPECT_EQ(board.ButtonCaption[1][1][3], QStringLiteral("Home\r\nTeam Goal"));
}

TEST_F(StoreTest, TheCaptionMemoHoldsAtMostSixtyCharacters)
{
    OpenPlain();
    editor->MemoCaption->SetText(QString(70, u'x'));
    EXPECT_EQ(editor->MemoCaption->Text().size(), 60);
    // A line break counts as the two characters the board stores.
    editor->MemoCaption->SetText(QString(30, u'a') + u'\n' + QString(40, u'b'));
    EXPECT_EQ(editor->MemoCaption->Text(), QString(30, u'a') + u'\n' + QString(28, u'b'));
}

TEST_F(StoreTest, BrowseOffersTheSoundFilesAndMakesTheDefaultCaption)
{
    OpenPlain();
    ChooseFile(QStringLiteral("/srv/Crowd & Chants/Let's Go.flac"));
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    const auto& call = dialogs.Calls()[0];
    EXPECT_EQ(call.kind, ScriptedDialogs::Kind::OpenFile);
    EXPECT_EQ(call.caption, QStringLiteral("Change Sound Button - Select Sound File"));
    EXPECT_EQ(editor->NewFileName->text(), QStringLiteral("/srv/Crowd & Chants/Let's Go.flac"));
    EXPECT_EQ(editor->MemoCaption->Text(), QStringLiteral("Let's Go"));
    EXPECT_EQ(editor->NewCaption->text(), QStringLiteral("Let's Go"));
    EXPECT_EQ(editor->NewNote->text(), QStringLiteral("Let's Go"));

    dialogs.QueueCancel();
    Click(editor->BrowseButton);
    EXPECT_EQ(editor->NewFileName->text(), QStringLiteral("/srv/Crowd & Chants/Let's Go.flac"));
}

TEST_F(StoreTest, AFileThatWillNotOpenGivesBothTextsAndStillStoresTheButton)
{
    const QString junk = WriteText(QStringLiteral("junk.mp3"), QByteArray(4096, 'z'));
    const QByteArray name = junk.toUtf8();
    ASSERT_EQ(BASS_StreamCreateFile(false, name.constData(), 0, 0, BASS_STREAM_DECODE), 0u);
    const int code = BASS_ErrorGetCode();
    ASSERT_NE(code, 0);

    OpenPlain();
    editor->NewFileName->setText(junk);
    Click(editor->OKButton);
    ASSERT_EQ(dialogs.Calls().size(), 2u);
    EXPECT_EQ(dialogs.Calls()[0].text, QStringLiteral("BASS Error (") + QString::number(code) +
                                           QStringLiteral("):  ") + ChangeSoundButtonErrorText(code));
    EXPECT_EQ(dialogs.Calls()[0].type, mtError);
    EXPECT_EQ(dialogs.Calls()[1].text, QStringLiteral("Rallybox does not play this type of file"));
    EXPECT_EQ(editor->result(), mrOk);
    EXPECT_EQ(board.ButtonFile[1][1][3], junk);
    EXPECT_EQ(board.ButtonTime[1][1][3], QStringLiteral("00:09"));
}

TEST_F(StoreTest, TheLengthIsMeasuredAndStoredWithHalvesRoundedToEven)
{
    // 2.5 s reads 00:02, 3.5 s reads 00:04.
    const std::vector<std::pair<int, QString>> cases = {{110250, QStringLiteral("00:02")},
                                                        {154350, QStringLiteral("00:04")},
                                                        {44100 * 75, QStringLiteral("01:15")}};
    for (const auto& [frames, expected] : cases) {
        OpenPlain();
        editor->NewFileName->setText(WriteWav(QString::number(frames) + QStringLiteral(".wav"), frames));
        Click(editor->OKButton);
        EXPECT_TRUE(dialogs.Calls().empty());
        EXPECT_EQ(board.ButtonTime[1][1][3], expected) << frames;
        EXPECT_EQ(view.at(3).time, expected) << frames;
    }
}

TEST_F(StoreTest, TheCustomCueShortensTheMeasuredTime)
{
    Fill(1, 1, 3, QStringLiteral("Cue"), QString());
    board.ButtonCustomCue[1][1][3] = QStringLiteral("Y");
    board.ButtonCueStart[1][1][3] = 44100 * 4; // one second of stereo bytes
    OpenOn(1, 1, 3);
    editor->NewFileName->setText(WriteWav(QStringLiteral("six.wav"), 44100 * 6));
    Click(editor->OKButton);
    EXPECT_EQ(board.ButtonTime[1][1][3], QStringLiteral("00:05"));

    board.ButtonCueEnd[1][1][3] = 44100 * 4 * 3; // from 1 s to 3 s
    OpenOn(1, 1, 3);
    Click(editor->OKButton);
    EXPECT_EQ(board.ButtonTime[1][1][3], QStringLiteral("00:02"));
}

TEST_F(StoreTest, AMissingFileReplacedBecomesNeutralAndAnEmptySlotTakesTheButtonFace)
{
    const QString wav = WriteWav(QStringLiteral("found.wav"), 44100);
    Fill(1, 1, 3, QStringLiteral("Gone"), QString());
    board.ButtonState[1][1][3] = bstFileMissing;
    view.at(3).panel = clFuchsia;
    OpenOn(1, 1, 3);
    editor->NewFileName->setText(wav);
    Click(editor->OKButton);
    EXPECT_EQ(board.ButtonState[1][1][3], bstNeutral);
    EXPECT_EQ(view.at(3).panel, clBtnFace);

    view.at(4).panel = clTeal;
    OpenOn(1, 1, 4);
    editor->NewFileName->setText(wav);
    Click(editor->OKButton);
    EXPECT_EQ(board.ButtonState[1][1][4], bstUnplayed);
    EXPECT_EQ(view.at(4).panel, clBtnFace);
    EXPECT_EQ(board.ButtonTime[1][1][4], QStringLiteral("00:01"));
}

TEST_F(StoreTest, WhileASoundPlaysOkKeepsTheOldTimeAndState)
{
    view.playing = true;
    Fill(1, 1, 3, QStringLiteral("Busy"), QString());
    board.ButtonTime[1][1][3] = QStringLiteral("00:09");
    board.ButtonState[1][1][3] = bstFileMissing;
    view.at(3).panel = clFuchsia;
    OpenOn(1, 1, 3);
    editor->NewFileName->setText(WriteWav(QStringLiteral("one.wav"), 44100));
    Click(editor->OKButton);
    EXPECT_EQ(editor->result(), mrOk);
    EXPECT_EQ(board.ButtonTime[1][1][3], QStringLiteral("00:09"));
    EXPECT_EQ(board.ButtonState[1][1][3], bstFileMissing);
    EXPECT_EQ(view.at(3).panel, clFuchsia);
}

TEST_F(StoreTest, DeleteEmptiesTheCellWithItsCueVolumeAndLoopButKeepsItsColour)
{
    Fill(1, 1, 3, QStringLiteral("Doomed"), QStringLiteral("2K"));
    board.ButtonHotKeyInfo[1][1][3] = QStringLiteral("x");
    board.ButtonVolume[1][1][3] = QStringLiteral("60");
    board.ButtonLoop[1][1][3] = QStringLiteral("L");
    board.ButtonCustomCue[1][1][3] = QStringLiteral("Y");
    board.ButtonCueStart[1][1][3] = 1000;
    board.ButtonCueEnd[1][1][3] = 9000;
    board.ButtonCustomColor[1][1][3] = 0x00123456;
    board.ButtonState[1][1][3] = bstPlayed;
    view.at(3).hotKeyShown = true;
    view.at(3).buttonVisible = true;
    OpenOn(1, 1, 3);
    Click(editor->DeleteButton);

    EXPECT_EQ(editor->result(), mrOk);
    EXPECT_TRUE(dialogs.Calls().empty());
    EXPECT_EQ(board.ButtonCaption[1][1][3], QStringLiteral(" "));
    EXPECT_EQ(board.ButtonFile[1][1][3], QStringLiteral(" "));
    EXPECT_EQ(board.ButtonTime[1][1][3], QStringLiteral(" "));
    EXPECT_EQ(board.ButtonNote[1][1][3], QStringLiteral(" "));
    EXPECT_EQ(board.ButtonState[1][1][3], bstUnplayed);
    EXPECT_TRUE(board.ButtonHotKey[1][1][3].isEmpty());
    EXPECT_TRUE(board.ButtonHotKeyInfo[1][1][3].isEmpty());
    EXPECT_TRUE(board.ButtonVolume[1][1][3].isEmpty());
    EXPECT_TRUE(board.ButtonLoop[1][1][3].isEmpty());
    EXPECT_EQ(board.ButtonCustomCue[1][1][3], QStringLiteral("N"));
    EXPECT_EQ(board.ButtonCueStart[1][1][3], 0);
    EXPECT_EQ(board.ButtonCueEnd[1][1][3], 0);
    EXPECT_EQ(board.ButtonCustomColor[1][1][3], 0x00123456);
    EXPECT_EQ(board.PageFiles[3], QStringLiteral(" "));
    EXPECT_TRUE(board.BoardChanged);

    EXPECT_EQ(view.at(3).caption, QStringLiteral(" "));
    EXPECT_TRUE(view.at(3).memo.isEmpty());
    EXPECT_EQ(view.at(3).panel, clTeal);
    EXPECT_EQ(view.at(3).time, QStringLiteral(" "));
    EXPECT_FALSE(view.at(3).hotKeyShown);
    EXPECT_FALSE(view.at(3).markersShown);
    EXPECT_FALSE(view.at(3).buttonVisible);
    ASSERT_EQ(view.totalsAsked.size(), 1u);
}

TEST_F(StoreTest, DeleteInEditModeKeepsTheSlotButtonAndGivesBackATakenKey)
{
    board.EditMode = true;
    Fill(1, 1, 3, QStringLiteral("Doomed"), QString());
    Fill(1, 2, 1, QStringLiteral("Owner"), QStringLiteral("0X"));
    view.at(3).buttonVisible = true;
    OpenOn(1, 1, 3);
    dialogs.QueueResult(mrYes);
    ClickKey("X");
    ASSERT_TRUE(board.ButtonHotKey[1][2][1].isEmpty());
    Click(editor->DeleteButton);
    EXPECT_TRUE(view.at(3).buttonVisible);
    EXPECT_EQ(board.ButtonHotKey[1][2][1], QStringLiteral("0X"));
}

TEST_F(StoreTest, CustomCueControlWaitsForSilenceAndThenOpensTheCueEditor)
{
    int opened = 0;
    editor->SetCustomCueEditor([&opened] {
        ++opened;
        return 2;
    });
    view.playing = true;
    OpenPlain();
    Click(editor->CustomPlaybackButton);
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text,
              QStringLiteral("You cannot set a Custom Cue Control while another sound is playing."));
    EXPECT_EQ(dialogs.Calls()[0].type, mtInformation);
    EXPECT_EQ(opened, 0);

    view.playing = false;
    view.masterVolume = 37;
    BASS_SetVolume(100);
    Click(editor->CustomPlaybackButton);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(BASS_GetVolume(), 37);
    EXPECT_TRUE(editor->isVisible());
}

TEST_F(StoreTest, ANameSavedInTheCueEditorIsKeptByOk)
{
    // The cue editor stores the name typed in its "Sound Clip" field in the cell when it saves.
    QString savedName;
    editor->SetCustomCueEditor([&] {
        if (savedName.isEmpty()) {
            return 2;
        }
        board.ButtonCaption[1][1][3] = savedName;
        return 1;
    });
    OpenPlain();
    savedName = QStringLiteral("Renamed");
    Click(editor->CustomPlaybackButton);
    EXPECT_EQ(editor->MemoCaption->Text(), QStringLiteral("Renamed"));
    Click(editor->OKButton);
    EXPECT_EQ(board.ButtonCaption[1][1][3], QStringLiteral("Renamed"));
    EXPECT_EQ(view.at(3).caption, QStringLiteral("Renamed"));

    // A name typed here first, and a cue saved without renaming, keep the name typed here.
    OpenPlain();
    editor->MemoCaption->SetText(QStringLiteral("Typed"));
    savedName = QStringLiteral("Old");
    Click(editor->CustomPlaybackButton);
    Click(editor->OKButton);
    EXPECT_EQ(board.ButtonCaption[1][1][3], QStringLiteral("Typed"));
}

TEST_F(StoreTest, ATargetThatNamesNoButtonOpensNothing)
{
    for (const int button : {0, 49}) {
        selection.PopupGroup = 1;
        selection.PopupPage = 1;
        selection.PopupButton = button;
        EXPECT_EQ(editor->ShowModal(), mrCancel) << button;
        editor->Open();
        EXPECT_FALSE(editor->isVisible()) << button;
    }
    selection.PopupButton = 1;
    selection.PopupGroup = 0;
    EXPECT_EQ(editor->ShowModal(), mrCancel);
}
