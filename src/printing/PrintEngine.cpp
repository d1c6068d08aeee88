#include "printing/PrintEngine.h"

#include "core/DbError.h"
#include "core/TillContext.h"
#include "printing/Cups.h"
#include "printing/Devices.h"
#include "printing/PrinterSetting.h"
#include "printing/TicketText.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

namespace qor {

namespace {

const QString ticketSetting = QStringLiteral("IMPRIMANTETICKET");

QString ticketDevice(const QString& label) {
    return QStringLiteral("Imprimante ticket %1").arg(label);
}

const QString ticketAdvice = QStringLiteral(
    "Vérifiez que l'imprimante ticket est allumée, branchée, qu'elle a du papier et que son capot est fermé, "
    "puis le port du réglage IMPRIMANTETICKET (et ports.ini).");

// The setting and the copies of an installed-printer destination.
struct Destination {
    QString setting;
    QString key;
    int copies = 1;
    int fontSize = 0;
};

Destination destinationOf(const TillContext& ctx, const QString& destination) {
    if (destination == u"TICKET") return {ctx.imprimanteticket, ticketSetting, 1, ctx.taillepolice80};
    if (destination == u"PROD1") return {ctx.impprod1, QStringLiteral("CO_PRODPRINTER1"), ctx.nbprod1, 16};
    if (destination == u"PROD2") return {ctx.impprod2, QStringLiteral("CO_PRODPRINTER2"), ctx.nbprod2, 16};
    if (destination == u"PROD3") return {ctx.impprod3, QStringLiteral("CO_PRODPRINTER3"), ctx.nbprod3, 16};
    throw UserError(QStringLiteral("Destination d'impression inconnue : « %1 ». "
                                   "Les destinations sont TICKET, PROD1, PROD2, PROD3 et VEST1.")
                        .arg(destination));
}

QString printerLabel(const QString& destination, const QString& printer) {
    return QStringLiteral("Imprimante %1 (%2)").arg(destination, printer);
}

// A drawn ticket: the page of an 80 mm receipt printer, 203 dots per inch, no margins,
// so that margins and offsets of the settings are printer dots.
class TicketPage {
  public:
    explicit TicketPage(const QString& what) : m_what(what) {
        if (!m_dir.isValid())
            throw UserError(
                QStringLiteral("%1 : pas de dossier temporaire pour préparer le ticket.").arg(what));
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(path());
        m_printer.setResolution(203);
        m_printer.setPageSize(
            QPageSize(QSizeF(80, 297), QPageSize::Millimeter, QStringLiteral("Ticket 80 mm")));
        m_printer.setPageMargins(QMarginsF(0, 0, 0, 0));
        m_printer.setFullPage(true);
        if (!m_painter.begin(&m_printer))
            throw UserError(QStringLiteral("%1 : le ticket ne peut pas être préparé.").arg(what));
    }
    QPainter& painter() { return m_painter; }
    QString path() const { return m_dir.filePath(QStringLiteral("ticket.pdf")); }
    void finish() {
        if (!m_painter.end())
            throw UserError(QStringLiteral("%1 : le ticket ne peut pas être préparé.").arg(m_what));
    }

  private:
    QString m_what;
    QTemporaryDir m_dir;
    QPrinter m_printer{QPrinter::HighResolution};
    QPainter m_painter;
};

QFont ticketFont(const QString& family, int size, bool bold) {
    QFont f(family);
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setPointSize(std::max(1, size));
    f.setBold(bold);
    return f;
}

// Draws one line with its top at y and returns the height of the drawn text.
int drawLine(QPainter& p, int x, int y, const QString& line) {
    const QFontMetrics fm = p.fontMetrics();
    p.drawText(x, y + fm.ascent(), line);
    return fm.height();
}

int decimal(const QString& text, const QString& what) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok)
        throw UserError(
            QStringLiteral("Le réglage CO_CLOAKROOMMARGIN est incorrect : la marge %1 « %2 » "
                           "doit être un nombre.\rCorrigez ce réglage dans la configuration de la caisse.")
                .arg(what, text));
    return v;
}

} // namespace

QByteArray escposTicket(const QStringList& lines, quint8 euroCode) {
    const QChar euro = PrinterSetting::euroCharacter(euroCode);
    QByteArray out("\x1b\x40", 2);
    for (QString line : lines) {
        line.replace(QChar(u'é'), QChar(u'e'), Qt::CaseInsensitive);
        line.replace(QChar(u'ô'), QChar(u'o'), Qt::CaseInsensitive);
        line.replace(QChar(u'à'), QChar(u'a'), Qt::CaseInsensitive);
        line.replace(QChar(0x20AC), euro);
        if (TicketText::isEmphasized(line)) {
            out += QByteArray("\x1b\x21\x10", 3);
            out += TicketText::toAnsi(TicketText::withoutMarks(line));
            out += '\n';
            out += QByteArray("\x1b\x21\x00", 3);
        } else {
            out += TicketText::toAnsi(line);
            out += '\n';
        }
    }
    out += QByteArray("\x1d\x56\x00", 3);
    return out;
}

void imprimesurticket(TillContext& ctx, const QString& file) {
    if (PrinterSetting::isSerial(ctx.imprimanteticket))
        imprimeserie(ctx, file, QStringLiteral("TICKET"));
    else
        imprimewindows(ctx, file, QStringLiteral("TICKET"));
}

void ouvreportticket(TillContext& ctx) {
    // Only a serial ticket printer has a port ("USB", "TXT": nothing to open).
    if (!PrinterSetting::isSerial(ctx.imprimanteticket)) return;
    const int baud = PrinterSetting::baudRate(ctx.imprimanteticket, ticketSetting);
    const QString name = PrinterSetting::serialName(ctx.imprimanteticket);
    Devices& dev = Devices::of(ctx);
    const QString path = Devices::devicePath(ctx, name);
    dev.ticketLabel = QStringLiteral("%1 (%2)").arg(name, path);
    dev.open(dev.ticketPort, path, baud, ticketDevice(dev.ticketLabel), ticketAdvice);
}

void imprimeserie(TillContext& ctx, const QString& file, const QString&) {
    // Everything that can be wrong with the text or the settings is found before a
    // single byte leaves, so that a refused ticket never prints half.
    const QStringList lines = TicketText::read(file);
    const quint8 euro = PrinterSetting::euroCode(ctx.imprimanteticket, ticketSetting);
    Devices& dev = Devices::of(ctx);
    if (!dev.ticketPort.isOpen()) ouvreportticket(ctx);
    dev.write(dev.ticketPort, escposTicket(lines, euro), ticketDevice(dev.ticketLabel), ticketAdvice);
}

void imprimewindows(TillContext& ctx, const QString& file, const QString& destination) {
    const Destination d = destinationOf(ctx, destination);
    if (!PrinterSetting::isInstalled(d.setting)) return;
    const int index = PrinterSetting::installedIndex(d.setting, d.key);
    const QString what = QStringLiteral("Imprimante %1").arg(destination);
    const QString printer = Cups::printerAt(index, what);
    Devices::of(ctx).selectedPrinter = printer;
    const QStringList lines = TicketText::read(file);
    if (d.copies == 0) return;
    Cups::checkReady(printer, printerLabel(destination, printer));

    TicketPage page(what);
    QPainter& p = page.painter();
    int y = 0;
    for (const QString& line : lines) {
        const bool strong = TicketText::isEmphasized(line);
        p.setFont(strong ? ticketFont(QStringLiteral("Consolas"), ctx.taillepolice80 + 1, true)
                         : ticketFont(QStringLiteral("Consolas"), d.fontSize, false));
        y += drawLine(p, ctx.margegauche80, y + 10, strong ? TicketText::withoutMarks(line) : line);
    }
    page.finish();
    // One job per copy, as separate tickets come out of the printer.
    const QString title = QStringLiteral("%1 %2").arg(destination, QFileInfo(file).fileName());
    for (int copy = 0; copy < d.copies; ++copy)
        Cups::submitFile(printer, page.path(), title, printerLabel(destination, printer));
}

void imprimevestiaire(TillContext& ctx, const QString& file, const QString& destination) {
    const bool ticketNotInstalled = !PrinterSetting::isInstalled(ctx.imprimanteticket);
    if ((destination == u"TICKET" && ticketNotInstalled) ||
        (destination == u"PROD1" && !PrinterSetting::isInstalled(ctx.impprod1)) ||
        (destination == u"PROD2" && !PrinterSetting::isInstalled(ctx.impprod2)))
        return;
    const QString what = QStringLiteral("Imprimante du ticket vestiaire");
    Devices& dev = Devices::of(ctx);
    QString printer;
    if (destination == u"TICKET")
        printer = Cups::printerAt(PrinterSetting::installedIndex(ctx.imprimanteticket, ticketSetting), what);
    else if (destination == u"PROD1" ||
             (destination == u"VEST1" && PrinterSetting::isInstalled(ctx.impprod1)))
        printer = Cups::printerAt(
            PrinterSetting::installedIndex(ctx.impprod1, QStringLiteral("CO_PRODPRINTER1")), what);
    else if (destination == u"PROD2")
        printer = Cups::printerAt(
            PrinterSetting::installedIndex(ctx.impprod2, QStringLiteral("CO_PRODPRINTER2")), what);
    else {
        // The printer selected by an earlier print stays, else the system's default one.
        printer = dev.selectedPrinter;
        if (printer.isEmpty()) printer = QPrinterInfo::defaultPrinterName();
        if (printer.isEmpty())
            throw UserError(QStringLiteral("%1 : aucune imprimante choisie. Réglez CO_PRODPRINTER1 sur une "
                                           "imprimante installée (USB00, USB01...) ou choisissez une "
                                           "imprimante par défaut dans CUPS.")
                                .arg(what));
    }
    dev.selectedPrinter = printer;
    const int top1 = decimal(ctx.margevestiaire1, QStringLiteral("du premier ticket"));
    const int top2 = decimal(ctx.margevestiaire2, QStringLiteral("du second ticket"));
    const QStringList lines = TicketText::read(file);
    Cups::checkReady(printer, printerLabel(destination, printer));

    TicketPage page(what);
    QPainter& p = page.painter();
    p.setBackgroundMode(Qt::OpaqueMode);
    for (int y : {top1, top2}) {
        for (const QString& line : lines) {
            const bool reverse = line.startsWith(QChar(0x00A0));
            p.setFont(ticketFont(QStringLiteral("Courier New"), reverse ? 22 : 16, true));
            p.setPen(reverse ? Qt::white : Qt::black);
            p.setBackground(reverse ? Qt::black : Qt::white);
            y += drawLine(p, ctx.margegauche80, y, line);
        }
    }
    page.finish();
    Cups::submitFile(printer, page.path(), QStringLiteral("VEST1 %1").arg(QFileInfo(file).fileName()),
                     printerLabel(destination, printer));
}

void imprimebrut(const QByteArray& bytes, const QString& printerName) {
    QString printer = printerName;
    const qsizetype on = printer.indexOf(QStringLiteral(" on "));
    if (on >= 0) printer = printer.left(on);
    printer = printer.trimmed();
    const QString what = QStringLiteral("Imprimante « %1 »").arg(printer);
    if (Cups::printers().isEmpty())
        throw UserError(QStringLiteral("%1 : aucune imprimante n'est installée (le service d'impression CUPS "
                                       "est-il démarré ?). Rien n'a été envoyé.")
                            .arg(what));
    if (!Cups::printers().contains(printer))
        throw UserError(
            QStringLiteral("Printer name does not exists.\r%1 n'est pas une imprimante installée. "
                           "Imprimantes installées : %2.\rCorrigez le nom dans le réglage IMPRIMANTETIROIR.")
                .arg(what, Cups::printers().join(QStringLiteral(", "))));
    Cups::checkReady(printer, what);
    Cups::submitRaw(printer, bytes, QStringLiteral("Print job raw"), what);
}

void imprime(TillContext& ctx, const QString& file, const QString& destination) {
    if (destination == u"TICKET")
        imprimesurticket(ctx, file);
    else if (destination == u"VEST1")
        imprimevestiaire(ctx, file, destination);
    else
        imprimewindows(ctx, file, destination);
}

} // namespace qor
