#include "core/Executeattend.h"

#include "core/DbError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

namespace qor {

void executeattend(const QString& program, const QStringList& arguments, int timeoutMs,
                   const QStringList& extraEnvironment) {
    QProcess p;
    if (!extraEnvironment.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& e : extraEnvironment)
            env.insert(e.section(u'=', 0, 0), e.section(u'=', 1));
        p.setProcessEnvironment(env);
    }
    p.setProgram(program.trimmed());
    p.setArguments(arguments);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start();
    if (!p.waitForStarted(10000))
        throw UserError(QStringLiteral("Le programme %1 ne peut pas être lancé : %2.\r"
                                       "Vérifiez qu'il est installé.")
                            .arg(program, p.errorString()));
    QElapsedTimer clock;
    clock.start();
    while (!p.waitForFinished(10)) {
        QCoreApplication::processEvents();
        if (clock.elapsed() > timeoutMs) {
            p.kill();
            p.waitForFinished(2000);
            throw UserError(QStringLiteral("Le programme %1 ne répond plus : il a été arrêté.").arg(program));
        }
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw UserError(QStringLiteral("Le programme %1 a échoué (code %2) :\r%3")
                            .arg(program)
                            .arg(p.exitCode())
                            .arg(QString::fromLocal8Bit(p.readAll()).trimmed().right(400)));
}

} // namespace qor
