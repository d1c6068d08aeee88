#pragma once
#include <QByteArray>
#include <QString>

namespace qor {

struct TillContext;

// The two-line customer pole display on its own serial port (AFFICHAGECLIENT).
// An empty setting or one starting with "TXT" means no display: nothing is sent.

// Opens the display port. Raises UserError once, naming the port and what to check,
// when it cannot be opened; the till then goes on without display.
void ouvreafficheur(TillContext& ctx);
// Shows two lines of 20 characters ("é", "à" and "€" folded to e, a, E). Opens the
// port on first use; a failure is reported once (UserError), later calls send nothing.
void affichelcd(TillContext& ctx, const QString& line1, const QString& line2);
// The idle text CO_DISPLAYLCD1 / CO_DISPLAYLCD2.
void affichelcdpub(TillContext& ctx);
// The order-entry lines: quantity, first 11 characters of the label and amount with
// "E"; then "Total " + total + "E".
void affichelcdligne(TillContext& ctx, const QString& quantity, const QString& label, const QString& amount,
                     const QString& total);

// The bytes of the two lines as the display receives them after ESC @.
QByteArray lcdText(const QString& line1, const QString& line2);

} // namespace qor
