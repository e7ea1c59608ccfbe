#include "playback/TFormAssignVolumeLevel.h"

#include "board/Board.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "platform/Dialogs.h"
#include "playback/PlaybackState.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
#include <exception>

namespace {

QPushButton* AddButton(QWidget* parent, const QString& name, const QString& caption, int x, int y)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(x, y, 130, 25);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TFormAssignVolumeLevel::TFormAssignVolumeLevel(const AssignVolumeLevelContext& context, QWidget* parent)
    : QDialog(parent), ctx_(context)
{
    setObjectName(QStringLiteral("FormAssignVolumeLevel"));
    setWindowTitle(QStringLiteral("Assign Volume Level"));
    resize(300, 150);
    AVLTrackBar = new QSlider(Qt::Horizontal, this);
    AVLTrackBar->setObjectName(QStringLiteral("AVLTrackBar"));
    AVLTrackBar->setRange(0, 100);
    AVLTrackBar->setTickInterval(1);
    AVLTrackBar->setTickPosition(QSlider::TicksBelow);
    AVLTrackBar->setGeometry(12, 12, 230, 30);
    AVLVolume = new QLabel(QStringLiteral("0"), this);
    AVLVolume->setObjectName(QStringLiteral("AVLVolume"));
    AVLVolume->setGeometry(250, 16, 40, 20);
    AVLSaveButton = AddButton(this, QStringLiteral("AVLSaveButton"), QStringLiteral("Save Volume"), 12, 56);
    AVLRemoveButton =
        AddButton(this, QStringLiteral("AVLRemoveButton"), QStringLiteral("Remove Volume Level"), 156, 56);
    AVLCancelButton = AddButton(this, QStringLiteral("AVLCancelButton"), QStringLiteral("Cancel"), 12, 90);
    AVLHideButton = AddButton(this, QStringLiteral("AVLHideButton"), QStringLiteral("Hide"), 156, 90);
    // Two columns of buttons as wide as the widest caption needs, and the window around them.
    int column = 130;
    for (QPushButton* button : {AVLSaveButton, AVLRemoveButton, AVLCancelButton, AVLHideButton}) {
        column = std::max(column, button->sizeHint().width());
    }
    for (QPushButton* button : {AVLSaveButton, AVLCancelButton}) {
        button->resize(column, button->height());
    }
    for (QPushButton* button : {AVLRemoveButton, AVLHideButton}) {
        button->setGeometry(12 + column + 14, button->y(), column, button->height());
    }
    resize(std::max(width(), AVLRemoveButton->geometry().right() + 13), height());
    connect(AVLTrackBar, &QSlider::valueChanged, this, [this] { AVLTrackBarChange(); });
    connect(AVLSaveButton, &QPushButton::clicked, this, [this] { AVLSaveButtonClick(); });
    connect(AVLRemoveButton, &QPushButton::clicked, this, [this] { AVLRemoveButtonClick(); });
    connect(AVLCancelButton, &QPushButton::clicked, this, [this] { AVLCancelButtonClick(); });
    connect(AVLHideButton, &QPushButton::clicked, this, [this] { AVLHideButtonClick(); });
}

void TFormAssignVolumeLevel::ShowError(const QString& routine)
{
    ctx_.dialogs.MessageDlg(QStringLiteral("Error in ") + routine + QStringLiteral("\rNotify Program Author"),
                            mtError, mbOK);
}

bool TFormAssignVolumeLevel::Target(int& group, int& page, int& button) const
{
    group = ctx_.selection.PopupGroup;
    page = ctx_.selection.PopupPage;
    bool ok = false;
    button = VolumeLevelButton.toInt(&ok);
    return ok && Board::IsValidAddress(group, page, button);
}

int TFormAssignVolumeLevel::FindChannel()
{
    try {
        VolumeLevelChannel = 0;
        int g = 0;
        int p = 0;
        int b = 0;
        if (!Target(g, p, b)) {
            return 0;
        }
        const PlaybackState& st = ctx_.state;
        for (int n = 1; n <= ChannelSlots; ++n) {
            const BassHandle h = st.ChannelArray[n];
            // An ended channel waiting to be freed is passed over: the target may play after it.
            if (h == 0 || BASS_ChannelIsActive(h) == BassActiveStopped) {
                continue;
            }
            if (st.ChannelGroup[n] == g && st.ChannelPage[n] == p && st.ChannelButton[n] == b) {
                VolumeLevelChannel = h;
                return n;
            }
        }
    } catch (const std::exception&) {
        ShowError(QStringLiteral("FindChannel"));
    }
    return 0;
}

int TFormAssignVolumeLevel::ShowModal()
{
    FormActivate();
    return exec();
}

void TFormAssignVolumeLevel::Open()
{
    FormActivate();
    QDialog::open();
}

void TFormAssignVolumeLevel::FormActivate()
{
    const int button = ctx_.selection.PopupButton;
    VolumeLevelButton = button >= 1 && button <= ButtonCount ? QString::number(button) : QString();
    int g = 0;
    int p = 0;
    int b = 0;
    const bool real = Target(g, p, b);
    // Only a real sound button has a volume cell to store into or clear.
    AVLSaveButton->setEnabled(real);
    AVLRemoveButton->setEnabled(real);
    slot_ = real ? FindChannel() : 0;
    if (!real) {
        VolumeLevelChannel = 0;
    }
    // The bar starts where the sound is: the live channel's level, else the button's stored
    // level, else the default individual volume.
    int volume = ctx_.settings.IndividualVolume;
    bool stored = false;
    if (real) {
        const int cell = ctx_.board.ButtonVolume[g][p][b].trimmed().toInt(&stored);
        if (stored && cell >= 0 && cell <= 100) {
            volume = cell;
        }
    }
    int live = -1;
    if (VolumeLevelChannel != 0 && BASS_ChannelGetAttributes(VolumeLevelChannel, nullptr, &live, nullptr) &&
        live >= 0) {
        volume = live;
    }
    VolumeLevelSaved = volume;
    loading_ = true;
    AVLTrackBar->setValue(volume);
    loading_ = false;
    AVLVolume->setText(QString::number(volume));
    // Each opening puts the keyboard on the bar, whichever button closed the window last, so
    // PgUp and PgDn ride the level at once.
    AVLTrackBar->setFocus(Qt::OtherFocusReason);
}

void TFormAssignVolumeLevel::SetChannelVolume(int volume)
{
    if (VolumeLevelChannel == 0) {
        return;
    }
    // A channel that ended meanwhile simply refuses; there is nothing left to set.
    if (BASS_ChannelSetAttributes(VolumeLevelChannel, -1, volume, -101) && slot_ >= 1 &&
        slot_ <= ChannelSlots && ctx_.state.ChannelArray[slot_] == VolumeLevelChannel) {
        ctx_.state.ChannelVolume[slot_] = volume;
    }
}

void TFormAssignVolumeLevel::AVLTrackBarChange()
{
    if (loading_) {
        return;
    }
    const int position = AVLTrackBar->value();
    ctx_.board.BoardChanged = true;
    AVLVolume->setText(QString::number(position));
    ctx_.state.CurrentVolume = position;
    SetChannelVolume(position);
}

void TFormAssignVolumeLevel::AVLSaveButtonClick()
{
    int g = 0;
    int p = 0;
    int b = 0;
    if (!Target(g, p, b)) {
        return;
    }
    ctx_.board.ButtonVolume[g][p][b] = QString::number(AVLTrackBar->value());
    // The stored level is part of the set file.
    ctx_.board.BoardChanged = true;
    done(1);
}

void TFormAssignVolumeLevel::AVLRemoveButtonClick()
{
    int g = 0;
    int p = 0;
    int b = 0;
    if (!Target(g, p, b)) {
        return;
    }
    ctx_.board.BoardChanged = true;
    ctx_.board.ButtonVolume[g][p][b].clear();
    SetChannelVolume(ctx_.settings.IndividualVolume);
    done(1);
}

void TFormAssignVolumeLevel::AVLCancelButtonClick()
{
    SetChannelVolume(VolumeLevelSaved);
    done(2);
}

void TFormAssignVolumeLevel::AVLHideButtonClick()
{
    done(1);
}

void TFormAssignVolumeLevel::reject()
{
    AVLCancelButtonClick();
}
