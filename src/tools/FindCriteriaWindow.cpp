#include "tools/FindCriteriaWindow.h"

#include "board/MainForm.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "platform/Dialogs.h"
#include "tools/BoardSearch.h"
#include "tools/TformFind.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <exception>

TFormFindSpecs::TFormFindSpecs(TForm1* mainForm) : QDialog(mainForm), ctx_(mainForm->Context())
{
    setObjectName(QStringLiteral("FormFindSpecs"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Find what:"), this));
    FindText = new QLineEdit(this);
    FindText->setObjectName(QStringLiteral("FindText"));
    row->addWidget(FindText);
    layout->addLayout(row);
    auto* modes = new QVBoxLayout;
    auto radio = [this, modes](const char* name, const QString& caption) {
        auto* button = new QRadioButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        modes->addWidget(button);
        return button;
    };
    ButtonRadioButton = radio("ButtonRadioButton", QStringLiteral("Buttons"));
    NotesRadioButton = radio("NotesRadioButton", QStringLiteral("Notes"));
    ButtonNotesRadioButton = radio("ButtonNotesRadioButton", QStringLiteral("Buttons and Notes"));
    auto* box = new QGroupBox(QStringLiteral("Find Mode:"), this);
    box->setLayout(modes);
    layout->addWidget(box);
    MatchCaseCheckBox = new QCheckBox(QStringLiteral("Match Case"), this);
    MatchCaseCheckBox->setObjectName(QStringLiteral("MatchCaseCheckBox"));
    layout->addWidget(MatchCaseCheckBox);
    auto* buttons = new QHBoxLayout;
    FindButton = new QPushButton(QStringLiteral("Find"), this);
    ClearButton = new QPushButton(QStringLiteral("Clear"), this);
    CancelButton = new QPushButton(QStringLiteral("Close"), this);
    FindButton->setObjectName(QStringLiteral("FindButton"));
    ClearButton->setObjectName(QStringLiteral("ClearButton"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    FindButton->setDefault(true);
    ClearButton->setAutoDefault(false);
    CancelButton->setAutoDefault(false);
    buttons->addWidget(FindButton);
    buttons->addWidget(ClearButton);
    buttons->addWidget(CancelButton);
    layout->addLayout(buttons);
    connect(FindButton, &QPushButton::clicked, this, &TFormFindSpecs::FindButtonClick);
    connect(ClearButton, &QPushButton::clicked, this, &TFormFindSpecs::ClearButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TFormFindSpecs::CancelButtonClick);
}

void TFormFindSpecs::SetResultsWindow(TformFind* results)
{
    results_ = results;
    ShowResults = [results] { return results->ShowModal(); };
}

int TFormFindSpecs::ShowModal()
{
    FormActivate();
    return exec();
}

void TFormFindSpecs::FormActivate()
{
    const QString& scope = ctx_.settings.FindScope;
    ButtonRadioButton->setChecked(scope == QLatin1String("1"));
    NotesRadioButton->setChecked(scope == QLatin1String("2"));
    ButtonNotesRadioButton->setChecked(scope != QLatin1String("1") && scope != QLatin1String("2"));
    FindText->clear();
    FindText->setFocus();
}

void TFormFindSpecs::FocusSearchText()
{
    FindText->selectAll();
    FindText->setFocus();
}

void TFormFindSpecs::FindButtonClick()
{
    try {
        Selection& sel = ctx_.selection;
        const QString text = FindText->text();
        sel.ListRowCount = 0;
        const int scope = ButtonRadioButton->isChecked()  ? FindButtons
                          : NotesRadioButton->isChecked() ? FindNotes
                                                          : FindButtonsAndNotes;
        ctx_.settings.FindScope = QString::number(scope);
        const std::vector<BoardAddress> matches =
            FindMatches(ctx_.board, text, scope, MatchCaseCheckBox->isChecked());
        sel.ListRowCount = static_cast<int>(matches.size());
        if (matches.empty()) {
            ctx_.dialogs.MessageDlg(QStringLiteral("No Matches Found"), mtInformation, mbOK);
            FocusSearchText();
            return;
        }
        if (results_) {
            results_->Fill(matches, text, scope);
        }
        const int result = ShowResults ? ShowResults() : 1;
        if (result == 2) {
            sel.ListTargetGroup = sel.ListTargetPage = sel.ListTargetButton = 0;
        }
        FocusSearchText();
        if (result != 6) {
            done(1);
        }
    } catch (const std::exception&) {
        ctx_.dialogs.MessageDlg(QStringLiteral("Error in FindShowItClick\rNotify Program Author"), mtError,
                                mbOK);
    }
}

void TFormFindSpecs::ClearButtonClick()
{
    FindText->clear();
    FindText->setFocus();
}

void TFormFindSpecs::CancelButtonClick()
{
    done(1);
}

void TFormFindSpecs::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        CancelButtonClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormFindSpecs::reject()
{
    done(1);
}
