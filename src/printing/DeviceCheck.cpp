#include "printing/DeviceCheck.h"

#include <QTextStream>

namespace qor {

bool isDeviceCheck(const QStringList& args) {
    return args.contains(QStringLiteral("--print")) || args.contains(QStringLiteral("--display")) ||
           args.contains(QStringLiteral("--open-drawer"));
}

int runDeviceCheck(const QStringList&) {
    QTextStream(stderr) << QStringLiteral(
        "Les vérifications des périphériques ne sont pas encore disponibles.\n");
    return 3;
}

} // namespace qor
