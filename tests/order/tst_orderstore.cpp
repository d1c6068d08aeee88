// The order line store on a real database: merging, open prices, totals, prices
// by customer, VAT content, loyalty, and order numbers shared by two tills.
#include "core/Clock.h"
#include "order/EntryCatalog.h"
#include "order/OrderStore.h"
#include "support/TestDb.h"

#include <QApplication>

using namespace qor;

namespace {

// One till: its context on its own connection, and the store of its open order.
struct Till {
    TillContext ctx;
    OrderStore store{ctx};
    explicit Till(std::unique_ptr<Database> db, int table = 3) {
        ctx.db = std::move(db);
        ctx.nosalle = 1;
        ctx.notable = static_cast<quint8>(table);
        ctx.nomsalle = QStringLiteral("\rSalle");
        ctx.nomtable = QString::number(table);
        ctx.couvert = 2;
        ctx.idutilisateur = 2;
    }
    void open() {
        const bool has = store.openOrder();
        store.loadCustomer(has);
    }
    CurrentArticle article(int id) {
        CurrentArticle a = *EntryCatalog(*ctx.db).article(id);
        a.selprixarticle = store.calculprix(a.selidarticle);
        return a;
    }
    void touch(int id, const QString& sign = QStringLiteral("+"), const QString& qty = QStringLiteral("1")) {
        store.enregistresaisie(article(id), sign, qty);
    }
    QStringList shown() {
        QStringList out;
        for (const OrderLine& l : store.litsaisie())
            out << l.qte + u' ' + l.designation;
        return out;
    }
};

const int coca = 1, cafe = 15, pression = 6, steak = 24;

} // namespace

class TestOrderStore : public QObject {
    Q_OBJECT
  private slots:
    void init() { Clock::set(QDateTime(QDate(2024, 5, 17), QTime(12, 30, 0))); }
    void cleanup() { Clock::set({}); }

    void mergeRule_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("the same article twice in a row makes one line of 2")
            << QStringList{"coca +1", "coca +1"} << QStringList{"2 Coca-Cola 33cl"};
        QTest::newRow("another article in between gives three lines")
            << QStringList{"coca +1", "cafe +1", "coca +1"}
            << QStringList{"1 Coca-Cola 33cl", "1 Café", "1 Coca-Cola 33cl"};
        QTest::newRow("the minus sign lowers the last line and zero stays a line")
            << QStringList{"coca +1", "coca -1"} << QStringList{"0 Coca-Cola 33cl"};
        QTest::newRow("the minus sign on a new article writes a negative line")
            << QStringList{"coca +1", "cafe -1"} << QStringList{"1 Coca-Cola 33cl", "-1 Café"};
        QTest::newRow("a typed quantity adds its full amount to the last line")
            << QStringList{"cafe +1", "cafe +3"} << QStringList{"4 Café"};
        QTest::newRow("a half quantity is stored and shown as 0.5")
            << QStringList{"coca +0.5"} << QStringList{"0.5 Coca-Cola 33cl"};
        QTest::newRow("a line already sent to the kitchen takes no more units")
            << QStringList{"steak +1", "!kitchen", "steak +1"}
            << QStringList{"1 Steak frites", "1 Steak frites"};
        QTest::newRow("a line on a provisional bill takes no more units")
            << QStringList{"coca +1", "!lock", "coca +1"}
            << QStringList{"1 Coca-Cola 33cl", "1 Coca-Cola 33cl"};
        QTest::newRow("a renamed line takes no more units")
            << QStringList{"steak +1", "!rename", "steak +1"}
            << QStringList{"1 Steak frites saignant", "1 Steak frites"};
        QTest::newRow("an offered counter-line is never merged into")
            << QStringList{"coca +1", "!offer", "coca +1"}
            << QStringList{"1 Coca-Cola 33cl", "-1 ¤Coca-Cola 33cl", "1 Coca-Cola 33cl"};
        QTest::newRow("a deleted line is never merged into")
            << QStringList{"cafe +1", "coca +1", "!delete", "coca +1"}
            << QStringList{"1 Café", "1 Coca-Cola 33cl"};
    }
    void mergeRule() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        Till t(qortest::newDatabase());
        t.open();
        const QHash<QString, int> ids = {{"coca", coca}, {"cafe", cafe}, {"steak", steak}};
        Database& db = *t.ctx.db;
        const QString lastKey =
            QStringLiteral("(select max(CLEAUTO_SAISIE) from SAISIES where SA_NOSAISIE = '%1')")
                .arg(t.ctx.nosaisie);
        for (const QString& s : steps) {
            if (s == u"!kitchen")
                db.exec("update SAISIES set SA_KITCHEN = 3 where SA_KITCHEN = 1");
            else if (s == u"!lock")
                db.exec("update SAISIES set SA_LOCK = 1");
            else if (s == u"!rename")
                db.exec("update SAISIES set DESARTICLE_SAISIE = 'Steak frites saignant'");
            else if (s == u"!offer")
                db.exec(
                    "insert into SAISIES (SA_NOSAISIE, SA_ROW, NOSALLE_SAISIE, NOTABLE_SAISIE, "
                    "DESARTICLE_SAISIE, QTEARTICLE_SAISIE, PRIXARTICLETTC_SAISIE, SA_ARTICLE_ID, SA_HIDE) "
                    "select SA_NOSAISIE, SA_ROW + 1, NOSALLE_SAISIE, NOTABLE_SAISIE, '¤' || "
                    "DESARTICLE_SAISIE, "
                    "-QTEARTICLE_SAISIE, PRIXARTICLETTC_SAISIE, SA_ARTICLE_ID, SA_HIDE from SAISIES where "
                    "CLEAUTO_SAISIE = " +
                    lastKey);
            else if (s == u"!delete") {
                // The line and its cancelling copy, both hidden at row 0.
                db.exec("update SAISIES set DESARTICLE_SAISIE = '~' || DESARTICLE_SAISIE, SA_HIDE = '1', "
                        "SA_ROW = 0, "
                        "SA_TOTALLIGNETTCRG = 0 where CLEAUTO_SAISIE = " +
                        lastKey);
                db.exec(
                    "insert into SAISIES (SA_NOSAISIE, SA_ROW, NOSALLE_SAISIE, NOTABLE_SAISIE, "
                    "DESARTICLE_SAISIE, QTEARTICLE_SAISIE, PRIXARTICLETTC_SAISIE, SA_ARTICLE_ID, SA_HIDE) "
                    "select SA_NOSAISIE, 0, NOSALLE_SAISIE, NOTABLE_SAISIE, DESARTICLE_SAISIE, "
                    "-QTEARTICLE_SAISIE, "
                    "PRIXARTICLETTC_SAISIE, SA_ARTICLE_ID, SA_HIDE from SAISIES where CLEAUTO_SAISIE = " +
                    lastKey);
            } else {
                const QStringList p = s.split(u' ');
                t.touch(ids.value(p[0]), p[1].left(1), p[1].mid(1));
            }
        }
        QCOMPARE(t.shown(), expected);
    }

    void newOrder() {
        Till t(qortest::newDatabase());
        t.open();
        QCOMPARE(t.ctx.nosaisie, QStringLiteral("240517123000"));
        QCOMPARE(t.ctx.nomclidetail, QStringLiteral("PASSAGE"));
        // The number is the time the table was opened, not the time of the first line.
        Clock::set(QDateTime(QDate(2024, 5, 17), QTime(12, 34, 56)));
        t.touch(coca);
        const Rows rows = t.ctx.db->select("select SA_NOSAISIE, SA_ROW, SA_ROOMNAME, COUVERTS, SA_USER_ID, "
                                           "SA_TIMECTRL, SA_HIDE, SA_TAXRATE from SAISIES");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].value(0).toString(), QStringLiteral("240517123000"));
        QCOMPARE(rows[0].value(1).toInt(), 1);
        QCOMPARE(rows[0].value(2).toString(), QStringLiteral("\rSalle"));
        QCOMPARE(rows[0].value(3).toInt(), 2);
        QCOMPARE(rows[0].value(4).toInt(), 2);
        QCOMPARE(rows[0].value(5).toString(), QStringLiteral("240517123456"));
        QCOMPARE(rows[0].value(6).toString(), QStringLiteral("0"));
        QCOMPARE(rows[0].value(7).toDouble(), 10.0);
        QCOMPARE(t.store.litsaisie().first().user, QStringLiteral("#2"));

        // Reopening the table finds the same order, with its covers.
        Till again(t.ctx.db->clone());
        again.ctx.couvert = 0;
        Clock::set(QDateTime(QDate(2024, 5, 17), QTime(13, 0, 0)));
        again.open();
        QCOMPARE(again.ctx.nosaisie, QStringLiteral("240517123000"));
        QCOMPARE(again.ctx.couvert, 2);
    }

    void openPrice_data() {
        QTest::addColumn<double>("catalogue");
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QVariant>("typed"); // invalid = keypad closed
        QTest::addColumn<QString>("askedSign");
        QTest::addColumn<QStringList>("expected"); // "qty price total"
        QTest::newRow("0.01 asks the price with the sign + and 12.5 gives a line of 12.5")
            << 0.01 << "2" << QVariant(12.5) << "+" << QStringList{"2 12.5 25"};
        QTest::newRow("-0.01 asks the price with the sign -")
            << -0.01 << "1" << QVariant(-3.0) << "-" << QStringList{"1 -3 -3"};
        QTest::newRow("closing the price keypad writes no line")
            << 0.01 << "1" << QVariant() << "+" << QStringList{};
        QTest::newRow("an ordinary price asks nothing")
            << 4.0 << "1" << QVariant() << "" << QStringList{"1 4 4"};
    }
    void openPrice() {
        QFETCH(double, catalogue);
        QFETCH(QString, qty);
        QFETCH(QVariant, typed);
        QFETCH(QString, askedSign);
        QFETCH(QStringList, expected);
        Till t(qortest::newDatabase());
        t.open();
        QString asked;
        t.store.askPrice = [&](const QString& sign) -> std::optional<KeypadValue> {
            asked = sign;
            if (!typed.isValid()) return std::nullopt;
            return KeypadValue{typed.toDouble(), QString::number(typed.toDouble())};
        };
        CurrentArticle a = t.article(coca);
        a.selprixarticle = catalogue;
        QCOMPARE(t.store.enregistresaisie(a, "+", qty), !expected.isEmpty());
        QCOMPARE(asked, askedSign);
        QStringList got;
        for (const OrderLine& l : t.store.litsaisie())
            got << QStringLiteral("%1 %2 %3").arg(l.qte).arg(l.price).arg(l.lineTotal);
        QCOMPARE(got, expected);
    }

    void totals_data() {
        QTest::addColumn<int>("rg");
        QTest::addColumn<double>("s1");
        QTest::addColumn<double>("s2");
        QTest::addColumn<QString>("labelRg");
        QTest::addColumn<QString>("labelMrg");
        QTest::addColumn<QString>("labelTotal");
        QTest::newRow("no global percentage") << 0 << 15.0 << 15.0 << "RG (0%) :"
                                              << "- 0.00"
                                              << "15.00";
        QTest::newRow("a discount of 10 percent") << -10 << 15.0 << 13.5 << "RG (-10%) :"
                                                  << "- 1.50"
                                                  << "13.50";
        QTest::newRow("a surcharge of 5 percent shows a negative discount")
            << 5 << 15.0 << 15.75 << "RG (5%) :"
            << "- -0.75"
            << "15.75";
    }
    void totals() {
        QFETCH(int, rg);
        QFETCH(double, s1);
        QFETCH(double, s2);
        QFETCH(QString, labelRg);
        QFETCH(QString, labelMrg);
        QFETCH(QString, labelTotal);
        Till t(qortest::newDatabase());
        t.ctx.affichageClient = QStringLiteral("COM2");
        QStringList display;
        t.store.display = [&](const QString& a, const QString& b) { display = {a, b}; };
        t.open();
        CurrentArticle a = t.article(coca);
        a.selprixarticle = 10;
        t.store.enregistresaisie(a, "+", "1");
        t.touch(cafe); // a second article so that the first is not merged
        t.ctx.db->exec("update SAISIES set PRIXARTICLETTC_SAISIE = 5 where SA_ARTICLE_ID = ?", {cafe});
        t.ctx.db->exec("update SAISIES set RG = ?", {rg});
        t.store.litsaisie();
        const OrderTotals& tot = t.store.totals();
        QCOMPARE(tot.s1, s1);
        QVERIFY(qAbs(tot.s2 - s2) < 1e-9);
        QCOMPARE(tot.labelRg, labelRg);
        QCOMPARE(tot.labelMrg, labelMrg);
        QCOMPARE(tot.labelTotal, labelTotal);
        QCOMPARE(t.ctx.remiseglobale, rg);
        // The discounted totals are stored on every line for the payment and the ticket.
        QVERIFY(qAbs(t.ctx.db->scalar("select sum(SA_TOTALLIGNETTCRG) from SAISIES").toDouble() - s2) < 1e-9);
        QCOMPARE(display, (QStringList{"1 Café  5.00E", "Total " + tot.labelTotal + "E"}));
    }

    void calculprix_data() {
        QTest::addColumn<QString>("clientType");
        QTest::addColumn<int>("customer");
        QTest::addColumn<double>("discount");
        QTest::addColumn<int>("customersOnly");
        QTest::addColumn<double>("price");
        // Steak frites: 17.50 including 10 % VAT, purchase price 5.00.
        QTest::newRow("the catalogue price without discount") << "0" << 1 << 0.0 << 0 << 17.5;
        QTest::newRow("a family discount for everybody applies to the walk-in customer")
            << "0" << 1 << -10.0 << 0 << 15.75;
        QTest::newRow("a discount for customers only leaves the walk-in customer at the catalogue price")
            << "0" << 1 << -20.0 << 1 << 17.5;
        QTest::newRow("a discount for customers only applies to a named customer")
            << "0" << 2 << -20.0 << 1 << 14.0;
        QTest::newRow("a positive family percentage raises the price") << "0" << 2 << 3.0 << 0 << 18.03;
        QTest::newRow("a customer type other than 0 pays purchase price plus VAT, ignoring discounts")
            << "1" << 2 << -20.0 << 0 << 5.5;
        QTest::newRow("an empty customer type is an ordinary customer") << "" << 2 << 0.0 << 0 << 17.5;
    }
    void calculprix() {
        QFETCH(QString, clientType);
        QFETCH(int, customer);
        QFETCH(double, discount);
        QFETCH(int, customersOnly);
        QFETCH(double, price);
        Till t(qortest::newDatabase());
        Database& db = *t.ctx.db;
        db.exec("update FAMILLES set FA_DISCOUNT = ?, FA_DISCOUNTCLIENT = ? where IDFAMILLE_FAMILLES = 3",
                {discount, customersOnly});
        db.exec("update CLIENTS set CL_CLIENTTYPE = ? where IDTXT = 2", {clientType});
        t.store.setCustomer(customer);
        QCOMPARE(t.store.calculprix(QString::number(steak)), price);
    }

    void vatAndLoyalty() {
        Till t(qortest::newDatabase());
        t.open();
        t.touch(steak);    // 17.50 at 10 %, loyalty 5 %
        t.touch(pression); // 3.80 at 20 %, loyalty 5 %
        t.touch(pression);
        t.touch(cafe); // 1.90 at 10 %, then deleted: hidden line and hidden copy
        Database& db = *t.ctx.db;
        const QVariant key = db.scalar("select max(CLEAUTO_SAISIE) from SAISIES");
        db.exec("update SAISIES set DESARTICLE_SAISIE = '~Café', SA_HIDE = '1', SA_ROW = 0, "
                "SA_TOTALLIGNETTCRG = 0 "
                "where CLEAUTO_SAISIE = ?",
                {key});
        db.exec("insert into SAISIES (SA_NOSAISIE, SA_ROW, DESARTICLE_SAISIE, QTEARTICLE_SAISIE, "
                "PRIXARTICLETTC_SAISIE, TOTALLIGNETTC_SAISIE, SA_TOTALLIGNETTCRG, CODETVAARTICLE_SAISIE, "
                "SA_LOYALTY, SA_HIDE) select SA_NOSAISIE, 0, DESARTICLE_SAISIE, -QTEARTICLE_SAISIE, "
                "PRIXARTICLETTC_SAISIE, -TOTALLIGNETTC_SAISIE, 0, CODETVAARTICLE_SAISIE, SA_LOYALTY, SA_HIDE "
                "from "
                "SAISIES where CLEAUTO_SAISIE = ?",
                {key});
        db.exec("update SAISIES set RG = -10");
        t.store.litsaisie();
        QCOMPARE(t.store.totals().labelTotal, QStringLiteral("22.59")); // (17.50 + 7.60) × 0.9
        const QList<VatShare> vat = t.store.vatContent();
        QCOMPARE(vat.size(), 2);
        QCOMPARE(vat[0].code, 2);
        QCOMPARE(vat[0].rate, 10.0);
        QVERIFY(qAbs(vat[0].amount - 15.75 / 11) < 1e-9);
        QCOMPARE(vat[1].code, 3);
        QVERIFY(qAbs(vat[1].amount - 6.84 / 6) < 1e-9);
        // Loyalty on the line totals; the deleted coffee and its copy cancel out.
        QVERIFY(qAbs(t.store.loyaltyCredit() - 25.10 * 0.05) < 1e-9);
    }

    void textsKeptAsTyped() {
        Till t(qortest::newDatabase());
        t.ctx.nomsalle = QStringLiteral("\rSalle d'été \"Nord\"");
        t.ctx.nomtable = QStringLiteral("L'îlot \"3\"");
        t.open();
        t.touch(23); // Planche "mixte"
        CurrentArticle a = t.article(cafe);
        a.seldesarticle = QStringLiteral("Café d'Éthiopie « bio »; drop table SAISIES");
        t.store.enregistresaisie(a, "+", "1");
        QCOMPARE(t.shown(), (QStringList{"1 Planche \"mixte\"", "1 " + a.seldesarticle}));
        const Rows rows = t.ctx.db->select("select distinct SA_ROOMNAME, SA_TABLENAME from SAISIES");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].value(0).toString(), t.ctx.nomsalle);
        QCOMPARE(rows[0].value(1).toString(), t.ctx.nomtable);
    }

    // Two tills on one database: orders opened within the same second stay apart.
    void orderNumbersAcrossTills() {
        auto first = qortest::newDatabase();
        Till a(std::move(first), 3);
        Till b(a.ctx.db->clone(), 4);
        Till c(a.ctx.db->clone(), 5);
        a.open();
        b.open();
        c.open();
        QCOMPARE(a.ctx.nosaisie, b.ctx.nosaisie);
        a.touch(coca);
        b.touch(cafe);
        b.touch(cafe);
        // A ticket already recorded under the next second is skipped as well.
        a.ctx.db->exec("insert into HISTORIQUE (HI_NOSAISIE, HI_NOTICKET) values ('240517123002', 1)");
        c.touch(coca);
        QCOMPARE(a.ctx.nosaisie, QStringLiteral("240517123000"));
        QCOMPARE(b.ctx.nosaisie, QStringLiteral("240517123001"));
        QCOMPARE(c.ctx.nosaisie, QStringLiteral("240517123003"));
        const Rows per =
            a.ctx.db->select("select SA_NOSAISIE, count(distinct NOTABLE_SAISIE), sum(QTEARTICLE_SAISIE) "
                             "from SAISIES group by SA_NOSAISIE order by SA_NOSAISIE");
        QCOMPARE(per.size(), 3);
        for (const QSqlRecord& r : per)
            QCOMPARE(r.value(1).toInt(), 1);
        QCOMPARE(per[1].value(2).toDouble(), 2.0);

        // Two tills on the same free table: the second one's lines join the first order.
        Till d(a.ctx.db->clone(), 7);
        Till e(a.ctx.db->clone(), 7);
        Clock::set(QDateTime(QDate(2024, 5, 17), QTime(12, 40, 0)));
        d.open();
        Clock::set(QDateTime(QDate(2024, 5, 17), QTime(12, 40, 1)));
        e.open();
        e.touch(cafe);
        d.touch(coca);
        QCOMPARE(d.ctx.nosaisie, e.ctx.nosaisie);
        QCOMPARE(d.shown(), (QStringList{"1 Café", "1 Coca-Cola 33cl"}));
    }

    void nextSecond_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("next");
        QTest::newRow("within the minute") << "240517123000"
                                           << "240517123001";
        QTest::newRow("over midnight at the end of February of a leap year") << "240229235959"
                                                                             << "240301000000";
        QTest::newRow("over the new year") << "241231235959"
                                           << "250101000000";
    }
    void nextSecond() {
        QFETCH(QString, number);
        QFETCH(QString, next);
        QCOMPARE(OrderStore::nextSecond(number), next);
    }
};

QOR_DB_TEST_MAIN(TestOrderStore)
#include "tst_orderstore.moc"
