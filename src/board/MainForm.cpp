#include "board/MainForm.h"

#include "board/MainFormButtons.h"
#include "board/SoundLengthFollower.h"
#include "board/Tracer.h"
#include "controls/GTSize32.h"
#include "platform/Dialogs.h"

#include <QCloseEvent>
#include <QPushButton>

TForm1::TForm1(MainFormContext& context, QWidget* parent) : TForm1(context, ownModes_, parent) {}

TForm1::TForm1(MainFormContext& context, PlayModes& modes, QWidget* parent)
    : QMainWindow(parent), modes_(modes), ctx_(context), buttonLengths_(std::make_unique<SoundLengthFollower>())
{
    BuildLayout();
    WireSignals();
    GTForm1 = new GTForm(*this, ctx_.scalerShared);
    GTForm1->setObjectName(QStringLiteral("GTForm1"));
    GTForm1->SetGTDesignH(QStringLiteral("1080-2"));
    GTForm1->SetGTDesignW(QStringLiteral("1920-8"));
    GTForm1->GTOnCreate = [this](QWidget*) { FormCreate(); };
    GTForm1->GTOnResize = [this](QWidget*) { GTForm1GTOnResize(); };
    GTForm1->GTOnClose = [this](QWidget*, QCloseEvent* event) {
        if (ExitDone || TermExit()) {
            event->accept();
        } else {
            event->ignore();
        }
    };
    GTForm1->FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::closeEvent(QCloseEvent*)
{
    // The decision was taken by the close step (TermExit) through the form scaler; the default
    // handling would accept every close.
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
}

void TForm1::ShowError(const QString& routine)
{
    ctx_.dialogs.MessageDlg(QStringLiteral("Error in ") + routine + QStringLiteral("\r "), mtError, mbOK);
}

void TForm1::FocusDummy()
{
    DummyButton->setFocus(Qt::OtherFocusReason);
}

void TForm1::ButtonClick(int slot)
{
    if (!IsSlot(slot)) {
        return;
    }
    ctx_.tracer.WriteTracer(QStringLiteral("Button %1 Click Event").arg(slot));
    ProcessSoundButton(slot);
}

void TForm1::ProcessSoundButton(int slot)
{
    // Playing a sound is the playback engine's work; the board's part of a click is to hand the
    // keyboard back to the hot-key handling, and in edit mode to open the editor.
    FocusDummy();
    EditModeSoundClick(slot);
}

bool TForm1::StopProcess(const QString&)
{
    Playing = false;
    return true;
}
