#include "printing/TicketText.h"

#include "core/DbError.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace qor {

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size() || !f.flush())
        throw UserError(QStringLiteral("Le fichier %1 ne peut pas être écrit : %2.\r"
                                       "Vérifiez le dossier des données et la place sur le disque.")
                            .arg(path, f.errorString()));
}

} // namespace

void TicketWriter::save(const QString& path) const {
    QString text;
    for (const QString& line : m_lines)
        text += line + QStringLiteral("\r\n");
    writeFile(path, TicketText::toAnsi(text));
}

namespace TicketText {

QByteArray toAnsi(const QString& text) {
    QStringEncoder enc("windows-1252");
    return enc.encode(text);
}

QString fromAnsi(const QByteArray& bytes) {
    QStringDecoder dec("windows-1252");
    return dec.decode(bytes);
}

QStringList read(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw UserError(QStringLiteral("Le texte à imprimer %1 est introuvable ou illisible : %2.")
                            .arg(path, f.errorString()));
    QString text = fromAnsi(f.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    // The line end of the last line does not start another line.
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

bool isEmphasized(const QString& line) {
    return line.right(2).compare(u"&b", Qt::CaseInsensitive) == 0;
}

QString withoutMarks(const QString& line) {
    QString s = line;
    return s.remove(QStringLiteral("&b"), Qt::CaseInsensitive);
}

} // namespace TicketText

void txt2html(const QString& sourceFile, const QString& target) {
    QString html = QStringLiteral("<html>\r\n<body style=\"font-family: Courier New;font-size:10pt\">\r\n");
    for (const QString& source : TicketText::read(sourceFile)) {
        // Marks go first, then "<", ">" and "&" of the text itself are escaped so
        // that a label such as "Fish & Chips" or "<5 ans" stays text in the page.
        QString line = TicketText::withoutMarks(source).toHtmlEscaped();
        line.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        line.replace(u' ', QStringLiteral("&nbsp;"));
        if (TicketText::isEmphasized(source)) line = QStringLiteral("<b>") + line + QStringLiteral("</b>");
        html += line + QStringLiteral("<br>\r\n");
    }
    html += QStringLiteral("</body>\r\n</html>\r\n");
    writeFile(target, TicketText::toAnsi(html));
}

} // namespace qor
