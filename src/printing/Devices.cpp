#include "printing/Devices.h"

#include "core/DbError.h"
#include "core/TillContext.h"

#include <QFile>
#include <QRegularExpression>

namespace qor {

Devices& Devices::of(TillContext& ctx) {
    if (!ctx.devices) ctx.devices = std::make_shared<Devices>();
    return *ctx.devices;
}

QString Devices::devicePath(const TillContext& ctx, const QString& name) {
    const QString wanted = name.trimmed();
    QFile ini(ctx.dataFile(QStringLiteral("ports.ini")));
    if (ini.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QString& raw : QString::fromUtf8(ini.readAll()).split(u'\n')) {
            const QString line = raw.trimmed();
            if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#') || line.startsWith(u'['))
                continue;
            const qsizetype eq = line.indexOf(u'=');
            if (eq > 0 && line.left(eq).trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
                return line.mid(eq + 1).trimmed();
        }
    }
    static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]*)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto m = com.match(wanted);
    if (m.hasMatch()) return QStringLiteral("/dev/ttyS%1").arg(m.captured(1).toInt() - 1);
    if (wanted.startsWith(u'/')) return wanted;
    throw UserError(QStringLiteral("Le port série « %1 » est inconnu.\r"
                                   "Donnez un port COM1, COM2... ou associez ce nom à un périphérique "
                                   "dans le fichier %2 (par exemple COM3=/dev/ttyUSB0).")
                        .arg(wanted, ctx.dataFile(QStringLiteral("ports.ini"))));
}

void Devices::open(QSerialPort& port, const QString& path, int baud, const QString& device,
                   const QString& advice) {
    if (port.isOpen()) port.close();
    port.setPortName(path);
    const bool ok = port.open(QIODevice::ReadWrite) && port.setBaudRate(baud) &&
                    port.setDataBits(QSerialPort::Data8) && port.setParity(QSerialPort::NoParity) &&
                    port.setStopBits(QSerialPort::OneStop) && port.setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) {
        const QString reason = port.errorString();
        if (port.isOpen()) port.close();
        throw UserError(QStringLiteral("%1 : le port série %2 ne s'ouvre pas (%3).\r%4")
                            .arg(device, path, reason, advice));
    }
    // A pseudo-terminal has no modem lines; a refused DTR is not an error of the device.
    port.setDataTerminalReady(true);
    port.clear();
    port.clearError();
}

void Devices::write(QSerialPort& port, const QByteArray& bytes, const QString& device,
                    const QString& advice) {
    auto fail = [&](const QString& what) {
        // Drop what the device did not take so that closing the port cannot wait on it.
        port.clear(QSerialPort::Output);
        port.close();
        throw UserError(QStringLiteral("%1 : %2\r%3").arg(device, what, advice));
    };
    if (!port.isOpen()) fail(QStringLiteral("le port série n'est pas ouvert."));
    if (port.write(bytes) != bytes.size())
        fail(QStringLiteral("l'envoi a échoué (%1).").arg(port.errorString()));
    while (port.bytesToWrite() > 0) {
        if (!port.waitForBytesWritten(stallTimeoutMs)) {
            if (port.error() == QSerialPort::TimeoutError || port.error() == QSerialPort::NoError)
                fail(QStringLiteral("le périphérique n'accepte plus de données depuis %1 secondes "
                                    "(%2 octets non envoyés).")
                         .arg(stallTimeoutMs / 1000.0, 0, 'g', 3)
                         .arg(port.bytesToWrite()));
            fail(QStringLiteral("l'envoi a échoué (%1).").arg(port.errorString()));
        }
    }
}

} // namespace qor
