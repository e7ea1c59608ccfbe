#include "tools/TFormAbout.h"

#include "platform/ProgramVersion.h"
#include "tools/GameDayWidgets.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("About"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    picture_ = GameDayLabel(this, QStringLiteral("ProgramIcon"), QString());
    // The picture is looked up in the icon theme (some ms) when the box is first shown, not at
    // the program's start; its place is kept.
    picture_->setMinimumSize(48, 48);
    picture_->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture_);
    QLabel* product = GameDayLabel(this, QStringLiteral("ProductName"), QStringLiteral("Rallybox"));
    QFont big = product->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    product->setFont(big);
    product->setAlignment(Qt::AlignCenter);
    layout->addWidget(product);
    QLabel* version = GameDayLabel(this, QStringLiteral("Version"), ProgramVersion::AboutText());
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(version);
    auto* ok = GameDayButton(this, QStringLiteral("AboutButton"), QStringLiteral("OK"));
    ok->setDefault(true);
    layout->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &TFormAbout::AboutButtonClick);
}

void TFormAbout::showEvent(QShowEvent* event)
{
    if (picture_->pixmap().isNull()) {
        picture_->setPixmap(style()->standardIcon(QStyle::SP_MediaVolume).pixmap(48, 48));
    }
    QDialog::showEvent(event);
}
