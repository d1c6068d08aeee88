#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace qor {

// Ticket texts: the files of lines every document is composed into before it is
// printed. They are written in Windows-1252 with CR LF line ends; a line ending in
// "&b" is emphasized.
class TicketWriter {
  public:
    TicketWriter& operator<<(const QString& line) {
        m_lines << line;
        return *this;
    }
    void add(const QString& line) { m_lines << line; }
    void add(const QStringList& lines) { m_lines << lines; }
    QStringList& lines() { return m_lines; }
    const QStringList& lines() const { return m_lines; }
    // Writes (overwrites) the file; raises UserError naming the file when it cannot.
    void save(const QString& path) const;

  private:
    QStringList m_lines;
};

namespace TicketText {

// Text to Windows-1252 bytes; characters the code page lacks become "?".
QByteArray toAnsi(const QString& text);
QString fromAnsi(const QByteArray& bytes);
// The lines of a ticket text file (CR LF or LF ends). Raises UserError when missing.
QStringList read(const QString& path);
// True when the line's last two characters are "&b" (in any case).
bool isEmphasized(const QString& line);
// The line with every "&b" removed, in any case.
QString withoutMarks(const QString& line);

} // namespace TicketText

// Writes the HTML form of a ticket text: blanks as &nbsp;, emphasized lines in <b>.
void txt2html(const QString& source, const QString& target);

} // namespace qor
