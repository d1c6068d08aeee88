#pragma once
#include <QString>

namespace qor {

// Number texts of the order screens. The process uses "." as decimal separator.
namespace NumberText {

// Shortest decimal text with at most 15 significant digits: 2 -> "2", 0.5 -> "0.5".
QString plain(double v);
// Two decimals, rounded half away from zero on the exact decimal expansion of v
// (2.675 -> "2.67", 0.125 -> "0.13"). A value with more than `precision` digits
// before the point comes out in exponent notation.
QString fixed2(double v, int precision = 18);
// v rounded to two decimals as fixed2 shows it, read back as a number.
double round2(double v);
// Blanks in front of text up to width characters; a longer text is kept whole.
QString padLeft(const QString& text, int width);

} // namespace NumberText
} // namespace qor
