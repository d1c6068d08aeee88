// Fills a database with sales history through the till's own order and recording code.
// Usage: qorgen TARGET [--days N] [--tickets N] [--seed N]
// TARGET is a SQLite file (created with the demo bistro when missing) or a
// postgresql:// URI of an empty database.
#include "HistoryGenerator.h"

#include "core/Database.h"
#include "core/NewDatabase.h"
#include "core/Settings.h"
#include "core/TillContext.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <clocale>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const QStringList a = app.arguments();
    if (a.size() < 2 || a.at(1).startsWith(u"--")) {
        std::fputs("Usage : qorgen BASE [--days N] [--tickets N] [--seed N]\n", stderr);
        return 2;
    }
    auto option = [&](const char* name, int fallback) {
        const qsizetype i = a.indexOf(QLatin1String(name));
        return i > 0 && i + 1 < a.size() ? a.at(i + 1).toInt() : fallback;
    };
    qor::HistoryOptions o;
    o.days = option("--days", 365);
    o.ticketsPerDay = option("--tickets", 200);
    o.seed = quint32(option("--seed", 20261211));
    const QString target = a.at(1);
    try {
        qor::TillContext ctx;
        const auto t = qor::DbTarget::parse(target);
        const bool fresh = t.engine == qor::Engine::SQLite && !QFileInfo::exists(t.path);
        ctx.db = qor::Database::open(t, fresh ? qor::Database::Mode::CreateNew
                                              : qor::Database::Mode::OpenExisting);
        if (!ctx.db->hasTable(QStringLiteral("T_CONFIG"))) qor::createDatabase(*ctx.db, true);
        static_cast<qor::Settings&>(ctx) = qor::Settings::read(*ctx.db, false);
        ctx.loadVatAndCompany();
        QElapsedTimer clock;
        clock.start();
        o.progress = [&](int day, qint64 lines) {
            if (day % 30 == 0 || day == o.days)
                std::fprintf(stderr, "\rjour %d/%d, %lld lignes de journal, %llds   ", day, o.days,
                             static_cast<long long>(lines), static_cast<long long>(clock.elapsed() / 1000));
        };
        const qor::HistoryStats s = qor::generateHistory(ctx, o);
        ctx.db->exec(QStringLiteral("analyze"));
        std::fprintf(stderr, "\n%lld tickets, %lld lignes de journal\n", static_cast<long long>(s.tickets),
                     static_cast<long long>(s.journalLines));
    } catch (const qor::UserError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    } catch (const qor::DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}
