#pragma once
#include <QByteArray>
#include <QSerialPort>
#include <QString>

namespace qor {

struct TillContext;

// The devices the till keeps open for its whole run: the ticket printer's serial
// port (which also carries the drawer kick), the customer display's serial port,
// and the installed printer last selected for drawn tickets. One per till context.
class Devices {
  public:
    static Devices& of(TillContext& ctx);

    QSerialPort ticketPort;
    QString ticketLabel; // "COM1 (/dev/ttyS0)", for messages
    QSerialPort displayPort;
    QString displayLabel;
    bool displayFailed = false; // an opening or write failure already reported
    QString selectedPrinter;    // installed printer selected by the last drawn print

    // A write that makes no progress for this long gives up (flow control held,
    // printer off line): the till never waits for a device without end.
    int stallTimeoutMs = 4000;

    // The device path of a port name: ports.ini of the data folder maps names
    // ("COM3=/dev/ttyUSB0"); otherwise COMn is /dev/ttyS(n-1). Raises UserError.
    static QString devicePath(const TillContext& ctx, const QString& name);

    // Opens the port at the given rate, 8 data bits, DTR on, and clears its buffers.
    // Raises UserError naming the device, the system's reason and `advice`.
    void open(QSerialPort& port, const QString& path, int baud, const QString& device, const QString& advice);
    // Hands all bytes to the port; raises UserError (and closes the port) when the
    // device takes nothing for stallTimeoutMs or reports an error.
    void write(QSerialPort& port, const QByteArray& bytes, const QString& device, const QString& advice);
};

} // namespace qor
