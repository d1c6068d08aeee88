#include "checkout/Checkout.h"

#include "checkout/Receipt.h"
#include "core/Clock.h"
#include "core/Executeattend.h"
#include "core/Prompt.h"
#include "core/TillContext.h"
#include "printing/PrintEngine.h"
#include "printing/TicketText.h"

#include <QDir>

namespace qor {

QString pdfConverter() {
    const QString configured = qEnvironmentVariable("QOR_PDF_CONVERTER");
    return configured.isEmpty() ? QStringLiteral("wkhtmltopdf") : configured;
}

QString writeReceipt(TillContext& ctx, const QString& order, bool print, bool duplicate) {
    const QString file = ctx.dataFile(QStringLiteral("impression_ticket.txt"));
    TicketWriter w;
    w.add(imprimeticket(*ctx.db, ReceiptOptions::from(ctx), order, duplicate));
    w.save(file);
    if (print) imprimesurticket(ctx, file);
    return file;
}

QString archiveReceipt(TillContext& ctx, const RecordedTicket& t) {
    const QString folder = ctx.dataFile(QStringLiteral("ARCHIVES/"));
    if (!QDir().mkpath(folder))
        throw UserError(QStringLiteral("Le dossier d'archives %1 ne peut pas être créé.").arg(folder));
    const QString html = folder + QStringLiteral("impression_ticket.html");
    const QString pdf = folder + t.stamp.left(6) + u'-' + QString::number(t.number) + QStringLiteral(".pdf");
    txt2html(ctx.dataFile(QStringLiteral("impression_ticket.txt")), html);
    const QStringList arguments = {
        "-q", "-T", "0", "-B", "0", "-L", "0", "-R", "0", "-s", "A4", "--disable-smart-shrinking", html, pdf};
    // The converter now and then stalls on start: a second try follows a stalled first one.
    for (int attempt = 1;; ++attempt) {
        try {
            executeattend(pdfConverter(), arguments, 30000, {QStringLiteral("QT_QPA_PLATFORM=offscreen")});
            return pdf;
        } catch (const UserError&) {
            if (attempt == 2) throw;
        }
    }
}

CheckoutResult validerenregistrement(TillContext& ctx, const CheckoutRequest& req,
                                     const ReceiptChoice& choose) {
    TicketRequest r = TicketRequest::from(ctx, req.order, req.total, req.draft);
    r.correction = req.correction;
    // Asked before the recording starts: no question is ever open while the
    // database is held for the ticket.
    if (!req.correction && !req.draft && ctx.ajoutpassclientok)
        r.countVisit = Prompt::current().ask(QStringLiteral("Compter le passage ?"));

    CheckoutResult result;
    result.ticket = TicketRecorder(*ctx.db).record(r, Clock::now());

    const QString recorded = QStringLiteral("Le ticket n°%1 est enregistré, ").arg(result.ticket.number);
    try {
        bool print = req.impnum == 1 || req.impnum == 2;
        if (req.impnum == 2) writeReceipt(ctx, req.order, true);
        if (print && ctx.choixticket && ctx.encaissedirect == 0 && choose) {
            const int choice = choose();
            if (choice != 1) {
                print = false;
                if (choice == 2 || choice == 3)
                    result.problems << QStringLiteral("Les fiches de division arrivent avec l'historique des "
                                                      "tickets : le ticket est enregistré sans fiche.");
            }
        }
        writeReceipt(ctx, req.order, print);
    } catch (const UserError& e) {
        result.problems << recorded + QStringLiteral("mais il n'a pas pu être imprimé :\r") + e.text() +
                               QStringLiteral("\rVous pourrez le réimprimer depuis l'historique.");
    } catch (const DbError& e) {
        result.problems << recorded + QStringLiteral("mais son ticket n'a pas pu être composé :\r") +
                               e.text();
    }
    try {
        archiveReceipt(ctx, result.ticket);
    } catch (const UserError& e) {
        result.problems << recorded + QStringLiteral("mais son archive PDF n'a pas pu être faite :\r") +
                               e.text();
    }
    return result;
}

} // namespace qor
