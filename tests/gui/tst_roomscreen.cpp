// The room screen on the demo bistro: PIN and covers prompts, table colours, moving
// tables, closed days. Keypads are answered from a timer as an operator would.
#include "core/Clock.h"
#include "core/Settings.h"
#include "core/TillContext.h"
#include "core/ui/TClavierNumForm.h"
#include "core/ui/Tclaviernumfmx.h"
#include "rooms/ui/TableButton.h"
#include "rooms/ui/Tmainform.h"
#include "support/TestDb.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QPushButton>
#include <QTimer>

using namespace qor;

namespace {

// Waits for the next modal dialog of type D (with that title, when one is given) and
// plays act on it. A modal dialog
// still open after 30 s (one the test did not expect) is closed so that nothing hangs.
template <class D> class Answer {
  public:
    explicit Answer(std::function<void(D*)> act, const QString& wanted = {})
        : m_act(std::move(act)), m_wanted(wanted) {
        m_clock.start();
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }
    bool answered = false;
    QString title; // title of the keypad that was answered

  private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        auto* d = qobject_cast<D*>(modal);
        if (d && d->isVisible() && !answered && (m_wanted.isEmpty() || d->LabelTitre->text() == m_wanted)) {
            answered = true;
            title = d->LabelTitre->text();
            m_act(d);
            return;
        }
        if (modal && m_clock.elapsed() > 30000) {
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
            m_timer.stop();
        }
    }
    std::function<void(D*)> m_act;
    QString m_wanted;
    QTimer m_timer;
    QElapsedTimer m_clock;
};

void type(TClavierNumForm* k, const QString& keys) {
    QTest::keyClicks(k, keys);
}

} // namespace

class TestRoomScreen : public QObject {
    Q_OBJECT
    std::unique_ptr<TillContext> ctx;
    std::unique_ptr<Tmainform> main;
    std::unique_ptr<qortest::ScriptedPrompt> prompt;
    QList<int> opened; // tables handed to order entry
    std::function<void()> duringOrderEntry;

    void start() {
        main = std::make_unique<Tmainform>(*ctx);
        main->orderEntry = [this](Tmainform& m) {
            opened << m.ctx().notable;
            if (duringOrderEntry) duringOrderEntry();
            return OrderEntryExit::Closed;
        };
        main->show();
        // Large enough for every plan of these tests to show at full size.
        main->resize(2000, 1400);
        QCOMPARE(main->planScale(), 1.0);
    }
    void clickTable(int notable) {
        TableButton* b = main->tableButton(notable);
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void addLine(int table, int info, int customer, const char* hide = "0") {
        ctx->db->exec(
            QStringLiteral("insert into SAISIES (SA_NOSAISIE, NOSALLE_SAISIE, NOTABLE_SAISIE, SA_INFO, "
                           "ID_CLI_SAISIE, SA_HIDE, DESARTICLE_SAISIE) "
                           "values ('261210120000', 1, ?, ?, ?, ?, 'Café')"),
            {table, info, customer, QString::fromLatin1(hide)});
    }

  private slots:
    void init() {
        Clock::set(QDateTime(QDate(2026, 12, 10), QTime(12, 0)));
        ctx = std::make_unique<TillContext>();
        ctx->db = qortest::newDatabase(true);
        static_cast<Settings&>(*ctx) = Settings::read(*ctx->db, false);
        prompt = std::make_unique<qortest::ScriptedPrompt>();
        opened.clear();
        duringOrderEntry = nullptr;
    }
    void cleanup() {
        main.reset();
        prompt.reset();
        ctx.reset();
        Clock::set({});
    }

    void pinPrompts_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("keys"); // typed then Enter; "close" closes the keypad
        QTest::addColumn<int>("user");     // 0: nobody identified
        QTest::addColumn<bool>("goesOn");  // the table opens or the menu answers
        QTest::newRow("a table with the owner's PIN opens") << "table"
                                                            << "1234" << 1 << true;
        QTest::newRow("a table with a wrong PIN stays shut") << "table"
                                                             << "4321" << 0 << false;
        QTest::newRow("a table with a deleted user's PIN stays shut") << "table"
                                                                      << "9999" << 0 << false;
        QTest::newRow("a table whose keypad is closed identifies nobody") << "table"
                                                                          << "close" << 0 << false;
        QTest::newRow("the catalogue with the owner's PIN answers") << "menu1"
                                                                    << "1234" << 1 << true;
        QTest::newRow("the catalogue refuses a waiter without its right") << "menu1"
                                                                          << "1111" << 0 << false;
        QTest::newRow("the history lets a waiter with its right in") << "menu3"
                                                                     << "2222" << 3 << true;
    }
    void pinPrompts() {
        QFETCH(QString, where);
        QFETCH(QString, keys);
        QFETCH(int, user);
        QFETCH(bool, goesOn);
        ctx->couvertsOk = false;
        start();
        // A PIN typed earlier must not be checked again when a keypad is closed.
        main->ClavierNumForm().nbtxt = QStringLiteral("1234");
        main->claviernumfmx().nbtxt = QStringLiteral("1234");
        const auto act = [&](auto* k) {
            if (keys == u"close") {
                QTest::keyClicks(k, QStringLiteral("12"));
                QTest::mouseClick(k->template findChild<QPushButton*>(QStringLiteral("btnclose")),
                                  Qt::LeftButton);
            } else {
                QTest::keyClicks(k, keys);
                QTest::keyClick(k, Qt::Key_Return);
            }
        };
        if (where == u"table") {
            Answer<TClavierNumForm> pin(act);
            clickTable(3);
            QVERIFY(pin.answered);
            QCOMPARE(pin.title, QStringLiteral(" Utilisateur"));
            QCOMPARE(opened, goesOn ? QList<int>{3} : QList<int>{});
            QVERIFY(prompt->shown.isEmpty());
        } else {
            Answer<Tclaviernumfmx> pin(act);
            QTest::mouseClick(main->findChild<QPushButton*>(QStringLiteral("main") + where), Qt::LeftButton);
            QVERIFY(pin.answered);
            QCOMPARE(prompt->shown.size(), goesOn ? 1 : 0);
            if (goesOn)
                QVERIFY(prompt->shown.first().contains(QStringLiteral("n'est pas encore disponible")));
            QVERIFY(opened.isEmpty());
        }
        QCOMPARE(ctx->idutilisateur, user);
        if (user == 0) QVERIFY(ctx->nomutilisateur.isEmpty());
    }

    void openingAFreeTableSetsTheTillContext() {
        start();
        Answer<TClavierNumForm> pin([](TClavierNumForm* k) { type(k, QStringLiteral("1234\r")); },
                                    QStringLiteral(" Utilisateur"));
        auto covers = std::make_unique<Answer<TClavierNumForm>>(
            [](TClavierNumForm* k) { type(k, QStringLiteral("4\r")); }, QStringLiteral(" Nb Couverts"));
        ctx->idcli = 5;
        clickTable(6);
        QVERIFY(covers && covers->answered);
        QCOMPARE(covers->title, QStringLiteral(" Nb Couverts"));
        QCOMPARE(opened, QList<int>{6});
        QCOMPARE(ctx->nosalle, 1);
        QCOMPARE(ctx->nomsalle, QStringLiteral("\rSalle"));
        QCOMPARE(ctx->notable, 6);
        QCOMPARE(ctx->nomtable, QStringLiteral("6"));
        QCOMPARE(ctx->nbbt, main->tableButton(6)->slot());
        QCOMPARE(ctx->couvert, 4);
        QCOMPARE(ctx->idcli, ctx->idCliPassage);
        QCOMPARE(ctx->nomutilisateur, QStringLiteral("Patron"));
    }

    void tableColoursFollowTheOrderLines() {
        addLine(2, 0, 1);
        addLine(3, 1, 1);
        addLine(4, 0, 1, "1"); // only a deleted (hidden) line
        addLine(5, 0, 2);      // a named customer
        ctx->utilisateurok = false;
        ctx->couvertsOk = false;
        start();
        const struct {
            int table;
            int colour;
            const char* label;
        } expected[] = {{1, 0x008000, "1"},
                        {2, 0x000080, "2"},
                        {3, 0x0080FF, "3"},
                        {4, 0x000080, "4"},
                        {5, 0x000080, "DURAND"}};
        for (const auto& e : expected) {
            TableButton* b = main->tableButton(e.table);
            QCOMPARE(b->labelColor(), e.colour);
            QCOMPARE(b->labelText(), QString::fromUtf8(e.label));
            QCOMPARE(b->accessibleName(), QString::number(e.table));
        }
        // Order entry leaves table 1 waiting: its button turns orange on return.
        duringOrderEntry = [this] { addLine(1, 1, 3); };
        clickTable(1);
        QCOMPARE(main->tableButton(1)->labelColor(), 0x0080FF);
        QCOMPARE(main->tableButton(1)->labelText(), QStringLiteral("LEFÈVRE"));
        // The other room shows its own tables only.
        QTest::mouseClick(main->findChild<QPushButton*>(QStringLiteral("btnsalle2")), Qt::LeftButton);
        QCOMPARE(ctx->nosalle, 2);
        QCOMPARE(main->tableButtons().size(), 8);
        QCOMPARE(main->tableButton(1)->labelColor(), 0x008000);
    }

    void aDroppedTableSnapsToTen_data() {
        QTest::addColumn<QSize>("window"); // empty: full size
        QTest::addColumn<QPoint>("drop");  // on the plan, in its own units
        QTest::addColumn<QPoint>("stored");
        QTest::newRow("dropped at 125 it is stored at 120")
            << QSize() << QPoint(125, 125) << QPoint(120, 120);
        QTest::newRow("dropped at 126 it is stored at 130")
            << QSize() << QPoint(126, 126) << QPoint(130, 130);
        QTest::newRow("left and top snap each on their own")
            << QSize() << QPoint(301, 219) << QPoint(300, 220);
        QTest::newRow("on a plan shrunk to fit a small window the place is read in plan units")
            << QSize(1000, 700) << QPoint(122, 138) << QPoint(120, 140);
    }
    void aDroppedTableSnapsToTen() {
        QFETCH(QSize, window);
        QFETCH(QPoint, drop);
        QFETCH(QPoint, stored);
        ctx->couvertsOk = false;
        start();
        if (window.isValid()) {
            main->resize(window);
            QVERIFY(main->planScale() < 0.95);
            const double s = main->planScale();
            drop = QPoint(qRound(drop.x() * s), qRound(drop.y() * s));
        }
        QTest::mouseClick(main->findChild<QPushButton*>(QStringLiteral("btnmovetable")), Qt::LeftButton);
        QVERIFY(ctx->movetableok);
        QVERIFY(!main->findChild<QPushButton*>(QStringLiteral("mainmenu1"))->isEnabled());
        clickTable(2); // no PIN is asked while moving: a keypad here would hang the test
        QFrame* frame = main->moveFrame();
        QVERIFY(frame->isVisible());
        const TableButton* b = main->tableButton(2);
        QCOMPARE(frame->pos(), b->pos() + QPoint(10, 10));
        // Drag the frame by a point inside it, then double-click to drop it.
        const QPoint grab(20, 20);
        QTest::mousePress(frame, Qt::LeftButton, {}, grab);
        QTest::mouseMove(frame, drop - frame->pos() + grab);
        QTest::mouseRelease(frame, Qt::LeftButton, {}, drop - frame->pos() + grab);
        QCOMPARE(frame->pos(), drop);
        QTest::mouseDClick(frame, Qt::LeftButton, {}, grab);
        QVERIFY(!frame->isVisible());
        QVERIFY(opened.isEmpty());
        const auto rows = ctx->db->select(
            QStringLiteral("select X, Y from T_TABLE where NOSALLE_SALLE = 1 and NOTABLE_SALLE = 2"));
        QCOMPARE(QPoint(rows.first().value(0).toInt(), rows.first().value(1).toInt()), stored);
        QCOMPARE(b->pos(),
                 QPoint(qRound(stored.x() * main->planScale()), qRound(stored.y() * main->planScale())));
        QVERIFY(ctx->movetableok);
        QTest::mouseClick(main->findChild<QPushButton*>(QStringLiteral("btnmovetable")), Qt::LeftButton);
        QVERIFY(!ctx->movetableok);
        QVERIFY(main->findChild<QPushButton*>(QStringLiteral("mainmenu1"))->isEnabled());
    }

    void aClosedDayRefusesTheTable() {
        ctx->db->exec(QStringLiteral("insert into T_CLOSE_DATA (CD_DATE, CD_NOC) values (?, 1)"),
                      {Clock::today()});
        start();
        clickTable(3); // a keypad shown here would hang the test: none may come
        QCOMPARE(prompt->shown, QStringList{QStringLiteral(
                                    "Cette journée a été cloturée, vous ne pouvez pas faire de ticket")});
        QVERIFY(opened.isEmpty());
        QCOMPARE(ctx->idutilisateur, 0);
        // Nor can it be moved.
        main->setPlanEditing(true);
        clickTable(3);
        QVERIFY(!main->moveFrame()->isVisible());
    }

    void anUnclosedDayWarnsAndTheTableOpens() {
        ctx->db->exec(QStringLiteral("insert into T_CLOSE_DATA (CD_DATE, CD_NOC) values (?, 1)"),
                      {Clock::today().addDays(-5)});
        ctx->db->exec(
            QStringLiteral("insert into HISTORIQUE (HI_NOSAISIE, HI_NOTICKET, DATEHISTO) values ('x', 1, ?)"),
            {Clock::today().addDays(-2)});
        ctx->utilisateurok = false;
        ctx->couvertsOk = false;
        start();
        clickTable(3);
        QCOMPARE(prompt->shown, QStringList{QStringLiteral(
                                    "La derniere journée de travail n'a pa été cloturée (08/12/2026)")});
        QCOMPARE(opened, QList<int>{3});
    }

    void shopModeOpensOrderEntryAtOnce() {
        ctx->gestionTableOk = false;
        ctx->idcli = 4;
        start();
        QTRY_COMPARE_WITH_TIMEOUT(opened, QList<int>{0}, 30000);
        QCOMPARE(ctx->nbbt, 1);
        QCOMPARE(ctx->idutilisateur, -1);
        QCOMPARE(ctx->idcli, ctx->idCliPassage);
        QVERIFY(main->findChild<QWidget*>(QStringLiteral("roombar"))->isHidden());
        QVERIFY(main->tableButton(1)->isVisible()); // the first room's plan stays behind
    }

    void manyRoomsAndTablesAllShow() {
        for (int room = 3; room <= 12; ++room)
            ctx->db->exec(
                QStringLiteral("insert into T_ROOM (NOSALLE, NOMSALLE, NS_VISIBLE) values (?, ?, 'X')"),
                {room, QStringLiteral("Salon %1").arg(room)});
        for (int t = 1; t <= 60; ++t)
            ctx->db->exec(
                QStringLiteral(
                    "insert into T_TABLE (NOSALLE_SALLE, NOTABLE_SALLE, NOMTABLE_SALLE, X, Y, "
                    "SA_WIDTH, SA_HEIGHT, SA_VISIBLE, SA_OLD) values (12, ?, ?, ?, ?, 80, 60, 'X', '0')"),
                {t, QStringLiteral("S%1").arg(t), (t % 10) * 100, (t / 10) * 100});
        start();
        auto* last = main->findChild<QPushButton*>(QStringLiteral("btnsalle12"));
        QVERIFY(last);
        QTest::mouseClick(last, Qt::LeftButton);
        QCOMPARE(main->tableButtons().size(), 60);
        QCOMPARE(main->tableButton(60)->pos(), QPoint(0, 600));
        QVERIFY(main->tableButton(60)->isVisibleTo(main.get()));
    }
};

QOR_DB_TEST_MAIN(TestRoomScreen)
#include "tst_roomscreen.moc"
