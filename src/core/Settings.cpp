#include "core/Settings.h"

#include "core/Database.h"

namespace qor {

namespace {

QVariant field(const QSqlRecord& r, const char* column) {
    const int i = r.indexOf(QLatin1String(column));
    if (i < 0)
        throw UserError(QStringLiteral("La colonne %1 manque dans la table T_CONFIG.\r"
                                       "La base de données n'est pas à la bonne version.")
                            .arg(QLatin1String(column)));
    return r.value(i);
}

bool flag(const QSqlRecord& r, const char* c) {
    return Settings::parseFlag(QLatin1String(c), field(r, c));
}
int integer(const QSqlRecord& r, const char* c) {
    return field(r, c).toInt();
}
quint8 byte(const QSqlRecord& r, const char* c) {
    return quint8(field(r, c).toInt() & 0xFF);
}
double number(const QSqlRecord& r, const char* c) {
    return field(r, c).toDouble();
}
QString text(const QSqlRecord& r, const char* c) {
    return field(r, c).toString();
}

} // namespace

bool Settings::parseFlag(const QString& column, const QVariant& value) {
    const QString t = value.isNull() ? QString() : value.toString().trimmed();
    if (t.compare(u"true", Qt::CaseInsensitive) == 0) return true;
    if (t.compare(u"false", Qt::CaseInsensitive) == 0) return false;
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (ok) return d != 0;
    throw UserError(QStringLiteral("Le réglage %1 de la table T_CONFIG vaut « %2 », qui n'est pas "
                                   "une valeur oui/non.\rValeurs admises : 0, 1, True ou False.")
                        .arg(column, t));
}

Settings Settings::fromRecord(const QSqlRecord& r) {
    Settings s;
    s.utilisateurok = flag(r, "CO_USER");
    s.largeurtableau = integer(r, "LARGEURTABLEAU");
    s.hauteurtableau = integer(r, "HAUTEURTABLEAU");
    s.repimages = text(r, "REPIMAGES");
    s.tiroir = text(r, "IMPRIMANTETIROIR");
    s.gestionTableOk = flag(r, "GESTIONTABLES");
    s.clientok = flag(r, "CLIENTS");
    s.mdp = text(r, "MDP");
    s.divisionFicheOk = flag(r, "DIVISIONFICHE");
    s.idCliPassage = integer(r, "CLIENTPASSAGE");
    s.FTOk = flag(r, "FICHETECHNIQUE");
    s.HauteurMaxi = integer(r, "HAUTEURMAX");
    s.cbCliOk = flag(r, "CODEBARRECLIENTS");
    s.fideliteok = flag(r, "CREDITFIDELITECLIENT");
    s.fusionOk = flag(r, "FUSION");
    s.stockOk = flag(r, "GESTIONSTOCK");
    s.comptaOk = flag(r, "COMPTA");
    s.couvertsOk = flag(r, "COUVERTS");
    s.impprod1 = text(r, "CO_PRODPRINTER1");
    s.impprod2 = text(r, "CO_PRODPRINTER2");
    s.impprod3 = text(r, "CO_PRODPRINTER3");
    s.impNoTicketOk = flag(r, "IMPRIMENOTICKET");
    s.imprimanteticket = text(r, "IMPRIMANTETICKET");
    s.mdpTirroirOk = flag(r, "MDPTIRROIR");
    s.encaissedirect = byte(r, "CO_DIRECTPAYMENT");
    s.affichageClient = text(r, "AFFICHAGECLIENT");
    s.choixticket = flag(r, "CHOIXTICKET");
    s.famGroupeOk = flag(r, "CODEFAMILLEGROUPEMENT");
    s.ean = flag(r, "EAN");
    s.edition = text(r, "EDITION");
    s.repbackup = text(r, "REPBACKUP");
    s.tvapardefaut = byte(r, "CO_DEFAULTTVA");
    s.margegauche80 = integer(r, "CO_LEFTMARGIN80");
    s.taillepolice80 = integer(r, "CO_FONTSIZE80");
    s.tailledes80 = byte(r, "CO_SIZEBODYLABEL80");
    s.nbtablette = byte(r, "CO_TABLET");
    s.couleurfond = integer(r, "COULEURFOND");
    s.couleurbordure = integer(r, "COULEURBORDURE");
    s.couleurecriture = integer(r, "COULEURECRITURE");
    s.couleurecrituretitre = integer(r, "COULEURECRITURETITRE");
    const QString cloak = text(r, "CO_CLOAKROOMMARGIN");
    s.margevestiaire1 = cloak.mid(0, 3);
    s.margevestiaire2 = cloak.mid(4, 3);
    s.heurefinjour = text(r, "CO_HOURENDOFDAY");
    s.ajoutpassclientok = flag(r, "CO_ASKADDPASSCLIENT");
    s.imprimepu = flag(r, "CO_PRINTUNITPRICE");
    s.graphok = flag(r, "CO_VIEWGRAPH");
    s.EchelleLargeurMaxi = byte(r, "CO_MAXWIDTHSCALE");
    s.afficheurlcd1 = text(r, "CO_DISPLAYLCD1");
    s.afficheurlcd2 = text(r, "CO_DISPLAYLCD2");
    s.lgbtnarticle = byte(r, "CO_LGBTN");
    s.nbprod1 = byte(r, "CO_NBPRINTPROD1");
    s.nbprod2 = byte(r, "CO_NBPRINTPROD2");
    s.nbprod3 = byte(r, "CO_NBPRINTPROD3");
    // Read for their validity only: no screen acts on them.
    s.prix2ok = flag(r, "PRIX2");
    for (const char* c :
         {"VENTEFLASH", "COMMENTAIRE", "REGLEMENTIMMEDIAT", "DEVIS", "DETAILS", "IMPRESSIONSAISIE",
          "IMPRESSIONA4", "CO_PROVIDER", "CO_CLOTHING", "CO_IMAGEFAMILY", "CO_SHOWCLIENT"})
        flag(r, c);
    for (const char* c : {"NBTICKET", "SALLEHT", "SALLEAEMPORTER"})
        integer(r, c);
    number(r, "TAUXCREDITFIDELITE");
    s.creditmaxi = number(r, "CREDITMAX");
    for (const char* c : {"IMPRIMANTESTATS", "LECTEURVIRTUEL", "CUISINE"})
        text(r, c);
    return s;
}

Settings Settings::read(Database& db, bool backOffice) {
    const Rows rows =
        db.select(QStringLiteral("select * from T_CONFIG order by %1").arg(db.dialect().configOrder()));
    if (rows.isEmpty())
        throw UserError(QStringLiteral("La table T_CONFIG est vide : la caisse n'a aucun réglage."));
    const int row = (backOffice && rows.size() > 1) ? 1 : 0;
    return fromRecord(rows.at(row));
}

} // namespace qor
