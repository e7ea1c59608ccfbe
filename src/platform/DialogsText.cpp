#include "platform/Dialogs.h"
#include "platform/QtDialogs.h"

#include <QCoreApplication>
#include <QStringList>

// Texts shared by the real and the scripted dialogs, apart from the dialog code itself.
QString MessageDlgCaption(TMsgDlgType type)
{
    switch (type) {
    case mtWarning:
        return QStringLiteral("Warning");
    case mtError:
        return QStringLiteral("Error");
    case mtInformation:
        return QStringLiteral("Information");
    case mtConfirmation:
        return QStringLiteral("Confirm");
    case mtCustom:
        break;
    }
    const QString title = QCoreApplication::applicationName();
    return title.isEmpty() ? QStringLiteral("Rallybox") : title;
}

QString MessageTextForDisplay(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString QtFilterFromPipeFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses, so keep a description that already
        // lists them and add them otherwise.
        if (!description.contains(QLatin1Char('('))) {
            description += QStringLiteral(" (") + patterns + QLatin1Char(')');
        } else {
            description = description.left(description.indexOf(QLatin1Char('('))).trimmed() +
                          QStringLiteral(" (") + patterns + QLatin1Char(')');
        }
        entries.append(description);
    }
    return entries.join(QStringLiteral(";;"));
}
