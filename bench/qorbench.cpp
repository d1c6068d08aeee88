// The till's benchmarks on a small and a large sales history, each beside its
// floor (the minimal SQL the same work needs, through the SQLite library directly).
// Usage: qorbench --small BASE --large BASE [Google Benchmark options]
// The bases are made by qorgen; they are copied before use and never changed.
#include "Floor.h"

#include "checkout/Payments.h"
#include "checkout/Receipt.h"
#include "checkout/TicketRecorder.h"
#include "core/Clock.h"
#include "core/Database.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/TillContext.h"
#include "order/EntryCatalog.h"
#include "order/OrderStore.h"
#include "rooms/RoomPlan.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <clocale>
#include <cstdio>
#include <map>

using namespace qor;

namespace {

// One history, copied into a scratch folder, with the till and the floor open on it.
struct History {
    QString label;
    QTemporaryDir dir;
    QString path;
    TillContext ctx;
    std::unique_ptr<OrderStore> store;
    std::unique_ptr<Floor> floor;
    CurrentArticle cafe, coca;
    QString touchOrder;
    QString receiptOrder;
    QDateTime clock = QDateTime(QDate(2027, 1, 4), QTime(12, 0));

    History(const QString& name, const QString& source) : label(name) {
        path = dir.filePath(QStringLiteral("QOR.db"));
        if (!QFile::copy(source, path)) qFatal("copie impossible de %s", qPrintable(source));
        QFile ini(dir.filePath(QStringLiteral("config.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write(path.toUtf8() + "\n");
        ini.close();
        ctx.db = Database::open(path);
        static_cast<Settings&>(ctx) = Settings::read(*ctx.db, false);
        ctx.loadVatAndCompany();
        ctx.DefaultAliasPath = dir.path() + u'/';
        store = std::make_unique<OrderStore>(ctx);
        EntryCatalog catalog(*ctx.db);
        cafe = *catalog.article(15);
        cafe.selprixarticle = 1.9;
        coca = *catalog.article(1);
        coca.selprixarticle = 4.0;
        // The order being touched: 50 lines on table 3, two articles in turn so none merges.
        table(3);
        store->openOrder();
        store->loadCustomer(false);
        for (int i = 0; i < 50; ++i)
            store->enregistresaisie(i % 2 ? cafe : coca, QStringLiteral("+"), QStringLiteral("1"));
        store->litsaisie();
        touchOrder = ctx.nosaisie;
        // A recorded 10-line ticket for the receipt.
        receiptOrder = newOrder(5);
        record(receiptOrder);
        floor = std::make_unique<Floor>(path.toStdString());
        floor->prepareOrder("990101000000", 50);
    }

    void table(int n) {
        ctx.nosalle = 1;
        ctx.nomsalle = QStringLiteral("\rSalle");
        ctx.notable = quint8(n);
        ctx.nomtable = QString::number(n);
        ctx.couvert = 2;
    }

    // A new 10-line order with two payments on table n, as order entry and payment leave it.
    QString newOrder(int n) {
        clock = clock.addSecs(1);
        Clock::set(clock);
        table(n);
        OrderStore s(ctx);
        s.openOrder();
        s.loadCustomer(false);
        for (int i = 0; i < 10; ++i)
            s.enregistresaisie(i % 2 ? cafe : coca, QStringLiteral("+"), QString::number(i + 1));
        const OrderTotals t = s.calculnet();
        Payments pay(*ctx.db, ctx.nosaisie);
        pay.add(1, QStringLiteral("20.00"));
        pay.add(2, QString::number(t.s2 - 20, 'f', 2));
        return ctx.nosaisie;
    }

    RecordedTicket record(const QString& order) {
        TicketRequest r;
        r.order = order;
        r.total = store->totals().s2;
        r.nosalle = 1;
        r.notable = 5;
        r.nomtable = QStringLiteral("5");
        r.heurefinjour = ctx.heurefinjour;
        return TicketRecorder(*ctx.db).record(r, clock);
    }
};

std::map<QString, std::unique_ptr<History>> histories;

void touch(benchmark::State& state, History* h) {
    h->table(3);
    h->ctx.nosaisie = h->touchOrder;
    for (auto _ : state) {
        h->store->enregistresaisie(h->coca, QStringLiteral("+"), QStringLiteral("1"));
        benchmark::DoNotOptimize(h->store->litsaisie().size());
        state.PauseTiming();
        h->ctx.db->exec(QStringLiteral("delete from SAISIES where SA_NOSAISIE = ? and SA_ROW = 51"),
                        {h->touchOrder});
        state.ResumeTiming();
    }
}

void touchFloor(benchmark::State& state, History* h) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(h->floor->touch("990101000000", 51));
        state.PauseTiming();
        h->floor->removeLine("990101000000", 51);
        state.ResumeTiming();
    }
}

void recordTicket(benchmark::State& state, History* h) {
    for (auto _ : state) {
        state.PauseTiming();
        const QString order = h->newOrder(5);
        state.ResumeTiming();
        benchmark::DoNotOptimize(h->record(order).number);
    }
}

void recordFloor(benchmark::State& state, History* h) {
    long n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string order = "98" + std::to_string(1000000000L + n++);
        h->floor->prepareOrder(order, 10);
        state.ResumeTiming();
        benchmark::DoNotOptimize(h->floor->record(order));
    }
}

void receipt(benchmark::State& state, History* h) {
    const ReceiptOptions o = ReceiptOptions::from(h->ctx);
    for (auto _ : state)
        benchmark::DoNotOptimize(imprimeticket(*h->ctx.db, o, h->receiptOrder).size());
}

void receiptFloor(benchmark::State& state, History* h) {
    const std::string order = h->receiptOrder.toStdString();
    for (auto _ : state)
        benchmark::DoNotOptimize(h->floor->receipt(order));
}

void startup(benchmark::State& state, History* h) {
    const Startup::Options o{h->dir.path(), h->dir.path(), {}};
    for (auto _ : state) {
        TillContext ctx;
        Startup::load(ctx, o);
        const auto rooms = RoomPlan::rooms(*ctx.db);
        benchmark::DoNotOptimize(RoomPlan::tables(*ctx.db, rooms.first().nosalle).size());
        benchmark::DoNotOptimize(RoomPlan::statuses(*ctx.db, rooms.first().nosalle).size());
    }
}

void startupFloor(benchmark::State& state, History* h) {
    const std::string path = h->path.toStdString();
    for (auto _ : state)
        benchmark::DoNotOptimize(Floor::startup(path));
}

struct Measure {
    double median = 0, spread = 0;
};
// name -> history -> figures
std::map<std::string, std::map<std::string, Measure>> results;

// Keeps the median and the spread (standard deviation) of every benchmark.
class TableReporter : public benchmark::ConsoleReporter {
  public:
    TableReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Aggregate) continue;
            const std::string name = r.run_name.function_name; // "touch/large"
            const auto slash = name.rfind('/');
            Measure& m = results[name.substr(0, slash)][name.substr(slash + 1)];
            const double ms = r.GetAdjustedRealTime() * (r.time_unit == benchmark::kMicrosecond ? 1e-3 : 1);
            if (r.aggregate_name == "median") m.median = ms;
            if (r.aggregate_name == "stddev") m.spread = ms;
        }
    }
};

QString cell(const std::map<std::string, Measure>& row, const char* history) {
    auto it = row.find(history);
    if (it == row.end()) return QStringLiteral("-");
    return QStringLiteral("%1 ms ± %2").arg(it->second.median, 0, 'f', 3).arg(it->second.spread, 0, 'f', 3);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if ((a == u"--small" || a == u"--large") && i + 1 < argc) {
            const QString label = a.mid(2);
            histories[label] = std::make_unique<History>(label, QString::fromLocal8Bit(argv[++i]));
        } else {
            rest.push_back(argv[i]);
        }
    }
    if (histories.empty()) {
        std::fputs("Usage : qorbench --small BASE --large BASE\n", stderr);
        return 2;
    }
    const std::vector<std::pair<const char*, void (*)(benchmark::State&, History*)>> list = {
        {"touch", touch},         {"touch-floor", touchFloor},
        {"record", recordTicket}, {"record-floor", recordFloor},
        {"receipt", receipt},     {"receipt-floor", receiptFloor},
        {"startup", startup},     {"startup-floor", startupFloor}};
    for (auto& [label, h] : histories)
        for (const auto& [name, fn] : list)
            benchmark::RegisterBenchmark((std::string(name) + "/" + label.toStdString()).c_str(), fn, h.get())
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(7)
                ->ReportAggregatesOnly(true)
                ->UseRealTime();
    int rc = int(rest.size());
    benchmark::Initialize(&rc, rest.data());
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n| benchmark | small history | large history | ratio to floor (small / large) |\n"
                "|---|---|---|---|\n");
    for (const char* name : {"touch", "record", "receipt", "startup"}) {
        const auto& ours = results[name];
        const auto& floor = results[std::string(name) + "-floor"];
        QString ratio;
        for (const char* h : {"small", "large"}) {
            if (!ratio.isEmpty()) ratio += QStringLiteral(" / ");
            auto o = ours.find(h), f = floor.find(h);
            ratio += (o != ours.end() && f != floor.end() && f->second.median > 0)
                         ? QStringLiteral("%1x").arg(o->second.median / f->second.median, 0, 'f', 2)
                         : QStringLiteral("-");
        }
        std::printf("| %s | %s | %s | %s |\n", name, qPrintable(cell(ours, "small")),
                    qPrintable(cell(ours, "large")), qPrintable(ratio));
    }
    for (const char* name : {"touch-floor", "record-floor", "receipt-floor", "startup-floor"})
        std::printf("| %s | %s | %s | |\n", name, qPrintable(cell(results[name], "small")),
                    qPrintable(cell(results[name], "large")));
    histories.clear();
    return 0;
}
