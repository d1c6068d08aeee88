// The order-entry screen on the demo bistro: families, articles, quantity and sign,
// covers, the user of a line, the express strip and leaving the table.
#include "core/Settings.h"
#include "core/ui/Tclaviernumfmx.h"
#include "order/ui/Tsaisiefmx.h"
#include "rooms/ui/Tmainform.h"
#include "support/TestDb.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

using namespace qor;

namespace {

// A till on a fresh demo database with table 3 of the dining room chosen.
struct Fixture {
    TillContext ctx;
    std::unique_ptr<Tmainform> main;
    std::unique_ptr<Tsaisiefmx> screen;
    QList<std::optional<KeypadValue>> typed; // keypad answers, in order; closed once empty
    QList<KeypadSetup> keypads;
    qortest::ScriptedPrompt prompt;

    explicit Fixture(const std::function<void(TillContext&)>& settings = {}) {
        auto db = qortest::newDatabase(true);
        static_cast<Settings&>(ctx) = Settings::read(*db, false);
        ctx.db = std::move(db);
        if (settings) settings(ctx);
        ctx.nosalle = 1;
        ctx.notable = 3;
        ctx.nomsalle = QStringLiteral("\rSalle d'été");
        ctx.nomtable = QStringLiteral("Table \"3\"");
        ctx.nbbt = 3;
        main = std::make_unique<Tmainform>(ctx);
        screen = std::make_unique<Tsaisiefmx>(*main);
        screen->keypad = [this](const KeypadSetup& s) -> std::optional<KeypadValue> {
            keypads << s;
            return typed.isEmpty() ? std::nullopt : typed.takeFirst();
        };
    }
    void show() {
        screen->FormShow();
        screen->show();
    }
    // The main courses, from the root families.
    void plats() {
        button("imagefamille0")->click();
        button("btnf3")->click();
    }
    QPushButton* button(const QString& name) { return screen->findChild<QPushButton*>(name); }
    QPushButton* article(const QString& designation) {
        for (QPushButton* b : screen->findChildren<QPushButton*>())
            if (b->objectName().startsWith(u"btna") && b->property("designation").toString() == designation)
                return b;
        return nullptr;
    }
    void touch(const QString& designation) {
        QPushButton* b = article(designation);
        QVERIFY2(b, qPrintable(designation));
        b->click();
    }
    QStringList grid() {
        auto* sg1 = screen->findChild<QTableWidget*>(QStringLiteral("sg1"));
        QStringList rows;
        for (int r = 0; r < sg1->rowCount(); ++r)
            rows << sg1->item(r, 0)->text() + u' ' + sg1->item(r, 1)->text() + u' ' +
                        sg1->item(r, 2)->text().trimmed();
        return rows;
    }
    QString label(const QString& name) { return screen->findChild<QLabel*>(name)->text(); }
    QStringList families() {
        QStringList ids;
        for (QPushButton* b : screen->findChildren<QPushButton*>())
            if (b->objectName().startsWith(u"btnf")) ids << b->objectName().mid(4);
        std::sort(ids.begin(), ids.end(),
                  [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        return ids;
    }
};

} // namespace

class TestOrderEntry : public QObject {
    Q_OBJECT
  private slots:
    void takeAnOrderAndComeBack() {
        Fixture f;
        f.show();
        QVERIFY(f.grid().isEmpty());
        QCOMPARE(f.label("LabelTotal"), QStringLiteral("0.00"));
        QVERIFY(f.label("BarreTitre")
                    .endsWith(u"\nSalle d'été - Table \"3\" - Client : PASSAGE - Utilisateur  - "
                              "Nb couverts 0"));

        // Opening shows the first root family's articles and its sub-families.
        QCOMPARE(f.families(), (QStringList{"6", "7", "8", "9"}));
        QVERIFY(f.article(QStringLiteral("Sirop à l'eau")));
        f.button("imagefamille0")->click();
        QCOMPARE(f.families(), (QStringList{"1", "2", "3", "4", "5"}));

        // A leaf family shows its articles and keeps the family buttons.
        f.button("btnf3")->click();
        QCOMPARE(f.families(), (QStringList{"1", "2", "3", "4", "5"}));
        QCOMPARE(f.article(QStringLiteral("Steak frites"))->findChild<QLabel*>()->text(),
                 QStringLiteral("Steak frites\n   17.50€"));
        f.touch(QStringLiteral("Steak frites"));
        f.touch(QStringLiteral("Steak frites"));
        QCOMPARE(f.grid(), (QStringList{"2 Steak frites 35.00"}));

        // A family with sub-families: its articles, and its children replace the buttons.
        f.button("btnf1")->click();
        QCOMPARE(f.families(), (QStringList{"6", "7", "8", "9"}));
        QCOMPARE(f.screen->lbidfam(), QStringList{"1"});
        f.button("btnf7")->click();
        QCOMPARE(f.families(), (QStringList{"6", "7", "8", "9"}));

        // Quantity from the keypad, then the sign: the repeated article moves by that much.
        f.typed << KeypadValue{3, "3"};
        f.button("Labelqte")->click();
        QCOMPARE(f.keypads.last().title, QStringLiteral(" Quantité"));
        QCOMPARE(f.button("Labelqte")->text(), QStringLiteral("3"));
        f.touch(QStringLiteral("Pression 25cl"));
        QCOMPARE(f.button("Labelqte")->text(), QStringLiteral("1"));
        f.button("btnpm")->click();
        QCOMPARE(f.button("btnpm")->text(), QStringLiteral("-"));
        f.touch(QStringLiteral("Pression 25cl"));
        QCOMPARE(f.button("btnpm")->text(), QStringLiteral("+"));
        // A keypad closed without validation keeps the quantity.
        f.button("Labelqte")->click();
        QCOMPARE(f.button("Labelqte")->text(), QStringLiteral("1"));
        QCOMPARE(f.grid(), (QStringList{"2 Steak frites 35.00", "2 Pression 25cl 7.60"}));
        QCOMPARE(f.label("LabelTotal"), QStringLiteral("42.60"));

        // Back from the first level returns to the root families.
        f.button("ImageReculfamille")->click();
        QCOMPARE(f.families(), (QStringList{"1", "2", "3", "4", "5"}));

        // Covers: on every line and in the title; a closed keypad changes nothing.
        f.typed << KeypadValue{4, "4"};
        f.button("btncouvert")->click();
        f.button("btncouvert")->click();
        QVERIFY(f.label("BarreTitre").endsWith(u"Nb couverts 4"));
        Database& db = *f.ctx.db;
        QCOMPARE(db.scalar("select count(*) from SAISIES where COUVERTS = 4").toInt(), 2);

        // The hourglass: the table waits, on every line.
        const QString order = f.ctx.nosaisie;
        f.button("btnsablier")->click();
        QVERIFY(!f.screen->isVisible());
        QCOMPARE(db.scalar("select count(*) from SAISIES where SA_INFO = 1 and NOSALLE_SAISIE = 1 and "
                           "NOTABLE_SAISIE = 3")
                     .toInt(),
                 2);
        QCOMPARE(db.scalar("select count(*) from SAISIES where coalesce(SA_INFO, 0) <> 1").toInt(), 0);

        // Back on the table: the same order, its lines, covers and totals.
        f.ctx.couvert = 0;
        f.ctx.nosaisie.clear();
        f.show();
        QCOMPARE(f.ctx.nosaisie, order);
        QCOMPARE(f.grid(), (QStringList{"2 Steak frites 35.00", "2 Pression 25cl 7.60"}));
        QCOMPARE(f.ctx.couvert, 4);
        QVERIFY(f.label("BarreTitre")
                    .startsWith(order + QStringLiteral("\nSalle d'été - Table \"3\" - Client : PASSAGE")));
        f.button("btnclose")->click();
        QCOMPARE(db.scalar("select count(*) from SAISIES where SA_INFO = 0").toInt(), 2);
    }

    // A finger tap on an article button in the kinetic scroll area enters the article.
    void tapOnAnArticle() {
        Fixture f;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(f.screen.get()));
        f.plats();
        QPushButton* b = f.article(QStringLiteral("Poulet rôti"));
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
        QTRY_COMPARE_WITH_TIMEOUT(f.grid(), QStringList{"1 Poulet rôti 15.00"}, 10000);
    }

    void leavingAnEmptyTableWritesNothing() {
        Fixture f;
        f.show();
        f.button("btnsablier")->click();
        QCOMPARE(f.ctx.db->scalar("select count(*) from SAISIES").toInt(), 0);
    }

    void userOfALine() {
        Fixture f([](TillContext& c) { c.utilisateurok = true; });
        f.ctx.db->exec("update T_USER set US_PWD = '7' where US_ID = 3"); // Marc, a one-digit code
        f.show();
        f.plats();
        f.touch(QStringLiteral("Steak frites"));
        f.touch(QStringLiteral("Poulet rôti"));
        auto* sg1 = f.screen->findChild<QTableWidget*>(QStringLiteral("sg1"));
        sg1->selectRow(0);
        // A wrong code changes nothing and asks nothing.
        f.typed << KeypadValue{5, "5"};
        f.button("btnutilisateur")->click();
        QVERIFY(f.prompt.asked.isEmpty());
        f.typed << KeypadValue{7, "7"};
        f.prompt.answers << true;
        f.button("btnutilisateur")->click();
        QCOMPARE(f.keypads.last().lgmax, 1);
        QCOMPARE(f.prompt.asked, QStringList{"Voulez-vous changer l'utilisateur\nde la ligne en cours ?"});
        QCOMPARE(f.ctx.nomutilisateur, QStringLiteral("Marc"));
        QCOMPARE(sg1->item(0, 3)->text(), QStringLiteral("#3"));
        QCOMPARE(sg1->item(1, 3)->text(), QStringLiteral("#0"));
        QVERIFY(f.label("BarreTitre").contains(u" - Utilisateur Marc"));
    }

    void openPriceUsesTheKeypad() {
        Fixture f;
        f.ctx.db->exec("update ARTICLES set PRIXARTICLETTC_ARTICLES = 0.01 where IDTXT = 25"); // Quenelle
        f.show();
        f.plats();
        f.typed << KeypadValue{12.5, "12.5"};
        f.touch(QStringLiteral("Quenelle de brochet"));
        QCOMPARE(f.keypads.last().title, QStringLiteral(" Prix"));
        QCOMPARE(f.keypads.last().sign, QStringLiteral("+"));
        QVERIFY(f.keypads.last().signVisible);
        f.touch(QStringLiteral("Quenelle de brochet")); // keypad closed: no line
        QCOMPARE(f.grid(), QStringList{"1 Quenelle de brochet 12.50"});
    }

    // The touch keypad itself: validated entries apply, a closed keypad changes nothing.
    void touchKeypad() {
        Fixture f;
        f.screen->keypad = nullptr;
        f.ctx.db->exec("update ARTICLES set PRIXARTICLETTC_ARTICLES = -0.01 where IDTXT = 25"); // Quenelle
        f.show();
        f.plats();
        auto onKeypad = [](const std::function<void(Tclaviernumfmx*)>& act) {
            QTimer::singleShot(0, [act] {
                auto* k = qobject_cast<Tclaviernumfmx*>(QApplication::activeModalWidget());
                QVERIFY(k);
                act(k);
            });
        };
        onKeypad([](Tclaviernumfmx* k) {
            QCOMPARE(k->LabelTitre->text(), QStringLiteral(" Quantité"));
            k->typeChar(u'2');
            k->validate();
        });
        f.button("Labelqte")->click();
        QCOMPARE(f.button("Labelqte")->text(), QStringLiteral("2"));
        onKeypad([](Tclaviernumfmx* k) {
            k->typeChar(u'5');
            k->reject();
        });
        f.button("Labelqte")->click();
        QCOMPARE(f.button("Labelqte")->text(), QStringLiteral("2"));
        // A price of -0.01: the sign shows "-" and can be changed.
        onKeypad([](Tclaviernumfmx* k) {
            QCOMPARE(k->LabelTitre->text(), QStringLiteral(" Prix"));
            QVERIFY(k->negative());
            QVERIFY(k->btnneg->isEnabled());
            for (QChar c : QStringLiteral("4.5"))
                k->typeChar(c);
            k->validate();
        });
        f.touch(QStringLiteral("Quenelle de brochet"));
        QCOMPARE(f.grid(), QStringList{"2 Quenelle de brochet -9.00"});
    }

    void expressStrip() {
        Fixture f([](TillContext& c) {
            c.encaissedirect = 1;
            c.margevestiaire1.clear();
        });
        f.show();
        QCOMPARE(f.button("btnexpress1")->text(), QStringLiteral("Espèces"));
        QCOMPARE(f.button("btnexpress2")->text(), QStringLiteral("Carte bancaire"));
        QVERIFY(f.screen->reglementok());
        f.button("btnexpress2")->click();
        QCOMPARE(f.screen->paiementexpress(), qint16(2));
        QVERIFY(!f.screen->reglementok());
        auto* marker = f.screen->findChild<QWidget*>(QStringLiteral("Recrouge"));
        QCOMPARE(marker->property("qorDesign").toRectF().x(), 128.0);
        f.button("btnexpress4")->click();
        QCOMPARE(f.screen->paiementexpress(), qint16(0));
        QVERIFY(f.screen->reglementok());
        QVERIFY(!f.button("imageprod")->isHidden());
    }

    void cloakroomModeChoosesTheFirstExpressMethod() {
        Fixture f([](TillContext& c) {
            c.encaissedirect = 1;
            c.margevestiaire1 = QStringLiteral("000");
        });
        f.show();
        QCOMPARE(f.screen->paiementexpress(), qint16(1));
        QVERIFY(!f.screen->reglementok());
        QCOMPARE(
            f.screen->findChild<QWidget*>(QStringLiteral("Recrouge"))->property("qorDesign").toRectF().x(),
            4.0);
        QVERIFY(f.button("imageprod")->isHidden());
    }

    void articleButtonsPerRow_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<qreal>>("xs");
        QTest::newRow("130 units wide: four buttons a row") << 130 << QList<qreal>{5, 136, 267, 398, 5};
        QTest::newRow("99 units wide: five buttons a row") << 99 << QList<qreal>{5, 105, 205, 305, 405, 5};
        QTest::newRow("170 units wide: three buttons a row") << 170 << QList<qreal>{5, 176, 347, 5};
    }
    void articleButtonsPerRow() {
        QFETCH(int, width);
        QFETCH(QList<qreal>, xs);
        Fixture f([width](TillContext& c) { c.lgbtnarticle = static_cast<quint8>(width); });
        f.show();
        f.plats(); // seven main courses
        for (int i = 0; i < xs.size(); ++i) {
            QPushButton* b = f.button(QStringLiteral("btna%1").arg(i));
            QVERIFY(b);
            QCOMPARE(b->property("qorDesign").toRectF().x(), xs.at(i));
        }
        QCOMPARE(f.button(QStringLiteral("btna%1").arg(xs.size() - 1))->property("qorDesign").toRectF().y(),
                 61.0);
    }

    // A customer display that cannot be opened is reported once; entry goes on.
    void missingCustomerDisplay() {
        const QString data = qortest::scratchDir() + QStringLiteral("/afficheur/");
        QDir().mkpath(data);
        QFile ini(data + QStringLiteral("ports.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("COM9=/nonexistent/ttyQOR\n");
        ini.close();
        Fixture f([&](TillContext& c) {
            c.affichageClient = QStringLiteral("COM9");
            c.DefaultAliasPath = data;
        });
        f.show();
        QCOMPARE(f.prompt.shown.size(), 1);
        QVERIFY(f.prompt.shown.first().endsWith(u"\rVérifiez les paramétrages de l'afficheur clients"));
        f.plats();
        f.touch(QStringLiteral("Steak frites"));
        QCOMPARE(f.grid(), QStringList{"1 Steak frites 17.50"});
        QCOMPARE(f.prompt.shown.size(), 1);
    }

    void familyRowsScroll() {
        Fixture f;
        // Nineteen root families: four rows of six, two of them out of sight.
        for (int id = 10; id < 24; ++id)
            f.ctx.db->exec(
                "insert into FAMILLES (IDFAMILLE_FAMILLES, DESFAMILLE_FAMILLES, TRI_FAMILLES, FA_PARENT, "
                "FA_COLOR, FA_OLD) values (?, ?, ?, 0, 'CCCCCC', '0')",
                {id, QStringLiteral("Famille,n° %1").arg(id), id});
        f.show();
        f.button("imagefamille0")->click();
        QCOMPARE(f.families().size(), 19);
        QCOMPARE(f.button("btnf23")->property("qorDesign").toRectF().topLeft(), QPointF(5, 216));
        QCOMPARE(f.button("btnf23")->findChild<QLabel*>()->text(), QStringLiteral("Famille\nn° 23"));
        auto* bar = f.screen->findChild<QScrollArea*>(QStringLiteral("vsbfamille"))->verticalScrollBar();
        const int row = qRound(72.0 * f.screen->height() / Tsaisiefmx::designHeight);
        f.button("ImageBF")->click();
        QCOMPARE(bar->value(), row);
        f.button("ImageBF")->click();
        f.button("ImageBF")->click(); // stops at the last row
        QCOMPARE(bar->value(), bar->maximum());
        f.button("ImageHF")->click();
        QCOMPARE(bar->value(), bar->maximum() - row);
        f.button("ImageHF")->click();
        f.button("ImageHF")->click();
        QCOMPARE(bar->value(), 0);
    }

    // Controls whose work comes later are in place and say so when touched.
    void placedControlsSayTheyComeLater() {
        Fixture f;
        f.show();
        const QStringList names = {"btnclient",     "btneanclient",   "imagesplit", "btnchangetexte",
                                   "btnchangeprix", "btnremiseligne", "btnrg",      "btnoffrir",
                                   "btnsupligne",   "btneanarticle"};
        for (const QString& n : names) {
            QPushButton* b = f.button(n);
            QVERIFY2(b, qPrintable(n));
            QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(n));
            f.prompt.shown.clear();
            b->click();
            QCOMPARE(f.prompt.shown.size(), 1);
            QVERIFY(f.prompt.shown.first().contains(b->accessibleName()));
        }
        QVERIFY(f.grid().isEmpty());
    }
};

QOR_DB_TEST_MAIN(TestOrderEntry)
#include "tst_orderentry.moc"
