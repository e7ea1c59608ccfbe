#pragma once
// The real main window on a small board with the board-arranging commands attached, scripted
// dialogs, and a channel table stand-in that tests fill with the addresses "playing".
#include "board/MainFormFixture.h"

#include "board/MainFormButtons.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "editing/BoardArranging.h"

#include <QLabel>
#include <QPushButton>

#include <array>
#include <memory>
#include <set>

inline const QByteArray ArrangeSet =
    "[Main]\r\nCreatedBy=Rallybox\r\nPersonalization=\r\n\r\n"
    "[Page1]\r\nPageName=Warmup\r\nPagePlay=F\r\nRapidFire=F\r\nPageShuffle=F\r\n"
    "PageColor=clBlack\r\n\r\n"
    "[Page2]\r\nPageName=Anthems\r\nPagePlay=T\r\nRapidFire=F\r\nPageShuffle=F\r\n"
    "PageColor=$00445566\r\n\r\n";

class ArrangeFixture : public MainFormFixture
{
protected:
    void TearDown() override
    {
        arranging.reset();
        MainFormFixture::TearDown();
    }

    void StartArrange()
    {
        const QString path = PathOf(QStringLiteral("Arrange.set"));
        WriteText(path, ArrangeSet);
        Start({path});
        ASSERT_EQ(haltCode, -1);
        windows.AddressPlaying = [this](int g, int p, int b) { return playing.count({g, p, b}) != 0; };
        arranging = std::make_unique<BoardArranging>(*form);
        arranging->Wire();
        dialogs.Reset();
    }

    // A sound with every field set, from its caption.
    void Fill(int g, int p, int b, const QString& caption)
    {
        board.ButtonCaption[g][p][b] = caption;
        board.ButtonFile[g][p][b] = QStringLiteral("/music/") + caption + QStringLiteral(".wav");
        board.ButtonTime[g][p][b] = QStringLiteral("00:0") + QString::number(b % 10);
        board.ButtonNote[g][p][b] = QStringLiteral("note ") + caption;
        board.ButtonHotKey[g][p][b] = QStringLiteral("0F") + QString::number(b % 12 + 1);
        board.ButtonHotKeyInfo[g][p][b] = QStringLiteral("F") + QString::number(b % 12 + 1);
        board.ButtonVolume[g][p][b] = QString::number(40 + b);
        board.ButtonLoop[g][p][b] = QStringLiteral("L");
        board.ButtonCustomCue[g][p][b] = QStringLiteral("Y");
        board.ButtonCueStart[g][p][b] = 1000 * b;
        board.ButtonCueEnd[g][p][b] = 2000 * b;
        board.ButtonCustomColor[g][p][b] = 0x00102030 + b;
    }

    void Show(int page)
    {
        form->ProcessPageButton(page);
        ASSERT_EQ(selection.CurrentPage, page);
    }

    void Target(int g, int p, int b = 0)
    {
        selection.PopupGroup = g;
        selection.PopupPage = p;
        selection.PopupButton = b;
    }

    TColor Panel(int slot) const { return form->ButtonPanels[static_cast<std::size_t>(slot)]->Color(); }
    QPushButton* SlotButton(int slot) const
    {
        return AsPushButton(form->SoundButtons[static_cast<std::size_t>(slot)]);
    }
    QPushButton* PageButton(int page) const
    {
        return AsPushButton(form->PageButtons[static_cast<std::size_t>(page)]);
    }
    QString Memo(int slot) const { return form->ButtonMemos[static_cast<std::size_t>(slot)]->text(); }

    // Texts of the message boxes shown since the last reset (not the colour or font dialogs).
    QStringList Boxes() const
    {
        QStringList texts;
        for (const ScriptedDialogs::Call& call : dialogs.Calls()) {
            if (call.kind == ScriptedDialogs::Kind::MessageDlg ||
                call.kind == ScriptedDialogs::Kind::ShowMessage) {
                texts.append(call.text);
            }
        }
        return texts;
    }

    std::set<std::array<int, 3>> playing;
    std::unique_ptr<BoardArranging> arranging;
};
