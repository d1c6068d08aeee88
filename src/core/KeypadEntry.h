#pragma once
#include <QString>

namespace qor {

// What the operator types on a numeric keypad: digits and one decimal point,
// at most lgmax characters, and a sign. Both keypads share these rules.
struct KeypadEntry {
    int lgmax = 10;
    QString text;
    bool negative = false;

    // Appends a digit or the point within lgmax; a second point is refused so that
    // the entry always stays a number. Returns whether the character was taken.
    bool append(QChar c);
    void backspace() { text.chop(1); }
    void clear() { text.clear(); }
    void toggleSign() { negative = !negative; }
    QString sign() const { return negative ? QStringLiteral("-") : QStringLiteral("+"); }
    // One "*" per character, for the masked display of a PIN.
    QString masked() const { return QString(text.size(), u'*'); }

    // The validated value: an empty entry counts as "0"; nbtxt carries a leading "-"
    // for a negative entry. Raises UserError when the entry is not a number (a lone point).
    struct Result {
        double nb = 0;
        QString nbtxt;
    };
    Result validate() const;
};

} // namespace qor
