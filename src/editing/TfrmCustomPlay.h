#pragma once
// The custom cue editor ("Custom Cue Control Settings"): the operator listens to the popup
// target's file, marks a start cue and an end point in bytes, fine-tunes them, switches the cue
// on or off and renames the button. Positions are the engine's bytes (frames x 2 x output
// channels); the board stores stereo bytes, so under mono output the dialog shows half the stored
// values and saving doubles them again.
//
// The dialog plays through a stream of its own that is never entered in the channel table, with
// its own volume, so a show sound that plays meanwhile is not touched. It owns that stream and
// frees it exactly once (Save, Cancel, Esc, closing, or its own destruction).
//
// Code by concern: TfrmCustomPlay.cpp (opening, Save, Cancel), CustomPlayLayout.cpp (controls),
// CustomPlayTransport.cpp (Play, Preview, Pause, Stop, the timer, the position bar),
// CustomPlayCues.cpp (setting, resetting and fine-tuning the cues).
#include "audio/Bass.h"

#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

class Board;
class Dialogs;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class SoundSlotView;
class TBitBtnWithColor;
class TClickLabel;
class TForm1;
class TzShapeBtn;
class TzSlideBar;
struct Selection;
struct Settings;

struct CustomPlayContext
{
    Board& board;
    Selection& selection;
    Settings& settings;
    Dialogs& dialogs;
    SoundSlotView& slotView;
};

// A byte count with a "," before every group of three digits from the right, for digit texts of
// 4 to 12 characters; other texts stay as they are.
QString FormatByteCount(std::int64_t bytes);

class TfrmCustomPlay : public QDialog
{
    Q_OBJECT
public:
    // The program's instance, on the main window's board and slots.
    explicit TfrmCustomPlay(TForm1* mainForm);
    explicit TfrmCustomPlay(const CustomPlayContext& context, QWidget* parent = nullptr);
    ~TfrmCustomPlay() override;

    // Sets up on the popup target and waits: 1 after Save, 2 after Cancel, Esc or closing.
    int ShowModal();
    // The same opening without waiting (tests).
    void Open();

    // --- Handlers.
    void FormActivate();
    void CustomPlayPlayButtonClick();
    void CustomPlayPreviewButtonClick();
    void CustomPlayPauseButtonClick();
    void CustomPlayStopButtonClick();
    void CustomPlayTimerTimer();
    void CustomPlayProgressBarMouseDown();
    void CustomPlayProgressBarMouseUp();
    void CustomPlayProgressBarChange();
    void SetStartButtonClick();
    void SetEndButtonClick();
    void ResetStartButtonClick();
    void ResetEndButtonClick();
    void StartSpinButtonDownClick();
    void StartSpinButtonUpClick();
    void EndSpinButtonDownClick();
    void EndSpinButtonUpClick();
    void FineTuneClick(int step);
    void CustomPlayVolumeChange();
    void CustomPlaySaveButtonClick();
    void CancelButtonClick();

    // --- Working values of an opening, in the dialog's bytes.
    std::int32_t CustomPlayStart = 0;
    std::int32_t CustomPlayEnd = 0;
    bool StartCueSet = false;
    bool EndPointSet = false;
    int CustomPlayStep = 1000;
    std::int64_t CustomPlaySeek = 0;
    bool CustomPlayPlaying = false;
    bool CustomPlayPreviewing = false;
    bool CustomPlayPaused = false;
    bool CustomPlayDragging = false;
    BassHandle CurrentChannel = 0;
    std::int64_t LengthBytes = 0;
    std::int64_t PlayPosition = 0;
    std::int64_t PlayLength = 0;

    // --- Controls.
    QLineEdit* SoundName = nullptr;
    TzSlideBar* CustomPlayProgressBar = nullptr;
    QLabel* PanPosition = nullptr;
    QLabel* SetStart = nullptr;
    QLabel* SetEnd = nullptr;
    QLabel* PanEnd = nullptr;
    QLabel* CustomPlayTime = nullptr;
    QLabel* CustomPlayTimeEnd = nullptr;
    QLabel* CustomPlayPercent = nullptr;
    TBitBtnWithColor* SetStartButton = nullptr;
    TBitBtnWithColor* SetEndButton = nullptr;
    TBitBtnWithColor* ResetStartButton = nullptr;
    TBitBtnWithColor* ResetEndButton = nullptr;
    QPushButton* StartSpinUp = nullptr;
    QPushButton* StartSpinDown = nullptr;
    QPushButton* EndSpinUp = nullptr;
    QPushButton* EndSpinDown = nullptr;
    QRadioButton* FineTune10 = nullptr;
    QRadioButton* FineTune100 = nullptr;
    QRadioButton* FineTune1000 = nullptr;
    QRadioButton* FineTune10000 = nullptr;
    TzSlideBar* CustomPlayVolume = nullptr;
    TzShapeBtn* CustomPlayPlayButton = nullptr;
    TzShapeBtn* CustomPlayPreviewButton = nullptr;
    TzShapeBtn* CustomPlayPauseButton = nullptr;
    TzShapeBtn* CustomPlayStopButton = nullptr;
    TClickLabel* PauseLabel = nullptr;
    QRadioButton* CustomPlayOn = nullptr;
    QRadioButton* CustomPlayOff = nullptr;
    QPushButton* CustomPlaySaveButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QTimer* CustomPlayTimer = nullptr;

protected:
    // Esc and closing the window cancel, as the Cancel button does.
    void reject() override;

private:
    // CustomPlayLayout.cpp
    void BuildLayout();
    void BuildPanels();
    void BuildTransport();
    void BuildCueButtons();
    void BuildOptions();
    void WireSignals();

    // TfrmCustomPlay.cpp
    void Create();
    void OpenStream();
    void FreeStream();
    void ShowError(const QString& routine);
    bool Mono() const;

    // CustomPlayTransport.cpp
    void RestartStream(std::int64_t from);
    void ClearDisplayPosition();
    void ShowPositionTime(std::int64_t bytes);
    void FollowUnsetCues(std::int64_t bytes);
    void ShowPauseFace(bool visible);
    int PercentOf(std::int64_t bytes, std::int64_t length) const;

    // CustomPlayCues.cpp
    void StopForCueError();
    void PaintCueButton(TBitBtnWithColor* button, bool set);

    std::unique_ptr<SoundSlotView> ownSlots_;
    CustomPlayContext ctx_;
    // Phase of the pause button's blink while paused.
    bool pauseFaceShown_ = true;
};
