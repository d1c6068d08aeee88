// Ticket texts on disk, their HTML form, and the printer setting strings.
#include "core/DbError.h"
#include "printing/PrinterSetting.h"
#include "printing/TicketText.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace qor;

class TestTicketText : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

  private slots:
    void writtenInWindows1252WithCrLf() {
        TicketWriter w;
        w << QStringLiteral("Crème brûlée 6,50 €&b") << QString()
          << (QChar(0xA0) + QStringLiteral(" TICKET"));
        const QString path = m_dir.filePath(QStringLiteral("t.txt"));
        w.save(path);
        QCOMPARE(bytesOf(path), QByteArray("Cr\xe8me br\xfbl\xe9"
                                           "e 6,50 \x80&b\r\n\r\n\xa0 TICKET\r\n"));
        QCOMPARE(TicketText::read(path), w.lines());
        // A new document overwrites the file.
        TicketWriter shorter;
        shorter << QStringLiteral("Z");
        shorter.save(path);
        QCOMPARE(TicketText::read(path), QStringList{QStringLiteral("Z")});
    }

    void missingFilesNameThemselves() {
        const QString missing = m_dir.filePath(QStringLiteral("absent.txt"));
        try {
            TicketText::read(missing);
            QFAIL("a missing ticket text was read");
        } catch (const UserError& e) {
            QVERIFY(e.text().contains(missing));
        }
        TicketWriter w;
        QVERIFY_THROWS_EXCEPTION(UserError, w.save(m_dir.filePath(QStringLiteral("no/such/folder/t.txt"))));
    }

    void html_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("html");
        QTest::newRow("an emphasized line is bold and its blanks are no-break")
            << "A  B&b"
            << "<b>A&nbsp;&nbsp;B</b><br>";
        QTest::newRow("&b in the middle is removed but the line is not bold") << "x&by"
                                                                              << "xy<br>";
        QTest::newRow("&B in upper case at the end makes the line bold") << "Total&B"
                                                                         << "<b>Total</b><br>";
        QTest::newRow("&, < and > of a label stay text")
            << "Fish & Chips <5 ans>"
            << "Fish&nbsp;&amp;&nbsp;Chips&nbsp;&lt;5&nbsp;ans&gt;<br>";
        QTest::newRow("accents and the euro sign pass through") << "Thé 2,00 €"
                                                                << "Thé&nbsp;2,00&nbsp;€<br>";
        QTest::newRow("an empty line is a line break") << ""
                                                       << "<br>";
    }
    void html() {
        QFETCH(QString, line);
        QFETCH(QString, html);
        TicketWriter w;
        w << line;
        const QString src = m_dir.filePath(QStringLiteral("h.txt"));
        const QString dst = m_dir.filePath(QStringLiteral("h.html"));
        w.save(src);
        txt2html(src, dst);
        const QString page = TicketText::fromAnsi(bytesOf(dst));
        QCOMPARE(page,
                 QStringLiteral("<html>\r\n<body style=\"font-family: Courier New;font-size:10pt\">\r\n") +
                     html + QStringLiteral("\r\n</body>\r\n</html>\r\n"));
    }

    void settingStrings_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("euro");
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("index");
        using K = PrinterSetting::Kind;
        QTest::newRow("COM1 with euro code 128 at 19200 baud")
            << "COM1 128 19200" << int(K::Serial) << "COM1" << 128 << 19200 << -1;
        QTest::newRow("a bare COM2 prints E at 9600 baud")
            << "COM2" << int(K::Serial) << "COM2" << 69 << 9600 << -1;
        QTest::newRow("the fourth installed printer") << "USB03" << int(K::Installed) << "" << 0 << 0 << 3;
        QTest::newRow("TXT prints nothing") << "TXT" << int(K::None) << "" << 0 << 0 << -1;
        QTest::newRow("an empty setting prints nothing") << "" << int(K::None) << "" << 0 << 0 << -1;
        QTest::newRow("the kind is read in upper case only") << "usb01" << int(K::None) << "" << 0 << 0 << -1;
    }
    void settingStrings() {
        QFETCH(QString, setting);
        QFETCH(int, kind);
        QFETCH(QString, port);
        QFETCH(int, euro);
        QFETCH(int, baud);
        QFETCH(int, index);
        QCOMPARE(int(PrinterSetting::kind(setting)), kind);
        if (kind == int(PrinterSetting::Kind::Serial)) {
            QCOMPARE(PrinterSetting::serialName(setting), port);
            QCOMPARE(int(PrinterSetting::euroCode(setting, QStringLiteral("X"))), euro);
            QCOMPARE(PrinterSetting::baudRate(setting, QStringLiteral("X")), baud);
        }
        if (index >= 0) QCOMPARE(PrinterSetting::installedIndex(setting, QStringLiteral("X")), index);
    }

    void drawerPrinterName() {
        QCOMPARE(PrinterSetting::drawerPrinterName(QStringLiteral("USB     Ticket 80 on USB001")),
                 QStringLiteral("Ticket 80 on USB001"));
        QCOMPARE(PrinterSetting::drawerPrinterName(QStringLiteral("USB")), QString());
    }

    void badNumbersAreClearMessages_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("field");
        QTest::newRow("a printer index in letters") << "USBab"
                                                    << "index";
        QTest::newRow("a baud rate of zero") << "COM1 128 00000"
                                             << "baud";
        QTest::newRow("a negative euro code") << "COM1 -12"
                                              << "euro";
    }
    void badNumbersAreClearMessages() {
        QFETCH(QString, setting);
        QFETCH(QString, field);
        const QString key = QStringLiteral("CO_PRODPRINTER2");
        try {
            if (field == u"index")
                PrinterSetting::installedIndex(setting, key);
            else if (field == u"baud")
                PrinterSetting::baudRate(setting, key);
            else
                PrinterSetting::euroCode(setting, key);
            QFAIL("no error for a bad number");
        } catch (const UserError& e) {
            QVERIFY2(e.text().contains(key) && e.text().contains(setting), qPrintable(e.text()));
        }
    }
};

QTEST_GUILESS_MAIN(TestTicketText)
#include "tst_tickettext.moc"
