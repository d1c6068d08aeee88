#include "core/Upgrade.h"

#include "core/Database.h"
#include "core/Prompt.h"
#include "core/Schema.h"

namespace qor {

const QStringList& Upgrade::lines() {
    static const QStringList list = {
        "171110 alter table T_CONFIG add column CO_VIEWGRAPH varchar (1)",
        "171110 update T_CONFIG set CO_VIEWGRAPH = '0'",
        "171120 alter table T_CLOSE_DATA alter column CD_USER smallint",
        "171130 alter table T_PAYMENT add column PA_CTRL varchar (64)",
        "171130 alter table T_PAYMENT add column PA_TIMECTRL varchar (12)",
        "171205 alter table T_CLOSE_DATA add column CD_CTRL varchar (64)",
        "171205 alter table T_CLOSE_DATA add column CD_SUMPERIOD decimal (8,2)",
        "171205 alter table T_CLOSE_DATA add column CD_SUMGLOBAL decimal (8,2)",
        "171205 alter table SAISIES add column SA_HIDE varchar (1)",
        "171210 alter table JNL add column JN_TAXRATE decimal (8,2)",
        "171210 alter table T_TVA add column TV_COMPTA varchar (10)",
        "171210 alter table SAISIES add column SA_TAXRATE decimal (8,2)",
        "171215 alter table T_CONFIG add column CO_MAXWIDTHSCALE byte",
        "171215 update T_CONFIG set CO_MAXWIDTHSCALE = 0",
        "171220 alter table FAMILLES drop column CHEMINIMAGE_FAMILLES",
        "171225 alter table ARTICLES add column AR_TIMECTRL varchar (12)",
        "171225 alter table FAMILLES add column FA_TIMECTRL varchar (12)",
        "171225 alter table CLIENTS add column CL_TIMECTRL varchar (12)",
        "171225 alter table T_TECH_NOTE add column TC_TIMECTRL varchar (12)",
        "171225 alter table CLIENTS drop column CL_DELETEDATE",
        "171225 alter table SAISIES drop column PRIXARTICLEHT_SAISIE",
        "171225 alter table SAISIES drop column TOTALLIGNEHT_SAISIE",
        "171230 alter table T_CONFIG drop column BOUTONEMPORTER",
        "171230 alter table T_CONFIG drop column CREDITFIDELITECLIENT",
        "171230 alter table T_CONFIG drop column EMPLOYEREMISE",
        "180110 alter table T_CONFIG add column CO_DISPLAYLCD1 varchar (40)",
        "180110 alter table T_CONFIG add column CO_DISPLAYLCD2 varchar (40)",
        "180115 alter table ARTICLES add column AR_COLOR varchar (6)",
        "180115 update ARTICLES set AR_COLOR = ''",
        "180120 alter table T_CONFIG add column CREDITFIDELITECLIENT varchar (1)",
        "180120 update T_CONFIG set CREDITFIDELITECLIENT = '0'",
        "180410 alter table SAISIES add column SA_PURCHASEPRICE decimal (8,2)",
        "180410 update SAISIES set SA_PURCHASEPRICE = 0",
        "180410 alter table JNL add column JN_PURCHASEPRICE decimal (8,2)",
        "180410 update JNL set JN_PURCHASEPRICE = 0",
        "180515 alter table ARTICLES add column AR_ORDER smallint",
        "180515 update ARTICLES set AR_ORDER = 1",
        "180515 update ARTICLES set AR_ORDER = 0 where AR_OLD = '1'",
        "180520 alter table T_PAYMENT_LIST add column PL_COMPTA string (10)",
        "180525 alter table T_CONFIG add column CO_LGBTN byte",
        "180525 update T_CONFIG set CO_LGBTN = 130",
        "180530 alter table T_CONFIG add column CO_NBPRINTPROD1 byte",
        "180530 alter table T_CONFIG add column CO_NBPRINTPROD2 byte",
        "180530 alter table T_CONFIG add column CO_NBPRINTPROD3 byte",
        "180530 update T_CONFIG set CO_NBPRINTPROD1 = 1",
        "180530 update T_CONFIG set CO_NBPRINTPROD2 = 1",
        "180530 update T_CONFIG set CO_NBPRINTPROD3 = 1",
        "180531 alter table T_PAYMENT_LIST add column PL_ORDER byte",
        "180531 update T_PAYMENT_LIST set PL_ORDER = PL_ID",
        Upgrade::endMarker(),
    };
    return list;
}

QString Upgrade::confirmText() {
    return QStringLiteral("Une mise à jour de la base de données va etre lancée.\r"
                          "Avez-vous fait une sauvegarde avant de démarrer la procedure ?");
}

QString Upgrade::doneText() {
    return QStringLiteral("La mise à jour de la base de données est terminée.");
}

Upgrade::Result Upgrade::run(Database& db) {
    const QString stored = db.scalar(QStringLiteral("select CO_UPDATECTRL from T_CONFIG order by %1")
                                         .arg(db.dialect().configOrder()))
                               .toString();
    const QStringList& list = lines();
    bool started = false;
    for (const QString& line : list) {
        // The end marker closes the list: it is not a statement, so it is never run
        // (running it would only fail and ask a pointless question).
        if (line == endMarker()) break;
        const QString stamp = line.left(6);
        if (!(stamp > stored)) continue;
        if (!started) {
            if (!Prompt::current().ask(confirmText())) return Result::Declined;
            started = true;
        }
        const QString statement = line.mid(6, 100);
        if (statement.trimmed().isEmpty() || statement.startsWith(u"//")) continue;
        const QString sql = db.dialect().translateUpgrade(statement.trimmed());
        if (sql.isEmpty()) continue;
        try {
            db.exec(sql);
        } catch (const DbError&) {
            if (!Prompt::current().ask(QStringLiteral("Ligne : ") + statement +
                                       QStringLiteral("\rContinuer?")))
                break;
        }
    }
    if (!started) return Result::UpToDate;
    const QString last = list.at(list.size() - 2).left(6);
    db.exec(QStringLiteral("update T_CONFIG set CO_UPDATECTRL = ?"), {last});
    Schema::createIndexes(db);
    Prompt::current().inform(doneText());
    return Result::Done;
}

} // namespace qor
