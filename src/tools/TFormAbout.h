#pragma once
// The about box ("FormAbout"): the product name and its version.
#include <QDialog>

class QLabel;

class TFormAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* parent = nullptr);

    // Shows the box modally; 1 after OK, 2 after Esc.
    int ShowModal() { return exec(); }
    void AboutButtonClick() { done(1); }

protected:
    // Esc is the cancel result, not the class library's plain rejection.
    void reject() override { done(2); }
    void showEvent(QShowEvent* event) override;

private:
    QLabel* picture_ = nullptr;
};
