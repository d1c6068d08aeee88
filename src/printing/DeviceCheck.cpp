#include "printing/DeviceCheck.h"

#include "core/Database.h"
#include "core/DbError.h"
#include "core/Startup.h"
#include "core/TillContext.h"
#include "printing/CashDrawer.h"
#include "printing/CustomerDisplay.h"
#include "printing/PrintEngine.h"
#include "printing/PrinterSetting.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace qor {

namespace {

void say(const QString& text) {
    QString t = text;
    QTextStream(stdout) << t.replace(u'\r', u'\n') << Qt::endl;
}

void complain(const QString& text) {
    QString t = text;
    QTextStream(stderr) << t.replace(u'\r', u'\n') << Qt::endl;
}

// The settings and data folder of the database config.ini names, as the till loads them.
void loadSettings(TillContext& ctx, const QStringList& args) {
    const Startup::Options o{QCoreApplication::applicationDirPath(), QDir::currentPath(), args};
    const DbTarget target = DbTarget::parse(Startup::databaseTarget(o));
    ctx.DefaultPath = QDir(o.programDir).absolutePath() + u'/';
    ctx.db = Database::open(target);
    if (target.engine == Engine::SQLite) {
        ctx.DefaultAliasPath = QFileInfo(target.path).absolutePath() + u'/';
        ctx.dbName = QFileInfo(target.path).fileName();
    } else {
        ctx.DefaultAliasPath = ctx.DefaultPath + QStringLiteral("DATA/");
    }
    if (!ctx.db->hasTable(QStringLiteral("T_CONFIG")))
        throw UserError(
            QStringLiteral("La base %1 ne contient pas la table T_CONFIG : ce n'est pas une base de la "
                           "caisse.")
                .arg(target.describe()));
    static_cast<Settings&>(ctx) = Settings::read(*ctx.db, false);
}

QString settingOf(const TillContext& ctx, const QString& dest, QString& key) {
    if (dest == u"TICKET") return key = QStringLiteral("IMPRIMANTETICKET"), ctx.imprimanteticket;
    if (dest == u"PROD1" || dest == u"VEST1") return key = QStringLiteral("CO_PRODPRINTER1"), ctx.impprod1;
    if (dest == u"PROD2") return key = QStringLiteral("CO_PRODPRINTER2"), ctx.impprod2;
    return key = QStringLiteral("CO_PRODPRINTER3"), ctx.impprod3;
}

int print(TillContext& ctx, const QString& file, const QString& dest) {
    static const QStringList dests{QStringLiteral("TICKET"), QStringLiteral("PROD1"), QStringLiteral("PROD2"),
                                   QStringLiteral("PROD3"), QStringLiteral("VEST1")};
    if (!dests.contains(dest)) {
        complain(QStringLiteral(
                     "--print : destination inconnue « %1 ». Donnez TICKET, PROD1, PROD2, PROD3 ou VEST1.")
                     .arg(dest));
        return 2;
    }
    if (!QFileInfo::exists(file)) {
        complain(QStringLiteral("--print : le fichier %1 est introuvable.").arg(file));
        return 2;
    }
    QString key;
    const QString setting = settingOf(ctx, dest, key);
    const int copies = dest == u"PROD1"   ? ctx.nbprod1
                       : dest == u"PROD2" ? ctx.nbprod2
                       : dest == u"PROD3" ? ctx.nbprod3
                                          : 1;
    const bool prints = dest == u"TICKET"  ? PrinterSetting::kind(setting) != PrinterSetting::Kind::None
                        : dest == u"VEST1" ? true
                                           : PrinterSetting::isInstalled(setting);
    if (!prints) {
        complain(QStringLiteral(
                     "%1 : le réglage %2 vaut « %3 » : aucune imprimante, rien n'est imprimé.\n"
                     "Réglez-le sur COMn (imprimante série, pour TICKET) ou USBnn (imprimante installée).")
                     .arg(dest, key, setting));
        return 1;
    }
    if (copies == 0) {
        complain(QStringLiteral("%1 : le nombre d'exemplaires (CO_NBPRINT%2) vaut 0 : rien n'est imprimé.")
                     .arg(dest, dest));
        return 1;
    }
    imprime(ctx, file, dest);
    say(QStringLiteral("Impression envoyée sur %1 (%2 = « %3 »).").arg(dest, key, setting));
    return 0;
}

int display(TillContext& ctx, const QString& line1, const QString& line2) {
    if (ctx.affichageClient.isEmpty() || ctx.affichageClient.startsWith(u"TXT")) {
        complain(
            QStringLiteral("Afficheur client : le réglage AFFICHAGECLIENT vaut « %1 » : pas d'afficheur.\n"
                           "Réglez-le sur le port de l'afficheur, par exemple COM3.")
                .arg(ctx.affichageClient));
        return 1;
    }
    ouvreafficheur(ctx);
    affichelcd(ctx, line1, line2);
    say(QStringLiteral("Afficheur client (%1) : texte envoyé.").arg(ctx.affichageClient.left(9).trimmed()));
    return 0;
}

int drawer(TillContext& ctx) {
    if (ctx.tiroir.left(3) == u"TXT") {
        complain(
            QStringLiteral("Tiroir-caisse : le réglage IMPRIMANTETIROIR vaut « %1 » : pas de tiroir.\n"
                           "Réglez-le sur USB + le nom de l'imprimante (à partir du 9e caractère) ou sur "
                           "COM pour l'ouvrir par l'imprimante ticket série.")
                .arg(ctx.tiroir));
        return 1;
    }
    ouvretiroir(ctx, false);
    say(QStringLiteral("Tiroir-caisse : ordre d'ouverture envoyé."));
    return 0;
}

} // namespace

bool isDeviceCheck(const QStringList& args) {
    return args.contains(QStringLiteral("--print")) || args.contains(QStringLiteral("--display")) ||
           args.contains(QStringLiteral("--open-drawer"));
}

int runDeviceCheck(const QStringList& args) {
    const auto after = [&](const QString& option, int n) -> QStringList {
        const qsizetype at = args.indexOf(option);
        QStringList values = args.mid(at + 1, n);
        return values.size() == n ? values : QStringList();
    };
    try {
        TillContext ctx;
        if (args.contains(QStringLiteral("--print"))) {
            const QStringList v = after(QStringLiteral("--print"), 2);
            if (v.isEmpty()) {
                complain(QStringLiteral(
                    "--print : donnez le fichier texte et la destination (TICKET, PROD1, PROD2, "
                    "PROD3 ou VEST1)."));
                return 2;
            }
            loadSettings(ctx, {});
            return print(ctx, QFileInfo(v[0]).absoluteFilePath(), v[1].toUpper());
        }
        if (args.contains(QStringLiteral("--display"))) {
            const QStringList v = after(QStringLiteral("--display"), 2);
            if (v.isEmpty()) {
                complain(QStringLiteral("--display : donnez les deux lignes à afficher."));
                return 2;
            }
            loadSettings(ctx, {});
            return display(ctx, v[0], v[1]);
        }
        loadSettings(ctx, {});
        return drawer(ctx);
    } catch (const Startup::Failure& f) {
        complain(f.message);
    } catch (const UserError& e) {
        complain(e.text());
    } catch (const DbError& e) {
        complain(QStringLiteral("Erreur de la base de données : ") + e.text());
    }
    return 1;
}

} // namespace qor
