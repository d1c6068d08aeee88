#include "TestDb.h"

#include "core/NewDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QUrl>
#include <clocale>

namespace qortest {

namespace {
qor::Engine current = qor::Engine::SQLite;
QString lastTargetText;
int fileCounter = 0;

QString pgBase() {
    return qEnvironmentVariable("QOR_TEST_PG");
}

// Each test program has a PostgreSQL database of its own, so that programs run in
// parallel never share tables.
QString pgTarget() {
    static QString target;
    if (!target.isEmpty()) return target;
    QUrl base(pgBase());
    const QString name =
        QStringLiteral("qt_") + QCoreApplication::applicationName().toLower().replace(u'-', u'_');
    {
        auto admin = qor::Database::open(base.toString());
        if (admin->scalar(QStringLiteral("select count(*) from pg_database where datname = ?"), {name})
                .toInt() == 0)
            admin->exec(QStringLiteral("create database ") + name);
    }
    base.setPath(u'/' + name);
    target = base.toString();
    return target;
}
} // namespace

qor::Engine engine() {
    return current;
}
QString engineName() {
    return current == qor::Engine::SQLite ? "SQLite" : "PostgreSQL";
}

QString scratchDir() {
    static QTemporaryDir dir;
    return dir.path();
}

QString lastTarget() {
    return lastTargetText;
}

std::unique_ptr<qor::Database> emptyDatabase() {
    if (current == qor::Engine::SQLite) {
        lastTargetText = QStringLiteral("%1/db%2.db").arg(scratchDir()).arg(++fileCounter);
        return qor::Database::open(lastTargetText, qor::Database::Mode::CreateNew);
    }
    lastTargetText = pgTarget();
    auto db = qor::Database::open(lastTargetText);
    db->exec(QStringLiteral("drop schema public cascade"));
    db->exec(QStringLiteral("create schema public"));
    return db;
}

std::unique_ptr<qor::Database> newDatabase(bool demo) {
    auto db = emptyDatabase();
    qor::createDatabase(*db, demo);
    return db;
}

void loadDemoContext(qor::TillContext& ctx) {
    ctx.db = newDatabase(true);
    static_cast<qor::Settings&>(ctx) = qor::Settings::read(*ctx.db, false);
    ctx.loadVatAndCompany();
    ctx.DefaultAliasPath = QStringLiteral("%1/data%2/").arg(scratchDir()).arg(++fileCounter);
    QDir().mkpath(ctx.DefaultAliasPath);
    ctx.DefaultPath = scratchDir() + u'/';
    ctx.DefaultImagesPath = scratchDir() + QStringLiteral("/IMAGES");
}

int runOnEngines(QObject& test, int argc, char** argv) {
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    current = qor::Engine::SQLite;
    int failures = QTest::qExec(&test, argc, argv);
    if (pgBase().isEmpty()) {
        qWarning("QOR_TEST_PG n'est pas défini : les tests PostgreSQL ne sont pas lancés.");
        return failures;
    }
    current = qor::Engine::PostgreSQL;
    failures += QTest::qExec(&test, argc, argv);
    return failures;
}

} // namespace qortest
