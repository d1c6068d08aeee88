// A whole sale on the demo bistro, as a waiter does it: a table on the room plan,
// articles touched in order entry, the payment screen, the receipt on the serial
// ticket printer, the drawer, the archive, and the table free again.
#include "checkout/ui/Tpaiementform.h"
#include "core/Clock.h"
#include "order/ui/Tsaisiefmx.h"
#include "printing/Rig.h"
#include "rooms/ui/TableButton.h"
#include "rooms/ui/Tmainform.h"
#include "support/TestDb.h"

#include <QApplication>
#include <QTimer>

using namespace qor;

namespace {

// Runs action once on the modal window of type T as soon as it is up.
template <class T> void whenModal(std::function<void(T*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget()); w && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(w);
        }
    });
    timer->start();
}

QPushButton* articleButton(QWidget* screen, const QString& designation) {
    for (QPushButton* b : screen->findChildren<QPushButton*>())
        if (b->objectName().startsWith(u"btna") && b->property("designation").toString() == designation)
            return b;
    return nullptr;
}

} // namespace

class TestSale : public QObject {
    Q_OBJECT
  private slots:
    void fromTheRoomPlanToThePrintedReceipt() {
        Clock::set(QDateTime(QDate(2026, 12, 11), QTime(20, 45, 10)));
        QTemporaryDir dir;
        rig::SerialDevice printer(dir.path(), QStringLiteral("ticket"));
        TillContext ctx;
        qortest::loadDemoContext(ctx);
        ctx.utilisateurok = false;
        ctx.couvertsOk = false;
        ctx.imprimanteticket = QStringLiteral("COM1 128 9600");
        ctx.tiroir = QStringLiteral("COM");
        QFile ports(ctx.dataFile(QStringLiteral("ports.ini")));
        QVERIFY(ports.open(QIODevice::WriteOnly));
        ports.write("COM1=" + printer.path().toUtf8() + "\n");
        ports.close();
        qortest::ScriptedPrompt prompt;

        Tmainform main(ctx);
        main.show();
        main.resize(1366, 768);

        bool paid = false;
        whenModal<Tsaisiefmx>([&](Tsaisiefmx* entry) {
            entry->findChild<QPushButton*>(QStringLiteral("imagefamille0"))->click();
            entry->findChild<QPushButton*>(QStringLiteral("btnf3"))->click();
            QPushButton* steak = articleButton(entry, QStringLiteral("Steak frites"));
            QVERIFY(steak);
            steak->click();
            steak->click();
            whenModal<Tpaiementform>([&](Tpaiementform* pay) {
                QCOMPARE(pay->labeltotal->text(), QStringLiteral("35.00"));
                pay->enterPayment(1, QStringLiteral("20.00"));
                pay->enterPayment(2, QStringLiteral("15.00"));
                paid = pay->record(1);
            });
            entry->findChild<QPushButton*>(QStringLiteral("btnpaiement"))->click();
        });
        QTest::mouseClick(main.tableButton(3), Qt::LeftButton);
        QVERIFY(paid);
        QVERIFY2(prompt.shown.isEmpty(), qPrintable(prompt.shown.join(u'|')));

        // The database: one ticket, its journal, its payments flagged, the table free.
        Database& db = *ctx.db;
        QCOMPARE(db.scalar(QStringLiteral("select HI_NOTICKET from HISTORIQUE")).toInt(), 1);
        QCOMPARE(db.scalar(QStringLiteral("select HI_TOTALTTC from HISTORIQUE")).toDouble(), 35.0);
        QCOMPARE(db.scalar(QStringLiteral("select QTEARTICLE_JNL from JNL")).toDouble(), 2.0);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from T_PAYMENT where PA_FLAG = '1'")).toInt(), 2);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from SAISIES")).toInt(), 0);
        QCOMPARE(db.scalar(QStringLiteral("select sum(ST_VARIANT) from T_STOCK")).toDouble(), -2.0);

        // The printer got the receipt, then the drawer kick.
        const QByteArray kick = QByteArray::fromHex("1b401b70003296");
        const QByteArray bytes = printer.socat().waitBytes(400);
        QVERIFY2(bytes.contains("Steak frites"), bytes.constData());
        QVERIFY(bytes.contains("35.00\x80"));
        QVERIFY(bytes.contains("Esp\xe8"
                               "ces : 20.00\x80"));
        QVERIFY(bytes.endsWith(kick));
        QVERIFY(bytes.indexOf("Steak frites") < bytes.indexOf(kick));

        // The archive, and the table green again on the plan.
        QVERIFY(QFile::exists(ctx.dataFile(QStringLiteral("ARCHIVES/261211-1.pdf"))));
        QCOMPARE(main.tableButton(3)->labelColor(), 0x008000);
        Clock::set({});
    }

    void closingThePaymentScreenKeepsTheOrderOpen()
    {
        TillContext ctx;
        qortest::loadDemoContext(ctx);
        ctx.utilisateurok = false;
        ctx.couvertsOk = false;
        qortest::ScriptedPrompt prompt;
        Tmainform main(ctx);
        main.show();
        main.resize(1366, 768);

        bool backOnTheOrder = false;
        whenModal<Tsaisiefmx>([&](Tsaisiefmx* entry) {
            entry->findChild<QPushButton*>(QStringLiteral("imagefamille0"))->click();
            entry->findChild<QPushButton*>(QStringLiteral("btnf3"))->click();
            articleButton(entry, QStringLiteral("Steak frites"))->click();
            whenModal<Tpaiementform>([&, entry](Tpaiementform* pay) {
                pay->enterPayment(1, QStringLiteral("10.00"));
                pay->BtnClose->click();
                // Order entry is the modal window again, whole, with its line.
                whenModal<Tsaisiefmx>([&, entry](Tsaisiefmx* again) {
                    backOnTheOrder = again == entry && entry->width() > 100;
                    entry->findChild<QPushButton*>(QStringLiteral("btnclose"))->click();
                });
            });
            entry->findChild<QPushButton*>(QStringLiteral("btnpaiement"))->click();
        });
        QTest::mouseClick(main.tableButton(3), Qt::LeftButton);
        QVERIFY(backOnTheOrder);
        QCOMPARE(ctx.db->scalar(QStringLiteral("select count(*) from SAISIES")).toInt(), 1);
        QCOMPARE(ctx.db->scalar(QStringLiteral("select count(*) from HISTORIQUE")).toInt(), 0);
        // The payment already entered waits for the next payment of the order.
        QCOMPARE(ctx.db->scalar(QStringLiteral("select count(*) from T_PAYMENT where PA_FLAG = '0'")).toInt(), 1);
        QCOMPARE(main.tableButton(3)->labelColor(), 0x000080);
    }
};

QOR_DB_TEST_MAIN(TestSale)
#include "tst_sale.moc"
