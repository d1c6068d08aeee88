#pragma once
#include "core/Database.h"
#include "core/Settings.h"

#include <QString>
#include <array>
#include <memory>

namespace qor {

// The till's current state: settings read at start, paths, the room, table and
// order being worked on, the current user, and the shared database connections.
// One object, owned by the main window, reachable by every screen.
struct TillContext : Settings {
    // Position and order
    quint8 nosalle = 1;
    QString nomsalle;   // as the room button shows it: "\r" + room name
    quint8 notable = 0; // 0 in shop mode
    QString nomtable;
    int nbbt = 1;
    QString nosaisie;
    int couvert = 0;
    int idcli = 1;
    QString nomclidetail;
    qint16 remiseglobale = 0;

    // User: 0 before anybody has identified, -1 in shop mode until somebody does
    int idutilisateur = 0;
    QString nomutilisateur;

    // Paths (folders end with "/") and start values
    QString DefaultPath;
    QString DefaultAliasPath;
    QString dbName;
    QString DefaultImagesPath;
    QString cmd;
    QString langue = QStringLiteral("FR");

    // VAT slots 0..4 (slot 0 stays 0) and the business name
    std::array<double, 5> coeftva{};
    std::array<double, 5> txtva{};
    QString nomsociete;

    // Room plan state
    quint8 btmax = 50;
    bool movetableok = false;
    int MoveTableTag = 0;
    QString MoveTableName;

    // Connections: the main database and the optional action log (log.db)
    std::unique_ptr<Database> db;
    std::unique_ptr<Database> logdb;
    std::shared_ptr<class Devices> devices; // open serial ports and printer choice (printing/Devices.h)

    // Reads T_TVA into the VAT slots and T_COMPAGNY_INFO's name.
    void loadVatAndCompany();

    // One row in the action log; nothing when log.db was not there at start.
    void vueimpression(const QString& origin);
    // Click sound: tic.wav of the data folder, when it exists.
    void tic();
    // On-screen keyboard: a vk.sh script in the current folder, or onboard.
    void freevk();
    // Window title and the two-line date label of the menu bar.
    QString maintitle(const QDateTime& now) const;
    static QString dateLabel(const QDateTime& now);
    // Full path of a work file of the data folder.
    QString dataFile(const QString& name) const { return DefaultAliasPath + name; }
};

} // namespace qor
