#pragma once
// The main window on an empty board with the page export commands and the file drop installed, as
// the program has them, plus helpers to fill pages.
#include "board/MainFormButtons.h"

#include "board/MainFormFixture.h"
#include "editing/PageExportCommands.h"
#include "editing/ShellFileDrop.h"
#include "playback/PlaybackState.h"
#include <QPushButton>

#include "TestWavFile.h"

class PageCommandsFixture : public MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        Start();
        ASSERT_TRUE(form);
        commands = new PageExportCommands(*form, playback);
        drop = new ShellFileDrop(*form);
        dialogs.Reset();
    }

    void NamePage(int group, int page, const QString& name)
    {
        board.PageName[group][page] = name;
        board.PagePlay[group][page] = QStringLiteral("F");
        board.PageShuffle[group][page] = QStringLiteral("F");
    }

    // Gives the button a caption and a file, so it is taken.
    void Take(int group, int page, int button, const QString& caption)
    {
        board.ButtonCaption[group][page][button] = caption;
        board.ButtonFile[group][page][button] = QStringLiteral("/music/") + caption + QStringLiteral(".wav");
    }

    void ShowPage(int group, int page)
    {
        selection.CurrentGroup = group;
        selection.CurrentPage = page;
        board.LastPageOfGroup[static_cast<std::size_t>(group)] = page;
        form->ProcessGroupButton(group);
    }

    void Target(int group, int page)
    {
        selection.PopupGroup = group;
        selection.PopupPage = page;
    }

    QString WriteWav(const QString& name, int frames) const
    {
        const QString path = folder + name;
        EXPECT_TRUE(WriteSilentWav(path, frames));
        return path;
    }

    PlaybackState playback;
    PageExportCommands* commands = nullptr;
    ShellFileDrop* drop = nullptr;
};
