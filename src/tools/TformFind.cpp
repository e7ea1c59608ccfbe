#include "tools/TformFind.h"

#include "board/Board.h"
#include "board/MainForm.h"
#include "board/Selection.h"
#include "platform/Dialogs.h"
#include "tools/StringGrid.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

TformFind::TformFind(TForm1* mainForm) : QDialog(mainForm), ctx_(mainForm->Context())
{
    setObjectName(QStringLiteral("formFind"));
    setWindowTitle(QStringLiteral("Matches Found"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Looking For:"), this));
    SearchText = new QLabel(this);
    SearchText->setObjectName(QStringLiteral("SearchText"));
    MatchesFound = new QLabel(this);
    MatchesFound->setObjectName(QStringLiteral("MatchesFound"));
    top->addWidget(SearchText);
    top->addStretch();
    top->addWidget(MatchesFound);
    layout->addLayout(top);
    StringGrid1 = new TStringGrid(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->SetColumns({{QStringLiteral("Count"), 50},
                             {QStringLiteral("Group"), 50},
                             {QStringLiteral("Page"), 120},
                             {QStringLiteral("Button"), 400},
                             {QStringLiteral("Note"), 400},
                             {QStringLiteral("nGroup"), 40},
                             {QStringLiteral("nPage"), 40},
                             {QStringLiteral("nButton"), 40}});
    layout->addWidget(StringGrid1);
    auto* buttons = new QHBoxLayout;
    auto add = [this, buttons](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    PlayItButton = add("PlayItButton", QStringLiteral("Play It"));
    CueItButton = add("CueItButton", QStringLiteral("Cue It"));
    NewFindButton = add("NewFindButton", QStringLiteral("New Find"));
    CloseButton = add("CloseButton", QStringLiteral("Close"));
    layout->addLayout(buttons);
    resize(1100, 500);
    connect(PlayItButton, &QPushButton::clicked, this, &TformFind::PlayItButtonClick);
    connect(CueItButton, &QPushButton::clicked, this, &TformFind::CueItButtonClick);
    connect(NewFindButton, &QPushButton::clicked, this, &TformFind::NewFindButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &TformFind::CloseButtonClick);
    connect(StringGrid1, &QAbstractItemView::doubleClicked, this, &TformFind::StringGrid1DblClick);
    connect(StringGrid1, &TStringGrid::keyReleased, this, &TformFind::StringGrid1KeyUp);
}

void TformFind::Fill(const std::vector<BoardAddress>& matches, const QString& searchText, int scope)
{
    const Board& board = ctx_.board;
    scope_ = scope;
    SearchText->setText(searchText);
    std::vector<QStringList> rows;
    rows.reserve(matches.size());
    int n = 0;
    for (const auto& [g, p, b] : matches) {
        rows.push_back({QStringLiteral("#") + QString::number(++n),
                        board.GroupLetters[static_cast<std::size_t>(g)], board.PageName[g][p],
                        board.ButtonCaption[g][p][b], board.ButtonNote[g][p][b], QString::number(g),
                        QString::number(p), QString::number(b)});
    }
    StringGrid1->SetRows(std::move(rows));
    MatchesFound->setText(QString::number(matches.size()) + QStringLiteral(" Matches Found    "));
    if (!matches.empty()) {
        StringGrid1->SelectRow(1);
    }
}

int TformFind::ShowModal()
{
    FormActivate();
    return exec();
}

void TformFind::FormActivate()
{
    switch (scope_) {
    case FindButtons:
        setWindowTitle(QStringLiteral(" Matches Found (Searched Buttons Only)"));
        break;
    case FindNotes:
        setWindowTitle(QStringLiteral(" Matches Found (Searched Notes Only)"));
        break;
    default:
        setWindowTitle(QStringLiteral(" Matches Found (Searched Buttons and Notes)"));
        break;
    }
    StringGrid1->setFocus();
}

bool TformFind::TakeTarget()
{
    const int row = StringGrid1->Row();
    if (row < 1) {
        return false;
    }
    Selection& sel = ctx_.selection;
    sel.ListTargetGroup = StringGrid1->Cell(5, row).toInt();
    sel.ListTargetPage = StringGrid1->Cell(6, row).toInt();
    sel.ListTargetButton = StringGrid1->Cell(7, row).toInt();
    return true;
}

void TformFind::ClearTarget()
{
    Selection& sel = ctx_.selection;
    sel.ListTargetGroup = sel.ListTargetPage = sel.ListTargetButton = 0;
}

void TformFind::StringGrid1KeyUp()
{
    TakeTarget();
}

void TformFind::StringGrid1DblClick()
{
    TakeTarget();
    done(1);
}

void TformFind::PlayItButtonClick()
{
    TakeTarget();
    done(1);
}

void TformFind::CloseButtonClick()
{
    ClearTarget();
    done(1);
}

void TformFind::NewFindButtonClick()
{
    done(6);
}

void TformFind::CueItButtonClick()
{
    try {
        if (TakeTarget()) {
            const Selection& sel = ctx_.selection;
            const CueItResult result =
                CueFoundButton(ctx_.board, {sel.ListTargetGroup, sel.ListTargetPage, sel.ListTargetButton});
            if (result == CueItResult::Full) {
                ctx_.dialogs.MessageDlg(QString::fromLatin1(CueFullText), mtError, mbOK);
            } else if (result == CueItResult::PlaceMarker || result == CueItResult::NoCaption) {
                // Nothing was cued: the results stay up so that another row can be chosen.
                const char* why = result == CueItResult::PlaceMarker ? CuePlaceMarkerText : CueNoCaptionText;
                ctx_.dialogs.MessageDlg(QString::fromLatin1(why), mtInformation, mbOK);
                ClearTarget();
                return;
            }
        }
    } catch (const std::exception&) {
        ctx_.dialogs.MessageDlg(QStringLiteral("Error in PopupCueClick\rNotify Program Author"), mtError,
                                mbOK);
    }
    ClearTarget();
    done(6);
}

void TformFind::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        CloseButtonClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TformFind::reject()
{
    // The title bar's close: no choice, and the find dialog closes too.
    ClearTarget();
    done(2);
}
