#pragma once
// The real main window on a small board, with helpers that right-click its controls the way the
// operator does and read back which items the menu that opened offers.
#include "board/MainFormFixture.h"

#include "board/MainFormButtons.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>

#include <algorithm>

// Group A: page 1 "Warmup" with a played, a locked, a place-marker, a highlighted, a plain and a
// custom-coloured sound; page 2 blank; page 3 "Anthems". The cue holds one entry.
inline const QByteArray MenuSet =
    "[Main]\r\nCreatedBy=Rallybox\r\nPersonalization=\r\n\r\n"
    "[Page1]\r\nPageName=Warmup\r\nPagePlay=F\r\nRapidFire=F\r\nPageShuffle=F\r\n"
    "PageColor=clBlack\r\n"
    "c1=Played\r\ns1=/music/played.wav\r\nt1=00:05\r\nactivity1=2\r\n"
    "c2=Locked\r\ns2=/music/locked.wav\r\nt2=00:30\r\nactivity2=4\r\n"
    "c3=Marker\r\nt3=00:00\r\nactivity3=7\r\n"
    "c4=Bright\r\ns4=/music/bright.wav\r\nt4=00:10\r\nactivity4=5\r\n"
    "c5=Plain\r\ns5=/music/plain.wav\r\nt5=01:00\r\nh5=2Q\r\nL5=L\r\nv5=80\r\n"
    "c6=Custom\r\ns6=/music/custom.wav\r\nt6=00:20\r\nco6=$00123456\r\n\r\n"
    "[Page3]\r\nPageName=Anthems\r\nPagePlay=F\r\nRapidFire=F\r\nPageShuffle=F\r\n"
    "PageColor=clBlack\r\n"
    "c1=Anthem\r\ns1=/music/anthem.wav\r\nt1=02:05\r\n\r\n"
    "[PageQ19]\r\nPageName= \r\nPagePlay=F\r\nRapidFire=F\r\nPageShuffle=F\r\n"
    "PageColor=clBlack\r\n"
    "c1=Cued\r\ns1=/music/cued.wav\r\nt1=00:15\r\n\r\n";

class PopupMenuFixture : public MainFormFixture
{
protected:
    void StartMenuBoard()
    {
        setPath = PathOf(QStringLiteral("Menu.set"));
        WriteText(setPath, MenuSet);
        Start({setPath});
        ASSERT_EQ(haltCode, -1);
        ASSERT_EQ(selection.CurrentPage, 1);
        settings.ActiveButtonColor = clInfoBk;
        settings.Tracer = true;
    }

    // Right-clicks the widget; the menu that opened, or nullptr.
    QMenu* RightClick(QWidget* widget)
    {
        CloseMenus();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(widget, &event);
        for (QMenu* menu : {form->PopupMenuSound, form->PopupMenuPage}) {
            if (menu->isVisible()) {
                return menu;
            }
        }
        return nullptr;
    }

    void CloseMenus()
    {
        form->PopupMenuSound->hide();
        form->PopupMenuPage->hide();
    }

    // The object names of the items the menu shows, in menu order.
    static QStringList Shown(const QMenu* menu)
    {
        QStringList names;
        if (menu == nullptr) {
            return names;
        }
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator() && action->isVisible()) {
                names << action->objectName();
            }
        }
        return names;
    }

    QStringList ShownOnSlot(int slot) { return Shown(RightClick(Panel(slot))); }

    // Right-clicks the slot and chooses the item.
    void Choose(int slot, const char* item) { ChooseOnPage(Panel(slot), item); }

    // Right-clicks the widget and chooses the item.
    void ChooseOnPage(QWidget* widget, const char* item)
    {
        QMenu* menu = RightClick(widget);
        ASSERT_NE(menu, nullptr);
        QAction* action = menu->findChild<QAction*>(QString::fromLatin1(item));
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(action->isVisible()) << item;
        action->trigger();
        CloseMenus();
    }

    TColorPanel* Panel(int slot) const { return form->ButtonPanels[static_cast<std::size_t>(slot)]; }
    TColor PanelColor(int slot) const { return Panel(slot)->Color(); }
    QPushButton* SoundButton(int slot) const
    {
        return AsPushButton(form->SoundButtons[static_cast<std::size_t>(slot)]);
    }
    QPushButton* PageButton(int page) const
    {
        return AsPushButton(form->PageButtons[static_cast<std::size_t>(page)]);
    }

    QString TimeLabelText(int slot) const { return form->TimeLabels[static_cast<std::size_t>(slot)]->text(); }

    // The board cell (group, page, button).
    TSoundButtonCell CellOf(int group, int page, int button) const { return board.Cell(group, page, button); }

    bool Traced(const QString& line) const
    {
        // The trace stays open while the program runs; closing it flushes what was written.
        tracer->Close();
        const QByteArray text = ReadBytes(tracer->FilePath());
        return text.contains(line.toUtf8());
    }
};
