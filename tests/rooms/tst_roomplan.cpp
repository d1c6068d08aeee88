// The room plan's data: snapping, table states from the order lines, positions,
// and the closed-day checks.
#include "core/Clock.h"
#include "rooms/RoomPlan.h"
#include "support/TestDb.h"

#include <QApplication>

using namespace qor;

namespace {
void addLine(Database& db, int room, int table, int info, int customer, const char* hide = "0") {
    db.exec(QStringLiteral(
                "insert into SAISIES (SA_NOSAISIE, NOSALLE_SAISIE, NOTABLE_SAISIE, SA_INFO, "
                "ID_CLI_SAISIE, SA_HIDE, DESARTICLE_SAISIE) values ('261210120000', ?, ?, ?, ?, ?, 'Café')"),
            {room, table, info, customer, QString::fromLatin1(hide)});
}
} // namespace

class TestRoomPlan : public QObject {
    Q_OBJECT

  private slots:
    void snap_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("snapped");
        QTest::newRow("a remainder of 5 rounds down") << 125 << 120;
        QTest::newRow("a remainder of 6 rounds up") << 126 << 130;
        QTest::newRow("a multiple of 10 stays") << 130 << 130;
        QTest::newRow("a remainder of 9 rounds up to the next hundred") << 199 << 200;
        QTest::newRow("a place left of the plan becomes 0") << -7 << 0;
    }
    void snap() {
        QFETCH(int, value);
        QFETCH(int, snapped);
        QCOMPARE(RoomPlan::snap(value), snapped);
    }

    void statesFollowTheFirstLineOfEachTable() {
        auto db = qortest::newDatabase(true);
        addLine(*db, 1, 2, 0, 1);
        addLine(*db, 1, 3, 1, 1);
        addLine(*db, 1, 4, 0, 1, "1"); // only a deleted (hidden) line
        addLine(*db, 1, 5, 0, 2);
        addLine(*db, 1, 5, 1, 2); // a later line does not decide
        addLine(*db, 2, 1, 1, 1); // another room
        const QHash<int, TableStatus> s = RoomPlan::statuses(*db, 1);
        QVERIFY(!s.contains(1));
        QCOMPARE(s.value(2).state, TableState::Occupied);
        QCOMPARE(s.value(3).state, TableState::Waiting);
        QCOMPARE(s.value(4).state, TableState::Occupied);
        QCOMPARE(s.value(5).state, TableState::Occupied);
        QCOMPARE(s.value(5).idcli, 2);
        QCOMPARE(RoomPlan::status(*db, 1, 3).state, TableState::Waiting);
        QCOMPARE(RoomPlan::status(*db, 1, 1).state, TableState::Free);
        QCOMPARE(RoomPlan::stateColor(TableState::Waiting), 0x0080FF);
    }

    void customerSurnameOnlyForANamedCustomer() {
        auto db = qortest::newDatabase(true);
        QCOMPARE(RoomPlan::customerSurname(*db, 2, 1), QStringLiteral("DURAND"));
        QCOMPARE(RoomPlan::customerSurname(*db, 1, 1), QString());
        QCOMPARE(RoomPlan::customerSurname(*db, -1, 1), QString());
        QCOMPARE(RoomPlan::customerSurname(*db, 99, 1), QString());
    }

    void roomsAndTablesSkipHiddenRoomsAndDeletedTables() {
        auto db = qortest::newDatabase(true);
        db->exec(QStringLiteral("insert into T_ROOM (NOSALLE, NOMSALLE, NS_VISIBLE) values (3, 'Cave', '')"));
        db->exec(
            QStringLiteral("update T_TABLE set SA_OLD = '1' where NOSALLE_SALLE = 2 and NOTABLE_SALLE = 8"));
        db->exec(QStringLiteral(
            "update T_TABLE set SA_VISIBLE = '' where NOSALLE_SALLE = 2 and NOTABLE_SALLE = 7"));
        const QList<Room> rooms = RoomPlan::rooms(*db);
        QCOMPARE(rooms.size(), 2);
        QCOMPARE(rooms.at(1).caption(), QStringLiteral("\rTerrasse"));
        const QList<TablePlace> tables = RoomPlan::tables(*db, 2);
        QCOMPARE(tables.size(), 7);
        QVERIFY(!tables.last().visible);
        QVERIFY(RoomPlan::tables(*db, 3).isEmpty());
    }

    void storePositionMovesOnlyThatTable() {
        auto db = qortest::newDatabase(true);
        // Two tables with one name: each keeps its own place.
        db->exec(QStringLiteral(
            "update T_TABLE set NOMTABLE_SALLE = '1' where NOSALLE_SALLE = 1 and NOTABLE_SALLE = 2"));
        RoomPlan::storePosition(*db, 1, 2, 120, 130);
        const QList<TablePlace> t = RoomPlan::tables(*db, 1);
        QCOMPARE(QPoint(t.at(0).x, t.at(0).y), QPoint(40, 40));
        QCOMPARE(QPoint(t.at(1).x, t.at(1).y), QPoint(120, 130));
        QCOMPARE(RoomPlan::tables(*db, 2).first().x, 60);
    }

    void closedDays_data() {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<int>("lastTicketDaysAgo");  // -1: no ticket
        QTest::addColumn<int>("lastClosingDaysAgo"); // -1: no closing
        QTest::addColumn<bool>("todayClosed");
        QTest::addColumn<int>("warnDaysAgo"); // -1: no warning
        QTest::newRow("today closed refuses") << QTime(12, 0) << 0 << 0 << true << -1;
        QTest::newRow("before any closing nothing is said") << QTime(12, 0) << 3 << -1 << false << -1;
        QTest::newRow("tickets after the last closing warn") << QTime(12, 0) << 3 << 5 << false << 3;
        QTest::newRow("the last closing after the tickets says nothing")
            << QTime(12, 0) << 3 << 2 << false << -1;
        QTest::newRow("yesterday's tickets warn at noon") << QTime(12, 0) << 1 << 4 << false << 1;
        QTest::newRow("yesterday's tickets belong to the open day before the end-of-day hour")
            << QTime(2, 30) << 1 << 4 << false << -1;
    }
    void closedDays() {
        QFETCH(QTime, now);
        QFETCH(int, lastTicketDaysAgo);
        QFETCH(int, lastClosingDaysAgo);
        QFETCH(bool, todayClosed);
        QFETCH(int, warnDaysAgo);
        auto db = qortest::newDatabase(true);
        const QDate today(2026, 12, 10);
        if (lastTicketDaysAgo >= 0)
            db->exec(QStringLiteral(
                         "insert into HISTORIQUE (HI_NOSAISIE, HI_NOTICKET, DATEHISTO) values ('x', 1, ?)"),
                     {today.addDays(-lastTicketDaysAgo)});
        if (lastClosingDaysAgo >= 0)
            db->exec(QStringLiteral("insert into T_CLOSE_DATA (CD_DATE, CD_NOC) values (?, 1)"),
                     {today.addDays(-lastClosingDaysAgo)});
        QCOMPARE(RoomPlan::dayClosed(*db, today), todayClosed);
        const auto warn = RoomPlan::unclosedDay(*db, QDateTime(today, now), QStringLiteral("04:00:00"));
        QCOMPARE(warn.has_value(), warnDaysAgo >= 0);
        if (warn) {
            QCOMPARE(*warn, today.addDays(-warnDaysAgo));
            QCOMPARE(RoomPlan::unclosedDayMessage(*warn),
                     QStringLiteral("La derniere journée de travail n'a pa été cloturée (%1)")
                         .arg(warn->toString(QStringLiteral("dd/MM/yyyy"))));
        }
    }
};

QOR_DB_TEST_MAIN(TestRoomPlan)
#include "tst_roomplan.moc"
