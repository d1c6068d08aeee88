#include "core/Schema.h"

#include "core/Database.h"

namespace qor::Schema {

namespace {

// One table per paragraph: its name, then "COLUMN type" lines.
const char* const mainTables = R"(
SAISIES
CLEAUTO_SAISIE autoinc
SA_NOSAISIE text(12)
SA_ROW int
NOSALLE_SAISIE int
NOTABLE_SAISIE int
SA_ROOMNAME text
SA_TABLENAME text
FAMARTICLE_SAISIE int
SA_ARTICLE_ID int
DESARTICLE_SAISIE text
QTEARTICLE_SAISIE number
PRIXARTICLETTC_SAISIE number
SA_PURCHASEPRICE decimal
TOTALLIGNETTC_SAISIE number
RG int
SA_TOTALLIGNETTCRG number
CODETVAARTICLE_SAISIE int
SA_TAXRATE decimal
SA_LOYALTY number
COUVERTS int
ID_CLI_SAISIE int
SA_USER_ID int
SA_INFO int
SA_PRINTTICKET text(1)
SA_PRINTPROD1 int
SA_PRINTPROD2 int
SA_PRINTPROD3 int
SA_KITCHEN int
SA_HIDE text(1)
SA_LOCK int
SA_TIMECTRL text(12)

HISTORIQUE
HI_NOSAISIE text(12)
HI_NOTICKET int
DATEHISTO date
HEURE text(8)
HI_TIMECTRL text(12)
IDCLIENT int
COUVERTS int
HI_SALLE int
HI_TABLE int
HI_TOTALTTC number
RG int
COMMENTAIRE text

JNL
JN_AUTOINC autoinc
IDTXT int
NOSAISIE_JNL text(12)
DATEJNL_JNL date
HEUREJNL_JNL text(8)
NOSALLE_JNL int
NOTABLE_JNL int
NOMTABLE_JNL text
DESARTICLE_JNL text
QTEARTICLE_JNL number
PRIXARTICLETTC_JNL number
JN_PURCHASEPRICE decimal
TOTALLIGNETTC_JNL number
JN_RG int
JN_TOTALLIGNETTCRG number
CODETVAARTICLE_JNL int
JN_TAXRATE decimal
FAMARTICLE_JNL int
JN_ARTICLE_ID int
JN_USER_ID int
JN_PRINTTICKET text(1)
JN_LOYALTY number
JN_CTRL text(64)
JN_TIMECTRL text(12)

T_PAYMENT
PA_AUTOINC autoinc
PA_NOSAISIE text(12)
PA_PAYMENT_LIST_ID int
PA_VALUE number
PA_FLAG text(1)
PA_CTRL text(64)
PA_TIMECTRL text(12)

T_PAYMENT_LIST
PL_ID int
PL_NAME text
PL_ORDER byte
PL_COMPTA text(10)

T_CASH
CA_AUTOINC autoinc
CA_DATE date
CA_VALUE number
CA_VARIANT number
CA_INFO text
CA_INPUT_ID text

T_CLOSE_DATA
CD_DATE date
CD_NOC int
CD_USER smallint
CD_SUMPERIOD decimal
CD_SUMGLOBAL decimal
CD_TIMECTRL text(12)
CD_CTRL text(64)

T_STOCK
ST_IDARTICLE int
ST_VARIANT number
ST_DATE datetime
ST_PURCHASEPRICE number
ST_INFO text
ST_JNL_ID text(12)

ARTICLES
IDTXT int
FAMARTICLE_ARTICLES int
DESARTICLE_ARTICLES text
AR_LONGNAME text
CODETVAARTICLE_ARTICLES int
PRIXARTICLETTC_ARTICLES number
PRIXARTICLETTC2_ARTICLES number
PRIXARTILCEHT_ARTICLES number
PRIXARTICLEHT2_ARTICLES number
AR_PURCHASEPRICE number
AR_COEF number
QTESTOCK_ARTICLES number
AR_STOCK_MINI number
EAN text
AR_EAN2 text
AR_EAN3 text
CODECOMPTA_ARTICLES text
CUISINEOK int
CUISSONOK_ARTICLES text
ACCOMPAGNEMENTOK_ARTICLES text
SURPLACE_EMPORTE text
AR_PROVIDER_ID int
AR_ASKGROUP smallint
AR_PRINTTICKET int
AR_PRINTPROD1 int
AR_PRINTPROD2 int
AR_PRINTPROD3 int
AR_LOYALTY number
AR_COLOR text(6)
AR_ORDER smallint
AR_OLD text(1)
AR_TIMECTRL text(12)

FAMILLES
IDFAMILLE_FAMILLES int
CODEFAMILLE_FAMILLES text
DESFAMILLE_FAMILLES text
TRI_FAMILLES int
FA_PARENT int
CATEGORIE_FAMILLES text(2)
FA_DISCOUNT number
FA_DISCOUNTCLIENT smallint
FA_COLOR text(6)
FA_OLD text(1)
FA_TIMECTRL text(12)

T_GROUP_ARTICLE
GA_AUTOINC autoinc
CODEGROUPE int
CODEARTICLE int
GA_NAME text
GA_QUANTITY number
GA_PRICE number
GA_ORDER int

CLIENTS
IDTXT int
CIVILITE text
NOM text
PRENOM text
ADR1 text
ADR2 text
ADR3 text
CP text
VILLE text
TELEPHONE text
MOBILE text
EMAIL text
DATENAISS date
CB text
CL_CLIENTTYPE text(1)
CL_MOVE int
CL_RESIDUAL_LOYALTY number
CL_MEMO text
MODEREGLEMENT text
CodeCompta_Client text
CreditMaxi_client number
CL_OLD text(1)
CL_TIMECTRL text(12)

T_TECH_NOTE
IDFT autoinc
IDCLI int
TITRE text
DESCRIPTIF text
DATE_CREATION date
TC_TIMECTRL text(12)

T_ROOM
NOSALLE int
NOMSALLE text
NS_VISIBLE text(1)

T_TABLE
NOSALLE_SALLE int
NOTABLE_SALLE int
NOMTABLE_SALLE text
IMAGETABLE_SALLE text
X int
Y int
SA_WIDTH int
SA_HEIGHT int
SA_VISIBLE text(1)
tarif_salle text
SA_OLD text(1)

T_USER
US_ID int
US_NAME text
US_PWD text
US_OLD text(1)
US_INPUT text(1)
US_MENU1 text(1)
US_MENU2 text(1)
US_MENU3 text(1)
US_MENU4 text(1)
US_MENU5 text(1)

T_TVA
CODETVA int
TAUXTVA number
TV_COMPTA text(10)

T_COMPAGNY_INFO
CI_NAME text
CI_HEADER text
CI_COMMENT text

T_QUERY_STAT
QS_ID int
QS_NAME text
QS_SELECT text
QS_WHERE text
QS_ENDQUERY text
QS_COLUMN text

T_CONFIG
CO_ID int
CO_USER text
LARGEURTABLEAU int
HAUTEURTABLEAU int
REPIMAGES text
IMPRIMANTETIROIR text
GESTIONTABLES text
CLIENTS text
MDP text
DIVISIONFICHE text
CLIENTPASSAGE int
FICHETECHNIQUE text
HAUTEURMAX int
CODEBARRECLIENTS text
CREDITFIDELITECLIENT varchar(1)
FUSION text
GESTIONSTOCK text
COMPTA text
COUVERTS text
CO_PRODPRINTER1 text
CO_PRODPRINTER2 text
CO_PRODPRINTER3 text
IMPRIMENOTICKET text
IMPRIMANTETICKET text
MDPTIRROIR text
CO_DIRECTPAYMENT byte
AFFICHAGECLIENT text
CHOIXTICKET text
CODEFAMILLEGROUPEMENT text
EAN text
EDITION text
REPBACKUP text
CO_DEFAULTTVA byte
CO_LEFTMARGIN80 int
CO_FONTSIZE80 int
CO_SIZEBODYLABEL80 byte
CO_TABLET byte
COULEURFOND int
COULEURBORDURE int
COULEURECRITURE int
COULEURECRITURETITRE int
CO_CLOAKROOMMARGIN text
CO_HOURENDOFDAY text(8)
CO_ASKADDPASSCLIENT text
CO_PRINTUNITPRICE text
CO_VIEWGRAPH text(1)
CO_MAXWIDTHSCALE byte
CO_DISPLAYLCD1 text(40)
CO_DISPLAYLCD2 text(40)
CO_LGBTN byte
CO_NBPRINTPROD1 byte
CO_NBPRINTPROD2 byte
CO_NBPRINTPROD3 byte
CO_UPDATECTRL text(6)
PRIX2 text
VENTEFLASH text
COMMENTAIRE text
REGLEMENTIMMEDIAT text
DEVIS text
DETAILS text
IMPRESSIONSAISIE text
IMPRESSIONA4 text
CO_PROVIDER text
CO_CLOTHING text
CO_IMAGEFAMILY text
CO_SHOWCLIENT text
NBTICKET int
SALLEHT int
SALLEAEMPORTER int
TAUXCREDITFIDELITE number
CREDITMAX number
IMPRIMANTESTATS text
LECTEURVIRTUEL text
CUISINE text
)";

const char* const logTablesText = R"(
T_LOG
VP_DATE text(10)
VP_TIME text(8)
VP_USER int
VP_FROM text
)";

QList<TableDef> parse(const char* text) {
    QList<TableDef> result;
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    TableDef* current = nullptr;
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty()) {
            current = nullptr;
            continue;
        }
        if (!current) {
            result.append(TableDef{line, {}});
            current = &result.last();
            continue;
        }
        const qsizetype sp = line.indexOf(u' ');
        QString type = line.mid(sp + 1);
        if (type.startsWith(u"varchar(")) type = QStringLiteral("text(") + type.mid(8);
        current->columns.append(ColumnDef{line.left(sp), type});
    }
    return result;
}

} // namespace

const QList<TableDef>& tables() {
    static const QList<TableDef> t = parse(mainTables);
    return t;
}

const QList<TableDef>& logTables() {
    static const QList<TableDef> t = parse(logTablesText);
    return t;
}

const TableDef* table(const QString& name) {
    for (const TableDef& t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

const QStringList& indexes() {
    static const QStringList list = {
        "create index if not exists IX_SAISIES_ORDER on SAISIES (SA_NOSAISIE, SA_ROW, CLEAUTO_SAISIE)",
        "create index if not exists IX_SAISIES_TABLE on SAISIES (NOSALLE_SAISIE, NOTABLE_SAISIE)",
        "create index if not exists IX_SAISIES_KITCHEN on SAISIES (SA_KITCHEN)",
        "create index if not exists IX_HISTORIQUE_NOSAISIE on HISTORIQUE (HI_NOSAISIE)",
        "create index if not exists IX_HISTORIQUE_DATE on HISTORIQUE (DATEHISTO)",
        "create index if not exists IX_HISTORIQUE_CLIENT on HISTORIQUE (IDCLIENT)",
        "create unique index if not exists UX_HISTORIQUE_TICKET on HISTORIQUE (HI_NOTICKET) "
        "where HI_NOTICKET > 0",
        "create index if not exists IX_JNL_NOSAISIE on JNL (NOSAISIE_JNL)",
        "create index if not exists IX_JNL_DATE on JNL (DATEJNL_JNL)",
        "create index if not exists IX_JNL_ARTICLE on JNL (JN_ARTICLE_ID)",
        "create index if not exists IX_PAYMENT_NOSAISIE on T_PAYMENT (PA_NOSAISIE)",
        "create index if not exists IX_STOCK_ARTICLE on T_STOCK (ST_IDARTICLE)",
        "create index if not exists IX_ARTICLES_ID on ARTICLES (IDTXT)",
        "create index if not exists IX_ARTICLES_FAMILLE on ARTICLES (FAMARTICLE_ARTICLES)",
        "create index if not exists IX_ARTICLES_EAN on ARTICLES (EAN)",
        "create index if not exists IX_CLIENTS_ID on CLIENTS (IDTXT)",
        "create index if not exists IX_CLIENTS_CB on CLIENTS (CB)",
        "create index if not exists IX_TABLE_ROOM on T_TABLE (NOSALLE_SALLE, NOTABLE_SALLE)",
        "create index if not exists IX_CASH_DATE on T_CASH (CA_DATE)",
        "create index if not exists IX_CLOSE_DATE on T_CLOSE_DATA (CD_DATE)",
        "create index if not exists IX_TECHNOTE_CLIENT on T_TECH_NOTE (IDCLI)",
    };
    return list;
}

QString createStatement(const Database& db, const TableDef& table) {
    QStringList cols;
    for (const ColumnDef& c : table.columns)
        cols << c.name + u' ' + db.dialect().type(c.type);
    return QStringLiteral("create table %1 (%2)").arg(table.name, cols.join(QStringLiteral(", ")));
}

void create(Database& db) {
    db.write([&] {
        for (const TableDef& t : tables())
            db.exec(createStatement(db, t));
        for (const QString& s : indexes())
            db.exec(s);
    });
}

void createLog(Database& db) {
    for (const TableDef& t : logTables())
        db.exec(createStatement(db, t));
}

void createIndexes(Database& db) {
    // An index that cannot be built on old data (duplicate ticket numbers, say)
    // is left out rather than stopping the till.
    for (const QString& s : indexes()) {
        try {
            db.exec(s);
        } catch (const DbError&) {
        }
    }
}

} // namespace qor::Schema
