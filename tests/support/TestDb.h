#pragma once
#include "core/Database.h"
#include "core/Prompt.h"
#include "core/TillContext.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace qortest {

// The engine the current run of a database test class uses.
qor::Engine engine();
QString engineName();

// A database with no tables on the current engine (a new file, or an emptied
// PostgreSQL schema of this test program's own database).
std::unique_ptr<qor::Database> emptyDatabase();
// A database at the latest structure with the start rows, and the bistro when demo.
std::unique_ptr<qor::Database> newDatabase(bool demo = true);
// Fills a till context as start-up would, on a new demo database of the current
// engine, with its data folder in a fresh scratch folder.
void loadDemoContext(qor::TillContext& ctx);
// Where emptyDatabase() put its file or schema, for a second connection.
QString lastTarget();
// A folder that lives as long as the test program.
QString scratchDir();

// Answers questions in advance and records what was asked and shown.
class ScriptedPrompt final : public qor::Prompt {
  public:
    ScriptedPrompt() { qor::Prompt::install(this); }
    ~ScriptedPrompt() override { qor::Prompt::install(nullptr); }
    QList<bool> answers; // taken in order; "no" once empty
    QStringList asked;
    QStringList shown;
    bool ask(const QString& q) override {
        asked << q;
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void inform(const QString& m) override { shown << m; }
};

// Runs a test class once per engine: SQLite, then PostgreSQL when QOR_TEST_PG
// gives a server (make test starts one and sets it).
int runOnEngines(QObject& test, int argc, char** argv);

} // namespace qortest

#define QOR_DB_TEST_MAIN(TestClass)                                                                          \
    int main(int argc, char** argv) {                                                                        \
        QApplication app(argc, argv);                                                                        \
        TestClass t;                                                                                         \
        return qortest::runOnEngines(t, argc, argv);                                                         \
    }
