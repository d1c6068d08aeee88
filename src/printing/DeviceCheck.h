#pragma once
#include <QStringList>

namespace qor {

// Technician's checks of the devices from the command line: --print FILE DEST,
// --display LINE1 LINE2, --open-drawer. They use the settings of the database
// that config.ini names, print a French message on failure and exit non-zero.
bool isDeviceCheck(const QStringList& args);
int runDeviceCheck(const QStringList& args);

} // namespace qor
