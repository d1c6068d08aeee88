// The serial ticket printer, the drawer kick on its port and the customer display,
// each on a real pseudo-terminal pair (socat) whose far end the test reads.
#include "Rig.h"
#include "core/Database.h"
#include "core/DbError.h"
#include "core/Schema.h"
#include "core/TillContext.h"
#include "printing/CashDrawer.h"
#include "printing/CustomerDisplay.h"
#include "printing/Devices.h"
#include "printing/PrintEngine.h"
#include "printing/TicketText.h"

#include <QApplication>
#include <QStringEncoder>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using namespace qor;

namespace {

QByteArray hex(const char* h) {
    return QByteArray::fromHex(h);
}
QByteArray ansi(const QString& s) {
    return TicketText::toAnsi(s);
}
const QByteArray kick = hex("1b401b7000 3296");

} // namespace

class TestSerial : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<rig::SerialDevice> m_printer;
    std::unique_ptr<rig::SerialDevice> m_display;

    // A till whose COM1 is the printer pair and COM3 the display pair.
    std::unique_ptr<TillContext> till(const QString& ticket = QStringLiteral("COM1")) {
        auto ctx = std::make_unique<TillContext>();
        ctx->DefaultAliasPath = m_dir.path() + u'/';
        ctx->imprimanteticket = ticket;
        ctx->tiroir = QStringLiteral("COM");
        ctx->affichageClient = QStringLiteral("COM3");
        return ctx;
    }
    QString ticketFile(const QStringList& lines) {
        TicketWriter w;
        w.add(lines);
        const QString path = m_dir.filePath(QStringLiteral("impression_ticket.txt"));
        w.save(path);
        return path;
    }
    void writePorts(const QString& extra = {}) {
        QFile ini(m_dir.filePath(QStringLiteral("ports.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(QStringLiteral("; ports of the test till\nCOM1=%1\ncom3 = %2\n%3")
                      .arg(m_printer->path(), m_display->path(), extra)
                      .toUtf8());
    }

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_printer = std::make_unique<rig::SerialDevice>(m_dir.path(), QStringLiteral("printer"));
        m_display = std::make_unique<rig::SerialDevice>(m_dir.path(), QStringLiteral("display"));
        writePorts();
    }
    void init() {
        writePorts();
        m_printer->socat().clear();
        m_display->socat().clear();
    }

    void ticketBytes_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("euro code 213: an emphasized total goes double height with byte D5 for the euro")
            << "COM1 213" << QStringList{QStringLiteral("TOTAL 12,50 €&b")}
            << hex("1b2110") + "TOTAL 12,50 " + hex("d5") + "\n" + hex("1b2100");
        QTest::newRow("euro code 128 sends the Windows-1252 euro byte, at 19200 baud")
            << "COM1 128 19200" << QStringList{QStringLiteral("12 €")} << "12 " + hex("80") + "\n";
        QTest::newRow("euro code 101 sends a small e")
            << "COM1 101" << QStringList{QStringLiteral("3 €")} << QByteArray("3 e\n");
        QTest::newRow("an unknown euro code and an empty one send E")
            << "COM1 042" << QStringList{QStringLiteral("4 €")} << QByteArray("4 E\n");
        QTest::newRow("only the low byte of the euro code counts: 357 is 101")
            << "COM1 357" << QStringList{QStringLiteral("5 €")} << QByteArray("5 e\n");
        QTest::newRow("é ô à in any case become plain letters, è and û keep their Windows-1252 bytes")
            << "COM1" << QStringList{QStringLiteral("Crème brûlée Été À Ôde")}
            << ansi(QStringLiteral("Crème brûlee ete a ode")) + "\n";
        QTest::newRow("&b in the middle of a line is printed as it stands")
            << "COM1" << QStringList{QStringLiteral("Fish &b Chips")} << QByteArray("Fish &b Chips\n");
        QTest::newRow("&B at the end marks too, and every mark of the line goes")
            << "COM1" << QStringList{QStringLiteral("A&bB &B")} << hex("1b2110") + "AB \n" + hex("1b2100");
        QTest::newRow("several lines keep their order, an empty line stays")
            << "COM1" << QStringList{QStringLiteral("Un"), QString(), QStringLiteral("Deux")}
            << QByteArray("Un\n\nDeux\n");
    }
    void ticketBytes() {
        QFETCH(QString, setting);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, body);
        auto ctx = till(setting);
        imprimesurticket(*ctx, ticketFile(lines));
        const QByteArray expected = hex("1b40") + body + hex("1d5600");
        QCOMPARE(m_printer->socat().waitBytes(expected.size()), expected);
    }

    void portsOfTheSettings_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ports");
        QTest::addColumn<QString>("path");
        QTest::newRow("COM1 without ports.ini is the first serial port")
            << "COM1" << QString() << "/dev/ttyS0";
        QTest::newRow("COM12 is the twelfth serial port") << "COM12" << QString() << "/dev/ttyS11";
        QTest::newRow("ports.ini maps a name in any case, blanks around")
            << "COM3"
            << "[ports]\n; adaptateur USB\n com3 = /dev/ttyUSB0 \n"
            << "/dev/ttyUSB0";
        QTest::newRow("a name ports.ini does not list falls back to its serial port") << "COM2"
                                                                                      << "COM3=/dev/ttyUSB0\n"
                                                                                      << "/dev/ttyS1";
    }
    void portsOfTheSettings() {
        QFETCH(QString, name);
        QFETCH(QString, ports);
        QFETCH(QString, path);
        QTemporaryDir dir;
        TillContext ctx;
        ctx.DefaultAliasPath = dir.path() + u'/';
        if (!ports.isEmpty()) {
            QFile ini(dir.filePath(QStringLiteral("ports.ini")));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write(ports.toUtf8());
        }
        QCOMPARE(Devices::devicePath(ctx, name), path);
    }

    void drawerOnTicketPort_data() {
        QTest::addColumn<bool>("passwordOn");
        QTest::addColumn<QString>("mdp");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ask");
        QTest::addColumn<bool>("opens");
        QTest::newRow("the right password opens") << true << "1234"
                                                  << "1234" << true << true;
        QTest::newRow("a wrong password opens nothing") << true << "1234"
                                                        << "9999" << true << false;
        QTest::newRow("typing nothing opens only when the password is empty") << true << ""
                                                                              << "" << true << true;
        QTest::newRow("typing nothing is refused when a password is set") << true << "1234"
                                                                          << "" << true << false;
        QTest::newRow("a typed 0 counts as empty") << true << ""
                                                   << "0" << true << true;
        QTest::newRow("after a payment no password is asked") << true << "1234"
                                                              << "9999" << false << true;
        QTest::newRow("with the password off the drawer opens at once") << false << "1234"
                                                                        << "9999" << true << true;
    }
    void drawerOnTicketPort() {
        QFETCH(bool, passwordOn);
        QFETCH(QString, mdp);
        QFETCH(QString, typed);
        QFETCH(bool, ask);
        QFETCH(bool, opens);
        auto ctx = till();
        ctx->mdpTirroirOk = passwordOn;
        ctx->mdp = mdp;
        QCOMPARE(ouvretiroir(*ctx, ask, [&] { return typed; }), opens);
        // A second opening without password closes the exchange: one or two kicks arrived.
        QVERIFY(ouvretiroir(*ctx, false));
        const QByteArray expected = opens ? kick + kick : kick;
        QCOMPARE(m_printer->socat().waitBytes(expected.size()), expected);
    }

    void drawerButtonLogs() {
        QTemporaryDir dir;
        auto ctx = till();
        ctx->logdb = Database::open(dir.filePath(QStringLiteral("log.db")), Database::Mode::CreateNew);
        Schema::createLog(*ctx->logdb);
        ctx->idutilisateur = 7;
        ctx->mdpTirroirOk = true;
        ctx->mdp = QStringLiteral("1234");

        btntiroirClick(*ctx, [] { return QStringLiteral("0000"); }); // refused
        btntiroirClick(*ctx, [] { return QStringLiteral("1234"); }); // opens
        ctx->imprimanteticket = QStringLiteral("COM9");              // a port that is not there
        writePorts(QStringLiteral("COM9=%1\n").arg(m_dir.filePath(QStringLiteral("absent"))));
        Devices::of(*ctx).ticketPort.close();
        QVERIFY_THROWS_EXCEPTION(UserError, btntiroirClick(*ctx, [] { return QStringLiteral("1234"); }));

        QCOMPARE(m_printer->socat().waitBytes(kick.size()), kick);
        const Rows log = ctx->logdb->select(QStringLiteral("select VP_USER, VP_FROM from T_LOG"));
        QCOMPARE(log.size(), 3);
        for (const QSqlRecord& r : log) {
            QCOMPARE(r.value(0).toInt(), 7);
            QCOMPARE(r.value(1).toString(), QStringLiteral("TIROIR"));
        }
    }

    void displayBytes_data() {
        QTest::addColumn<QString>("line1");
        QTest::addColumn<QString>("line2");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a short first line is padded so the second starts on the second row")
            << "Hello"
            << "Au Bistro"
            << "Hello               Au Bistro";
        QTest::newRow("lines longer than 20 characters are cut") << "Bienvenue au Bistrot du Port"
                                                                 << "Ouvert tous les jours sauf lundi"
                                                                 << "Bienvenue au Bistrot"
                                                                    "Ouvert tous les jour";
        QTest::newRow("é, à and the euro sign are folded in any case") << "Été à 3 €"
                                                                       << "À bientôt"
                                                                       << "ete a 3 E           a bientôt";
    }
    void displayBytes() {
        QFETCH(QString, line1);
        QFETCH(QString, line2);
        QFETCH(QString, shown);
        auto ctx = till();
        affichelcd(*ctx, line1, line2);
        QStringEncoder enc(QStringEncoder::Utf16LE);
        const QByteArray expected = hex("1b40") + QByteArray(enc.encode(shown));
        QCOMPARE(m_display->socat().waitBytes(expected.size()), expected);
    }

    void displayDuringEntryAndIdle() {
        auto ctx = till();
        ctx->afficheurlcd1 = QStringLiteral("Bienvenue");
        ctx->afficheurlcd2 = QStringLiteral("Au Bistrot");
        affichelcdligne(*ctx, QStringLiteral("2"), QStringLiteral("Thé à la menthe"), QStringLiteral("7.00"),
                        QStringLiteral("14.00"));
        affichelcdpub(*ctx);
        QStringEncoder enc(QStringEncoder::Utf16LE);
        const QByteArray expected =
            hex("1b40") + QByteArray(enc.encode(QStringLiteral("2 The a la me7.00E  Total 14.00E"))) +
            hex("1b40") + QByteArray(enc.encode(QStringLiteral("Bienvenue           Au Bistrot")));
        QCOMPARE(m_display->socat().waitBytes(expected.size()), expected);
    }

    void noDisplayConfigured_data() {
        QTest::addColumn<QString>("setting");
        QTest::newRow("an empty setting") << "";
        QTest::newRow("a TXT setting") << "TXT";
    }
    void noDisplayConfigured() {
        QFETCH(QString, setting);
        auto ctx = till();
        ctx->affichageClient = setting;
        ouvreafficheur(*ctx);
        affichelcd(*ctx, QStringLiteral("rien"), QStringLiteral("du tout"));
        QVERIFY(!Devices::of(*ctx).displayPort.isOpen());
        // What the display pair receives next is the next till's text alone.
        auto other = till();
        affichelcd(*other, QStringLiteral("A"), QString());
        QStringEncoder enc(QStringEncoder::Utf16LE);
        const QByteArray expected =
            hex("1b40") + QByteArray(enc.encode(QStringLiteral("A").leftJustified(20)));
        QCOMPARE(m_display->socat().waitBytes(expected.size()), expected);
    }

    void failingDevices_data() {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QStringList>("message");
        QTest::newRow("a ticket printer port that cannot be opened names the port and the device path")
            << "ticket"
            << "COM7" << QStringList{"COM7", "absent", "Vérifiez", "IMPRIMANTETICKET"};
        QTest::newRow("a non-numeric baud rate names the setting")
            << "ticket"
            << "COM1 213 96OO0" << QStringList{"IMPRIMANTETICKET", "96OO0", "vitesse"};
        QTest::newRow("a non-numeric euro code names the setting")
            << "ticket"
            << "COM1 2X3" << QStringList{"IMPRIMANTETICKET", "2X3", "euro"};
        QTest::newRow("a port name that is not COMn nor in ports.ini")
            << "ticket"
            << "COMX" << QStringList{"COMX", "ports.ini"};
        QTest::newRow("an unplugged display asks to check the display settings")
            << "display"
            << "COM8" << QStringList{"COM8", "Vérifiez les paramétrages de l'afficheur clients"};
        QTest::newRow("a drawer on the ticket port with no serial ticket printer")
            << "drawer"
            << "USB00" << QStringList{"Tiroir", "IMPRIMANTETIROIR", "USB00"};
    }
    void failingDevices() {
        QFETCH(QString, device);
        QFETCH(QString, setting);
        QFETCH(QStringList, message);
        writePorts(QStringLiteral("COM7=%1\nCOM8=%1\n").arg(m_dir.filePath(QStringLiteral("absent"))));
        auto ctx = till(device == u"display" ? QStringLiteral("COM1") : setting);
        ctx->affichageClient = device == u"display" ? setting : QStringLiteral("TXT");
        const QString file = ticketFile({QStringLiteral("Ticket")});
        QString text;
        try {
            if (device == u"ticket")
                imprimesurticket(*ctx, file);
            else if (device == u"display")
                affichelcd(*ctx, QStringLiteral("A"), QStringLiteral("B"));
            else
                ouvretiroir(*ctx, false);
        } catch (const UserError& e) {
            text = e.text();
        }
        for (const QString& part : message)
            QVERIFY2(text.contains(part), qPrintable(text));
        if (device == u"display") {
            // Reported once: later texts are skipped while the till goes on.
            affichelcd(*ctx, QStringLiteral("A"), QStringLiteral("B"));
            affichelcdpub(*ctx);
        }
        // Nothing half-sent reached the printer.
        QVERIFY(m_printer->socat().received().isEmpty());
    }

    void heldFlowControlTimesOut() {
        auto ctx = till();
        Devices::of(*ctx).stallTimeoutMs = 2000;
        const QString file = ticketFile(QStringList(50, QStringLiteral("Une ligne de ticket")));
        const int fd = ::open(m_printer->path().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(fd >= 0);
        ouvreportticket(*ctx);
        QCOMPARE(::tcflow(fd, TCOOFF), 0); // the printer holds the line: output suspended
        QString text;
        try {
            imprimesurticket(*ctx, file);
        } catch (const UserError& e) {
            text = e.text();
        }
        ::tcflow(fd, TCOON);
        ::close(fd);
        QVERIFY2(text.contains(QStringLiteral("n'accepte plus de données")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("COM1")));
        QVERIFY(!Devices::of(*ctx).ticketPort.isOpen());
        // Once the printer takes bytes again the next ticket prints whole.
        m_printer->socat().clear();
        imprimesurticket(*ctx, ticketFile({QStringLiteral("Reprise")}));
        const QByteArray expected = hex("1b40") + "Reprise\n" + hex("1d5600");
        QCOMPARE(m_printer->socat().waitBytes(expected.size()), expected);
    }

    void missingTicketFileSendsNothing() {
        auto ctx = till();
        QVERIFY_THROWS_EXCEPTION(UserError,
                                 imprimesurticket(*ctx, m_dir.filePath(QStringLiteral("nope.txt"))));
        imprimesurticket(*ctx, ticketFile({QStringLiteral("Suite")}));
        const QByteArray expected = hex("1b40") + "Suite\n" + hex("1d5600");
        QCOMPARE(m_printer->socat().waitBytes(expected.size()), expected);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestSerial t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_serial.moc"
