#pragma once
#include <QDateTime>

namespace qor {

// Local time as the till sees it. Order numbers, business dates and the end-of-day
// hour depend on it, so tests can fix it.
class Clock {
  public:
    static QDateTime now();
    static QDate today() { return now().date(); }
    // Fixes the time returned by now(); an invalid value goes back to the system clock.
    static void set(const QDateTime& t);
    // Change stamp "YYMMDDHHMMSS" of the current time.
    static QString stamp() { return stamp(now()); }
    static QString stamp(const QDateTime& t) { return t.toString(QStringLiteral("yyMMddHHmmss")); }
};

} // namespace qor
