#pragma once
// The "FormFindSpecs" window, created once at start and kept for the whole run. Its controls and
// commands are added when its own work is built; for now it exists, named, so the fixed
// window-creation order and every lookup by name already hold.
#include <QDialog>

class TFormFindSpecs : public QDialog
{
    Q_OBJECT
public:
    explicit TFormFindSpecs(QWidget* parent = nullptr);
};
