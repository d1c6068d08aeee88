#include "core/Startup.h"

#include "core/TillContext.h"
#include "core/Upgrade.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace qor {

namespace {

QString withSlash(QString dir) {
    if (!dir.endsWith(u'/')) dir += u'/';
    return dir;
}

} // namespace

QString Startup::databaseTarget(const Options& o) {
    const QString ini = QDir(o.workDir).filePath(QStringLiteral("config.ini"));
    QFile f(ini);
    if (!f.exists())
        throw Failure{QStringLiteral("Le fichier config.ini est introuvable dans le dossier %1.\r"
                                     "Sa première ligne doit donner le chemin de la base de données "
                                     "ou une adresse postgresql://.")
                          .arg(QDir::toNativeSeparators(o.workDir))};
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw Failure{QStringLiteral("Le fichier %1 ne peut pas être lu : %2.").arg(ini, f.errorString())};
    const QByteArray content = f.readAll();
    if (content.isEmpty())
        throw Failure{QStringLiteral("Le fichier config.ini (%1) est vide.\r"
                                     "Sa première ligne doit donner le chemin de la base de données "
                                     "ou une adresse postgresql://.")
                          .arg(ini)};
    QString first = QString::fromUtf8(content).section(u'\n', 0, 0).trimmed();
    if (first.isEmpty()) return withSlash(o.programDir) + QStringLiteral("DATA/QOR.db");
    if (!first.startsWith(u"postgres", Qt::CaseInsensitive) && QFileInfo(first).isRelative())
        first = QDir(o.workDir).filePath(first);
    return first;
}

Startup::Outcome Startup::load(TillContext& ctx, const Options& o) {
    ctx.cmd = o.args.value(0);
    ctx.langue = QStringLiteral("FR");
    ctx.btmax = 50;
    ctx.movetableok = false;
    ctx.DefaultPath = withSlash(o.programDir);

    const DbTarget target = DbTarget::parse(databaseTarget(o));
    try {
        ctx.db = Database::open(target);
    } catch (const UserError& e) {
        // A missing database file ends the till quietly after the message.
        const bool missing = target.engine == Engine::SQLite && !QFileInfo::exists(target.path);
        throw Failure{e.text(), missing ? 0 : 1};
    }
    if (target.engine == Engine::SQLite) {
        const QFileInfo fi(target.path);
        ctx.DefaultAliasPath = withSlash(fi.absolutePath());
        ctx.dbName = fi.fileName();
    } else {
        // Work files of a till on a server database live in the program's DATA folder.
        ctx.DefaultAliasPath = ctx.DefaultPath + QStringLiteral("DATA/");
        ctx.dbName = target.describe();
        QDir().mkpath(ctx.DefaultAliasPath);
    }

    const QString logPath = ctx.dataFile(QStringLiteral("log.db"));
    if (QFileInfo::exists(logPath)) {
        try {
            ctx.logdb = Database::open(logPath);
        } catch (const UserError& e) {
            throw Failure{QStringLiteral("Journal des actions : ") + e.text()};
        }
    }

    try {
        if (!ctx.db->hasTable(QStringLiteral("T_CONFIG")))
            throw UserError(QStringLiteral("La base %1 ne contient pas la table T_CONFIG : "
                                           "ce n'est pas une base de la caisse.")
                                .arg(target.describe()));
        if (Upgrade::run(*ctx.db) == Upgrade::Result::Declined) return Outcome::Quit;
        static_cast<Settings&>(ctx) =
            Settings::read(*ctx.db, ctx.cmd.compare(u"/bo", Qt::CaseInsensitive) == 0);
        ctx.DefaultImagesPath =
            ctx.repimages.isEmpty() ? ctx.DefaultPath + QStringLiteral("IMAGES") : ctx.repimages;
        if (ctx.DefaultImagesPath.endsWith(u'/')) ctx.DefaultImagesPath.chop(1);
        ctx.loadVatAndCompany();
    } catch (const UserError& e) {
        throw Failure{e.text()};
    } catch (const DbError& e) {
        throw Failure{QStringLiteral("Erreur de la base de données au démarrage :\r") + e.text()};
    }

    const QString kitchen = ctx.dataFile(QStringLiteral("cuisine.txt"));
    if (!QFileInfo::exists(kitchen)) {
        QFile f(kitchen);
        f.open(QIODevice::WriteOnly);
    }
    return Outcome::Ready;
}

} // namespace qor
