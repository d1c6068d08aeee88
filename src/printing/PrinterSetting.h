#pragma once
#include <QString>

namespace qor {

// A printer setting string (IMPRIMANTETICKET, CO_PRODPRINTERn, IMPRIMANTETIROIR),
// read by character position, positions counted from 1:
//   1-3 kind: "COM" serial ESC/POS printer, "USB" installed printer, anything else none;
//   1-4 serial device name (COM1), 6-8 euro code, 10-14 baud rate (empty = 9600);
//   4-5 index of the installed printer (from 0); 9-49 drawer printer name.
// Values that must be numbers raise UserError naming the setting and what to correct.
namespace PrinterSetting {

enum class Kind { Serial, Installed, None };

// `what` names the setting in messages, e.g. "IMPRIMANTETICKET".
Kind kind(const QString& setting);
bool isSerial(const QString& setting);
bool isInstalled(const QString& setting);
QString serialName(const QString& setting);
int baudRate(const QString& setting, const QString& what);
quint8 euroCode(const QString& setting, const QString& what);
int installedIndex(const QString& setting, const QString& what);
QString drawerPrinterName(const QString& setting);

// The character a serial printer receives for "€" with the given euro code.
QChar euroCharacter(quint8 code);

} // namespace PrinterSetting
} // namespace qor
