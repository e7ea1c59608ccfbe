#include "board/Board.h"
#include "board/SetFile.h"
#include "board/SetFileButtonKeys.h"
#include "board/SetFileHourglass.h"
#include "board/SetFileText.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Color.h"
#include "platform/IniFile.h"

#include <QFileInfo>

namespace {

const QString kMain = QStringLiteral("Main");

} // namespace

bool SetFile::SaveSetFile(bool exiting)
{
    tracer_.WriteTracer(QStringLiteral("SaveSetFile"));
    SetFileHourglass hourglass;

    // A new, empty object, so that nothing of the file's former content survives.
    auto ini = std::make_unique<IniFile>();
    ini->Rename(board_.SetFileName, false);
    ini->WriteString(kMain, QStringLiteral("CreatedBy"), QStringLiteral("Rallybox"));
    ini->WriteString(kMain, QStringLiteral("Personalization"), SingleLineText(settings_.Personalization));
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageCount; ++p) {
            // The cue page is kept whatever its name.
            if (!Board::IsBlank(board_.PageName[g][p]) || (g == CueGroup && p == CuePage)) {
                WritePage(*ini, g, p);
            }
        }
    }

    // Atomic: IniFile::UpdateFile (platform/IniFile.cpp) writes a temporary file beside the set
    // file and renames it over the old one, so a failed write leaves the old file whole.
    const bool written = ini->UpdateFile();
    board_.SetIniFile = std::move(ini);
    setIniUnreadable_ = false;
    if (!written) {
        // The board stays marked as changed, so leaving still asks to save it.
        tracer_.WriteTracer(QStringLiteral("SaveSetFile - the set file could not be written: ") +
                            board_.SetFileName);
        ShowError(QStringLiteral("SaveSetFile"));
        return false;
    }
    board_.BoardChanged = false;
    if (exiting) {
        board_.SetIniFile.reset();
    }
    return true;
}

void SetFile::WritePage(IniFile& ini, int group, int page) const
{
    const QString section = PageSectionName(group, page);
    ini.WriteString(section, QStringLiteral("PageName"), SingleLineText(board_.PageName[group][page]));
    ini.WriteString(section, QStringLiteral("PagePlay"), SingleLineText(board_.PagePlay[group][page]));
    ini.WriteString(section, QStringLiteral("RapidFire"), SingleLineText(board_.RapidFire[group][page]));
    ini.WriteString(section, QStringLiteral("PageShuffle"), SingleLineText(board_.PageShuffle[group][page]));
    ini.WriteString(section, QStringLiteral("PageColor"), ColorToString(board_.PageColor[group][page]));
    for (int b = 1; b <= ButtonCount; ++b) {
        WriteButton(ini, section, group, page, b);
    }
}

void SetFile::WriteButton(IniFile& ini, const QString& section, int g, int p, int b) const
{
    WriteButtonKeys(ini, section, b, board_.Cell(g, p, b), ColorKeyRule::WhenSet);
}

bool SetFile::SaveActivityFile(bool exiting)
{
    SetFileHourglass hourglass;
    if (setIniUnreadable_) {
        tracer_.WriteTracer(
            QStringLiteral("SaveActivityFile - the set file could not be read, left as it is: ") +
            board_.SetFileName);
        return false;
    }
    if (!board_.SetIniFile) {
        board_.SetIniFile = std::make_unique<IniFile>(board_.SetFileName);
    }
    IniFile& ini = *board_.SetIniFile;
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageCount; ++p) {
            if (Board::IsBlank(board_.PageName[g][p])) {
                continue;
            }
            const QString section = PageSectionName(g, p);
            for (int b = 1; b <= ButtonCount; ++b) {
                if (Board::IsBlank(board_.ButtonCaption[g][p][b])) {
                    continue;
                }
                const QString& key = ButtonKeyName(ButtonKey::Activity, b);
                int stored = 0;
                // A stored value that is no number is replaced as well.
                const bool storedIsNumber = IniFile::TryParseInteger(
                    ini.ReadString(section, key, QStringLiteral("0")).trimmed(), stored);
                const int state = board_.ButtonState[g][p][b];
                if (!storedIsNumber || stored > bstUnplayed || state > bstUnplayed) {
                    ini.WriteString(section, key, QString::number(state));
                }
            }
        }
    }
    if (ini.ReadSections().isEmpty() && !QFileInfo::exists(ini.FileName())) {
        // No button to record a state for and no file to record it in (a set file opened by a
        // name that did not exist, or a first start's Default.set): writing would leave an
        // empty set file behind.
        tracer_.WriteTracer(QStringLiteral("SaveActivityFile - nothing to write, no file made: ") +
                            ini.FileName());
    } else if (!ini.UpdateFile()) {
        tracer_.WriteTracer(QStringLiteral("SaveActivityFile - the set file could not be written: ") +
                            ini.FileName());
        ShowError(QStringLiteral("SaveActivityFile"));
        return false;
    }
    board_.BoardChanged = false;
    if (exiting) {
        board_.SetIniFile.reset();
    }
    return true;
}
