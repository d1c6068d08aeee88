#include "support/OrderLines.h"
#include "support/TestDb.h"

#include "checkout/ui/Tpaiementform.h"
#include "core/Clock.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

using namespace qor;

namespace {
const QString order = QStringLiteral("261211120000");

int count(Database& db, const char* sql) {
    return db.scalar(QLatin1String(sql)).toInt();
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
} // namespace

// The payment screen on a demo till, from the first payment to the recorded ticket.
class TestPaymentScreen : public QObject {
    Q_OBJECT

    TillContext ctx;
    std::unique_ptr<Tpaiementform> screen;

    void openOn(double total, int idcli = 1) {
        ctx.idcli = idcli;
        screen->prepareNormal(order, total, 0);
        screen->show();
    }

  private slots:
    void init() {
        Clock::set(QDateTime(QDate(2026, 12, 11), QTime(20, 15)));
        qortest::loadDemoContext(ctx);
        ctx.nosalle = 1;
        ctx.notable = 3;
        ctx.nomtable = QStringLiteral("3");
        qortest::writeOrder(*ctx.db, order,
                            {{QStringLiteral("Steak frites"), 1, 17.5}, {QStringLiteral("Café"), 3, 2.5}});
        screen = std::make_unique<Tpaiementform>(ctx, nullptr);
    }
    void cleanup() {
        screen.reset();
        Clock::set({});
        qputenv("QOR_PDF_CONVERTER", "");
    }

    void methodButtonsComeFromThePaymentList() {
        QCOMPARE(screen->LabelP[0]->text(), QStringLiteral("Espèces"));
        QCOMPARE(screen->LabelP[3]->text(), QStringLiteral("Ticket restaurant"));
        QCOMPARE(screen->LabelP[4]->text(), QString());
        QVERIFY(!screen->LabelP[4]->isEnabled());
    }

    void twoPaymentsThatMatchRecordAndPrintTheReceipt() {
        qortest::ScriptedPrompt prompt;
        openOn(25.0);
        screen->enterPayment(1, QStringLiteral("20.00"));
        QCOMPARE(screen->LabelRendu->text(), QStringLiteral("-5.00"));
        screen->enterPayment(2, QStringLiteral("5.00"));
        QCOMPARE(screen->LabelFact->text(), QStringLiteral("25.00"));
        QCOMPARE(screen->LabelRendu->text(), QStringLiteral("0.00"));
        QCOMPARE(screen->sgreglement->rowCount(), 2);

        QVERIFY(screen->record(1));
        QVERIFY(screen->modifok);
        QVERIFY2(prompt.shown.isEmpty(), qPrintable(prompt.shown.join(u'|')));
        QCOMPARE(count(*ctx.db, "select HI_NOTICKET from HISTORIQUE"), 1);
        QCOMPARE(count(*ctx.db, "select count(*) from SAISIES"), 0);
        // The receipt file: Windows-1252, CR LF, the total emphasized.
        const QByteArray receipt = fileBytes(ctx.dataFile(QStringLiteral("impression_ticket.txt")));
        QVERIFY(receipt.contains("Net \xe0 payer TTC : 25.00\x80&b\r\n"));
        QVERIFY(receipt.contains("Esp\xe8"
                                 "ces : 20.00\x80\r\n"));
        // The archive: HTML and the PDF named after the day and the ticket number.
        QVERIFY(QFile::exists(ctx.dataFile(QStringLiteral("ARCHIVES/impression_ticket.html"))));
        QVERIFY(QFile::exists(ctx.dataFile(QStringLiteral("ARCHIVES/261211-1.pdf"))));
    }

    void paymentsThatDoNotMatchAreRefused_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("rest");
        QTest::newRow("too much paid: no change is given") << "30.00"
                                                           << "5.00";
        QTest::newRow("not enough paid") << "24.99"
                                         << "-0.01";
    }
    void paymentsThatDoNotMatchAreRefused() {
        QFETCH(QString, amount);
        QFETCH(QString, rest);
        qortest::ScriptedPrompt prompt;
        openOn(25.0);
        screen->enterPayment(1, amount);
        QCOMPARE(screen->LabelRendu->text(), rest);
        for (int mode : {0, 1, 2})
            QVERIFY(!screen->record(mode));
        QCOMPARE(prompt.shown, QStringList(3, QStringLiteral("Le reglement est incomplet")));
        QCOMPARE(count(*ctx.db, "select count(*) from HISTORIQUE"), 0);
    }

    void multiplierEntersSeveralPaymentsThenReturnsToOne() {
        openOn(25.0);
        screen->Q[2]->click();
        QCOMPARE(screen->nbreglement, 3);
        screen->enterPayment(2, QStringLiteral("0")); // zero: nothing, the multiplier stays
        QCOMPARE(screen->nbreglement, 3);
        screen->enterPayment(2, QStringLiteral("10.00"));
        QCOMPARE(screen->sgreglement->rowCount(), 3);
        QCOMPARE(screen->nbreglement, 1);
        QVERIFY(screen->Q[0]->isChecked());
        QCOMPARE(screen->LabelRendu->text(), QStringLiteral("5.00"));
    }

    void recordingWithoutPrintingAsksFirst() {
        qortest::ScriptedPrompt prompt;
        prompt.answers = {false, true};
        openOn(25.0);
        screen->enterPayment(1, QStringLiteral("25.00"));
        QVERIFY(!screen->record(0));
        QCOMPARE(prompt.asked, QStringList{QStringLiteral("Enregistrer le ticket sans imprimer ?")});
        QVERIFY(screen->isVisible());
        QCOMPARE(count(*ctx.db, "select count(*) from HISTORIQUE"), 0);
        QVERIFY(screen->record(0));
        QCOMPARE(count(*ctx.db, "select count(*) from HISTORIQUE"), 1);
        QVERIFY(QFile::exists(ctx.dataFile(QStringLiteral("impression_ticket.txt"))));
    }

    void loyaltyPanelFollowsTheCustomer() {
        openOn(25.0, 1);
        QVERIFY(!screen->PanelFidelite->isVisible());
        screen->hide();
        openOn(25.0, 2);
        QVERIFY(screen->PanelFidelite->isVisible());
        QCOMPARE(screen->LabelFideliteSolde->text(), QStringLiteral("Fidelité : 8.5"));
        screen->enterLoyalty(QStringLiteral("4"));
        QCOMPARE(screen->fidelite, 4.0);
        screen->enterPayment(1, QStringLiteral("21.00"));
        QVERIFY(screen->record(1));
        QCOMPARE(ctx.db->scalar(QStringLiteral("select CL_RESIDUAL_LOYALTY from CLIENTS where IDTXT = 2"))
                     .toDouble(),
                 4.5);
    }

    void draftSwitchRecordsANumberZeroTicket() {
        openOn(25.0);
        screen->btnbrouillon->click();
        QCOMPARE(screen->btnbrouillon->text(), QStringLiteral("Brouillon -> OUI"));
        screen->enterPayment(1, QStringLiteral("25.00"));
        QVERIFY(screen->record(1));
        QCOMPARE(count(*ctx.db, "select HI_NOTICKET from HISTORIQUE"), 0);
        QVERIFY(fileBytes(ctx.dataFile(QStringLiteral("impression_ticket.txt")))
                    .contains("*** Ce document est un brouillon ***"));
    }

    void aFailingConverterLosesNothing() {
        qputenv("QOR_PDF_CONVERTER", "false");
        qortest::ScriptedPrompt prompt;
        openOn(25.0);
        screen->enterPayment(1, QStringLiteral("25.00"));
        QVERIFY(screen->record(1));
        QVERIFY(screen->modifok);
        QCOMPARE(prompt.shown.size(), 1);
        QVERIFY2(prompt.shown.at(0).startsWith(u"Le ticket n°1 est enregistré"),
                 qPrintable(prompt.shown.at(0)));
        QCOMPARE(count(*ctx.db, "select count(*) from HISTORIQUE"), 1);
        QVERIFY(QFile::exists(ctx.dataFile(QStringLiteral("impression_ticket.txt"))));
    }

    void correctionChangesThePaymentsOfARecordedTicket() {
        qortest::ScriptedPrompt prompt;
        openOn(25.0);
        screen->enterPayment(1, QStringLiteral("25.00"));
        QVERIFY(screen->record(1));
        // The history puts the ticket's payments back to 0 and opens the screen to correct them.
        ctx.db->exec(QStringLiteral("update T_PAYMENT set PA_FLAG = '0' where PA_NOSAISIE = ?"), {order});
        ctx.db->exec(QStringLiteral("delete from T_PAYMENT where PA_NOSAISIE = ?"), {order});
        screen->prepareCorrection(order, 25.0);
        screen->show();
        for (QPushButton* hidden :
             {screen->BtnClose, screen->btnsupligne, screen->Btnsuptout, screen->btnbrouillon,
              screen->Imagesaveandprint, screen->Imagesaveandprint2})
            QVERIFY(!hidden->isVisible());
        QVERIFY(screen->Imagesave->isVisible());
        screen->enterPayment(2, QStringLiteral("25.00"));
        QVERIFY(screen->record(0)); // no question in correction mode
        QVERIFY(prompt.asked.isEmpty());
        QCOMPARE(count(*ctx.db, "select count(*) from HISTORIQUE"), 1);
        QCOMPARE(count(*ctx.db, "select count(*) from JNL"), 2);
        QCOMPARE(count(*ctx.db, "select PA_PAYMENT_LIST_ID from T_PAYMENT where PA_FLAG = '1'"), 2);
        QVERIFY(fileBytes(ctx.dataFile(QStringLiteral("impression_ticket.txt")))
                    .contains("Carte bancaire : 25.00"));
    }

    void deletingPaymentsAsksFirst() {
        qortest::ScriptedPrompt prompt;
        prompt.answers = {false, true, true};
        openOn(25.0);
        screen->enterPayment(1, QStringLiteral("10.00"));
        screen->enterPayment(2, QStringLiteral("5.00"));
        screen->deleteSelected(); // no
        QCOMPARE(screen->sgreglement->rowCount(), 2);
        screen->deleteSelected(); // yes: the selected, last one
        QCOMPARE(screen->sgreglement->rowCount(), 1);
        QCOMPARE(screen->LabelFact->text(), QStringLiteral("10.00"));
        screen->deleteAll();
        QCOMPARE(screen->sgreglement->rowCount(), 0);
        QCOMPARE(prompt.asked.last(), QStringLiteral("Etes-vous sur de vouloir supprimer les reglements ?"));
    }
};

QOR_DB_TEST_MAIN(TestPaymentScreen)
#include "tst_paymentscreen.moc"
