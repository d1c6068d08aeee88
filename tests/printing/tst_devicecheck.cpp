// The technician's checks, qor9 --print / --display / --open-drawer, run as the program
// itself on the settings of the database config.ini names (SQLite, then PostgreSQL).
#include "Rig.h"
#include "printing/TicketText.h"
#include "support/TestDb.h"

#include <QApplication>
#include <QStringEncoder>

class TestDeviceCheck : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_bin; // a copy of qor9, so that its DATA folder is the test's own

    struct Result {
        int code = -1;
        QString out, err;
    };
    Result qor9(const QStringList& args) {
        QProcess p;
        p.setWorkingDirectory(m_dir.path());
        p.start(m_bin, args);
        p.waitForFinished(rig::patienceMs);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("bin/DATA"));
        m_bin = m_dir.filePath(QStringLiteral("bin/qor9"));
        QFile::remove(m_bin); // the class runs once per engine
        QVERIFY(QFile::copy(QStringLiteral(QOR_BINARY_DIR "/qor9"), m_bin));
    }

    void checks_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("ticket");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("drawer");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("printer");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("said");
        const QByteArray kick("\x1b\x40\x1b\x70\x00\x32\x96", 7);
        QTest::newRow("--print sends the ticket text to the serial ticket printer")
            << QStringList{"--print", "t.txt", "TICKET"} << "COM1 213"
            << ""
            << "TXT" << 0 << QByteArray::fromHex("1b40") + "Total 3,00 \xd5\n" + QByteArray::fromHex("1d5600")
            << ""
            << "Impression envoyée";
        QTest::newRow("--display shows the two lines")
            << QStringList{"--display", "Bonjour", "Total 3.00E"} << "TXT"
            << "COM3"
            << "TXT" << 0 << QByteArray() << "Bonjour             Total 3.00E"
            << "Afficheur client";
        QTest::newRow("--open-drawer kicks through the ticket printer")
            << QStringList{"--open-drawer"} << "COM1"
            << ""
            << "COM" << 0 << kick << ""
            << "Tiroir-caisse";
        QTest::newRow("--print on a TXT ticket printer says nothing is printed")
            << QStringList{"--print", "t.txt", "TICKET"} << "TXT"
            << ""
            << "TXT" << 1 << QByteArray() << ""
            << "rien n'est imprimé";
        QTest::newRow("--print to an unknown destination")
            << QStringList{"--print", "t.txt", "CAVE"} << "COM1"
            << ""
            << "TXT" << 2 << QByteArray() << ""
            << "CAVE";
        QTest::newRow("--display with an unplugged display names it")
            << QStringList{"--display", "A", "B"} << "TXT"
            << "COM4"
            << "TXT" << 1 << QByteArray() << ""
            << "Vérifiez les paramétrages de l'afficheur clients";
        QTest::newRow("--open-drawer without a drawer says so") << QStringList{"--open-drawer"} << "COM1"
                                                                << ""
                                                                << "TXT" << 1 << QByteArray() << ""
                                                                << "pas de tiroir";
        QTest::newRow("--print with a bad baud rate names the setting")
            << QStringList{"--print", "t.txt", "TICKET"} << "COM1 128 fast"
            << ""
            << "TXT" << 1 << QByteArray() << ""
            << "IMPRIMANTETICKET";
    }
    void checks() {
        QFETCH(QStringList, args);
        QFETCH(QString, ticket);
        QFETCH(QString, display);
        QFETCH(QString, drawer);
        QFETCH(int, code);
        QFETCH(QByteArray, printer);
        QFETCH(QString, shown);
        QFETCH(QString, said);

        auto db = qortest::newDatabase(false);
        db->exec(QStringLiteral(
                     "update T_CONFIG set IMPRIMANTETICKET = ?, AFFICHAGECLIENT = ?, IMPRIMANTETIROIR = ?"),
                 {ticket, display, drawer});
        QFile ini(m_dir.filePath(QStringLiteral("config.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(qortest::lastTarget().toUtf8() + "\n");
        ini.close();
        qor::TicketWriter w;
        w << QStringLiteral("Total 3,00 €");
        w.save(m_dir.filePath(QStringLiteral("t.txt")));

        rig::SerialDevice printerPair(m_dir.path(), QStringLiteral("printer"));
        rig::SerialDevice displayPair(m_dir.path(), QStringLiteral("display"));
        // The data folder is the database's folder (SQLite) or the program's DATA folder.
        const QString data = qortest::engine() == qor::Engine::SQLite
                                 ? QFileInfo(qortest::lastTarget()).absolutePath()
                                 : m_dir.filePath(QStringLiteral("bin/DATA"));
        QFile ports(data + QStringLiteral("/ports.ini"));
        QVERIFY(ports.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ports.write(
            QStringLiteral("COM1=%1\nCOM3=%2\nCOM4=%3\n")
                .arg(printerPair.path(), displayPair.path(), m_dir.filePath(QStringLiteral("unplugged")))
                .toUtf8());
        ports.close();

        const Result r = qor9(args);
        QVERIFY2(r.code == code, qPrintable(QStringLiteral("code %1: %2%3").arg(r.code).arg(r.out, r.err)));
        QVERIFY2((code == 0 ? r.out : r.err).contains(said), qPrintable(r.out + r.err));
        if (!printer.isEmpty()) QCOMPARE(printerPair.socat().waitBytes(printer.size()), printer);
        if (!shown.isEmpty()) {
            QStringEncoder enc(QStringEncoder::Utf16LE);
            const QByteArray expected = QByteArray("\x1b@") + QByteArray(enc.encode(shown));
            QCOMPARE(displayPair.socat().waitBytes(expected.size()), expected);
        }
        if (code != 0) QVERIFY(printerPair.socat().received().isEmpty());
    }

    void withoutConfigIni() {
        QFile::remove(m_dir.filePath(QStringLiteral("config.ini")));
        const Result r = qor9({QStringLiteral("--open-drawer")});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("config.ini")), qPrintable(r.err));
    }
};

QOR_DB_TEST_MAIN(TestDeviceCheck)
#include "tst_devicecheck.moc"
