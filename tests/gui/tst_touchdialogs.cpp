// The touch yes/no question, message and colour picker.
#include "core/TillContext.h"
#include "rooms/ui/Tchoixcouleurfmx.h"
#include "rooms/ui/Touinonfmx.h"
#include "rooms/ui/Tshowmessagefmx.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace qor;

class TestTouchDialogs : public QObject {
    Q_OBJECT
    TillContext ctx;

  private slots:
    void yesNoOnlyYesAnswersYes() {
        Touinonfmx d(ctx, nullptr);
        d.LabelMessage->setText(QStringLiteral("Supprimer la ligne ?"));
        d.reponse = true; // left over from an earlier showing
        d.show();
        QVERIFY(!d.reponse);
        QTest::keyClick(&d, Qt::Key_Escape);
        QVERIFY2(d.isVisible(), "only Yes or No close the question");
        QTest::mouseClick(d.btnnon, Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QVERIFY(!d.reponse);

        d.show();
        QTest::mouseClick(d.btnoui, Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QVERIFY(d.reponse);
    }

    void messageCarriageReturnsStartLines() {
        Tshowmessagefmx d(ctx, nullptr);
        d.labelmessage->setText(QStringLiteral("Un\rDeux\rTrois"));
        d.show();
        QCOMPARE(d.labelmessage->text().split(u'\n').size(), 3);
        QTest::mouseClick(d.btnok, Qt::LeftButton);
        QVERIFY(!d.isVisible());
    }

    void colourPickerGivesTheSquareOrNothing() {
        Tchoixcouleurfmx d;
        QCOMPARE(Tchoixcouleurfmx::palette().size(), 80);
        d.show();
        auto* square = d.findChild<QPushButton*>(QStringLiteral("btncFFD700"));
        QVERIFY(square);
        QTest::mouseClick(square, Qt::LeftButton);
        QCOMPARE(d.couleur, QStringLiteral("FFD700"));

        d.show();
        QCOMPARE(d.couleur, QString());
        d.couleur = QStringLiteral("FFD700");
        QTest::mouseClick(&d, Qt::LeftButton, {}, QPoint(3, 3)); // the black margin
        QVERIFY(!d.isVisible());
        QCOMPARE(d.couleur, QString());
    }
};

QTEST_MAIN(TestTouchDialogs)
#include "tst_touchdialogs.moc"
