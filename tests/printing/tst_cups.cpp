// Installed printers through a real CUPS server: the raw queue qor-raw (its device is a
// socket that socat listens on) and the PDF queue qor-pdf, whose files pdftotext reads.
// scripts/start-cups.sh (started by make test) creates both.
#include "Rig.h"
#include "core/DbError.h"
#include "core/TillContext.h"
#include "printing/CashDrawer.h"
#include "printing/Devices.h"
#include "printing/PrintEngine.h"
#include "printing/TicketText.h"

#include <QApplication>
#include <QImage>
#include <QPrinterInfo>

using namespace qor;

namespace {

QString simplified(QString s) {
    return s.replace(QChar(0xA0), u' ').simplified();
}

// The non-empty lines of a page text, blanks simplified.
QStringList pageLines(const QString& text) {
    QStringList out;
    for (const QString& l : text.split(u'\n'))
        if (!simplified(l).isEmpty()) out << simplified(l);
    return out;
}

// The rows (at 30 dots per inch) where runs of black wider than a few letters begin:
// white-on-black lines, one band per group of consecutive reverse lines.
QList<int> blackBands(const QString& pdf) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    if (rig::run(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-gray"), QStringLiteral("-r"), QStringLiteral("30"),
                  QStringLiteral("-singlefile"), pdf, prefix}) != 0)
        return {};
    const QImage page(prefix + QStringLiteral(".pgm"));
    QList<int> bands;
    bool inBand = false;
    for (int y = 0; y < page.height(); ++y) {
        int run = 0, longest = 0;
        for (int x = 0; x < page.width(); ++x) {
            run = qGray(page.pixel(x, y)) < 64 ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        const bool band = longest >= 12;
        if (band && !inBand) bands << y;
        inBand = band;
    }
    return bands;
}

} // namespace

class TestCups : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_tag = QStringLiteral("q%1").arg(QCoreApplication::applicationPid());
    QString m_star, m_stopped, m_rejecting;
    std::unique_ptr<rig::RawListener> m_raw;

    static QString usb(const QString& printer) {
        const int i = int(QPrinterInfo::availablePrinterNames().indexOf(printer));
        return i < 0 ? QStringLiteral("TXT") : QStringLiteral("USB%1").arg(i, 2, 10, QChar(u'0'));
    }
    QString ticketFile(const QString& name, const QStringList& lines) {
        TicketWriter w;
        w.add(lines);
        const QString path = m_dir.filePath(m_tag + name + QStringLiteral(".txt"));
        w.save(path);
        return path;
    }
    std::unique_ptr<TillContext> till() {
        auto ctx = std::make_unique<TillContext>();
        ctx->DefaultAliasPath = m_dir.path() + u'/';
        ctx->taillepolice80 = 9;
        ctx->margegauche80 = 10;
        ctx->imprimanteticket = usb(QStringLiteral("qor-pdf"));
        ctx->impprod1 = ctx->impprod2 = ctx->impprod3 = usb(QStringLiteral("qor-pdf"));
        ctx->nbprod1 = ctx->nbprod2 = ctx->nbprod3 = 1;
        ctx->margevestiaire1 = QStringLiteral("000");
        ctx->margevestiaire2 = QStringLiteral("1100");
        return ctx;
    }
    // Prints a marker ticket and waits for it: the PDF queue handles jobs in order, so
    // every job sent before has been written (or was never sent) once it is there.
    void drain(TillContext& ctx) {
        static int n = 0;
        const QString name = QStringLiteral("marker%1").arg(++n);
        imprimewindows(ctx, ticketFile(name, {name}), QStringLiteral("TICKET"));
        QCOMPARE(rig::waitPdfs(m_tag + name, 1).size(), 1);
    }
    void addQueue(const QString& name) {
        QCOMPARE(rig::run(QStringLiteral("lpadmin"),
                          {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                           QStringLiteral("socket://127.0.0.1:%1").arg(rig::RawListener::port()),
                           QStringLiteral("-m"), QStringLiteral("raw")}),
                 0);
    }

  private slots:
    void initTestCase() {
        const QStringList printers = QPrinterInfo::availablePrinterNames();
        QVERIFY2(printers.contains(QStringLiteral("qor-raw")) && printers.contains(QStringLiteral("qor-pdf")),
                 "the CUPS test printers are missing: run scripts/start-cups.sh (make test does)");
        m_star = QStringLiteral("Star-%1").arg(m_tag);
        m_stopped = QStringLiteral("stopped-%1").arg(m_tag);
        m_rejecting = QStringLiteral("rejecting-%1").arg(m_tag);
        for (const QString& q : {m_star, m_stopped, m_rejecting})
            addQueue(q);
        QCOMPARE(rig::run(QStringLiteral("cupsdisable"), {m_stopped}), 0);
        QCOMPARE(rig::run(QStringLiteral("cupsreject"), {m_rejecting}), 0);
        QVERIFY(rig::waitFor([&] { return QPrinterInfo::availablePrinterNames().contains(m_rejecting); }));
        // A job an interrupted run left on the raw queue would reach this run's listener.
        rig::run(QStringLiteral("cancel"), {QStringLiteral("-a"), QStringLiteral("qor-raw")});
        m_raw = std::make_unique<rig::RawListener>();
        rig::removePdfs(m_tag);
    }
    void cleanupTestCase() {
        for (const QString& q : {m_star, m_stopped, m_rejecting}) {
            rig::run(QStringLiteral("cancel"), {QStringLiteral("-a"), q});
            rig::run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), q});
        }
        m_raw.reset();
        rig::removePdfs(m_tag);
    }
    void init() { m_raw->socat().clear(); }

    void rawBytesArriveUnchanged() {
        const QByteArray bytes = QByteArray("\x1b@", 2) + QByteArray(1, '\0') + "\xff\r\nfin";
        imprimebrut(bytes, QStringLiteral("qor-raw on socket://127.0.0.1"));
        QCOMPARE(m_raw->socat().waitBytes(bytes.size()), bytes);
    }

    void drawerThroughARawPrinter_data() {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QByteArray>("received");
        QTest::newRow("a printer whose name begins with Star receives the single byte 1C")
            << QString() << QByteArray(1, '\x1c');
        QTest::newRow("any other printer receives ESC @ ESC p 0 50 150")
            << "qor-raw" << QByteArray("\x1b\x40\x1b\x70\x00\x32\x96", 7);
    }
    void drawerThroughARawPrinter() {
        QFETCH(QString, printer);
        QFETCH(QByteArray, received);
        if (printer.isEmpty()) printer = m_star;
        auto ctx = till();
        ctx->tiroir = QStringLiteral("USB     ") + printer;
        QVERIFY(ouvretiroir(*ctx, false));
        QCOMPARE(m_raw->socat().waitBytes(received.size()), received);
    }

    void refusedPrinters_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("message");
        QTest::newRow("a raw printer name that is not installed") << "raw"
                                                                  << "nope-qor"
                                                                  << "Printer name does not exists.";
        QTest::newRow("a stopped queue refuses raw bytes") << "raw"
                                                           << "stopped"
                                                           << "arrêtée";
        QTest::newRow("a queue that rejects jobs refuses raw bytes") << "raw"
                                                                     << "rejecting"
                                                                     << "refuse";
        QTest::newRow("a stopped queue refuses a drawn ticket") << "drawn"
                                                                << "stopped"
                                                                << "arrêtée";
        QTest::newRow("a printer index past the list names the printers installed") << "drawn"
                                                                                    << "USB99"
                                                                                    << "qor-pdf";
    }
    void refusedPrinters() {
        QFETCH(QString, how);
        QFETCH(QString, printer);
        QFETCH(QString, message);
        if (printer == u"stopped") printer = m_stopped;
        if (printer == u"rejecting") printer = m_rejecting;
        auto ctx = till();
        ctx->imprimanteticket = printer.startsWith(u"USB") ? printer : usb(printer);
        QString text;
        try {
            if (how == u"raw")
                imprimebrut("x", printer);
            else
                imprimesurticket(*ctx, ticketFile(QStringLiteral("refused"), {QStringLiteral("Ticket")}));
        } catch (const UserError& e) {
            text = e.text();
        }
        QVERIFY2(text.contains(message), qPrintable(text));
        QVERIFY2(text.contains(u"Vérifiez") || text.contains(u"Corrigez"), qPrintable(text));
    }

    void drawnTicket() {
        auto ctx = till();
        const QStringList lines{QStringLiteral("LE BISTROT"), QStringLiteral("1 Café crème      2,50"),
                                QStringLiteral("TOTAL 2,50 €&b"), QStringLiteral("Merci &b à bientôt")};
        imprimesurticket(*ctx, ticketFile(QStringLiteral("drawn"), lines));
        const QStringList pages = rig::waitPdfs(m_tag + QStringLiteral("drawn"), 1);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pageLines(pages.first()),
                 (QStringList{QStringLiteral("LE BISTROT"), QStringLiteral("1 Café crème 2,50"),
                              QStringLiteral("TOTAL 2,50 €"), QStringLiteral("Merci &b à bientôt")}));
    }

    void productionCopies_data() {
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("jobs");
        QTest::newRow("three copies are three separate tickets") << "PROD2"
                                                                 << "pdf" << 3 << 3;
        QTest::newRow("no copy prints nothing") << "PROD1"
                                                << "pdf" << 0 << 0;
        QTest::newRow("one copy on the third printer") << "PROD3"
                                                       << "pdf" << 1 << 1;
        QTest::newRow("a TXT production printer prints nothing") << "PROD1"
                                                                 << "TXT" << 1 << 0;
        QTest::newRow("a serial production printer is not drawn") << "PROD2"
                                                                  << "COM1" << 1 << 0;
    }
    void productionCopies() {
        QFETCH(QString, destination);
        QFETCH(QString, setting);
        QFETCH(int, copies);
        QFETCH(int, jobs);
        auto ctx = till();
        const QString value = setting == u"pdf" ? usb(QStringLiteral("qor-pdf")) : setting;
        ctx->impprod1 = ctx->impprod2 = ctx->impprod3 = value;
        ctx->nbprod1 = ctx->nbprod2 = ctx->nbprod3 = quint8(copies);
        const QString name =
            QStringLiteral("copies%1")
                .arg(QTest::currentDataTag() ? qHash(QString::fromUtf8(QTest::currentDataTag())) % 100000
                                             : 0);
        imprime(*ctx, ticketFile(name, {QStringLiteral("2 Steak frites"), QStringLiteral("Table 4&b")}),
                destination);
        drain(*ctx);
        const QStringList files = rig::pdfFiles(m_tag + name);
        QCOMPARE(files.size(), jobs);
        for (const QString& f : files)
            QCOMPARE(pageLines(rig::pdfText(f)),
                     (QStringList{QStringLiteral("2 Steak frites"), QStringLiteral("Table 4")}));
    }

    void cloakroomTicketTwiceOnOnePage() {
        auto ctx = till();
        const QChar nb(0xA0);
        const QStringList lines{QStringLiteral("LE BISTROT"), nb + QStringLiteral(" TICKET   "),
                                nb + QStringLiteral("   ") + nb + QStringLiteral("7") + nb +
                                    QStringLiteral("   ") + nb,
                                QStringLiteral("11/12/26  20:15  "), QStringLiteral("1 Manteau")};
        imprimevestiaire(*ctx, ticketFile(QStringLiteral("vest"), lines), QStringLiteral("VEST1"));
        const QStringList pages = rig::waitPdfs(m_tag + QStringLiteral("vest"), 1);
        QCOMPARE(pages.size(), 1);
        QVERIFY2(!pages.first().contains(u'\f') || pages.first().count(u'\f') == 1,
                 "the ticket spans one page");
        QStringList half;
        for (const QString& l : lines)
            half << simplified(l);
        QCOMPARE(pageLines(pages.first()), half + half);
        // The TICKET and number lines print white on black in each half: 1100 printer dots
        // at 203 per inch are 162 rows at 30 per inch.
        const QList<int> bands = blackBands(rig::pdfFiles(m_tag + QStringLiteral("vest")).first());
        QCOMPARE(bands.size(), 2);
        QVERIFY2(bands[0] < 162 && bands[1] >= 162,
                 qPrintable(QStringLiteral("%1 %2").arg(bands[0]).arg(bands[1])));
    }

    void cloakroomOnTheSelectedPrinter() {
        // Without an installed first production printer, the cloakroom ticket goes to the
        // printer the last drawn print selected.
        auto ctx = till();
        imprimesurticket(*ctx, ticketFile(QStringLiteral("select"), {QStringLiteral("Choix")}));
        ctx->impprod1 = QStringLiteral("TXT");
        imprimevestiaire(*ctx, ticketFile(QStringLiteral("vestsel"), {QStringLiteral("1 Parapluie")}),
                         QStringLiteral("VEST1"));
        QCOMPARE(rig::waitPdfs(m_tag + QStringLiteral("vestsel"), 1).size(), 1);
        // A bad offset is a clear message, not a crash.
        ctx->margevestiaire2 = QStringLiteral("4x0");
        try {
            imprimevestiaire(*ctx, ticketFile(QStringLiteral("vestbad"), {QStringLiteral("1 Sac")}),
                             QStringLiteral("VEST1"));
            QFAIL("a non-numeric cloakroom offset printed");
        } catch (const UserError& e) {
            QVERIFY2(e.text().contains(QStringLiteral("CO_CLOAKROOMMARGIN")) &&
                         e.text().contains(QStringLiteral("4x0")),
                     qPrintable(e.text()));
        }
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestCups t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_cups.moc"
