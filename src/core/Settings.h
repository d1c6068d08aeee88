#pragma once
#include <QSqlRecord>
#include <QString>

namespace qor {

class Database;

// Every setting of T_CONFIG, read once at start. Field names are the till's own.
struct Settings {
    bool utilisateurok = false;
    int largeurtableau = 0;
    int hauteurtableau = 0;
    QString repimages;
    QString tiroir;
    bool gestionTableOk = false;
    bool clientok = false;
    QString mdp;
    bool divisionFicheOk = false;
    int idCliPassage = 1;
    bool FTOk = false;
    int HauteurMaxi = 0;
    bool cbCliOk = false;
    bool fideliteok = false;
    bool fusionOk = false;
    bool stockOk = false;
    bool comptaOk = false;
    bool couvertsOk = false;
    QString impprod1, impprod2, impprod3;
    bool impNoTicketOk = false;
    QString imprimanteticket;
    bool mdpTirroirOk = false;
    quint8 encaissedirect = 0;
    QString affichageClient;
    bool choixticket = false;
    bool famGroupeOk = false;
    bool ean = false;
    QString edition;
    QString repbackup;
    quint8 tvapardefaut = 0;
    int margegauche80 = 0;
    int taillepolice80 = 0;
    quint8 tailledes80 = 0;
    quint8 nbtablette = 0;
    int couleurfond = 0;
    int couleurbordure = 0;
    int couleurecriture = 0;
    int couleurecrituretitre = 0;
    QString margevestiaire1, margevestiaire2;
    QString heurefinjour;
    bool ajoutpassclientok = false;
    bool imprimepu = false;
    bool graphok = false;
    quint8 EchelleLargeurMaxi = 0;
    QString afficheurlcd1, afficheurlcd2;
    quint8 lgbtnarticle = 0;
    quint8 nbprod1 = 0, nbprod2 = 0, nbprod3 = 0;
    bool prix2ok = false;
    double creditmaxi = 0;

    // Reads the first settings row, or the second with backOffice ("/bo"; a single
    // row is used as it is). Raises UserError naming the column and the value when a
    // column is missing or a flag is not a boolean.
    static Settings read(Database& db, bool backOffice);
    static Settings fromRecord(const QSqlRecord& r);

    // Strict boolean of a flag text: "0"/"1" or any number, "True"/"False" in any case.
    static bool parseFlag(const QString& column, const QVariant& value);
};

} // namespace qor
