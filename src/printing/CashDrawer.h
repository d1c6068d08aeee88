#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

namespace qor {

struct TillContext;

// The cash drawer (IMPRIMANTETIROIR): "TXT" none; "USB" an installed printer named by
// characters 9-49 that receives the kick as a raw job; anything else the kick on the
// ticket printer's serial port.

// Asks the operator for the manager password and returns what was typed (the
// order-entry screen provides it with its numeric keypad: " Mot de passe", 4 digits).
using PasswordEntry = std::function<QString()>;

// True when the typed text is the manager password MDP; "0" counts as empty.
bool verifiemdp(const TillContext& ctx, const QString& typed);
// Opens the drawer. With askPassword and MDPTIRROIR on, the password is asked first
// and a wrong one opens nothing; returns whether the kick was sent.
// A device failure raises UserError naming the drawer and what to check.
bool ouvretiroir(TillContext& ctx, bool askPassword, const PasswordEntry& entry = {});
// The drawer button: opens the drawer with the password rule, then logs "TIROIR"
// whether or not it opened (the log entry is written even when the device failed).
void btntiroirClick(TillContext& ctx, const PasswordEntry& entry);

// The bytes the drawer receives for the given printer name: 1C for a STAR printer,
// else ESC @ ESC p 0 50 150.
QByteArray drawerKick(const QString& printerName);

} // namespace qor
