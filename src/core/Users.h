#pragma once
#include <QString>

namespace qor {

struct TillContext;

// Users of T_USER, their PIN and the right columns that allow each action.
namespace Users {

// Right columns: open a table and take orders; the five back-office menus.
inline const QString input = QStringLiteral("US_INPUT");
QString menuRight(int menu); // "US_MENU1" .. "US_MENU5"

// Checks a PIN against the users not deleted that hold the right column with "X".
// Exactly one such user: it becomes the current user of the till context and the
// result is true. No user, or several with that PIN and right: false, and the till
// context is left as it was. Shows nothing. Raises UserError for an unknown right.
bool userctrl(TillContext& ctx, const QString& pin, const QString& right);

} // namespace Users
} // namespace qor
