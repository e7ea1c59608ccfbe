#include "editing/TFormAddPlaceMarker.h"

TFormAddPlaceMarker::TFormAddPlaceMarker(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAddPlaceMarker"));
}
