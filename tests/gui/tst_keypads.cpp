// The two numeric keypads driven as an operator does: tiles, keyboard, sign, close.
#include "core/TillContext.h"
#include "core/ui/TClavierNumForm.h"
#include "core/ui/Tclaviernumfmx.h"
#include "support/TestDb.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace qor;

namespace {
// Plays operator actions: digits and "." as tiles, "s" the sign, "<" delete-last,
// "=" validate, "x" the close button; "k:" then the rest is typed on the keyboard.
template <class Keypad> void play(Keypad& k, const QString& script) {
    constexpr bool backOffice = std::is_same_v<Keypad, TClavierNumForm>;
    for (int i = 0; i < script.size(); ++i) {
        const QChar c = script.at(i);
        if (script.mid(i, 2) == u"k:") {
            QTest::keyClicks(&k, script.mid(i + 2));
            return;
        }
        QString name;
        if (c.isDigit())
            name = QStringLiteral("btn") + c;
        else if (c == u'.')
            name = QStringLiteral("btnpoint");
        else if (c == u's')
            name = QStringLiteral("btnneg");
        else if (c == u'<')
            name = QLatin1String(backOffice ? "btncorrection" : "btnc1");
        else if (c == u'=')
            name = QLatin1String(backOffice ? "btnegal" : "btnok");
        else if (c == u'x')
            name = QStringLiteral("btnclose");
        auto* b = k.template findChild<QPushButton*>(name);
        QVERIFY2(b, qPrintable(name));
        QTest::mouseClick(b, Qt::LeftButton);
    }
}
} // namespace

class TestKeypads : public QObject {
    Q_OBJECT
    TillContext ctx;

  private slots:
    void entry_data() {
        QTest::addColumn<bool>("backOffice");
        QTest::addColumn<int>("lgmax");
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("validated");
        QTest::addColumn<double>("nb");
        QTest::addColumn<QString>("nbtxt");
        for (bool back : {true, false}) {
            const QByteArray k = back ? "back-office: " : "touch: ";
            QTest::newRow(k + "digits and a point are validated as a number")
                << back << 7 << "12.5=" << true << 12.5 << "12.5";
            QTest::newRow(k + "a sixth character with length 5 changes nothing")
                << back << 5 << "123456=" << true << 12345.0 << "12345";
            QTest::newRow(k + "a second point is not taken")
                << back << 7 << "1.2.3=" << true << 1.23 << "1.23";
            QTest::newRow(k + "the sign makes the value and the text negative")
                << back << 7 << "s42=" << true << -42.0 << "-42";
            QTest::newRow(k + "an empty entry validates as 0") << back << 7 << "=" << true << 0.0 << "0";
            QTest::newRow(k + "delete-last removes the last digit")
                << back << 7 << "123<=" << true << 12.0 << "12";
            QTest::newRow(k + "with length 1 the first digit validates")
                << back << 1 << "7" << true << 7.0 << "7";
            QTest::newRow(k + "keyboard digits then Enter validate")
                << back << 7 << "k:3.5\r" << true << 3.5 << "3.5";
            QTest::newRow(k + "keyboard letters are ignored")
                << back << 7 << "k:4a5\r" << true << 45.0 << "45";
        }
    }
    void entry() {
        QFETCH(bool, backOffice);
        QFETCH(int, lgmax);
        QFETCH(QString, script);
        QFETCH(bool, validated);
        QFETCH(double, nb);
        QFETCH(QString, nbtxt);
        if (backOffice) {
            TClavierNumForm k(ctx, nullptr);
            k.prepare(QStringLiteral(" Quantité"), lgmax, true, false);
            k.show();
            play(k, script);
            QCOMPARE(k.egalok, validated);
            QCOMPARE(k.isVisible(), !validated);
            QCOMPARE(k.nb, nb);
            QCOMPARE(k.nbtxt, nbtxt);
        } else {
            Tclaviernumfmx k(ctx);
            k.prepare(QStringLiteral(" Quantité"), lgmax, true, false, true);
            k.show();
            play(k, script);
            QCOMPARE(k.valide, validated);
            QCOMPARE(k.isVisible(), !validated);
            QCOMPARE(k.nb, nb);
            QCOMPARE(k.nbtxt, nbtxt);
        }
    }

    void backOfficeFirstKeyReplacesPresetAndCloseGivesZero() {
        TClavierNumForm k(ctx, nullptr);
        k.prepare(QStringLiteral(" Nb Couverts"), 3, false, false, QStringLiteral("4"));
        k.show();
        play(k, QStringLiteral("26="));
        QCOMPARE(k.nbtxt, QStringLiteral("26"));

        k.nb = 5;
        k.prepare(QStringLiteral(" Nb Couverts"), 3, false, false, QStringLiteral("4"));
        k.show();
        play(k, QStringLiteral("9x"));
        QVERIFY(!k.isVisible());
        QVERIFY(!k.egalok);
        QCOMPARE(k.nb, 0.0);
        QCOMPARE(k.nbtxt, QStringLiteral("0"));
    }

    void touchCloseKeepsPreviousResultAndQuickAmountsValidate() {
        Tclaviernumfmx k(ctx);
        k.nb = 3;
        k.nbtxt = QStringLiteral("3");
        k.prepare(QStringLiteral(" Prix"), 7, true, false, true);
        k.show();
        play(k, QStringLiteral("88x"));
        QVERIFY(!k.isVisible());
        QVERIFY(!k.valide);
        QCOMPARE(k.nb, 3.0);
        QCOMPARE(k.nbtxt, QStringLiteral("3"));

        k.prepare(QStringLiteral(" Remise"), 2, true, false, false);
        k.show();
        QTest::mouseClick(k.findChild<QPushButton*>(QStringLiteral("btn15")), Qt::LeftButton);
        QVERIFY2(k.isVisible(), "a disabled quick amount must not validate");
        k.prepare(QStringLiteral(" Remise"), 2, true, false, true);
        QTest::mouseClick(k.findChild<QPushButton*>(QStringLiteral("btn15")), Qt::LeftButton);
        QVERIFY(!k.isVisible());
        QCOMPARE(k.nb, 15.0);
        QCOMPARE(k.nbtxt, QStringLiteral("15"));
    }

    void loneDecimalPointIsRefusedWithAMessage() {
        qortest::ScriptedPrompt prompt;
        TClavierNumForm back(ctx, nullptr);
        back.prepare(QStringLiteral(" Prix"), 7, false, false);
        back.show();
        play(back, QStringLiteral(".="));
        QVERIFY(back.isVisible());
        QVERIFY(!back.egalok);
        Tclaviernumfmx touch(ctx);
        touch.prepare(QStringLiteral(" Prix"), 7, false, false, true);
        touch.show();
        play(touch, QStringLiteral(".="));
        QVERIFY(touch.isVisible());
        QCOMPARE(prompt.shown.size(), 2);
        QVERIFY(prompt.shown.first().contains(QStringLiteral("n'est pas un nombre")));
    }

    void pinEntryIsMaskedAndTheHiddenSignStaysPlus() {
        TClavierNumForm back(ctx, nullptr);
        back.prepare(QStringLiteral(" Utilisateur"), 10, false, true);
        back.show();
        play(back, QStringLiteral("k:1234"));
        auto* mask = back.findChild<QLabel*>(QStringLiteral("PanelMask"));
        QCOMPARE(mask->text(), QStringLiteral("****"));
        QVERIFY(!mask->text().contains(u'1'));
        QTest::keyClick(&back, Qt::Key_Return);
        QCOMPARE(back.nbtxt, QStringLiteral("1234"));

        Tclaviernumfmx touch(ctx);
        touch.prepare(QStringLiteral(" Utilisateur"), 4, false, true, false);
        touch.show();
        QTest::mouseClick(touch.LabelTitre, Qt::LeftButton); // the title toggles only a shown sign
        play(touch, QStringLiteral("1234="));
        QCOMPARE(touch.Editnum->echoMode(), QLineEdit::Password);
        QCOMPARE(touch.nbtxt, QStringLiteral("1234"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestKeypads t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_keypads.moc"
