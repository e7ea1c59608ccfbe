#pragma once
// "Assign Volume Level": while a button plays, the operator rides its level on a bar that moves
// the live channel, then stores it as the button's own volume (Save Volume), clears it (Remove
// Volume Level), puts the channel back (Cancel) or just closes (Hide). It acts on the popup target.
#include "audio/Bass.h"

#include <QDialog>
#include <QString>

class Board;
class Dialogs;
class QLabel;
class QPushButton;
class QSlider;
struct PlaybackState;
struct Selection;
struct Settings;

struct AssignVolumeLevelContext
{
    PlaybackState& state;
    Board& board;
    Selection& selection;
    Settings& settings;
    Dialogs& dialogs;
};

class TFormAssignVolumeLevel : public QDialog
{
    Q_OBJECT
public:
    TFormAssignVolumeLevel(const AssignVolumeLevelContext& context, QWidget* parent = nullptr);

    // Opens on the popup target and waits: 1 after Save, Remove or Hide, 2 after Cancel or Esc.
    int ShowModal();
    // The same opening without waiting (tests).
    void Open();

    // The channel slot (1..5) that plays the target, its handle in VolumeLevelChannel; 0 for none.
    int FindChannel();

    void FormActivate();
    void AVLTrackBarChange();
    void AVLSaveButtonClick();
    void AVLRemoveButtonClick();
    void AVLCancelButtonClick();
    void AVLHideButtonClick();

    // The target button's number as text; empty when the target is not a sound button.
    QString VolumeLevelButton;
    BassHandle VolumeLevelChannel = 0;
    int VolumeLevelSaved = 0;

    QSlider* AVLTrackBar = nullptr;
    QLabel* AVLVolume = nullptr;
    QPushButton* AVLSaveButton = nullptr;
    QPushButton* AVLRemoveButton = nullptr;
    QPushButton* AVLCancelButton = nullptr;
    QPushButton* AVLHideButton = nullptr;

protected:
    void reject() override;

private:
    void ShowError(const QString& routine);
    // The target as a board address, false when it is not a real sound button.
    bool Target(int& group, int& page, int& button) const;
    void SetChannelVolume(int volume);

    AssignVolumeLevelContext ctx_;
    int slot_ = 0;
    bool loading_ = false;
};
