#include "core/Clock.h"

namespace qor {

namespace {
QDateTime fixed;
}

QDateTime Clock::now() {
    return fixed.isValid() ? fixed : QDateTime::currentDateTime();
}
void Clock::set(const QDateTime& t) {
    fixed = t;
}

} // namespace qor
