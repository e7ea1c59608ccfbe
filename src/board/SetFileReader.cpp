#include "board/Board.h"
#include "board/SetFile.h"
#include "board/SetFileHourglass.h"
#include "board/SetFilePages.h"
#include "board/SetFilePrefetch.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/IniFile.h"

namespace {
const QString kMain = QStringLiteral("Main");
} // namespace

bool SetFile::LoadSetFile()
{
    SetFileHourglass hourglass;
    board_.LastPageOfGroup.fill(1);
    if (Board::IsBlank(board_.SetFileName)) {
        board_.SetFileName = DefaultSetFileName();
    }

    using SetFilePrefetch::ReadOutcome;
    ReadOutcome outcome = ReadOutcome::Missing;
    SetFilePrefetch::ReadAhead ahead;
    auto ini = SetFilePrefetch::Take(board_.SetFileName, outcome, &ahead);
    if (!ini) {
        ini = std::make_unique<IniFile>();
        ini->Rename(board_.SetFileName, false);
        QByteArray bytes;
        outcome = SetFilePrefetch::ReadSetFileBytes(board_.SetFileName, bytes);
        if (outcome == ReadOutcome::Read) {
            ini->LoadFromBytes(bytes);
        }
    }
    board_.SetIniFile = std::move(ini);
    setIniUnreadable_ = outcome == ReadOutcome::Unreadable;

    if (setIniUnreadable_) {
        board_.ResetToLoadDefaults();
        settings_.Personalization.clear();
        tracer_.WriteTracer(QStringLiteral("LoadSetFile - the set file could not be read: ") +
                            board_.SetFileName);
        ShowError(QStringLiteral("LOADSETFILE"));
        return false;
    }

    const IniFile& file = *board_.SetIniFile;
    settings_.Personalization = file.ReadString(kMain, QStringLiteral("Personalization"), QString());
    // The pages were read with the file when it was read ahead; otherwise they are read here.
    if (ahead.pages) {
        board_.TakePages(*ahead.pages);
    } else {
        ReadSetFilePages(file, board_, ahead.badValues);
    }
    for (const BadSetValue& bad : ahead.badValues) {
        TraceBadValue(bad.section, bad.key, bad.value);
    }
    board_.CueOriginGroup.fill(0);
    board_.CueOriginPage.fill(0);
    board_.CueOriginButton.fill(0);
    return true;
}
