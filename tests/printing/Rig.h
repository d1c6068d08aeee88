#pragma once
// Real devices for the printing tests: socat pseudo-terminal pairs standing for serial
// printers and displays, socat listening on the raw CUPS queue's port, and the files the
// PDF queue writes. Every helper waits on a condition with a generous time-out.
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

namespace rig {

inline constexpr int patienceMs = 60000;

// Polls cond every 50 ms until it holds or the time-out passes.
template <class F> bool waitFor(F cond, int ms = patienceMs) {
    QDeadlineTimer deadline(ms);
    while (!cond()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents();
        QThread::msleep(50);
    }
    return true;
}

// A socat process whose output (what the device received) is collected.
class Socat {
  public:
    explicit Socat(const QStringList& args) {
        m_proc.setProgram(QStringLiteral("socat"));
        m_proc.setArguments(args);
        m_proc.start();
        if (!m_proc.waitForStarted(patienceMs)) qFatal("socat ne démarre pas");
    }
    ~Socat() {
        m_proc.kill();
        m_proc.waitForFinished(patienceMs);
    }
    QByteArray received() {
        m_data += m_proc.readAllStandardOutput();
        return m_data;
    }
    void clear() {
        received();
        m_data.clear();
    }
    // Waits until at least n bytes came, then a short quiet spell, and returns them.
    QByteArray waitBytes(qsizetype n) {
        waitFor([&] {
            m_proc.waitForReadyRead(50);
            return received().size() >= n;
        });
        m_proc.waitForReadyRead(300);
        return received();
    }

  private:
    QProcess m_proc;
    QByteArray m_data;
};

// A pseudo-terminal pair: the till opens path(), the test reads what arrives.
class SerialDevice {
  public:
    explicit SerialDevice(const QString& dir, const QString& name)
        : m_path(QDir(dir).filePath(name)),
          m_socat({QStringLiteral("-u"), QStringLiteral("pty,raw,echo=0,link=") + m_path,
                   QStringLiteral("STDOUT")}) {
        if (!waitFor([&] { return QFile::exists(m_path); })) qFatal("la paire pty de socat n'apparaît pas");
    }
    QString path() const { return m_path; }
    Socat& socat() { return m_socat; }

  private:
    QString m_path;
    Socat m_socat;
};

// socat listening on the raw test queue's port; every connection's bytes are collected.
class RawListener {
  public:
    RawListener()
        : m_socat({QStringLiteral("-u"), QStringLiteral("TCP-LISTEN:%1,reuseaddr,fork").arg(port()),
                   QStringLiteral("STDOUT")}) {
        const bool up = waitFor([] {
            QTcpSocket s;
            s.connectToHost(QStringLiteral("127.0.0.1"), quint16(port()));
            return s.waitForConnected(500);
        });
        if (!up) qFatal("socat n'écoute pas sur le port de la file brute");
    }
    static int port() {
        return qEnvironmentVariableIntValue("QOR_RAW_PORT") ? qEnvironmentVariableIntValue("QOR_RAW_PORT")
                                                            : 9123;
    }
    Socat& socat() { return m_socat; }

  private:
    Socat m_socat;
};

inline QString pdfDir() {
    const QString d = qEnvironmentVariable("QOR_PDF_DIR");
    return d.isEmpty() ? QStringLiteral("/var/spool/cups-pdf/qor") : d;
}

// The PDF files the PDF queue wrote for jobs whose title contains `tag`.
inline QStringList pdfFiles(const QString& tag) {
    QStringList out;
    for (const QString& f : QDir(pdfDir()).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name))
        if (f.contains(tag)) out << QDir(pdfDir()).filePath(f);
    return out;
}

inline void removePdfs(const QString& tag) {
    for (const QString& f : pdfFiles(tag))
        QFile::remove(f);
}

// The text of a PDF with its layout, by pdftotext.
inline QString pdfText(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    p.waitForFinished(patienceMs);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Waits for n PDF files of `tag` whose text can be read, and returns their texts.
inline QStringList waitPdfs(const QString& tag, int n) {
    QStringList texts;
    waitFor([&] {
        const QStringList files = pdfFiles(tag);
        if (files.size() < n) return false;
        texts.clear();
        for (const QString& f : files)
            texts << pdfText(f);
        return std::all_of(texts.begin(), texts.end(),
                           [](const QString& t) { return !t.trimmed().isEmpty(); });
    });
    return texts;
}

// Runs a command and returns its exit code (lpadmin, cupsdisable...).
inline int run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(patienceMs)) return -1;
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace rig
