#pragma once
#include <QString>
#include <QStringList>

namespace qor {

struct TillContext;

// Brings the till from process start to a loaded till context: config.ini, the
// database and its structure, the optional log, the settings, VAT and business data.
class Startup {
  public:
    struct Options {
        QString programDir; // folder of the executable
        QString workDir;    // current directory, where config.ini is
        QStringList args;   // command-line parameters, program name excluded
    };
    // Raised for a start-up failure: the French message to show and the exit code.
    struct Failure {
        QString message;
        int exitCode = 1;
    };
    enum class Outcome { Ready, Quit };

    // Fills ctx; Quit means the operator declined the structure upgrade (exit 0).
    // Raises Failure for every problem, before any file is created or changed.
    static Outcome load(TillContext& ctx, const Options& options);

    // The database named by config.ini's first line (the default path when it is empty).
    static QString databaseTarget(const Options& options);
};

} // namespace qor
