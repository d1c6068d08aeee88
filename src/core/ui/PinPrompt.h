#pragma once
#include <QString>

namespace qor {

struct TillContext;
class Tclaviernumfmx;
class TClavierNumForm;

// The PIN prompts: set the keypad up (title " Utilisateur", sign hidden and "+"),
// clear its previous result, show it, and check the PIN typed with the right needed.
// A keypad closed without validation identifies nobody. A refused PIN shows nothing.
namespace PinPrompt {

// On the touch keypad: the menu bar (4 characters, masked) and the user of an order
// line (1 character, shown: the first digit validates). Quick amounts are off.
bool askTouch(Tclaviernumfmx& keypad, TillContext& ctx, const QString& right, int maxLength = 4,
              bool masked = true);
// On the back-office keypad: opening a table (10 characters, masked).
bool askBackOffice(TClavierNumForm& keypad, TillContext& ctx, const QString& right);

} // namespace PinPrompt
} // namespace qor
