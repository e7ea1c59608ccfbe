// Adding files from the sound menu and moving a sound to another page, on the real main window
// with files the engine measures.
#include "board/PopupMenuFixture.h"

#include "audio/EngineManual.h"
#include "board/SoundLengthFollower.h"
#include "editing/TestWavFile.h"

#include <QLabel>
#include <QTest>

#include <condition_variable>
#include <mutex>

namespace {

// A file whose length is still being counted (one that states none), until the test says it is
// done: before that, the estimate after at most the wait asked for.
class CountedLater final : public PcmSource
{
public:
    static constexpr std::int64_t kFrames = 44100LL * 10800;
    static constexpr std::int64_t kEstimate = 44100LL * 10750;

    void Count()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        counted_ = true;
        done_.notify_all();
    }
    int sampleRate() const override { return 44100; }
    int channels() const override { return 2; }
    std::int64_t lengthFrames() const override
    {
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [this] { return counted_; });
        return kFrames;
    }
    std::int64_t lengthFramesWithin(std::chrono::milliseconds maxWait, bool& exact) const override
    {
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait_for(lock, maxWait, [this] { return counted_; });
        exact = counted_;
        return counted_ ? kFrames : kEstimate;
    }
    std::int64_t read(std::int16_t*, std::int64_t) override { return 0; }
    bool seekFrame(std::int64_t) override { return true; }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable done_;
    bool counted_ = false;
};

class AddSoundsTest : public PopupMenuFixture
{
protected:
    QString Wav(const QString& name, int seconds)
    {
        const QString path = PathOf(name);
        EXPECT_TRUE(WriteSilentWav(path, 44100 * seconds));
        return path;
    }

    // Through the menu of an empty slot.
    void AddOn(int slot, const QStringList& files)
    {
        dialogs.QueueFileNames(files);
        Choose(slot, "PopupAdd");
    }

    // Onto a slot that holds a sound already, as a multi-file add from an earlier slot reaches it.
    void AddOver(int slot, const QStringList& files)
    {
        dialogs.QueueFileNames(files);
        selection.PopupGroup = selection.CurrentGroup;
        selection.PopupPage = selection.CurrentPage;
        selection.PopupButton = slot;
        form->PopupAddClick();
    }

    // The message boxes shown, without the file dialogs.
    QStringList Messages() const
    {
        QStringList texts;
        for (const auto& call : dialogs.Calls()) {
            if (call.kind == ScriptedDialogs::Kind::MessageDlg) {
                texts << call.text;
            }
        }
        return texts;
    }
};

} // namespace

TEST_F(AddSoundsTest, ThreeFilesFromButton47FillTheLastTwoAndRecountThePage)
{
    StartMenuBoard();
    const QString first = Wav(QStringLiteral("First Song.wav"), 3);
    const QString second = Wav(QStringLiteral("Rock & Roll.wav"), 2);
    const QString third = Wav(QStringLiteral("Third.wav"), 1);
    board.BoardChanged = false;
    AddOn(47, {first, second, third});

    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].caption, QStringLiteral("Add New Sound Button - Select Sound File(s)"));
    EXPECT_EQ(board.ButtonCaption[1][1][47], QStringLiteral("First Song"));
    EXPECT_EQ(board.ButtonFile[1][1][47], first);
    EXPECT_EQ(board.ButtonNote[1][1][47], QStringLiteral("First Song"));
    EXPECT_EQ(board.ButtonTime[1][1][47], QStringLiteral("00:03"));
    // The first "&" goes, the blanks around it stay.
    EXPECT_EQ(board.ButtonCaption[1][1][48], QStringLiteral("Rock  Roll"));
    EXPECT_EQ(board.ButtonTime[1][1][48], QStringLiteral("00:02"));
    EXPECT_EQ(selection.PopupButton, 49);
    EXPECT_TRUE(board.BoardChanged);
    EXPECT_FALSE(form->AddingSounds);
    EXPECT_FALSE(form->ButtonDragMode);
    // The page is shown again with the new sounds, and its totals count them.
    EXPECT_EQ(SoundButton(48)->text(), QStringLiteral("Rock  Roll"));
    EXPECT_EQ(TimeLabelText(47), QStringLiteral("00:03"));
    EXPECT_EQ(form->LabelPageTotals->text(), QStringLiteral("6 Sounds (01:40)"));
}

TEST_F(AddSoundsTest, CaptionsComeFromTheFileNameWhateverItsExtension)
{
    StartMenuBoard();
    const QString longName = QString(120, u'x') + QStringLiteral(".mp3");
    AddOn(7, {PathOf(QStringLiteral("Live: Intro.flac"))});
    AddOn(8, {PathOf(QStringLiteral("a.b.ogg"))});
    AddOn(9, {PathOf(longName)});
    EXPECT_EQ(board.ButtonCaption[1][1][7], QStringLiteral("Live: Intro"));
    EXPECT_EQ(board.ButtonCaption[1][1][8], QStringLiteral("a.b"));
    EXPECT_EQ(board.ButtonCaption[1][1][9], QString(99, u'x'));
    // Files that do not exist are placed without a time and without a message.
    EXPECT_EQ(board.ButtonTime[1][1][7], QStringLiteral(" "));
    EXPECT_EQ(Messages(), QStringList());
}

TEST_F(AddSoundsTest, ReplacingASoundKeepsItsVolumeLoopAndCueButNotItsTimeOrKey)
{
    StartMenuBoard();
    settings.LastSoundButtonColor = 0x00336699;
    board.ButtonCustomCue[1][1][5] = QStringLiteral("Y");
    board.ButtonCueEnd[1][1][5] = 400000;
    // A file the engine cannot read: a message, and no time left over from the old sound.
    const QString broken = PathOf(QStringLiteral("broken.wav"));
    WriteText(broken, "not a sound file at all");
    AddOver(5, {broken});
    EXPECT_EQ(board.ButtonCaption[1][1][5], QStringLiteral("broken"));
    EXPECT_EQ(board.ButtonTime[1][1][5], QStringLiteral(" "));
    EXPECT_EQ(board.ButtonHotKey[1][1][5], QStringLiteral(" "));
    EXPECT_EQ(board.ButtonVolume[1][1][5], QStringLiteral("80"));
    EXPECT_EQ(board.ButtonLoop[1][1][5], QStringLiteral("L"));
    EXPECT_EQ(board.ButtonCustomCue[1][1][5], QStringLiteral("Y"));
    EXPECT_EQ(board.ButtonCueEnd[1][1][5], 400000);
    EXPECT_EQ(board.ButtonCustomColor[1][1][5], TColor(0x00336699));
    EXPECT_EQ(PanelColor(5), TColor(0x00336699));
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].endsWith(QStringLiteral("AddSoundButon - StreamCreateFile")));
}

// A playing slot keeps its channel pointing at its address: a sound written over it would turn
// played when the old one ends.
TEST_F(AddSoundsTest, NoSoundIsAddedOverAPlayingSlot)
{
    StartMenuBoard();
    windows.AddressPlaying = [](int g, int p, int b) { return g == 1 && p == 1 && b == 5; };
    const QString refusal = QStringLiteral(
        "A Sound Button you are adding to is playing.\rStop it before you add sounds over it.");
    const TSoundButtonCell playing = CellOf(1, 1, 5);
    const TSoundButtonCell before = CellOf(1, 1, 4);
    const QString one = Wav(QStringLiteral("One.wav"), 1);
    // Onto the playing slot itself: refused before any file is picked.
    AddOver(5, {one});
    EXPECT_EQ(Messages(), QStringList{refusal});
    EXPECT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(CellOf(1, 1, 5), playing);
    dialogs.Reset();
    // Several files from slot 4 would reach it: none is placed.
    AddOver(4, {one, Wav(QStringLiteral("Two.wav"), 1)});
    EXPECT_EQ(Messages(), QStringList{refusal});
    EXPECT_EQ(dialogs.Calls().size(), 2u);
    EXPECT_EQ(CellOf(1, 1, 4), before);
    EXPECT_EQ(CellOf(1, 1, 5), playing);
    EXPECT_FALSE(form->AddingSounds);
}

TEST_F(AddSoundsTest, AReservedLastColourGivesThePlainFace)
{
    StartMenuBoard();
    int slot = 10;
    for (TColor reserved : {clYellow, clRed, clLime, clAqua, clBlack, clFuchsia, clTeal, TForm1::CuedColor}) {
        settings.LastSoundButtonColor = reserved;
        AddOn(slot, {Wav(QStringLiteral("One.wav"), 1)});
        EXPECT_EQ(board.ButtonCustomColor[1][1][slot], clBtnFace) << reserved;
        EXPECT_EQ(PanelColor(slot), clBtnFace) << reserved;
        ++slot;
    }
}

TEST_F(AddSoundsTest, CancelPlacesNothingAndABlankPageRefuses)
{
    StartMenuBoard();
    dialogs.QueueCancel();
    Choose(9, "PopupAdd");
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[1][1][9]));
    EXPECT_FALSE(form->AddingSounds);
    selection.PopupGroup = 1;
    selection.PopupPage = 2;
    selection.PopupButton = 1;
    form->PopupAddClick();
    EXPECT_EQ(Messages(), QStringList({"You must first setup a Page before you can assign Sound Buttons."}));
    EXPECT_EQ(dialogs.PendingAnswers(), 0);
}

TEST_F(AddSoundsTest, SoundToPageMovesTheWholeButtonToTheFirstFreeSlot)
{
    StartMenuBoard();
    board.ButtonState[1][1][5] = bstCued;
    board.CueOriginGroup[1] = 1;
    board.CueOriginPage[1] = 1;
    board.CueOriginButton[1] = 5;
    std::vector<std::array<int, 6>> moves;
    form->SoundMoved = [&](int g, int p, int b, int tg, int tp, int tb) {
        moves.push_back({g, p, b, tg, tp, tb});
    };
    const TSoundButtonCell before = CellOf(1, 1, 5);
    form->SoundToPage(1, 1, 5, QStringLiteral("3"));

    EXPECT_EQ(CellOf(1, 3, 2), before);
    EXPECT_EQ(CellOf(1, 1, 5), TSoundButtonCell{});
    EXPECT_TRUE(SoundButton(5)->isHidden());
    EXPECT_EQ(PanelColor(5), clTeal);
    EXPECT_TRUE(board.PageFiles[5].isEmpty());
    EXPECT_TRUE(board.BoardChanged);
    EXPECT_EQ(board.CueOriginPage[1], 3);
    EXPECT_EQ(board.CueOriginButton[1], 2);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], (std::array<int, 6>{1, 1, 5, 1, 3, 2}));
}

TEST_F(AddSoundsTest, SoundToAFullPageShowsTheMessageAndMovesNothing)
{
    StartMenuBoard();
    for (int n = 1; n <= ButtonCount; ++n) {
        board.ButtonCaption[1][3][n] = QStringLiteral("Full %1").arg(n);
    }
    const TSoundButtonCell before = CellOf(1, 1, 5);
    board.BoardChanged = false;
    form->SoundToPage(1, 1, 5, QStringLiteral("3"));
    EXPECT_EQ(dialogs.Texts(), QStringList({"The Page you are trying to drag a sound to is already full."}));
    EXPECT_EQ(CellOf(1, 1, 5), before);
    EXPECT_EQ(board.ButtonCaption[1][3][48], QStringLiteral("Full 48"));
    EXPECT_FALSE(board.BoardChanged);
}

TEST_F(AddSoundsTest, FilesCanBeAddedToTheCueShown)
{
    StartMenuBoard();
    QTest::mouseClick(AsPushButton(form->CueButton), Qt::LeftButton);
    ASSERT_EQ(selection.CurrentPage, CuePage);
    // Entry 2 was left with the origin of a button that is cued again elsewhere.
    board.CueOriginGroup[2] = 1;
    board.CueOriginPage[2] = 1;
    board.CueOriginButton[2] = 5;
    board.ButtonState[1][1][5] = bstCued;
    AddOn(2, {Wav(QStringLiteral("Encore.wav"), 2)});
    EXPECT_EQ(board.ButtonCaption[CueGroup][CuePage][2], QStringLiteral("Encore"));
    // The added file is not that button: its end leaves the button cued.
    form->CueEndPlay(CueGroup, CuePage, 2);
    EXPECT_EQ(board.ButtonState[1][1][5], bstCued);
    EXPECT_EQ(board.CueOriginButton[2], 0);
    EXPECT_EQ(SoundButton(2)->text(), QStringLiteral("Encore"));
    EXPECT_EQ(selection.CurrentPage, CuePage);
    EXPECT_EQ(form->LabelPageTotals->text(), QStringLiteral("2 Sounds (00:17)"));
    EXPECT_EQ(Messages(), QStringList());
}

TEST_F(AddSoundsTest, ALengthStillBeingCountedShowsTheEstimateAtOnceAndTheCountWhenItArrives)
{
    StartMenuBoard();
    auto owned = std::make_unique<CountedLater>();
    CountedLater* source = owned.get();
    const BassHandle stream = EngineStreamCreate(std::move(owned), BASS_STREAM_DECODE);
    ASSERT_NE(stream, 0u);
    SoundLengthFollower& lengths = form->ButtonLengths();
    std::vector<std::pair<std::int64_t, bool>> told;
    lengths.Measure(stream, [&told](BassHandle, std::int64_t bytes, bool later) { told.emplace_back(bytes, later); });
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], std::make_pair(4 * CountedLater::kEstimate, false));
    lengths.Poll();
    EXPECT_EQ(told.size(), 1u);
    EXPECT_EQ(lengths.Pending(), 1u);
    source->Count();
    lengths.Poll();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[1], std::make_pair(4 * CountedLater::kFrames, true));
    EXPECT_EQ(lengths.Pending(), 0u);
    // The stream is freed once its count is told.
    EXPECT_EQ(BASS_ChannelGetLength(stream), -1);
}
