#include "support/TestDb.h"

#include <QElapsedTimer>
#include <QProcess>

using namespace qor;

// Several workstations recording at the same moment on one database.
class TestConcurrency : public QObject {
    Q_OBJECT

    static QProcess* worker(const QString& target, int id, int count) {
        auto* p = new QProcess;
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral(QOR_BINARY_DIR "/tests/tool_recordworker"),
                 {target, QString::number(id), QString::number(count)});
        return p;
    }
    static int count(Database& db, const char* sql) { return db.scalar(QLatin1String(sql)).toInt(); }

  private slots:
    void ticketNumbersStayOneSequenceAcrossWorkstations() {
        auto db = qortest::newDatabase(false);
        const int workers = 4, each = 150;
        QList<QProcess*> procs;
        for (int w = 1; w <= workers; ++w)
            procs << worker(qortest::lastTarget(), w, each);
        for (QProcess* p : procs) {
            QVERIFY(p->waitForFinished(600000));
            QCOMPARE(p->exitCode(), 0);
            delete p;
        }
        const int n = workers * each;
        QCOMPARE(count(*db, "select count(*) from HISTORIQUE"), n);
        QCOMPARE(count(*db, "select count(distinct HI_NOTICKET) from HISTORIQUE"), n);
        QCOMPARE(count(*db, "select min(HI_NOTICKET) from HISTORIQUE"), 1);
        QCOMPARE(count(*db, "select max(HI_NOTICKET) from HISTORIQUE"), n);
        QCOMPARE(count(*db, "select count(*) from JNL"), 3 * n);
        QCOMPARE(count(*db, "select count(*) from SAISIES"), 0);
        QCOMPARE(count(*db, "select count(*) from T_PAYMENT where PA_FLAG = '0'"), 0);
    }

    void aKilledWorkstationLeavesEveryOrderWholeOrUntouched() {
        auto db = qortest::newDatabase(false);
        std::unique_ptr<QProcess> p(worker(qortest::lastTarget(), 1, 100000));
        QElapsedTimer clock;
        clock.start();
        while (count(*db, "select count(*) from HISTORIQUE") < 30 && clock.elapsed() < 120000)
            QTest::qWait(20);
        p->kill();
        p->waitForFinished(10000);
        // A server may still finish the killed workstation's last commit: wait until
        // its session is gone before looking.
        if (qortest::engine() == Engine::PostgreSQL)
            QTRY_COMPARE_WITH_TIMEOUT(count(*db, "select count(*) from pg_stat_activity where datname = "
                                                 "current_database() and pid <> pg_backend_pid()"),
                                      0, 60000);
        const int recorded = count(*db, "select count(*) from HISTORIQUE");
        QVERIFY(recorded >= 30);
        // Every recorded order is whole: three journal lines, paid, no open lines left.
        QCOMPARE(count(*db, "select count(*) from JNL"), 3 * recorded);
        QCOMPARE(count(*db, "select count(*) from T_PAYMENT, HISTORIQUE where PA_NOSAISIE = HI_NOSAISIE "
                            "and PA_FLAG = '1'"),
                 recorded);
        QCOMPARE(count(*db, "select count(*) from SAISIES, HISTORIQUE where SA_NOSAISIE = HI_NOSAISIE"), 0);
        // An order caught before its recording is untouched: its lines and payment stay open.
        QCOMPARE(count(*db, "select count(*) from T_PAYMENT where PA_FLAG = '0'") * 3,
                 count(*db, "select count(*) from SAISIES"));
        QCOMPARE(count(*db, "select max(HI_NOTICKET) from HISTORIQUE"), recorded);
    }
};

QOR_DB_TEST_MAIN(TestConcurrency)
#include "tst_concurrency.moc"
