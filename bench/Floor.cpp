#include "Floor.h"

#include <stdexcept>

namespace {
void check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}
int drain(sqlite3_stmt* s) {
    int rows = 0;
    while (sqlite3_step(s) == SQLITE_ROW)
        ++rows;
    sqlite3_reset(s);
    return rows;
}
} // namespace

Floor::Floor(const std::string& path) {
    check(sqlite3_open(path.c_str(), &m_db), m_db);
    sqlite3_busy_timeout(m_db, 15000);
    exec("PRAGMA journal_mode=WAL");
    exec("PRAGMA synchronous=FULL");
}

Floor::~Floor() {
    for (auto& [sql, s] : m_stmts)
        sqlite3_finalize(s);
    sqlite3_close(m_db);
}

sqlite3_stmt* Floor::stmt(const char* sql) {
    auto it = m_stmts.find(sql);
    if (it != m_stmts.end()) return it->second;
    sqlite3_stmt* s = nullptr;
    check(sqlite3_prepare_v2(m_db, sql, -1, &s, nullptr), m_db);
    m_stmts[sql] = s;
    return s;
}

void Floor::exec(const char* sql) {
    check(sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr), m_db);
}

double Floor::touch(const std::string& order, int row) {
    exec("BEGIN IMMEDIATE");
    sqlite3_stmt* ins = stmt("insert into SAISIES (SA_NOSAISIE, SA_ROW, NOSALLE_SAISIE, NOTABLE_SAISIE, "
                             "SA_ARTICLE_ID, DESARTICLE_SAISIE, QTEARTICLE_SAISIE, PRIXARTICLETTC_SAISIE, "
                             "TOTALLIGNETTC_SAISIE, RG, SA_TOTALLIGNETTCRG, CODETVAARTICLE_SAISIE, SA_HIDE) "
                             "values (?, ?, 1, 4, 1, 'Coca-Cola 33cl', 1, 4, 4, 0, 4, 2, '0')");
    sqlite3_bind_text(ins, 1, order.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(ins, 2, row);
    check(sqlite3_step(ins), m_db);
    sqlite3_reset(ins);
    exec("COMMIT");
    sqlite3_stmt* lines =
        stmt("select CLEAUTO_SAISIE, QTEARTICLE_SAISIE, DESARTICLE_SAISIE, SA_TOTALLIGNETTCRG "
             "from SAISIES where SA_NOSAISIE = ? and SA_HIDE <> '1' order by SA_ROW");
    sqlite3_bind_text(lines, 1, order.c_str(), -1, SQLITE_TRANSIENT);
    drain(lines);
    sqlite3_stmt* sum =
        stmt("select sum(SA_TOTALLIGNETTCRG) from SAISIES where SA_NOSAISIE = ? and SA_HIDE <> '1'");
    sqlite3_bind_text(sum, 1, order.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_step(sum);
    const double total = sqlite3_column_double(sum, 0);
    sqlite3_reset(sum);
    return total;
}

void Floor::removeLine(const std::string& order, int row) {
    sqlite3_stmt* del = stmt("delete from SAISIES where SA_NOSAISIE = ? and SA_ROW = ?");
    sqlite3_bind_text(del, 1, order.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(del, 2, row);
    sqlite3_step(del);
    sqlite3_reset(del);
}

void Floor::prepareOrder(const std::string& order, int lines) {
    exec("BEGIN IMMEDIATE");
    for (int i = 1; i <= lines; ++i) {
        sqlite3_stmt* ins =
            stmt("insert into SAISIES (SA_NOSAISIE, SA_ROW, NOSALLE_SAISIE, NOTABLE_SAISIE, "
                 "SA_ARTICLE_ID, DESARTICLE_SAISIE, QTEARTICLE_SAISIE, PRIXARTICLETTC_SAISIE, "
                 "TOTALLIGNETTC_SAISIE, RG, SA_TOTALLIGNETTCRG, CODETVAARTICLE_SAISIE, SA_TAXRATE, "
                 "SA_LOYALTY, ID_CLI_SAISIE, SA_PRINTTICKET, SA_HIDE, SA_TIMECTRL) "
                 "values (?, ?, 1, 5, ?, 'Article', 1, 4, 4, 0, 4, 2, 10, 0, 1, '1', '0', "
                 "'261211120000')");
        sqlite3_bind_text(ins, 1, order.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(ins, 2, i);
        sqlite3_bind_int(ins, 3, i);
        sqlite3_step(ins);
        sqlite3_reset(ins);
    }
    for (int method : {1, 2}) {
        sqlite3_stmt* pay = stmt("insert into T_PAYMENT (PA_NOSAISIE, PA_PAYMENT_LIST_ID, PA_VALUE, PA_FLAG) "
                                 "values (?, ?, 20, '0')");
        sqlite3_bind_text(pay, 1, order.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(pay, 2, method);
        sqlite3_step(pay);
        sqlite3_reset(pay);
    }
    exec("COMMIT");
}

int Floor::record(const std::string& order) {
    exec("BEGIN IMMEDIATE");
    auto run = [&](const char* sql) {
        sqlite3_stmt* s = stmt(sql);
        sqlite3_bind_text(s, 1, order.c_str(), -1, SQLITE_TRANSIENT);
        const int rc = sqlite3_step(s);
        check(rc, m_db);
        sqlite3_reset(s);
    };
    run("update T_PAYMENT set PA_FLAG = '1' where PA_NOSAISIE = ?");
    sqlite3_stmt* max = stmt("select max(HI_NOTICKET) from HISTORIQUE where HI_NOTICKET > 0");
    sqlite3_step(max);
    const int number = sqlite3_column_int(max, 0) + 1;
    sqlite3_reset(max);
    sqlite3_stmt* head = stmt("insert into HISTORIQUE (HI_NOSAISIE, HI_NOTICKET, DATEHISTO, HEURE, IDCLIENT, "
                              "COUVERTS, HI_SALLE, HI_TABLE, HI_TOTALTTC, RG, HI_TIMECTRL) "
                              "values (?, ?, '2026-12-11', '12:00:00', 1, 2, 1, 5, 40, 0, '261211120000')");
    sqlite3_bind_text(head, 1, order.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(head, 2, number);
    check(sqlite3_step(head), m_db);
    sqlite3_reset(head);
    run("insert into JNL (NOSAISIE_JNL, DATEJNL_JNL, HEUREJNL_JNL, NOSALLE_JNL, NOTABLE_JNL, DESARTICLE_JNL, "
        "QTEARTICLE_JNL, PRIXARTICLETTC_JNL, TOTALLIGNETTC_JNL, JN_RG, JN_TOTALLIGNETTCRG, "
        "CODETVAARTICLE_JNL, "
        "JN_TAXRATE, JN_ARTICLE_ID, JN_PRINTTICKET, JN_TIMECTRL) select SA_NOSAISIE, '2026-12-11', "
        "'12:00:00', "
        "NOSALLE_SAISIE, NOTABLE_SAISIE, DESARTICLE_SAISIE, QTEARTICLE_SAISIE, PRIXARTICLETTC_SAISIE, "
        "TOTALLIGNETTC_SAISIE, RG, SA_TOTALLIGNETTCRG, CODETVAARTICLE_SAISIE, SA_TAXRATE, SA_ARTICLE_ID, "
        "SA_PRINTTICKET, SA_TIMECTRL from SAISIES where SA_NOSAISIE = ? order by SA_ROW");
    run("insert into T_STOCK (ST_IDARTICLE, ST_VARIANT, ST_DATE, ST_INFO, ST_JNL_ID) select SA_ARTICLE_ID, "
        "-QTEARTICLE_SAISIE, '2026-12-11T12:00:00', 'MVT VENTES', SA_NOSAISIE from SAISIES where SA_NOSAISIE "
        "= ?");
    exec("update CLIENTS set CL_RESIDUAL_LOYALTY = CL_RESIDUAL_LOYALTY + 0, CL_MOVE = CL_MOVE + 1 where "
         "IDTXT = 1");
    run("delete from SAISIES where SA_NOSAISIE = ?");
    exec("COMMIT");
    return number;
}

int Floor::receipt(const std::string& order) {
    int rows = 0;
    for (const char* sql :
         {"select HI_NOTICKET, HI_TIMECTRL, IDCLIENT, HI_SALLE, HI_TABLE, COUVERTS, RG, "
          "HI_TOTALTTC from HISTORIQUE where HI_NOSAISIE = ?",
          "select QTEARTICLE_JNL, DESARTICLE_JNL, TOTALLIGNETTC_JNL, PRIXARTICLETTC_JNL, "
          "CODETVAARTICLE_JNL, JN_PRINTTICKET, JN_USER_ID, NOMTABLE_JNL from JNL "
          "where NOSAISIE_JNL = ? order by JN_AUTOINC",
          "select TAUXTVA, CODETVA, sum(JN_TOTALLIGNETTCRG) - sum(JN_TOTALLIGNETTCRG) / "
          "(1 + TAUXTVA / 100) from JNL, T_TVA where NOSAISIE_JNL = ? and "
          "CODETVAARTICLE_JNL = CODETVA group by TAUXTVA, CODETVA order by CODETVA",
          "select PL_NAME, PA_VALUE from T_PAYMENT, T_PAYMENT_LIST where PA_PAYMENT_LIST_ID = "
          "PL_ID and PA_NOSAISIE = ? order by PA_AUTOINC"}) {
        sqlite3_stmt* s = stmt(sql);
        sqlite3_bind_text(s, 1, order.c_str(), -1, SQLITE_TRANSIENT);
        rows += drain(s);
    }
    for (const char* sql :
         {"select CI_HEADER, CI_COMMENT from T_COMPAGNY_INFO", "select NOM from CLIENTS where IDTXT = 1",
          "select NOMSALLE from T_ROOM where NOSALLE = 1",
          "select NOMTABLE_SALLE from T_TABLE where NOSALLE_SALLE = 1 and NOTABLE_SALLE = 5"})
        rows += drain(stmt(sql));
    return rows;
}

int Floor::startup(const std::string& path) {
    Floor f(path);
    int rows = 0;
    for (const char* sql :
         {"select CO_UPDATECTRL from T_CONFIG", "select * from T_CONFIG order by rowid",
          "select TAUXTVA from T_TVA order by CODETVA", "select CI_NAME from T_COMPAGNY_INFO",
          "select NOSALLE, NOMSALLE from T_ROOM where NS_VISIBLE = 'X'",
          "select * from T_TABLE where SA_OLD <> '1' and NOSALLE_SALLE = 1",
          "select NOTABLE_SAISIE, SA_INFO, ID_CLI_SAISIE from SAISIES where NOSALLE_SAISIE = 1"})
        rows += drain(f.stmt(sql));
    return rows;
}
