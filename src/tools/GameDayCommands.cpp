#include "tools/GameDayCommands.h"

#include "board/MainForm.h"
#include "tools/TFormAustralianFootball.h"
#include "tools/TFormGenericScoreboard.h"
#include "tools/TScoreboard.h"

#include <QAction>

#include <array>
#include <utility>

void WireScoreboardMenu(TForm1& form, std::function<ScoreboardWindows()> windows)
{
    auto item = [&form](const char* name) { return form.findChild<QAction*>(QString::fromLatin1(name)); };
    auto connectItem = [&](const char* name, auto slot) {
        if (QAction* action = item(name)) {
            QObject::connect(action, &QAction::triggered, &form, slot);
        }
    };
    connectItem("Baseball1", [windows] { windows().baseball->ShowBesideBoard(); });
    static const std::array<std::pair<const char*, Sport>, 7> sports{{{"Basketball1", Sport::Basketball},
                                                                      {"Football1", Sport::Football},
                                                                      {"Handball1", Sport::Handball},
                                                                      {"Hockey1", Sport::Hockey},
                                                                      {"Lacrosse1", Sport::Lacrosse},
                                                                      {"Soccer1", Sport::Soccer},
                                                                      {"Volleyball1", Sport::Volleyball}}};
    for (const auto& [name, sport] : sports) {
        const Sport chosen = sport;
        connectItem(name, [windows, chosen] { windows().generic->ShowSport(chosen); });
    }
    connectItem("AustralianFootball1", [windows] { windows().australian->ShowBesideBoard(); });
}
