#include "core/NewDatabase.h"

#include "core/Clock.h"
#include "core/Database.h"
#include "core/Schema.h"

#include <QHash>
#include <cmath>

namespace qor {

namespace {

// Windows colour value (red in the low byte) of an RGB colour.
int winColor(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

void insertConfig(Database& db, int id, bool demo) {
    const QVariantMap v = {
        {"CO_ID", id},
        {"CO_USER", demo ? "1" : "0"},
        {"LARGEURTABLEAU", 1024},
        {"HAUTEURTABLEAU", 620},
        {"REPIMAGES", ""},
        {"IMPRIMANTETIROIR", "TXT"},
        {"GESTIONTABLES", "1"},
        {"CLIENTS", "1"},
        {"MDP", ""},
        {"DIVISIONFICHE", "1"},
        {"CLIENTPASSAGE", 1},
        {"FICHETECHNIQUE", "0"},
        {"HAUTEURMAX", 700},
        {"CODEBARRECLIENTS", "0"},
        {"CREDITFIDELITECLIENT", demo ? "1" : "0"},
        {"FUSION", "1"},
        {"GESTIONSTOCK", "1"},
        {"COMPTA", "0"},
        {"COUVERTS", demo ? "1" : "0"},
        {"CO_PRODPRINTER1", "TXT"},
        {"CO_PRODPRINTER2", "TXT"},
        {"CO_PRODPRINTER3", "TXT"},
        {"IMPRIMENOTICKET", "1"},
        {"IMPRIMANTETICKET", "TXT"},
        {"MDPTIRROIR", "0"},
        {"CO_DIRECTPAYMENT", 0},
        {"AFFICHAGECLIENT", ""},
        {"CHOIXTICKET", "0"},
        {"CODEFAMILLEGROUPEMENT", "0"},
        {"EAN", "1"},
        {"EDITION", demo ? "Bistrot" : "Caisse"},
        {"REPBACKUP", ""},
        {"CO_DEFAULTTVA", 2},
        {"CO_LEFTMARGIN80", 0},
        {"CO_FONTSIZE80", 9},
        {"CO_SIZEBODYLABEL80", 22},
        {"CO_TABLET", 0},
        {"COULEURFOND", winColor(245, 240, 232)},
        {"COULEURBORDURE", winColor(122, 30, 38)},
        {"COULEURECRITURE", winColor(34, 34, 34)},
        {"COULEURECRITURETITRE", winColor(255, 255, 255)},
        {"CO_CLOAKROOMMARGIN", ""},
        {"CO_HOURENDOFDAY", "04:00:00"},
        {"CO_ASKADDPASSCLIENT", "0"},
        {"CO_PRINTUNITPRICE", "1"},
        {"CO_VIEWGRAPH", "1"},
        {"CO_MAXWIDTHSCALE", 0},
        {"CO_DISPLAYLCD1", "Bienvenue"},
        {"CO_DISPLAYLCD2", ""},
        {"CO_LGBTN", 130},
        {"CO_NBPRINTPROD1", 1},
        {"CO_NBPRINTPROD2", 1},
        {"CO_NBPRINTPROD3", 1},
        {"CO_UPDATECTRL", Schema::latestStamp},
        {"PRIX2", "0"},
        {"VENTEFLASH", "0"},
        {"COMMENTAIRE", "0"},
        {"REGLEMENTIMMEDIAT", "0"},
        {"DEVIS", "0"},
        {"DETAILS", "0"},
        {"IMPRESSIONSAISIE", "0"},
        {"IMPRESSIONA4", "0"},
        {"CO_PROVIDER", "0"},
        {"CO_CLOTHING", "0"},
        {"CO_IMAGEFAMILY", "0"},
        {"CO_SHOWCLIENT", "0"},
        {"NBTICKET", 1},
        {"SALLEHT", 0},
        {"SALLEAEMPORTER", 0},
        {"TAUXCREDITFIDELITE", 0.0},
        {"CREDITMAX", 0.0},
        {"IMPRIMANTESTATS", ""},
        {"LECTEURVIRTUEL", ""},
        {"CUISINE", ""},
    };
    QStringList cols, marks;
    QVariantList values;
    for (auto it = v.begin(); it != v.end(); ++it) {
        cols << it.key();
        marks << QStringLiteral("?");
        values << it.value();
    }
    db.exec(QStringLiteral("insert into T_CONFIG (%1) values (%2)").arg(cols.join(u','), marks.join(u',')),
            values);
}

void insertBase(Database& db, bool demo) {
    insertConfig(db, 1, demo);
    insertConfig(db, 2, demo);
    const QList<std::pair<int, double>> vat = {{0, 0.0}, {1, 5.5}, {2, 10.0}, {3, 20.0}, {4, 2.1}};
    for (const auto& [code, rate] : vat)
        db.exec(QStringLiteral("insert into T_TVA (CODETVA, TAUXTVA, TV_COMPTA) values (?, ?, ?)"),
                {code, rate, QStringLiteral("4457%1").arg(code)});
    const QStringList payments = {"Crédit fidélité", "Espèces", "Carte bancaire", "Chèque",
                                  "Ticket restaurant"};
    for (int i = 0; i < payments.size(); ++i)
        db.exec(QStringLiteral("insert into T_PAYMENT_LIST (PL_ID, PL_NAME, PL_ORDER, PL_COMPTA) "
                               "values (?, ?, ?, ?)"),
                {i, payments.at(i), i, QStringLiteral("53%1").arg(i)});
    db.exec(QStringLiteral("insert into CLIENTS (IDTXT, CIVILITE, NOM, PRENOM, CL_CLIENTTYPE, CL_MOVE, "
                           "CL_RESIDUAL_LOYALTY, CL_OLD, CL_TIMECTRL) values (1, '', 'PASSAGE', '', '0', 0, "
                           "0, '0', ?)"),
            {Clock::stamp()});
    db.exec(QStringLiteral("insert into T_COMPAGNY_INFO (CI_NAME, CI_HEADER, CI_COMMENT) values (?, ?, ?)"),
            demo ? QVariantList{"Le Petit Zinc",
                                "Le Petit Zinc\r\n12, rue des Halles\r\n69001 Lyon\r\n"
                                "Tél. 04 78 00 00 00",
                                "Merci de votre visite !\r\nÀ bientôt"}
                 : QVariantList{"Ma société", "Ma société", "Merci de votre visite"});
}

void insertDemo(Database& db) {
    const QString stamp = Clock::stamp();
    db.exec(QStringLiteral("insert into T_ROOM (NOSALLE, NOMSALLE, NS_VISIBLE) values (1, 'Salle', 'X')"));
    db.exec(QStringLiteral("insert into T_ROOM (NOSALLE, NOMSALLE, NS_VISIBLE) values (2, 'Terrasse', 'X')"));
    const QString table = QStringLiteral(
        "insert into T_TABLE (NOSALLE_SALLE, NOTABLE_SALLE, NOMTABLE_SALLE, IMAGETABLE_SALLE, X, Y, "
        "SA_WIDTH, SA_HEIGHT, SA_VISIBLE, tarif_salle, SA_OLD) values (?, ?, ?, '', ?, ?, ?, ?, 'X', '', "
        "'0')");
    // The dining room: three rows of tables and a bar counter.
    for (int i = 0; i < 12; ++i) {
        const int x = 40 + (i % 4) * 230, y = 40 + (i / 4) * 170;
        db.exec(table, {1, i + 1, QString::number(i + 1), x, y, 120, 100});
    }
    db.exec(table, {1, 13, "Bar", 40, 520, 360, 80});
    db.exec(table, {1, 14, "Comptoir", 460, 520, 200, 80});
    for (int i = 0; i < 8; ++i) {
        const int x = 60 + (i % 4) * 230, y = 80 + (i / 4) * 220;
        db.exec(table, {2, i + 1, QStringLiteral("T%1").arg(i + 1), x, y, 110, 110});
    }
    const QString user = QStringLiteral(
        "insert into T_USER (US_ID, US_NAME, US_PWD, US_OLD, US_INPUT, US_MENU1, US_MENU2, US_MENU3, "
        "US_MENU4, US_MENU5) values (?, ?, ?, '0', ?, ?, ?, ?, ?, ?)");
    db.exec(user, {1, "Patron", "1234", "X", "X", "X", "X", "X", "X"});
    db.exec(user, {2, "Julie", "1111", "X", "", "", "", "X", ""});
    db.exec(user, {3, "Marc", "2222", "X", "", "", "X", "X", ""});
    db.exec(user, {4, "Ancien serveur", "9999", "X", "", "", "", "", ""});
    db.exec(QStringLiteral("update T_USER set US_OLD = '1' where US_ID = 4"));

    // Families: id, name, order, parent, colour
    struct Fam {
        int id;
        const char* name;
        int parent;
        const char* color;
    };
    const QList<Fam> fams = {
        {1, "Boissons", 0, "4FA3D9"}, {2, "Entrées", 0, "8BC34A"}, {3, "Plats", 0, "E57373"},
        {4, "Desserts", 0, "F0A3C8"}, {5, "Menus", 0, "FFB74D"},   {6, "Softs", 1, "81D4FA"},
        {7, "Bières", 1, "FFD54F"},   {8, "Vins", 1, "B0527A"},    {9, "Cafés", 1, "A1887F"},
    };
    int order = 1;
    for (const Fam& f : fams)
        db.exec(
            QStringLiteral("insert into FAMILLES (IDFAMILLE_FAMILLES, CODEFAMILLE_FAMILLES, "
                           "DESFAMILLE_FAMILLES, TRI_FAMILLES, FA_PARENT, CATEGORIE_FAMILLES, FA_DISCOUNT, "
                           "FA_DISCOUNTCLIENT, FA_COLOR, FA_OLD, FA_TIMECTRL) "
                           "values (?, ?, ?, ?, ?, '', 0, 0, ?, '0', ?)"),
            {f.id, QString::number(f.id), QString::fromUtf8(f.name), order++, f.parent, f.color, stamp});

    // Articles: family, name, price, VAT slot, production printer (0 = none), purchase price
    struct Art {
        int fam;
        const char* name;
        double price;
        int vat;
        int prod;
        double purchase;
    };
    const QList<Art> arts = {
        {6, "Coca-Cola 33cl", 4.00, 2, 0, 0.80},
        {6, "Orangina", 4.00, 2, 0, 0.80},
        {6, "Jus d'orange pressé", 5.00, 2, 0, 1.10},
        {6, "Eau minérale 50cl", 3.50, 2, 0, 0.40},
        {6, "Limonade", 3.50, 2, 0, 0.50},
        {7, "Pression 25cl", 3.80, 3, 0, 0.70},
        {7, "Pression 50cl", 7.00, 3, 0, 1.30},
        {7, "Bière blanche", 5.50, 3, 0, 1.20},
        {7, "Panaché", 3.80, 3, 0, 0.60},
        {8, "Côtes-du-Rhône verre", 4.50, 3, 0, 1.00},
        {8, "Beaujolais pichet 50cl", 14.00, 3, 0, 3.50},
        {8, "Chardonnay verre", 5.00, 3, 0, 1.20},
        {8, "Rosé de Provence", 4.80, 3, 0, 1.10},
        {8, "Champagne coupe", 9.00, 3, 0, 3.00},
        {9, "Café", 1.90, 2, 0, 0.20},
        {9, "Café crème", 3.20, 2, 0, 0.35},
        {9, "Thé", 3.00, 2, 0, 0.30},
        {9, "Chocolat chaud", 3.80, 2, 0, 0.50},
        {2, "Salade lyonnaise", 9.50, 2, 1, 2.50},
        {2, "Œuf cocotte", 8.00, 2, 1, 1.50},
        {2, "Soupe à l'oignon", 7.50, 2, 1, 1.20},
        {2, "Terrine maison", 8.50, 2, 1, 2.00},
        {2, "Planche \"mixte\"", 16.00, 2, 1, 5.50},
        {3, "Steak frites", 17.50, 2, 1, 5.00},
        {3, "Quenelle de brochet", 16.00, 2, 1, 4.00},
        {3, "Andouillette", 15.50, 2, 1, 4.20},
        {3, "Poulet rôti", 15.00, 2, 1, 3.80},
        {3, "Tartare de bœuf", 18.00, 2, 1, 5.50},
        {3, "Risotto aux cèpes", 16.50, 2, 1, 3.90},
        {3, "Plat du jour", 13.90, 2, 1, 3.50},
        {4, "Crème brûlée", 7.00, 2, 2, 1.20},
        {4, "Tarte Tatin", 7.50, 2, 2, 1.40},
        {4, "Mousse au chocolat", 6.50, 2, 2, 1.00},
        {4, "Île flottante", 6.50, 2, 2, 0.90},
        {4, "Café gourmand", 8.50, 2, 2, 1.80},
        {4, "Fromage blanc", 5.50, 2, 2, 0.80},
        {5, "Menu du jour", 19.90, 2, 1, 6.00},
        {5, "Menu enfant", 11.00, 2, 1, 3.00},
        {1, "Sirop à l'eau", 2.50, 2, 0, 0.20},
        {1, "Verre d'eau", 0.00, 2, 0, 0.00},
    };
    const QString art = QStringLiteral(
        "insert into ARTICLES (IDTXT, FAMARTICLE_ARTICLES, DESARTICLE_ARTICLES, AR_LONGNAME, "
        "CODETVAARTICLE_ARTICLES, PRIXARTICLETTC_ARTICLES, PRIXARTICLETTC2_ARTICLES, PRIXARTILCEHT_ARTICLES, "
        "PRIXARTICLEHT2_ARTICLES, AR_PURCHASEPRICE, AR_COEF, QTESTOCK_ARTICLES, AR_STOCK_MINI, EAN, AR_EAN2, "
        "AR_EAN3, CODECOMPTA_ARTICLES, CUISINEOK, CUISSONOK_ARTICLES, ACCOMPAGNEMENTOK_ARTICLES, "
        "SURPLACE_EMPORTE, AR_PROVIDER_ID, AR_ASKGROUP, AR_PRINTTICKET, AR_PRINTPROD1, AR_PRINTPROD2, "
        "AR_PRINTPROD3, AR_LOYALTY, AR_COLOR, AR_ORDER, AR_OLD, AR_TIMECTRL) values (?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?, 0, 0, ?, '', '', '', ?, '0', '0', '1', 0, ?, 1, ?, ?, 0, ?, '', ?, '0', ?)");
    const double rates[] = {0, 5.5, 10, 20, 2.1};
    QHash<int, int> perFamily;
    for (int i = 0; i < arts.size(); ++i) {
        const Art& a = arts.at(i);
        const double ht = std::round(a.price / (1 + rates[a.vat] / 100) * 100) / 100;
        const double coef = a.purchase > 0 ? std::round(a.price / a.purchase * 100) / 100 : 0;
        const QString ean = QStringLiteral("3760%1").arg(100000000 + i, 9, 10, QLatin1Char('0'));
        const bool menu = a.fam == 5;
        db.exec(art,
                {i + 1, a.fam, QString::fromUtf8(a.name), QString::fromUtf8(a.name), a.vat, a.price, a.price,
                 ht, ht, a.purchase, coef, ean, a.prod > 0 ? 1 : 0, menu ? 1 : 0, a.prod == 1 ? 1 : 0,
                 a.prod == 2 ? 1 : 0, a.fam == 8 ? 0.0 : 5.0, ++perFamily[a.fam], stamp});
    }
    // The menu of the day: a starter, a main course and a dessert to choose.
    const QString group = QStringLiteral("insert into T_GROUP_ARTICLE (CODEGROUPE, CODEARTICLE, GA_NAME, "
                                         "GA_QUANTITY, GA_PRICE, GA_ORDER) values (?, ?, ?, 1, ?, ?)");
    const int menuId = 37;
    const QList<std::tuple<int, const char*, double>> parts = {
        {19, "Salade lyonnaise", 6.00}, {30, "Plat du jour", 10.90}, {31, "Crème brûlée", 3.00}};
    int gOrder = 1;
    for (const auto& [id, name, price] : parts)
        db.exec(group, {menuId, id, QString::fromUtf8(name), price, gOrder++});

    const QString client = QStringLiteral(
        "insert into CLIENTS (IDTXT, CIVILITE, NOM, PRENOM, ADR1, ADR2, ADR3, CP, VILLE, TELEPHONE, MOBILE, "
        "EMAIL, CB, CL_CLIENTTYPE, CL_MOVE, CL_RESIDUAL_LOYALTY, CL_MEMO, MODEREGLEMENT, CodeCompta_Client, "
        "CreditMaxi_client, CL_OLD, CL_TIMECTRL) values (?, ?, ?, ?, ?, '', '', ?, ?, ?, '', ?, ?, ?, ?, ?, "
        "'', '', '', 0, '0', ?)");
    db.exec(client, {2, "M.", "DURAND", "Pierre", "4 place Bellecour", "69002", "Lyon", "0601020304",
                     "p.durand@exemple.fr", "2000000000022", "0", 12, 8.50, stamp});
    db.exec(client, {3, "Mme", "LEFÈVRE", "Hélène", "18 quai Saint-Antoine", "69002", "Lyon", "0611223344",
                     "", "2000000000039", "0", 5, 2.10, stamp});
    db.exec(client,
            {4, "M.", "O'BRIEN", "Seán", "7 rue Mercière", "69002", "Lyon", "", "", "", "1", 0, 0.0, stamp});
    db.exec(client, {5, "Mme", "MARTIN", "Claire", "22 cours Lafayette", "69003", "Lyon", "0478112233",
                     "claire.martin@exemple.fr", "", "0", 3, 0.0, stamp});
}

} // namespace

void createDatabase(Database& db, bool demo) {
    Schema::create(db);
    db.write([&] {
        insertBase(db, demo);
        if (demo) insertDemo(db);
    });
}

} // namespace qor
