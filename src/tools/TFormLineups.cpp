#include "tools/TFormLineups.h"

TFormLineups::TFormLineups(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormLineups"));
}
