#include "printing/CustomerDisplay.h"

#include "core/DbError.h"
#include "core/TillContext.h"
#include "printing/Devices.h"

#include <QStringEncoder>
#include <QThread>

namespace qor {

namespace {

bool configured(const TillContext& ctx) {
    return !ctx.affichageClient.isEmpty() && !ctx.affichageClient.startsWith(u"TXT");
}

const QString advice = QStringLiteral("Vérifiez les paramétrages de l'afficheur clients");

QString fold(QString s) {
    s.replace(QChar(u'é'), QChar(u'e'), Qt::CaseInsensitive);
    s.replace(QChar(u'à'), QChar(u'a'), Qt::CaseInsensitive);
    s.replace(QChar(0x20AC), u'E');
    return s;
}

} // namespace

QByteArray lcdText(const QString& line1, const QString& line2) {
    // Two rows of 20: the display wraps after the 20th character. Each character goes
    // out as two bytes, low byte first.
    const QString text = fold(line1).left(20).leftJustified(20, u' ') + fold(line2).left(20);
    QStringEncoder enc(QStringEncoder::Utf16LE);
    return enc.encode(text);
}

void ouvreafficheur(TillContext& ctx) {
    if (!configured(ctx)) return;
    Devices& dev = Devices::of(ctx);
    const QString name = ctx.affichageClient.left(9).trimmed();
    dev.displayLabel = name;
    try {
        const QString path = Devices::devicePath(ctx, name);
        dev.displayLabel = QStringLiteral("%1 (%2)").arg(name, path);
        dev.open(dev.displayPort, path, 9600, QStringLiteral("Afficheur client %1").arg(dev.displayLabel),
                 QStringLiteral("Vérifiez qu'il est branché et sous tension, et le réglage AFFICHAGECLIENT "
                                "(et ports.ini).\r") +
                     advice);
        dev.displayFailed = false;
    } catch (const UserError&) {
        dev.displayFailed = true;
        throw;
    }
}

void affichelcd(TillContext& ctx, const QString& line1, const QString& line2) {
    if (!configured(ctx)) return;
    Devices& dev = Devices::of(ctx);
    if (!dev.displayPort.isOpen()) {
        if (dev.displayFailed) return; // already reported: the till goes on without display
        ouvreafficheur(ctx);
    }
    const QString device = QStringLiteral("Afficheur client %1").arg(dev.displayLabel);
    const QString hint = QStringLiteral("Vérifiez qu'il est branché et sous tension.\r") + advice;
    try {
        dev.write(dev.displayPort, QByteArray("\x1b\x40", 2), device, hint);
        QThread::msleep(100); // the display clears itself after ESC @
        dev.write(dev.displayPort, lcdText(line1, line2), device, hint);
    } catch (const UserError&) {
        dev.displayFailed = true;
        throw;
    }
}

void affichelcdpub(TillContext& ctx) {
    if (!configured(ctx)) return;
    affichelcd(ctx, ctx.afficheurlcd1, ctx.afficheurlcd2);
}

void affichelcdligne(TillContext& ctx, const QString& quantity, const QString& label, const QString& amount,
                     const QString& total) {
    affichelcd(ctx, quantity + u' ' + label.left(11) + amount + u'E',
               QStringLiteral("Total ") + total + u'E');
}

} // namespace qor
