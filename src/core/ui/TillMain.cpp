#include "core/ui/TillMain.h"

#include "core/Database.h"
#include "core/NewDatabase.h"
#include "core/Startup.h"
#include "core/TillContext.h"
#include "core/ui/DialogPrompt.h"
#include "core/ui/TillApplication.h"
#include "printing/DeviceCheck.h"
#include "rooms/ui/Tmainform.h"
#include "rooms/ui/TouchPrompt.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QScreen>
#include <QStandardPaths>
#include <QTextStream>
#include <clocale>
#include <cstdio>

namespace qor {

namespace {

const char* const usage =
    "Usage : qor9 [/bo] [/nopic]\n"
    "        qor9 --new-database CHEMIN [--demo]\n"
    "        qor9 --print FICHIER DESTINATION\n"
    "        qor9 --display LIGNE1 LIGNE2\n"
    "        qor9 --open-drawer\n"
    "        qor9 --help | --version\n"
    "\n"
    "Sans option, lance la caisse sur la base de données nommée par la première ligne\n"
    "de config.ini (dossier courant) : un chemin de fichier SQLite ou une adresse\n"
    "postgresql://utilisateur:motdepasse@hôte:port/base.\n"
    "  /bo             lit les réglages de la deuxième ligne de T_CONFIG\n"
    "  /nopic          ne charge pas l'image de fond de la première salle\n"
    "  --new-database  crée une base neuve (fichier ou adresse postgresql://) ;\n"
    "                  avec --demo, un petit bistrot de démonstration\n"
    "  --print         imprime un fichier texte de ticket sur TICKET, PROD1..PROD3 ou VEST1\n"
    "  --display       affiche deux lignes sur l'afficheur client\n"
    "  --open-drawer   ouvre le tiroir-caisse\n";

void err(const QString& text) {
    QTextStream(stderr) << DialogPrompt::display(text) << Qt::endl;
}

// Numbers are read and written with "." for the whole process, whatever the system says.
void useDecimalPoint() {
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
}

void ensurePlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

int newDatabase(const QStringList& args) {
    const qsizetype at = args.indexOf(QStringLiteral("--new-database"));
    const QString path = args.value(at + 1);
    if (path.isEmpty() || path.startsWith(u"--")) {
        err(QStringLiteral("--new-database : donnez le chemin de la base à créer."));
        return 2;
    }
    const bool demo = args.contains(QStringLiteral("--demo"));
    try {
        const DbTarget target = DbTarget::parse(path);
        if (target.engine == Engine::SQLite) QDir().mkpath(QFileInfo(path).absolutePath());
        auto db = Database::open(target, target.engine == Engine::SQLite ? Database::Mode::CreateNew
                                                                         : Database::Mode::OpenExisting);
        if (db->hasTable(QStringLiteral("T_CONFIG"))) {
            err(QStringLiteral("La base %1 contient déjà les tables de la caisse : rien n'est changé.")
                    .arg(target.describe()));
            return 1;
        }
        createDatabase(*db, demo);
        QTextStream(stdout) << QStringLiteral("Base créée : %1%2\n")
                                   .arg(target.describe(),
                                        demo ? QStringLiteral(" (démonstration)") : QString());
        return 0;
    } catch (const UserError& e) {
        err(e.text());
    } catch (const DbError& e) {
        err(QStringLiteral("Erreur de la base de données : ") + e.text());
        if (DbTarget::parse(path).engine == Engine::SQLite) QFile::remove(path);
    }
    return 1;
}

} // namespace

int tillMain(int argc, char** argv) {
    useDecimalPoint();
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (args.contains(QStringLiteral("--version"))) {
        std::printf("qor9 %s\n", QOR_VERSION);
        return 0;
    }
    if (args.contains(QStringLiteral("--new-database"))) {
        QCoreApplication app(argc, argv);
        return newDatabase(args);
    }
    if (isDeviceCheck(args)) {
        ensurePlatform();
        TillApplication app(argc, argv);
        useDecimalPoint();
        return runDeviceCheck(args);
    }
    for (const QString& a : args)
        if (a.startsWith(u"--")) {
            err(QStringLiteral("Option inconnue : %1\n\n").arg(a) + QString::fromUtf8(usage));
            return 2;
        }

    TillApplication app(argc, argv);
    useDecimalPoint();

    // One till per user session: a second one ends at once, showing nothing.
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) runtime = QDir::tempPath();
    QDir().mkpath(runtime);
    QLockFile lock(runtime + QStringLiteral("/qor9.lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) return 0;

    DialogPrompt prompt;
    Prompt::install(&prompt);
    TillContext ctx;
    try {
        Startup::Options o{QCoreApplication::applicationDirPath(), QDir::currentPath(), args};
        if (Startup::load(ctx, o) == Startup::Outcome::Quit) return 0;
    } catch (const Startup::Failure& f) {
        err(f.message);
        TillApplication::showError(f.message);
        return f.exitCode;
    }
    Tmainform main(ctx);
    main.loadSkin(ctx.cmd.compare(u"/nopic", Qt::CaseInsensitive) == 0);
    // Once the screens exist, questions and messages use the touch dialogs.
    TouchPrompt touchPrompt(main.ouinonfmx(), main.showmessagefmx());
    Prompt::install(&touchPrompt);
    // Full screen on a touch till; a window manager may keep its own frame.
    if (QScreen* screen = QGuiApplication::primaryScreen()) main.setGeometry(screen->availableGeometry());
    main.showMaximized();
    const int rc = app.exec();
    Prompt::install(nullptr);
    return rc;
}

} // namespace qor
