#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The till program's command line, run as a technician would.
class TestCommandLine : public QObject {
    Q_OBJECT

    static QProcess* run(const QStringList& args, const QString& dir = {}) {
        auto* p = new QProcess;
        p->setProgram(QStringLiteral(QOR_BINARY_DIR "/qor9"));
        p->setArguments(args);
        if (!dir.isEmpty()) p->setWorkingDirectory(dir);
        p->start();
        p->waitForFinished(60000);
        return p;
    }

  private slots:
    void answersHelpAndVersion() {
        std::unique_ptr<QProcess> help(run({"--help"}));
        QCOMPARE(help->exitCode(), 0);
        QVERIFY(QString::fromUtf8(help->readAllStandardOutput()).contains(u"--new-database"));
        std::unique_ptr<QProcess> version(run({"--version"}));
        QCOMPARE(QString::fromUtf8(version->readAllStandardOutput()).trimmed(), QStringLiteral("qor9 9.35"));
        std::unique_ptr<QProcess> unknown(run({"--frobnicate"}));
        QCOMPARE(unknown->exitCode(), 2);
        QVERIFY(QString::fromUtf8(unknown->readAllStandardError()).contains(u"Option inconnue"));
    }

    void createsADemoDatabaseOnceAndNeverOverwritesIt() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("DATA/QOR.db"));
        std::unique_ptr<QProcess> first(run({"--new-database", path, "--demo"}));
        QCOMPARE(first->exitCode(), 0);
        QVERIFY(QFile::exists(path));
        const QDateTime written = QFileInfo(path).lastModified();
        std::unique_ptr<QProcess> second(run({"--new-database", path}));
        QCOMPARE(second->exitCode(), 1);
        QVERIFY(QString::fromUtf8(second->readAllStandardError()).contains(u"existe déjà"));
        QCOMPARE(QFileInfo(path).lastModified(), written);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
