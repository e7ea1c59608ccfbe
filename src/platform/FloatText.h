#pragma once
// Reals as the options file holds them: the class library's general float-to-text form
// ("4", "0.5", "1E-5") with "." as the decimal separator, and its text-to-float reading
// (".5" and "4" both read; blanks around the number allowed).
#include <QString>

QString FloatToStr(double value);
// False (value untouched) for anything that is not a finite decimal number.
bool TryStrToFloat(const QString& text, double& value);
