#pragma once
#include <QString>

namespace qor {

// Control digest of a row: the lower-case hexadecimal SHA-1 of the UTF-8 text
// (40 characters) followed by the first 24 characters of the lower-case
// hexadecimal MD5 of those 40 characters; 64 characters in all.
QString calculctrl(const QString& text);

// Text form of a number as the journal digests and tickets use it: shortest
// form with a point, no trailing zeros ("2.5", "3", "-9").
QString numberText(double value);

// An amount with two decimals and a point ("12.50").
inline QString money(double value) {
    return QString::number(value, 'f', 2);
}

} // namespace qor
