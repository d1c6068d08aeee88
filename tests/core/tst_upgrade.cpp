#include "support/Legacy.h"
#include "support/TestDb.h"

#include "core/Schema.h"
#include "core/Upgrade.h"

using namespace qor;

class TestUpgrade : public QObject {
    Q_OBJECT

    static QString stamp(Database& db) {
        return db.scalar(QStringLiteral("select CO_UPDATECTRL from T_CONFIG")).toString();
    }

  private slots:
    void legacyDatabaseReachesTheLatestStructure() {
        auto db = qortest::emptyDatabase();
        qortest::createLegacyDatabase(*db);
        qortest::ScriptedPrompt prompt;
        prompt.answers = {true};
        QCOMPARE(Upgrade::run(*db), Upgrade::Result::Done);
        QCOMPARE(prompt.asked, QStringList{Upgrade::confirmText()});
        QCOMPARE(prompt.shown, QStringList{Upgrade::doneText()});
        QCOMPARE(stamp(*db), QStringLiteral("180531"));
        for (const TableDef& t : Schema::tables()) {
            QStringList want, have = db->columns(t.name);
            for (const ColumnDef& c : t.columns)
                want << c.name.toLower();
            for (QString& c : have)
                c = c.toLower();
            want.sort();
            have.sort();
            QVERIFY2(want == have, qPrintable(t.name + QStringLiteral(": ") + have.join(u',')));
        }
        // The data statements of the list ran on the old rows.
        const Rows arts =
            db->select(QStringLiteral("select IDTXT, AR_ORDER, AR_COLOR from ARTICLES order by IDTXT"));
        QCOMPARE(arts.at(0).value(1).toInt(), 1);
        QCOMPARE(arts.at(1).value(1).toInt(), 0);
        QCOMPARE(arts.at(2).value(2).toString(), QString());
        QCOMPARE(db->scalar(QStringLiteral("select PL_ORDER from T_PAYMENT_LIST where PL_ID = 2")).toInt(),
                 2);
        QCOMPARE(db->scalar(QStringLiteral("select CO_LGBTN from T_CONFIG")).toInt(), 130);

        // A second start finds the new stamp and asks nothing.
        qortest::ScriptedPrompt again;
        QCOMPARE(Upgrade::run(*db), Upgrade::Result::UpToDate);
        QVERIFY(again.asked.isEmpty() && again.shown.isEmpty());
    }

    void stampDecidesWhichLinesRun_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("asks");
        QTest::newRow("the latest stamp runs nothing") << "180531" << false;
        QTest::newRow("a later stamp runs nothing") << "190101" << false;
        QTest::newRow("an older stamp runs the newer lines") << "180410" << true;
    }
    void stampDecidesWhichLinesRun() {
        QFETCH(QString, stored);
        QFETCH(bool, asks);
        auto db = qortest::emptyDatabase();
        qortest::createLegacyDatabase(*db);
        // Bring the structure to 180410 by hand: add what the lines up to that stamp add.
        for (const QString& line : Upgrade::lines()) {
            if (line.left(6) > u"180410" || line == Upgrade::endMarker()) continue;
            const QString sql = db->dialect().translateUpgrade(line.mid(7));
            if (!sql.isEmpty()) db->exec(sql);
        }
        db->exec(QStringLiteral("update T_CONFIG set CO_UPDATECTRL = ?"), {stored});
        qortest::ScriptedPrompt prompt;
        prompt.answers = {true};
        const auto result = Upgrade::run(*db);
        QCOMPARE(result, asks ? Upgrade::Result::Done : Upgrade::Result::UpToDate);
        QCOMPARE(prompt.asked.size(), asks ? 1 : 0); // no statement failed: no "Continuer?"
        QCOMPARE(stamp(*db), asks ? QStringLiteral("180531") : stored);
        QCOMPARE(db->hasColumn(QStringLiteral("ARTICLES"), QStringLiteral("AR_ORDER")), asks);
    }

    void declinedConfirmationChangesNothing() {
        auto db = qortest::emptyDatabase();
        qortest::createLegacyDatabase(*db);
        qortest::ScriptedPrompt prompt;
        prompt.answers = {false};
        QCOMPARE(Upgrade::run(*db), Upgrade::Result::Declined);
        QVERIFY(!db->hasColumn(QStringLiteral("T_CONFIG"), QStringLiteral("CO_VIEWGRAPH")));
        QCOMPARE(stamp(*db), QString());
    }

    void failedLineAsksToContinueAndStampIsWrittenAnyway_data() {
        QTest::addColumn<bool>("goOn");
        QTest::newRow("yes goes on with the next lines") << true;
        QTest::newRow("no leaves the list") << false;
    }
    void failedLineAsksToContinueAndStampIsWrittenAnyway() {
        QFETCH(bool, goOn);
        auto db = qortest::emptyDatabase();
        qortest::createLegacyDatabase(*db);
        // The change of the first line already exists: that line fails.
        db->exec(QStringLiteral("alter table T_CONFIG add column CO_VIEWGRAPH varchar (1)"));
        qortest::ScriptedPrompt prompt;
        prompt.answers = {true, goOn, true};
        QCOMPARE(Upgrade::run(*db), Upgrade::Result::Done);
        QCOMPARE(prompt.asked.size(), 2);
        QCOMPARE(prompt.asked.at(1), QStringLiteral("Ligne :  alter table T_CONFIG add column CO_VIEWGRAPH "
                                                    "varchar (1)\rContinuer?"));
        QCOMPARE(stamp(*db), QStringLiteral("180531"));
        QCOMPARE(db->hasColumn(QStringLiteral("ARTICLES"), QStringLiteral("AR_ORDER")), goOn);
    }

    void dialectTranslatesWhatTheEngineCannotRun_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("sqlite");
        QTest::addColumn<QString>("postgresql");
        QTest::newRow("alter column gets a type clause or is nothing to do")
            << "alter table T_CLOSE_DATA alter column CD_USER smallint"
            << ""
            << "alter table T_CLOSE_DATA alter column CD_USER type smallint";
        QTest::newRow("byte becomes smallint") << "alter table T_CONFIG add column CO_LGBTN byte"
                                               << "alter table T_CONFIG add column CO_LGBTN smallint"
                                               << "alter table T_CONFIG add column CO_LGBTN smallint";
        QTest::newRow("string (n) becomes varchar (n)")
            << "alter table T_PAYMENT_LIST add column PL_COMPTA string (10)"
            << "alter table T_PAYMENT_LIST add column PL_COMPTA varchar (10)"
            << "alter table T_PAYMENT_LIST add column PL_COMPTA varchar (10)";
        QTest::newRow("other statements stand as they are") << "update T_CONFIG set CO_LGBTN = 130"
                                                            << "update T_CONFIG set CO_LGBTN = 130"
                                                            << "update T_CONFIG set CO_LGBTN = 130";
    }
    void dialectTranslatesWhatTheEngineCannotRun() {
        QFETCH(QString, statement);
        QFETCH(QString, sqlite);
        QFETCH(QString, postgresql);
        QCOMPARE(Dialect::create(Engine::SQLite)->translateUpgrade(statement), sqlite);
        QCOMPARE(Dialect::create(Engine::PostgreSQL)->translateUpgrade(statement), postgresql);
    }
};

QOR_DB_TEST_MAIN(TestUpgrade)
#include "tst_upgrade.moc"
