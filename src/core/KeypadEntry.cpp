#include "core/KeypadEntry.h"

#include "core/DbError.h"

namespace qor {

bool KeypadEntry::append(QChar c) {
    if (!c.isDigit() && c != u'.') return false;
    if (c.unicode() > 0x7F) return false; // digits of other scripts are not numbers here
    if (text.size() >= lgmax) return false;
    if (c == u'.' && text.contains(u'.')) return false;
    text += c;
    return true;
}

KeypadEntry::Result KeypadEntry::validate() const {
    const QString shown = text.isEmpty() ? QStringLiteral("0") : text;
    bool ok = false;
    const double value = shown.toDouble(&ok);
    if (!ok) throw UserError(QStringLiteral("« %1 » n'est pas un nombre : corrigez la saisie.").arg(shown));
    Result r;
    r.nb = negative ? -value : value;
    r.nbtxt = negative ? QStringLiteral("-") + shown : shown;
    return r;
}

} // namespace qor
