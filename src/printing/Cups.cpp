#include "printing/Cups.h"

#include "core/DbError.h"

#include <QPrinterInfo>
#include <cups/cups.h>

namespace qor::Cups {

namespace {

const QString advice = QStringLiteral(
    "Vérifiez l'imprimante dans la gestion des imprimantes (CUPS) : qu'elle est "
    "installée, activée et accepte les travaux (cupsenable, cupsaccept), et qu'elle est branchée.");

QString lastError() {
    return QString::fromUtf8(cupsLastErrorString());
}

} // namespace

QStringList printers() {
    return QPrinterInfo::availablePrinterNames();
}

QString printerAt(int index, const QString& what) {
    const QStringList all = printers();
    if (index >= 0 && index < all.size()) return all.at(index);
    if (all.isEmpty())
        throw UserError(QStringLiteral("%1 : aucune imprimante n'est installée (le service d'impression "
                                       "CUPS est-il démarré ?).\r%2")
                            .arg(what, advice));
    QStringList numbered;
    for (int i = 0; i < all.size(); ++i)
        numbered << QStringLiteral("%1 = %2").arg(i, 2, 10, QChar(u'0')).arg(all[i]);
    throw UserError(QStringLiteral("%1 : l'imprimante numéro %2 n'existe pas. Imprimantes installées : %3.\r"
                                   "Corrigez le numéro dans le réglage de l'imprimante.")
                        .arg(what)
                        .arg(index, 2, 10, QChar(u'0'))
                        .arg(numbered.join(QStringLiteral(", "))));
}

void checkReady(const QString& printer, const QString& what) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, printer.toUtf8().constData(), nullptr);
    if (!dest)
        throw UserError(QStringLiteral("%1 : l'imprimante « %2 » est introuvable (%3).\r%4")
                            .arg(what, printer, lastError(), advice));
    const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
    const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool stopped = state && QByteArray(state) == QByteArray::number(int(IPP_PSTATE_STOPPED));
    const bool rejecting = accepting && QByteArray(accepting).toLower() == "false";
    cupsFreeDests(1, dest);
    if (stopped)
        throw UserError(
            QStringLiteral("%1 : l'imprimante « %2 » est arrêtée dans CUPS.\r%3").arg(what, printer, advice));
    if (rejecting)
        throw UserError(QStringLiteral("%1 : l'imprimante « %2 » refuse les travaux d'impression.\r%3")
                            .arg(what, printer, advice));
}

int submitFile(const QString& printer, const QString& path, const QString& title, const QString& what) {
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, printer.toUtf8().constData(), path.toUtf8().constData(),
                                   title.toUtf8().constData(), 0, nullptr);
    if (job <= 0)
        throw UserError(QStringLiteral("%1 : l'impression sur « %2 » a été refusée (%3).\r%4")
                            .arg(what, printer, lastError(), advice));
    return job;
}

int submitRaw(const QString& printer, const QByteArray& bytes, const QString& title, const QString& what) {
    const QByteArray name = printer.toUtf8();
    const int job =
        cupsCreateJob(CUPS_HTTP_DEFAULT, name.constData(), title.toUtf8().constData(), 0, nullptr);
    if (job <= 0) {
        const int code = int(cupsLastError());
        const QString first = code == int(IPP_STATUS_ERROR_NOT_FOUND)
                                  ? QStringLiteral("Printer name does not exists.")
                                  : QStringLiteral("Error %1").arg(code);
        throw UserError(QStringLiteral("%1\r%2 : l'imprimante « %3 » ne prend pas le travail (%4).\r%5")
                            .arg(first, what, printer, lastError(), advice));
    }
    bool ok = cupsStartDocument(CUPS_HTTP_DEFAULT, name.constData(), job, title.toUtf8().constData(),
                                CUPS_FORMAT_RAW, 1) == HTTP_STATUS_CONTINUE;
    ok = ok && cupsWriteRequestData(CUPS_HTTP_DEFAULT, bytes.constData(), size_t(bytes.size())) ==
                   HTTP_STATUS_CONTINUE;
    const ipp_status_t finished = cupsFinishDocument(CUPS_HTTP_DEFAULT, name.constData());
    if (!ok || finished > IPP_STATUS_OK_CONFLICTING) {
        const QString reason = lastError();
        cupsCancelJob2(CUPS_HTTP_DEFAULT, name.constData(), job, 0);
        throw UserError(QStringLiteral("Error %1\r%2 : l'envoi à l'imprimante « %3 » a échoué (%4).\r%5")
                            .arg(int(cupsLastError()))
                            .arg(what, printer, reason, advice));
    }
    return job;
}

} // namespace qor::Cups
