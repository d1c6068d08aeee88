#include "core/TillContext.h"

#include "core/Clock.h"

#include <QFile>
#include <QProcess>
#include <QSoundEffect>
#include <QUrl>

namespace qor {

void TillContext::loadVatAndCompany() {
    const Rows vat = db->select(QStringLiteral("select TAUXTVA from T_TVA order by CODETVA"));
    // The first rate is skipped; slots 1 to 4 take the next four rows. Past the
    // last row the last one repeats; an empty table gives 0 %.
    for (int slot = 1; slot <= 4; ++slot) {
        double rate = 0;
        if (!vat.isEmpty()) rate = vat.at(std::min<qsizetype>(slot, vat.size() - 1)).value(0).toDouble();
        txtva[slot] = rate;
        coeftva[slot] = rate / 100 + 1;
    }
    txtva[0] = coeftva[0] = 0;
    nomsociete = db->scalar(QStringLiteral("select CI_NAME from T_COMPAGNY_INFO")).toString();
}

void TillContext::vueimpression(const QString& origin) {
    if (!logdb) return;
    const QDateTime now = Clock::now();
    QString from = origin;
    from.replace(u'"', u'\'');
    logdb->exec(QStringLiteral("insert into T_LOG (VP_DATE, VP_TIME, VP_USER, VP_FROM) values (?, ?, ?, ?)"),
                {now.toString(QStringLiteral("yyyy-MM-dd")), now.toString(QStringLiteral("HH:mm:ss")),
                 idutilisateur, from});
}

void TillContext::tic() {
    const QString wav = dataFile(QStringLiteral("tic.wav"));
    if (!QFile::exists(wav)) return;
    static QSoundEffect* effect = nullptr;
    if (!effect) {
        effect = new QSoundEffect();
        effect->setSource(QUrl::fromLocalFile(wav));
    }
    effect->stop();
    effect->play();
}

void TillContext::freevk() {
    if (QFile::exists(QStringLiteral("vk.sh"))) {
        QProcess::startDetached(QStringLiteral("sh"), {QStringLiteral("vk.sh")});
        return;
    }
    // onboard keeps a single window of its own; a missing program shows nothing.
    QProcess::startDetached(QStringLiteral("onboard"), {});
}

QString TillContext::maintitle(const QDateTime& now) const {
    // A server database is named by its address; a file by its full path.
    const QString where = db && db->engine() == Engine::PostgreSQL ? dbName : DefaultAliasPath + dbName;
    return edition + QStringLiteral(" - Version : ") + QStringLiteral(QOR_VERSION) + QStringLiteral(" (") +
           where + QStringLiteral(") ") + now.toString(QStringLiteral("dd/MM/yyyy - HH:mm"));
}

QString TillContext::dateLabel(const QDateTime& now) {
    return now.toString(QStringLiteral("HH:mm")) + u'\n' + now.toString(QStringLiteral("dd/MM/yy"));
}

} // namespace qor
