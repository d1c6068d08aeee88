#include "support/OrderLines.h"
#include "support/TestDb.h"

#include "checkout/Payments.h"
#include "checkout/Receipt.h"
#include "checkout/TicketRecorder.h"
#include "core/Clock.h"
#include "core/Digest.h"

using namespace qor;
using qortest::Line;

namespace {

const QString order = QStringLiteral("261211120000");
const QDateTime noon(QDate(2026, 12, 11), QTime(12, 30, 15));

int count(Database& db, const QString& sql, const QVariantList& params = {order}) {
    return db.scalar(sql, params).toInt();
}

TicketRequest request(double total, int idcli = 1) {
    TicketRequest r;
    r.order = order;
    r.total = total;
    r.idcli = idcli;
    r.couvert = 2;
    r.nosalle = 1;
    r.notable = 3;
    r.nomtable = QStringLiteral("3");
    r.heurefinjour = QStringLiteral("04:00:00");
    return r;
}

// A bistro order: two coffees, a burger, a deleted beer and its cancelling copy,
// an offered dessert and its counter-line. Customer 2 (loyalty 8.50).
void writeBistroOrder(Database& db) {
    qortest::writeOrder(db, order,
                        {{QStringLiteral("Café"), 3, 2.5, 2, 10, 15, 10},
                         {QStringLiteral("Steak frites"), 1, 17.5, 2, 10, 24, 5},
                         {QStringLiteral("~Pression 25cl"), 1, 3.8, 3, 20, 6, 0, true},
                         {QStringLiteral("~Pression 25cl"), -1, 3.8, 3, 20, 6, 0, true},
                         {QStringLiteral("Crème brûlée"), 1, 7, 2, 10, 31},
                         {QStringLiteral("¤Crème brûlée"), -1, 7, 2, 10, 31},
                         {QStringLiteral("Verre de vin"), 1, 5, 3, 20, 12}},
                        2);
}

} // namespace

class TestRecording : public QObject {
    Q_OBJECT
  private slots:
    void init() { Clock::set(noon); }
    void cleanup() { Clock::set({}); }

    void controlDigestMatchesIndependentDigests_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("digest");
        QTest::newRow("an amount") << "12.50"
                                   << "8f1abed500d098ce1fa1a1f18d0e37fc3e1a3e69c6f48a38de0d1f167c2a5ef6";
        QTest::newRow("a journal line") << "2230.5261211120000"
                                        << "5db990cff48a6eceae49436557468302da7b58dc75051e54623602bed6869920";
        QTest::newRow("accents and euro in UTF-8")
            << "Crème brûlée €"
            << "3e97616b48193e1a4a044f90e65f9b720e8b3ebc416418952f947fb1aab70eb6";
        QTest::newRow("empty text") << ""
                                    << "da39a3ee5e6b4b0d3255bfef95601890afd807090144712dd81be0c3d9724f5e";
    }
    void controlDigestMatchesIndependentDigests() {
        QFETCH(QString, text);
        QFETCH(QString, digest);
        QCOMPARE(calculctrl(text), digest);
    }

    void recordsTheWholeTicket() {
        auto db = qortest::newDatabase(true);
        writeBistroOrder(*db);
        Payments pay(*db, order);
        pay.add(1, QStringLiteral("20.00"));
        pay.addLoyalty(QStringLiteral("4"), 8.5);
        pay.add(2, QStringLiteral("6.00"));
        QVERIFY(Payments::matches(30.0, pay.paid()));

        const RecordedTicket t = TicketRecorder(*db).record(request(30.0, 2), noon);
        QCOMPARE(t.number, 1);
        QCOMPARE(t.date, QDate(2026, 12, 11));
        QCOMPARE(t.hour, QStringLiteral("12:30:15"));
        QCOMPARE(count(*db, "select count(*) from SAISIES where SA_NOSAISIE = ?"), 0);
        QCOMPARE(count(*db, "select count(*) from T_PAYMENT where PA_NOSAISIE = ? and PA_FLAG = '1'"), 3);
        const Rows h =
            db->select(QStringLiteral("select HI_NOTICKET, DATEHISTO, HEURE, IDCLIENT, COUVERTS, "
                                      "HI_SALLE, HI_TABLE, HI_TOTALTTC, HI_TIMECTRL from HISTORIQUE"));
        QCOMPARE(h.size(), 1);
        QCOMPARE(h.at(0).value(1).toDate(), QDate(2026, 12, 11));
        QCOMPARE(h.at(0).value(7).toDouble(), 30.0);
        QCOMPARE(h.at(0).value(8).toString(), QStringLiteral("261211123015"));

        const Rows j =
            db->select(QStringLiteral("select DESARTICLE_JNL, QTEARTICLE_JNL, TOTALLIGNETTC_JNL, "
                                      "JN_TOTALLIGNETTCRG, JN_CTRL, JN_TIMECTRL, NOMTABLE_JNL from JNL "
                                      "order by JN_AUTOINC"));
        QCOMPARE(j.size(), 7); // every line, hidden and counter-lines included, in line order
        QCOMPARE(j.at(0).value(0).toString(), QStringLiteral("~Pression 25cl"));
        QCOMPARE(j.at(2).value(0).toString(), QStringLiteral("Café"));
        QCOMPARE(j.at(2).value(4).toString(), calculctrl(QStringLiteral("37.57.5261211120000")));
        QCOMPARE(j.at(2).value(6).toString(), QStringLiteral("3"));
        QVERIFY(j.at(0).value(4).toString() != j.at(1).value(4).toString());

        // Stock moves for sold lines only: not the deleted pair, not the counter-line.
        const Rows st =
            db->select(QStringLiteral("select ST_IDARTICLE, ST_VARIANT, ST_INFO, ST_JNL_ID from T_STOCK "
                                      "order by ST_IDARTICLE"));
        QCOMPARE(st.size(), 4);
        QCOMPARE(st.at(1).value(0).toInt(), 15);
        QCOMPARE(st.at(1).value(1).toDouble(), -3.0);
        QCOMPARE(st.at(1).value(2).toString(), QStringLiteral("MVT VENTES"));
        QCOMPARE(st.at(1).value(3).toString(), order);

        // Loyalty: 8.50 - 4 used + 7.5 × 10 % + 17.5 × 5 % earned; one more visit.
        const Rows cl =
            db->select(QStringLiteral("select CL_RESIDUAL_LOYALTY, CL_MOVE from CLIENTS where IDTXT = 2"));
        QCOMPARE(cl.at(0).value(0).toDouble(), 8.5 - 4 + 0.75 + 0.875);
        QCOMPARE(cl.at(0).value(1).toInt(), 13);
    }

    void draftTicketsAreNumberedZeroAndMoveNothing() {
        auto db = qortest::newDatabase(true);
        writeBistroOrder(*db);
        TicketRequest r = request(30.0, 2);
        r.draft = true;
        QCOMPARE(TicketRecorder(*db).record(r, noon).number, 0);
        QCOMPARE(count(*db, "select count(*) from T_STOCK", {}), 0);
        QCOMPARE(db->scalar(QStringLiteral("select CL_MOVE from CLIENTS where IDTXT = 2")).toInt(), 12);
        QCOMPARE(
            db->scalar(QStringLiteral("select CL_RESIDUAL_LOYALTY from CLIENTS where IDTXT = 2")).toDouble(),
            8.5);

        // The next tickets take the highest number plus one; drafts do not count.
        for (int expected : {1, 2}) {
            const QString next = QStringLiteral("26121112000%1").arg(expected);
            qortest::writeOrder(*db, next, {{QStringLiteral("Café"), 1, 2.5}});
            TicketRequest n = request(2.5);
            n.order = next;
            QCOMPARE(TicketRecorder(*db).record(n, noon).number, expected);
        }
    }

    void businessDateFollowsTheEndOfDayHour_data() {
        QTest::addColumn<QTime>("at");
        QTest::addColumn<QString>("endOfDay");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("hour");
        QTest::newRow("after midnight, before the end of day: the day before at 23:59:59")
            << QTime(1, 30) << "04:00:00" << QDate(2026, 12, 1) << "23:59:59";
        QTest::newRow("at the end-of-day hour: today")
            << QTime(4, 0) << "04:00:00" << QDate(2026, 12, 2) << "04:00:00";
        QTest::newRow("no end-of-day hour: today") << QTime(1, 30) << "" << QDate(2026, 12, 2) << "01:30:00";
    }
    void businessDateFollowsTheEndOfDayHour() {
        QFETCH(QTime, at);
        QFETCH(QString, endOfDay);
        QFETCH(QDate, date);
        QFETCH(QString, hour);
        auto db = qortest::newDatabase(false);
        qortest::writeOrder(*db, order, {{QStringLiteral("Café"), 1, 2.5}});
        TicketRequest r = request(2.5);
        r.heurefinjour = endOfDay;
        const QDateTime now(QDate(2026, 12, 2), at);
        const RecordedTicket t = TicketRecorder(*db).record(r, now);
        QCOMPARE(t.date, date);
        QCOMPARE(t.hour, hour);
        QCOMPARE(db->scalar(QStringLiteral("select DATEJNL_JNL from JNL")).toDate(), date);
        QCOMPARE(db->scalar(QStringLiteral("select HI_TIMECTRL from HISTORIQUE")).toString(),
                 now.toString(QStringLiteral("yyMMddHHmmss")));
    }

    void invalidEndOfDayHourWritesNothing() {
        auto db = qortest::newDatabase(false);
        qortest::writeOrder(*db, order, {{QStringLiteral("Café"), 1, 2.5}});
        Payments(*db, order).add(1, QStringLiteral("2.50"));
        TicketRequest r = request(2.5);
        r.heurefinjour = QStringLiteral("4h du matin");
        QVERIFY_THROWS_EXCEPTION(UserError, TicketRecorder(*db).record(r, noon));
        QCOMPARE(count(*db, "select count(*) from T_PAYMENT where PA_NOSAISIE = ? and PA_FLAG = '0'"), 1);
    }

    void aFailureAtAnyStepLeavesTheOrderUnrecorded_data() {
        QTest::addColumn<int>("step");
        QTest::newRow("after flagging the payments") << int(TicketRecorder::Step::Payments);
        QTest::newRow("after the ticket header") << int(TicketRecorder::Step::Header);
        QTest::newRow("after the journal") << int(TicketRecorder::Step::Journal);
        QTest::newRow("after the stock") << int(TicketRecorder::Step::Stock);
        QTest::newRow("after the loyalty") << int(TicketRecorder::Step::Loyalty);
        QTest::newRow("after removing the order's lines") << int(TicketRecorder::Step::Lines);
    }
    void aFailureAtAnyStepLeavesTheOrderUnrecorded() {
        QFETCH(int, step);
        auto db = qortest::newDatabase(true);
        writeBistroOrder(*db);
        Payments(*db, order).add(1, QStringLiteral("30.00"));
        TicketRecorder failing(*db);
        failing.setAfterStep([&](TicketRecorder::Step s) {
            // A real database error, as a lost connection or a full disk would give.
            if (int(s) == step) db->exec(QStringLiteral("insert into NO_SUCH_TABLE values (1)"));
        });
        QVERIFY_THROWS_EXCEPTION(DbError, failing.record(request(30.0, 2), noon));
        QCOMPARE(count(*db, "select count(*) from SAISIES where SA_NOSAISIE = ?"), 7);
        QCOMPARE(count(*db, "select count(*) from T_PAYMENT where PA_NOSAISIE = ? and PA_FLAG = '0'"), 1);
        QCOMPARE(count(*db, "select count(*) from HISTORIQUE", {}), 0);
        QCOMPARE(count(*db, "select count(*) from JNL", {}), 0);
        QCOMPARE(count(*db, "select count(*) from T_STOCK", {}), 0);
        QCOMPARE(
            db->scalar(QStringLiteral("select CL_RESIDUAL_LOYALTY from CLIENTS where IDTXT = 2")).toDouble(),
            8.5);

        // The order can be paid again.
        QCOMPARE(TicketRecorder(*db).record(request(30.0, 2), noon).number, 1);
        QCOMPARE(count(*db, "select count(*) from JNL", {}), 7);
    }

    void anOrderAlreadyRecordedElsewhereIsRefused() {
        auto db = qortest::newDatabase(false);
        qortest::writeOrder(*db, order, {{QStringLiteral("Café"), 1, 2.5}});
        TicketRecorder(*db).record(request(2.5), noon);
        QVERIFY_THROWS_EXCEPTION(UserError, TicketRecorder(*db).record(request(2.5), noon));
        QCOMPARE(count(*db, "select count(*) from HISTORIQUE", {}), 1);
    }

    void correctionOnlyFlagsThePayments() {
        auto db = qortest::newDatabase(false);
        qortest::writeOrder(*db, order, {{QStringLiteral("Café"), 2, 2.5}});
        Payments(*db, order).add(1, QStringLiteral("5.00"));
        TicketRecorder(*db).record(request(5), noon);
        // The history puts the flags back to 0 and the operator replaces the payment.
        db->exec(QStringLiteral("update T_PAYMENT set PA_FLAG = '0' where PA_NOSAISIE = ?"), {order});
        Payments pay(*db, order);
        pay.removeAll();
        pay.add(2, QStringLiteral("5.00"));
        TicketRequest r = request(5);
        r.correction = true;
        const RecordedTicket t = TicketRecorder(*db).record(r, noon.addSecs(3600));
        QCOMPARE(t.number, 1);
        QCOMPARE(t.stamp, QStringLiteral("261211123015"));
        QCOMPARE(count(*db, "select count(*) from HISTORIQUE", {}), 1);
        QCOMPARE(count(*db, "select count(*) from JNL", {}), 1);
        QCOMPARE(
            count(*db, "select count(*) from T_PAYMENT where PA_FLAG = '1' and PA_PAYMENT_LIST_ID = 2", {}),
            1);
    }

    void paymentsMatchTheTotalToTheCent_data() {
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<double>("total");
        QTest::addColumn<bool>("complete");
        QTest::newRow("20 cash and 5 card pay 25") << QStringList{"20.00", "5.00"} << 25.0 << true;
        QTest::newRow("30 cash for 25 is refused: no change is computed")
            << QStringList{"30.00"} << 25.0 << false;
        QTest::newRow("a cent missing is refused") << QStringList{"24.99"} << 25.0 << false;
        QTest::newRow("floating sums still match") << QStringList{"0.10", "0.20"} << 0.3 << true;
        QTest::newRow("a negative amount lowers what is paid")
            << QStringList{"30.00", "-5.00"} << 25.0 << true;
    }
    void paymentsMatchTheTotalToTheCent() {
        QFETCH(QStringList, amounts);
        QFETCH(double, total);
        QFETCH(bool, complete);
        auto db = qortest::newDatabase(false);
        Payments pay(*db, order);
        for (const QString& a : amounts)
            pay.add(1, a);
        QCOMPARE(Payments::matches(total, pay.paid()), complete);
        QCOMPARE(pay.open().size(), amounts.size());
        const QString stored =
            db->scalar(QStringLiteral("select PA_CTRL from T_PAYMENT order by PA_AUTOINC")).toString();
        QCOMPARE(stored, calculctrl(amounts.first()));
    }

    void multiplierEntersThePaymentSeveralTimes() {
        auto db = qortest::newDatabase(false);
        Payments pay(*db, order);
        pay.add(3, QStringLiteral("10.00"), 3);
        pay.add(3, QStringLiteral("0"), 3); // zero: nothing
        const auto rows = pay.open();
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.at(2).method, QStringLiteral("Chèque"));
        QCOMPARE(pay.paid(), 30.0);
    }

    void loyaltyPaymentLimits() {
        auto db = qortest::newDatabase(false);
        Payments pay(*db, order);
        try {
            pay.addLoyalty(QStringLiteral("5"), 4.5);
            QFAIL("above the balance was accepted");
        } catch (const UserError& e) {
            QCOMPARE(e.text(), Payments::loyaltyTooHighText());
        }
        QVERIFY(!pay.hasLoyalty());
        pay.addLoyalty(QStringLiteral("4"), 4.5);
        try {
            pay.addLoyalty(QStringLiteral("0.50"), 4.5);
            QFAIL("a second loyalty line was accepted");
        } catch (const UserError& e) {
            QCOMPARE(e.text(), Payments::secondLoyaltyText());
        }
        QCOMPARE(pay.loyaltyUsed(), 4.0);
        QCOMPARE(pay.open().size(), 1);
        QCOMPARE(pay.open().at(0).method, QStringLiteral("Crédit fidélité"));
    }

    void receiptTextLineForLine() {
        auto db = qortest::newDatabase(true);
        writeBistroOrder(*db);
        db->exec(
            QStringLiteral("update SAISIES set RG = -10, SA_TOTALLIGNETTCRG = TOTALLIGNETTC_SAISIE * 0.9 "
                           "where SA_HIDE = '0'"));
        Payments pay(*db, order);
        pay.add(1, QStringLiteral("20.00"));
        pay.add(2, QStringLiteral("10.00"));
        TicketRequest r = request(30.0, 2);
        r.remiseglobale = -10;
        TicketRecorder(*db).record(r, noon);
        ReceiptOptions o;
        o.clientok = o.impNoTicketOk = o.couvertsOk = o.imprimepu = true;
        o.tailledes80 = 20;
        const QStringList text = imprimeticket(*db, o, order);
        const QString rule(40, u'_');
        const QStringList expected = {
            "Le Petit Zinc",
            "12, rue des Halles",
            "69001 Lyon",
            "Tél. 04 78 00 00 00",
            "Client : DURAND",
            "Le 11/12/26 - 12:30",
            "Ticket 1",
            "Salle - 3",
            "Nb couvert(s) 2",
            " ",
            rule,
            " ",
            "  3 Café                     7.50(2)",
            "    (2.50€/U)",
            "  1 Steak frites            17.50(2)",
            "  1 Crème brûlée             7.00(2)",
            " -1 ¤Crème brûlée           -7.00(2)",
            "  1 Verre de vin             5.00(3)",
            rule,
            " ",
            "Remise globale : -10%",
            " ",
            "Net à payer TTC : 30.00€&b",
            " ",
            "Dont TVA 10% (2) :     2.05€",
            "Dont TVA 20% (3) :     0.75€",
            " ",
            "Espèces : 20.00€",
            "Carte bancaire : 10.00€",
            " ",
            "Ticket créé par utilisateur 2",
            " ",
            "Merci de votre visite !",
            "À bientôt",
        };
        QCOMPARE(text, expected);

        // A draft says so; a reprint says it is a duplicate.
        db->exec(QStringLiteral("update HISTORIQUE set HI_NOTICKET = 0"));
        const QStringList draft = imprimeticket(*db, o, order, true);
        QVERIFY(draft.contains(QStringLiteral("*** Ce document est un brouillon ***")));
        QVERIFY(draft.contains(QStringLiteral("Ce document est un duplicata.")));
    }
};

QOR_DB_TEST_MAIN(TestRecording)
#include "tst_recording.moc"
