#include "tools/TFormPersonalize.h"

#include "board/Settings.h"
#include "tools/GameDayWidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormPersonalize::TFormPersonalize(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormPersonalize"));
    setWindowTitle(QStringLiteral("Form Personalize"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        GameDayLabel(this, QStringLiteral("Label1"), QStringLiteral("Enter Your Personalized Header Here:")));
    PersonalizationEdit = new QLineEdit(this);
    PersonalizationEdit->setObjectName(QStringLiteral("PersonalizationEdit"));
    PersonalizationEdit->setMinimumWidth(360);
    layout->addWidget(PersonalizationEdit);
    auto* buttons = new QHBoxLayout;
    auto* ok = GameDayButton(this, QStringLiteral("RegisterOKButton"), QStringLiteral("OK"));
    auto* cancel = GameDayButton(this, QStringLiteral("RegisterCancelButton"), QStringLiteral("Cancel"));
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TFormPersonalize::RegisterOKButtonClick);
    connect(cancel, &QPushButton::clicked, this, &TFormPersonalize::RegisterCancelButtonClick);
}

int TFormPersonalize::ShowModal()
{
    FormActivate();
    return exec();
}

void TFormPersonalize::FormActivate()
{
    if (settings_ != nullptr) {
        PersonalizationEdit->setText(settings_->Personalization);
    }
}

void TFormPersonalize::RegisterOKButtonClick()
{
    if (settings_ != nullptr) {
        settings_->Personalization = PersonalizationEdit->text().trimmed();
    }
    done(1);
}

void TFormPersonalize::RegisterCancelButtonClick()
{
    done(2);
}
