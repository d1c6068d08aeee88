#pragma once
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

namespace qor {

class Database;

// A visible room of the room bar.
struct Room {
    int nosalle = 0;
    QString nomsalle;
    // As the room button shows it and the till context keeps it: "\r" + name.
    QString caption() const { return QStringLiteral("\r") + nomsalle; }
};

// A table of a room as T_TABLE places it on the plan.
struct TablePlace {
    int nosalle = 0;
    int notable = 0;
    QString nom;
    QString image; // IMAGETABLE_SALLE: a picture file, or empty for the built-in one
    int x = 0, y = 0, width = 0, height = 0;
    bool visible = true; // SA_VISIBLE = "X"
};

enum class TableState { Free, Occupied, Waiting };

// What the order lines of SAISIES say about a table: its state and the customer of
// its first line.
struct TableStatus {
    TableState state = TableState::Free;
    int idcli = 0;
};

// The room plan's data: rooms, tables and their places, table states, moving a
// table, and the checks made before a table opens.
namespace RoomPlan {

// State colours as Windows colour values (red in the low byte).
constexpr int freeColor = 0x008000;     // green
constexpr int occupiedColor = 0x000080; // maroon
constexpr int waitingColor = 0x0080FF;  // orange
int stateColor(TableState state);

QList<Room> rooms(Database& db);
// Tables of a room that are not deleted, visible or not, by table number.
QList<TablePlace> tables(Database& db, int nosalle);
// Status of every table of the room that has order lines (hidden lines count):
// waiting when the first line's SA_INFO is 1, occupied otherwise. Tables absent
// from the result are free.
QHash<int, TableStatus> statuses(Database& db, int nosalle);
TableStatus status(Database& db, int nosalle, int notable);
// The surname a table's label shows for its customer: empty for the walk-in
// customer, a negative key, an unknown customer or an empty surname.
QString customerSurname(Database& db, int idcli, int idCliPassage);

// A plan coordinate snapped to a multiple of 10: a remainder above 5 rounds up,
// otherwise down (125 gives 120, 126 gives 130). Negative places become 0.
int snap(int value);
// Stores a moved table's place (already snapped) in its own row.
void storePosition(Database& db, int nosalle, int notable, int x, int y);

// Whether today's business day has been closed (a day closing row of T_CLOSE_DATA).
bool dayClosed(Database& db, const QDate& today);
// The date of the latest ticket of an earlier day when that day has not been
// closed, for the warning; nothing before any day has been closed. Between midnight
// and the end-of-day hour, yesterday's tickets still belong to the open day.
std::optional<QDate> unclosedDay(Database& db, const QDateTime& now, const QString& heurefinjour);

inline const QString closedDayMessage =
    QStringLiteral("Cette journée a été cloturée, vous ne pouvez pas faire de ticket");
QString unclosedDayMessage(const QDate& ticketDate);

} // namespace RoomPlan
} // namespace qor
