#pragma once
#include <QString>
#include <QStringList>

namespace qor {

// Runs an outside program and waits for its end while window events keep being
// processed, so the till never looks frozen. Raises UserError (in French) when
// the program cannot be started, fails, or has not finished after timeoutMs.
// extraEnvironment holds "NAME=value" entries added to the child's environment.
void executeattend(const QString& program, const QStringList& arguments, int timeoutMs = 60000,
                   const QStringList& extraEnvironment = {});

} // namespace qor
