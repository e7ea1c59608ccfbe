#pragma once
// The place-marker window ("Add Place-Marker" / "Edit Place-Marker"): turns the cell of the popup
// target into a place marker, a captioned black slot without a sound where a running play list
// stops. Created once at start and shown modally; the caller sets TForm1::PlaceMarkerMode.
#include <QDialog>

class QKeyEvent;
class QLineEdit;
class QPushButton;
class TCaptionMemo;
class TForm1;

class TFormAddPlaceMarker : public QDialog
{
    Q_OBJECT
public:
    static constexpr int CaptionLength = 60;

    explicit TFormAddPlaceMarker(TForm1* mainForm);

    // Opens on the popup target and waits: 1 when a marker was stored, 2 otherwise.
    int ShowModal();
    // The same opening without waiting.
    void Open();

    void OKButtonClick();
    void CancelButtonClick();

    TCaptionMemo* PlaceMarkerMemoCaption = nullptr;
    // Kept hidden: nothing reads it.
    QLineEdit* PlaceMarkerCaption = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void BuildLayout();
    // The activate step.
    void LoadPlaceMarker();

    TForm1& form_;
};
