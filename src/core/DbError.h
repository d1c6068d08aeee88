#pragma once
#include <QString>
#include <stdexcept>

namespace qor {

// An error raised by the database engine, carrying the engine's own text.
// Screens let it travel up to the event loop, where one handler shows it.
class DbError : public std::runtime_error {
  public:
    explicit DbError(const QString& text, const QString& statement = {})
        : std::runtime_error(text.toStdString()), m_text(text), m_statement(statement) {}
    QString text() const { return m_text; }
    QString statement() const { return m_statement; }

  private:
    QString m_text;
    QString m_statement;
};

// A plain French message for the operator (bad settings, bad input, failing device).
class UserError : public std::runtime_error {
  public:
    explicit UserError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    QString text() const { return m_text; }

  private:
    QString m_text;
};

} // namespace qor
