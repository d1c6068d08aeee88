#include "core/ui/PinPrompt.h"

#include "core/TillContext.h"
#include "core/Users.h"
#include "core/ui/TClavierNumForm.h"
#include "core/ui/Tclaviernumfmx.h"

#include <QLineEdit>

namespace qor::PinPrompt {

namespace {
const QString title = QStringLiteral(" Utilisateur");
}

bool askTouch(Tclaviernumfmx& keypad, TillContext& ctx, const QString& right, int maxLength, bool masked) {
    keypad.nb = 0;
    keypad.nbtxt.clear();
    keypad.prepare(title, maxLength, false, masked, false);
    if (keypad.exec() != QDialog::Accepted || !keypad.valide) return false;
    return Users::userctrl(ctx, keypad.nbtxt, right);
}

bool askBackOffice(TClavierNumForm& keypad, TillContext& ctx, const QString& right) {
    keypad.nb = 0;
    keypad.nbtxt.clear();
    keypad.prepare(title, 10, false, true);
    if (keypad.exec() != QDialog::Accepted || !keypad.egalok) return false;
    return Users::userctrl(ctx, keypad.nbtxt, right);
}

} // namespace qor::PinPrompt
