#pragma once
#include <QString>
#include <QStringList>

namespace qor {

class Database;

// Brings a database's structure up to date from the stamp stored in
// T_CONFIG.CO_UPDATECTRL, with the list of dated statements below.
class Upgrade {
  public:
    enum class Result { UpToDate, Done, Declined };

    // The list as the program carries it: "YYMMDD statement" lines, then the end marker.
    static const QStringList& lines();
    static QString endMarker() { return QStringLiteral("//  FIN DE LISTE //"); }

    // Runs the lines newer than the stored stamp. Asks for confirmation before the
    // first one (Declined: the caller ends the program), and "Continuer?" after a
    // failed statement. Questions and the final message go through Prompt.
    static Result run(Database& db);

    static QString confirmText();
    static QString doneText();
};

} // namespace qor
