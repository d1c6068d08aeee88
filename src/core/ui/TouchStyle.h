#pragma once
#include <QColor>
#include <QPixmap>
#include <QString>

class QAbstractButton;

namespace qor {

// Colours and sizes shared by the touch windows and the keypads.
namespace TouchStyle {

// A Windows colour value (red in the low byte) as a colour.
inline QColor winColor(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
// "#RRGGBB" of a Windows colour value, for style sheets.
inline QString css(int value) {
    return winColor(value).name();
}

// White text, unless the background is so light that white would not be read: then
// the given dark text colour (a Windows colour value). Gives "#RRGGBB".
inline QString readableOn(int background, int darkText) {
    const QColor bg = winColor(background);
    const double luminance = 0.299 * bg.red() + 0.587 * bg.green() + 0.114 * bg.blue();
    if (luminance < 160) return QStringLiteral("#ffffff");
    const QColor text = winColor(darkText);
    const double textLuminance = 0.299 * text.red() + 0.587 * text.green() + 0.114 * text.blue();
    return textLuminance < 110 ? text.name() : QStringLiteral("#202020");
}

// Smallest side of anything a finger touches, in pixels.
constexpr int fingerSize = 64;

// Puts a skin picture on a button when there is one; the button keeps its text otherwise.
void setPicture(QAbstractButton* button, const QPixmap& picture);

// Starts a desktop calculator found on the PATH; nothing when there is none.
void startCalculator();

} // namespace TouchStyle
} // namespace qor
