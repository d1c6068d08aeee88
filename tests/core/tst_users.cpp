// The PIN check against T_USER on the demo users (Patron 1234 has every right,
// Julie 1111 and Marc 2222 only some, user 4 with 9999 is deleted).
#include "core/TillContext.h"
#include "core/Users.h"
#include "support/TestDb.h"

#include <QApplication>

using namespace qor;

class TestUsers : public QObject {
    Q_OBJECT

  private slots:
    void userctrl_data() {
        QTest::addColumn<QString>("pin");
        QTest::addColumn<QString>("right");
        QTest::addColumn<int>("user"); // 0: refused
        QTest::newRow("the owner's PIN opens tables") << "1234"
                                                      << "US_INPUT" << 1;
        QTest::newRow("a waiter's PIN opens tables") << "1111"
                                                     << "US_INPUT" << 2;
        QTest::newRow("a right column named in lower case is the same right") << "2222"
                                                                              << "us_menu3" << 3;
        QTest::newRow("a PIN without the menu's right is refused") << "1111"
                                                                   << "US_MENU1" << 0;
        QTest::newRow("a wrong PIN is refused") << "4321"
                                                << "US_INPUT" << 0;
        QTest::newRow("a deleted user is refused") << "9999"
                                                   << "US_INPUT" << 0;
        QTest::newRow("an empty PIN is refused") << ""
                                                 << "US_INPUT" << 0;
        QTest::newRow("a PIN with a quote stays a value") << "1234' or '1'='1"
                                                          << "US_INPUT" << 0;
    }
    void userctrl() {
        QFETCH(QString, pin);
        QFETCH(QString, right);
        QFETCH(int, user);
        TillContext ctx;
        ctx.db = qortest::newDatabase(true);
        ctx.idutilisateur = 7;
        ctx.nomutilisateur = QStringLiteral("avant");
        QCOMPARE(Users::userctrl(ctx, pin, right), user != 0);
        QCOMPARE(ctx.idutilisateur, user != 0 ? user : 7);
        if (user == 0) QCOMPARE(ctx.nomutilisateur, QStringLiteral("avant"));
    }

    void twoUsersWithOnePinAndRightAreBothRefused() {
        TillContext ctx;
        ctx.db = qortest::newDatabase(true);
        ctx.db->exec(QStringLiteral("update T_USER set US_PWD = '1234' where US_ID = 3"));
        QVERIFY(!Users::userctrl(ctx, QStringLiteral("1234"), Users::input));
        QCOMPARE(ctx.idutilisateur, 0);
        // Marc has no catalogue right, so the owner alone holds 1234 with it.
        QVERIFY(Users::userctrl(ctx, QStringLiteral("1234"), Users::menuRight(1)));
        QCOMPARE(ctx.nomutilisateur, QStringLiteral("Patron"));
    }

    void anUnknownRightIsAnError() {
        TillContext ctx;
        ctx.db = qortest::newDatabase(true);
        QVERIFY_THROWS_EXCEPTION(UserError,
                                 Users::userctrl(ctx, QStringLiteral("1234"), "US_ID = US_ID or 1"));
    }
};

QOR_DB_TEST_MAIN(TestUsers)
#include "tst_users.moc"
