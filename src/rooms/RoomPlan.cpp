#include "rooms/RoomPlan.h"

#include "core/Database.h"

namespace qor::RoomPlan {

namespace {
// A date column read back on either engine (a date, or ISO text on SQLite).
QDate toDate(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return {};
    if (v.typeId() == QMetaType::QDate) return v.toDate();
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().date();
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}
} // namespace

int stateColor(TableState state) {
    switch (state) {
    case TableState::Free:
        return freeColor;
    case TableState::Occupied:
        return occupiedColor;
    case TableState::Waiting:
        return waitingColor;
    }
    return freeColor;
}

QList<Room> rooms(Database& db) {
    QList<Room> out;
    const Rows rows = db.select(
        QStringLiteral("select NOSALLE, NOMSALLE from T_ROOM where NS_VISIBLE = 'X' order by NOSALLE"));
    for (const QSqlRecord& r : rows)
        out.append(
            {r.value(QStringLiteral("NOSALLE")).toInt(), r.value(QStringLiteral("NOMSALLE")).toString()});
    return out;
}

QList<TablePlace> tables(Database& db, int nosalle) {
    QList<TablePlace> out;
    const Rows rows =
        db.select(QStringLiteral("select NOTABLE_SALLE, NOMTABLE_SALLE, IMAGETABLE_SALLE, X, Y, SA_WIDTH, "
                                 "SA_HEIGHT, SA_VISIBLE from T_TABLE where coalesce(SA_OLD, '') <> '1' "
                                 "and NOSALLE_SALLE = ? order by NOTABLE_SALLE"),
                  {nosalle});
    for (const QSqlRecord& r : rows) {
        TablePlace t;
        t.nosalle = nosalle;
        t.notable = r.value(QStringLiteral("NOTABLE_SALLE")).toInt();
        t.nom = r.value(QStringLiteral("NOMTABLE_SALLE")).toString();
        t.image = r.value(QStringLiteral("IMAGETABLE_SALLE")).toString();
        t.x = r.value(QStringLiteral("X")).toInt();
        t.y = r.value(QStringLiteral("Y")).toInt();
        t.width = r.value(QStringLiteral("SA_WIDTH")).toInt();
        t.height = r.value(QStringLiteral("SA_HEIGHT")).toInt();
        t.visible = r.value(QStringLiteral("SA_VISIBLE")).toString() == u"X";
        out.append(t);
    }
    return out;
}

QHash<int, TableStatus> statuses(Database& db, int nosalle) {
    QHash<int, TableStatus> out;
    // Lines in the order they were written: the first one of each table decides.
    const Rows rows =
        db.select(QStringLiteral("select NOTABLE_SAISIE, SA_INFO, ID_CLI_SAISIE from SAISIES "
                                 "where NOSALLE_SAISIE = ? order by NOTABLE_SAISIE, CLEAUTO_SAISIE"),
                  {nosalle});
    for (const QSqlRecord& r : rows) {
        const int table = r.value(QStringLiteral("NOTABLE_SAISIE")).toInt();
        if (out.contains(table)) continue;
        TableStatus s;
        s.state =
            r.value(QStringLiteral("SA_INFO")).toInt() == 1 ? TableState::Waiting : TableState::Occupied;
        s.idcli = r.value(QStringLiteral("ID_CLI_SAISIE")).toInt();
        out.insert(table, s);
    }
    return out;
}

TableStatus status(Database& db, int nosalle, int notable) {
    const Rows rows =
        db.select(QStringLiteral("select SA_INFO, ID_CLI_SAISIE from SAISIES where NOSALLE_SAISIE = ? "
                                 "and NOTABLE_SAISIE = ? order by CLEAUTO_SAISIE"),
                  {nosalle, notable});
    TableStatus s;
    if (rows.isEmpty()) return s;
    s.state = rows.first().value(0).toInt() == 1 ? TableState::Waiting : TableState::Occupied;
    s.idcli = rows.first().value(1).toInt();
    return s;
}

QString customerSurname(Database& db, int idcli, int idCliPassage) {
    if (idcli == idCliPassage || idcli < 0) return {};
    return db.scalar(QStringLiteral("select NOM from CLIENTS where IDTXT = ?"), {idcli}).toString();
}

int snap(int value) {
    if (value < 0) return 0;
    const int rest = value % 10;
    return rest > 5 ? value - rest + 10 : value - rest;
}

void storePosition(Database& db, int nosalle, int notable, int x, int y) {
    db.write([&] {
        db.exec(
            QStringLiteral("update T_TABLE set X = ?, Y = ? where NOSALLE_SALLE = ? and NOTABLE_SALLE = ? "
                           "and coalesce(SA_OLD, '') <> '1'"),
            {x, y, nosalle, notable});
    });
}

bool dayClosed(Database& db, const QDate& today) {
    return !db.select(QStringLiteral("select CD_NOC from T_CLOSE_DATA where CD_NOC = 1 and CD_DATE = ?"),
                      {today})
                .isEmpty();
}

std::optional<QDate> unclosedDay(Database& db, const QDateTime& now, const QString& heurefinjour) {
    const QDate lastClosing = toDate(db.scalar(QStringLiteral("select max(CD_DATE) from T_CLOSE_DATA")));
    if (!lastClosing.isValid()) return std::nullopt;
    const QTime end = QTime::fromString(heurefinjour, QStringLiteral("HH:mm:ss"));
    const QTime t = now.time();
    const bool nightOfPreviousDay = end.isValid() && t > QTime(0, 0) && t < end;
    const QDate limit = nightOfPreviousDay ? now.date().addDays(-1) : now.date();
    const QDate lastTicket = toDate(
        db.scalar(QStringLiteral("select max(DATEHISTO) from HISTORIQUE where DATEHISTO < ?"), {limit}));
    if (lastTicket.isValid() && lastTicket > lastClosing) return lastTicket;
    return std::nullopt;
}

QString unclosedDayMessage(const QDate& ticketDate) {
    return QStringLiteral("La derniere journée de travail n'a pa été cloturée (") +
           ticketDate.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(")");
}

} // namespace qor::RoomPlan
