// The touch of an article in order entry: write the line, read the order back and
// recompute its totals, on an order of 50 lines in a database whose journal holds
// a million rows.
#include "core/Clock.h"
#include "core/Database.h"
#include "core/NewDatabase.h"
#include "core/TillContext.h"
#include "order/EntryCatalog.h"
#include "order/OrderStore.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <clocale>

using namespace qor;

namespace {

struct Till {
    QTemporaryDir dir;
    TillContext ctx;
    OrderStore store{ctx};
    CurrentArticle cafe, coca;

    Till() {
        const QString path = dir.path() + QStringLiteral("/QOR.db");
        {
            auto db = Database::open(path, Database::Mode::CreateNew);
            createDatabase(*db, true);
            db->write([&] {
                // A million journal rows (five a ticket) and their tickets, made in the engine.
                db->exec(QStringLiteral(
                    "insert into JNL (IDTXT, NOSAISIE_JNL, DATEJNL_JNL, HEUREJNL_JNL, NOSALLE_JNL, "
                    "NOTABLE_JNL, "
                    "DESARTICLE_JNL, QTEARTICLE_JNL, PRIXARTICLETTC_JNL, TOTALLIGNETTC_JNL, JN_RG, "
                    "JN_TOTALLIGNETTCRG, CODETVAARTICLE_JNL, FAMARTICLE_JNL, JN_ARTICLE_ID, JN_USER_ID) "
                    "with recursive n(i) as (select 1 union all select i + 1 from n where i < 1000000) "
                    "select i / 5 + 1, printf('23%010d', i / 5), date('2023-01-01', '+' || (i / 2000) || ' "
                    "days'), "
                    "'12:00:00', 1, i % 14 + 1, 'Café', 1, 1.9, 1.9, 0, 1.9, 2, 9, 15, 1 from n"));
                db->exec(QStringLiteral(
                    "insert into HISTORIQUE (HI_NOSAISIE, HI_NOTICKET, DATEHISTO, HEURE, IDCLIENT, COUVERTS, "
                    "HI_SALLE, HI_TABLE, HI_TOTALTTC, RG) select distinct NOSAISIE_JNL, IDTXT, DATEJNL_JNL, "
                    "'12:00:00', 1, 2, 1, NOTABLE_JNL, 9.5, 0 from JNL where JN_AUTOINC % 5 = 0"));
            });
            db->exec(QStringLiteral("analyze"));
        }
        ctx.db = Database::open(path);
        ctx.nosalle = 1;
        ctx.notable = 3;
        ctx.nomsalle = QStringLiteral("\rSalle");
        ctx.nomtable = QStringLiteral("3");
        ctx.couvert = 4;
        EntryCatalog catalog(*ctx.db);
        cafe = *catalog.article(15);
        cafe.selprixarticle = 1.9;
        coca = *catalog.article(1);
        coca.selprixarticle = 4.0;
        store.openOrder();
        store.loadCustomer(false);
        // 50 lines: two articles in turn, so that none merges.
        for (int i = 0; i < 50; ++i)
            store.enregistresaisie(i % 2 ? cafe : coca, QStringLiteral("+"), QStringLiteral("1"));
        store.litsaisie();
    }
};

Till& till() {
    // Qt's database drivers are plugins: they need an application object.
    static int argc = 1;
    static char name[] = "qorbench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    Q_UNUSED(app);
    std::setlocale(LC_NUMERIC, "C");
    Clock::set(QDateTime(QDate(2024, 5, 17), QTime(12, 0, 0)));
    static Till t;
    return t;
}

// The last line's article again: the line takes one more unit.
void BM_TouchSameArticle(benchmark::State& state) {
    Till& t = till();
    for (auto _ : state) {
        t.store.enregistresaisie(t.cafe, QStringLiteral("+"), QStringLiteral("1"));
        benchmark::DoNotOptimize(t.store.litsaisie().size());
    }
}
BENCHMARK(BM_TouchSameArticle)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

// Another article: a 51st line is written (and taken away again untimed).
void BM_TouchNewLine(benchmark::State& state) {
    Till& t = till();
    for (auto _ : state) {
        t.store.enregistresaisie(t.coca, QStringLiteral("+"), QStringLiteral("1"));
        benchmark::DoNotOptimize(t.store.litsaisie().size());
        state.PauseTiming();
        t.ctx.db->exec(QStringLiteral("delete from SAISIES where SA_ROW = 51"));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TouchNewLine)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
