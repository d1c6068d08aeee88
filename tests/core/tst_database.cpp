#include "support/TestDb.h"

#include "core/Schema.h"

using namespace qor;

class TestDatabase : public QObject {
    Q_OBJECT
  private slots:
    void textsComeBackUnchanged_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("double quote") << "Planche \"mixte\"";
        QTest::newRow("single quote") << "Jus d'orange";
        QTest::newRow("semicolon and SQL") << "x'); drop table CLIENTS; --";
        QTest::newRow("accents and symbols") << "Crème brûlée à 7 € — Œuf";
        QTest::newRow("carriage return first") << "\rTerrasse";
        QTest::newRow("prefixes of deleted and offered lines") << "~¤Café";
    }
    void textsComeBackUnchanged() {
        QFETCH(QString, text);
        auto db = qortest::newDatabase(false);
        db->exec(QStringLiteral("insert into CLIENTS (IDTXT, NOM, CL_OLD) values (?, ?, '0')"), {7, text});
        QCOMPARE(db->scalar(QStringLiteral("select NOM from CLIENTS where NOM = ?"), {text}).toString(),
                 text);
        QCOMPARE(db->scalar(QStringLiteral("select count(*) from CLIENTS")).toInt(), 2);
    }

    void writeIsAllOrNothing() {
        auto db = qortest::newDatabase(false);
        QVERIFY_THROWS_EXCEPTION(DbError, db->write([&] {
            db->exec(QStringLiteral("insert into T_CASH (CA_VALUE, CA_INFO) values (?, ?)"), {10.0, "fond"});
            db->exec(QStringLiteral("insert into NO_SUCH_TABLE values (1)"));
        }));
        QCOMPARE(db->scalar(QStringLiteral("select count(*) from T_CASH")).toInt(), 0);
        db->write([&] {
            db->exec(QStringLiteral("insert into T_CASH (CA_VALUE, CA_INFO) values (?, ?)"), {10.0, "fond"});
        });
        QCOMPARE(db->scalar(QStringLiteral("select count(*) from T_CASH")).toInt(), 1);
    }

    void engineErrorsCarryTheEngineText() {
        auto db = qortest::newDatabase(false);
        try {
            db->select(QStringLiteral("select NO_SUCH_COLUMN from ARTICLES"));
            QFAIL("no error raised");
        } catch (const DbError& e) {
            QVERIFY2(e.text().contains(u"NO_SUCH_COLUMN", Qt::CaseInsensitive), qPrintable(e.text()));
            QVERIFY(e.statement().contains(u"NO_SUCH_COLUMN"));
        }
    }

    void keysAreLargestPlusOne() {
        auto db = qortest::emptyDatabase();
        Schema::create(*db);
        QCOMPARE(db->write([&] { return db->nextKey("ARTICLES", "IDTXT"); }), 1);
        db->exec(QStringLiteral("insert into ARTICLES (IDTXT, AR_OLD) values (41, '0')"));
        QCOMPARE(db->write([&] { return db->nextKey("ARTICLES", "IDTXT"); }), 42);
        QVERIFY_THROWS_EXCEPTION(DbError, db->nextKey("ARTICLES", "IDTXT")); // outside a transaction
    }

    void keysStayUniqueAcrossWorkstations() {
        // Two connections take keys in turn while one holds its transaction open:
        // the second waits for the first's commit instead of reading the same maximum.
        auto a = qortest::newDatabase(false);
        auto b = a->clone();
        const qint64 first = a->write([&] {
            const qint64 k = a->nextKey("FAMILLES", "IDFAMILLE_FAMILLES");
            a->exec(QStringLiteral("insert into FAMILLES (IDFAMILLE_FAMILLES, FA_OLD) values (?, '0')"), {k});
            return k;
        });
        const qint64 second = b->write([&] {
            const qint64 k = b->nextKey("FAMILLES", "IDFAMILLE_FAMILLES");
            b->exec(QStringLiteral("insert into FAMILLES (IDFAMILLE_FAMILLES, FA_OLD) values (?, '0')"), {k});
            return k;
        });
        QCOMPARE(second, first + 1);
    }

    void ticketNumbersAboveZeroAreUnique() {
        auto db = qortest::newDatabase(false);
        const QString ins = QStringLiteral("insert into HISTORIQUE (HI_NOSAISIE, HI_NOTICKET) values (?, ?)");
        db->exec(ins, {"261211120000", 0});
        db->exec(ins, {"261211120001", 0}); // drafts all carry 0
        db->exec(ins, {"261211120002", 5});
        QVERIFY_THROWS_EXCEPTION(DbError, db->exec(ins, {"261211120003", 5}));
    }
};

QOR_DB_TEST_MAIN(TestDatabase)
#include "tst_database.moc"
