#include "printing/CashDrawer.h"

#include "core/DbError.h"
#include "core/TillContext.h"
#include "printing/Devices.h"
#include "printing/PrintEngine.h"
#include "printing/PrinterSetting.h"

namespace qor {

namespace {

const QByteArray kick("\x1b\x40\x1b\x70\x00\x32\x96", 7);

// Upper case with the French accents folded, enough to recognise a brand name.
QString folded(const QString& s) {
    QString out = s.normalized(QString::NormalizationForm_D);
    out.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return out.toUpper();
}

} // namespace

QByteArray drawerKick(const QString& printerName) {
    if (folded(printerName.left(4)) == u"STAR") return QByteArray(1, '\x1c');
    return kick;
}

bool verifiemdp(const TillContext& ctx, const QString& typed) {
    const QString text = typed == u"0" ? QString() : typed;
    return text == ctx.mdp;
}

bool ouvretiroir(TillContext& ctx, bool askPassword, const PasswordEntry& entry) {
    if (ctx.tiroir.left(3) == u"TXT") return false;
    if (ctx.mdpTirroirOk && askPassword) {
        // Without a way to ask, the drawer stays shut rather than open unchecked.
        if (!entry || !verifiemdp(ctx, entry())) return false;
    }
    if (PrinterSetting::isInstalled(ctx.tiroir)) {
        const QString printer = PrinterSetting::drawerPrinterName(ctx.tiroir);
        if (printer.isEmpty())
            throw UserError(
                QStringLiteral("Tiroir-caisse : le réglage IMPRIMANTETIROIR (« %1 ») ne donne pas "
                               "le nom de l'imprimante (caractères 9 à 49).\r"
                               "Corrigez ce réglage dans la configuration de la caisse.")
                    .arg(ctx.tiroir));
        imprimebrut(drawerKick(printer), printer);
        return true;
    }
    Devices& dev = Devices::of(ctx);
    if (!dev.ticketPort.isOpen()) ouvreportticket(ctx);
    if (!dev.ticketPort.isOpen())
        throw UserError(
            QStringLiteral("Tiroir-caisse : il s'ouvre par l'imprimante ticket, mais celle-ci n'est pas "
                           "une imprimante série (IMPRIMANTETICKET = « %1 »).\r"
                           "Réglez IMPRIMANTETIROIR sur TXT (pas de tiroir), sur USB suivi du nom de "
                           "l'imprimante qui commande le tiroir, ou branchez une imprimante série.")
                .arg(ctx.imprimanteticket));
    dev.write(
        dev.ticketPort, kick, QStringLiteral("Tiroir-caisse par l'imprimante ticket %1").arg(dev.ticketLabel),
        QStringLiteral("Vérifiez que l'imprimante ticket est allumée et branchée, et le câble du tiroir."));
    return true;
}

void btntiroirClick(TillContext& ctx, const PasswordEntry& entry) {
    try {
        ouvretiroir(ctx, true, entry);
    } catch (...) {
        // The press is logged even when the device failed; the device's message wins.
        try {
            ctx.vueimpression(QStringLiteral("TIROIR"));
        } catch (...) {
        }
        throw;
    }
    ctx.vueimpression(QStringLiteral("TIROIR"));
}

} // namespace qor
