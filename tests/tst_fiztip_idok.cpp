// The rental period window: choosing a period, quick search, new, edit and
// delete through the keys, with the table checked afterwards.
#include "data/adatbazis.h"
#include "data/konverzio.h"
#include "rental/fiztip.h"
#include "rental/tfrm_torzsfiztip.h"
#include "tesztsegito.h"
#include "tst_fiztip_segito.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QWidgetAction>
#include <QtTest>

namespace {

void Szerkesztoben(std::function<void(Tfrm_TorzsFizTip_Szerkeszt*)> lepes)
{
    Ablakban("Tfrm_TorzsFizTip_Szerkeszt",
             [lepes](QDialog* d) { lepes(static_cast<Tfrm_TorzsFizTip_Szerkeszt*>(d)); });
}

QVariant Egy(const QString& sql, const QVariantList& p = {}) { return Adatbazis::ertek(sql, p); }
int Darab() { return Egy("SELECT COUNT(*) FROM fiztip").toInt(); }

// Every period as "key:name:hours", in key order.
QStringList Idoszakok()
{
    QStringList l;
    QSqlQuery q = Adatbazis::vegrehajt("SELECT fiztip, fiztip_nev, ora FROM fiztip ORDER BY fiztip");
    while (q.next()) l << QStringLiteral("%1:%2:%3").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
    return l;
}

QString AktualisNev(Tfrm_TorzsFizTip* a) { return VarSzoveg(a->ertek("fiztip_nev")); }

} // namespace

class TstFizTipIdok : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TesztKornyezet(); }

    void init()
    {
        m_tel = std::make_unique<TesztTelepites>();
        m_tel->nyit();
        // Beside the delivered 1 nap (1), 2 nap (2), 3 nap (3), 1 hét (4):
        // "hetes" comes first by name but after "HETI akció" by key.
        for (const QVariantList& s : QList<QVariantList>{
                 {"Hétvége", 60}, {"HETI akció", 100}, {"hetes", 200}, {"próba", QVariant()}})
            Adatbazis::vegrehajt("INSERT INTO fiztip (fiztip_nev, ora) VALUES (?, ?)", s);
    }
    void cleanup()
    {
        m_tel.reset();
        QCOMPARE(ElmaradtAblakok(), 0);
    }

    void valasztasEnterrel_data()
    {
        QTest::addColumn<QString>("gepeles");
        QTest::addColumn<int>("kulcs");
        QTest::addColumn<QString>("nev");
        QTest::addColumn<int>("ora");
        QTest::newRow("első sor") << "" << 1 << "1 nap" << 24;
        QTest::newRow("het kulcssorrendben") << "het" << 6 << "HETI akció" << 100;
        QTest::newRow("ékezetes nagybetűk") << "HÉ" << 5 << "Hétvége" << 60;
        QTest::newRow("szám") << "2" << 2 << "2 nap" << 48;
        QTest::newRow("üres óra") << "pró" << 8 << "próba" << 0;
        QTest::newRow("nincs találat: marad") << "1 n%'x" << 1 << "1 nap" << 24;
    }
    void valasztasEnterrel()
    {
        QFETCH(QString, gepeles);
        QFETCH(int, kulcs);
        QFETCH(QString, nev);
        QFETCH(int, ora);
        Ablakban("Tfrm_TorzsFizTip", [&](QDialog* d) {
            auto* a = static_cast<Tfrm_TorzsFizTip*>(d);
            QCOMPARE(d->windowTitle(), QString("Kölcsönzési idők"));
            QVERIFY(a->aElfogad->isVisible() && a->aElfogad->isEnabled());
            QCOMPARE(QApplication::focusWidget(), a->Edit1);
            Gepel(a->Edit1, gepeles);
            QCOMPARE(AktualisNev(a), nev);
            QTest::keyClick(a->Edit1, Qt::Key_Return);
        });
        QString kapottNev = "?";
        int kapottOra = -5;
        QCOMPARE(TorzsFizTipValaszt(nullptr, &kapottNev, &kapottOra), kulcs);
        QCOMPARE(kapottNev, nev);
        QCOMPARE(kapottOra, ora);
    }

    void valasztasMasKeppen()
    {
        // Esc: nothing chosen, the out-values untouched.
        Ablakban("Tfrm_TorzsFizTip", [](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
        QString nev = "marad";
        int ora = 7;
        QCOMPARE(TorzsFizTipValaszt(nullptr, &nev, &ora), -1);
        QCOMPARE(nev, QString("marad"));
        QCOMPARE(ora, 7);

        // The "Bezár" button is the same.
        Ablakban("Tfrm_TorzsFizTip", [](QDialog* d) { static_cast<Tfrm_TorzsFizTip*>(d)->aBezar->trigger(); });
        QCOMPARE(TorzsFizTipValaszt(nullptr, nullptr, nullptr), -1);

        // Double-click on a row accepts it; out-values may be left out.
        Ablakban("Tfrm_TorzsFizTip", [](QDialog* d) {
            auto* a = static_cast<Tfrm_TorzsFizTip*>(d);
            DuplaKattintas(a, 3);
        });
        QCOMPARE(TorzsFizTipValaszt(nullptr, nullptr, nullptr), 4);

        // Moving in the grid with the arrows, then Enter in the grid.
        Ablakban("Tfrm_TorzsFizTip", [](QDialog* d) {
            auto* a = static_cast<Tfrm_TorzsFizTip*>(d);
            a->DBGrid1->setFocus();
            QTest::keyClick(a->DBGrid1, Qt::Key_Down);
            QTest::keyClick(a->DBGrid1, Qt::Key_Down);
            QTest::keyClick(a->DBGrid1, Qt::Key_Enter);
        });
        QString nev3;
        QCOMPARE(TorzsFizTipValaszt(nullptr, &nev3, nullptr), 3);
        QCOMPARE(nev3, QString("3 nap"));
    }

    void valasztasUresListaban()
    {
        Adatbazis::vegrehajt("DELETE FROM fiztip");
        bool nyitvaMaradt = false;
        Ablakban("Tfrm_TorzsFizTip", [&](QDialog* d) {
            QTest::keyClick(static_cast<Tfrm_TorzsFizTip*>(d)->Edit1, Qt::Key_Return);
            nyitvaMaradt = d->isVisible();
        });
        QCOMPARE(TorzsFizTipValaszt(nullptr, nullptr, nullptr), -1);
        QVERIFY(nyitvaMaradt);
    }

    void karbantartasbanNincsElfogad()
    {
        bool megnyilt = false;
        Ablakban("Tfrm_TorzsFizTip", [&](QDialog* d) {
            auto* a = static_cast<Tfrm_TorzsFizTip*>(d);
            QVERIFY(!a->aElfogad->isVisible());
            QVERIFY(!a->aElfogad->isEnabled());
            QWidget* gomb = a->ToolBar1->widgetForAction(a->aElfogad);
            QVERIFY(!gomb || !gomb->isVisible());
            QCOMPARE(QApplication::focusWidget(), a->Edit1);
            // Enter, in the search field or in the grid, does not close it.
            QTest::keyClick(a->Edit1, Qt::Key_Return);
            a->DBGrid1->setFocus();
            QTest::keyClick(a->DBGrid1, Qt::Key_Return);
            QVERIFY(d->isVisible());
            // Double-click edits instead.
            Szerkesztoben([&](Tfrm_TorzsFizTip_Szerkeszt* sz) {
                megnyilt = true;
                QCOMPARE(sz->fiztip_nev->text(), QString("2 nap"));
            });
            DuplaKattintas(a, 1);
            QVERIFY(d->isVisible());
            QTest::keyClick(d, Qt::Key_Escape);
            QVERIFY(!d->isVisible());
        });
        TorzsFizTipKarbantart(nullptr);
        QVERIFY(megnyilt);
    }

    void ujSor()
    {
        const QStringList elotte = Idoszakok();
        Ablakban("Tfrm_TorzsFizTip", [&](QDialog* d) {
            auto* a = static_cast<Tfrm_TorzsFizTip*>(d);
            Szerkesztoben([](Tfrm_TorzsFizTip_Szerkeszt* sz) {
                QCOMPARE(sz->windowTitle(), QString("Kölcsönzési idő"));
                QCOMPARE(QApplication::focusWidget(), sz->fiztip_nev);
                QVERIFY(sz->fiztip_nev->text().isEmpty() && sz->ora->text().isEmpty());
                Gepel(sz->fiztip_nev, "Két hét");
                QTest::keyClick(sz->fiztip_nev, Qt::Key_Return);   // on to "óra"
                QCOMPARE(QApplication::focusWidget(), sz->ora);
                Gepel(sz->ora, "336");
                QTest::keyClick(sz->ora, Qt::Key_Return);   // on to "OK", does not press it
                QVERIFY(sz->isVisible());
                QCOMPARE(QApplication::focusWidget(), sz->btnOK);
                QTest::keyClick(sz->btnOK, Qt::Key_Space);
                QVERIFY(!sz->isVisible());
            });
            QTest::keyClick(a->Edit1, Qt::Key_Insert);
            // The new row is listed and current.
            QCOMPARE(a->modell()->rowCount(), 9);
            QCOMPARE(AktualisNev(a), QString("Két hét"));
        });
        TorzsFizTipKarbantart(nullptr);
        QCOMPARE(Idoszakok(), elotte + QStringList{"9:Két hét:336"});
        QVERIFY(m_tel->parbeszed.hibak().isEmpty());

        // Saved for good: another connection sees the row.
        {
            QSqlDatabase masik = QSqlDatabase::addDatabase("QSQLITE", "masik");
            masik.setDatabaseName(Adatbazis::fajlUtvonal(m_tel->adatMappa()));
            QVERIFY(masik.open());
            QSqlQuery q(masik);
            QVERIFY(q.exec("SELECT ora FROM fiztip WHERE fiztip_nev = 'Két hét'"));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), 336);
        }
        QSqlDatabase::removeDatabase("masik");
    }

    void szerkesztes()
    {
        const QStringList elotte = Idoszakok();
        Ablakban("Tfrm_TorzsFizTip", [&](QDialog* d) {
            auto* a = static_cast<Tfrm_TorzsFizTip*>(d);
            Gepel(a->Edit1, "3");
            Szerkesztoben([](Tfrm_TorzsFizTip_Szerkeszt* sz) {
                QCOMPARE(sz->fiztip_nev->text(), QString("3 nap"));
                QCOMPARE(sz->ora->text(), QString("72"));
                sz->ora->setFocus();
                sz->ora->selectAll();
                Gepel(sz->ora, "1 000");   // spaces are read past
                sz->btnOK->click();
            });
            QTest::keyClick(a->Edit1, Qt::Key_F2);
            QCOMPARE(AktualisNev(a), QString("3 nap"));
            QCOMPARE(VarEgesz(a->ertek("ora")), 1000);
        });
        TorzsFizTipKarbantart(nullptr);
        QStringList vart = elotte;
        vart[2] = "3:3 nap:1000";
        QCOMPARE(Idoszakok(), vart);
    }

    void megsemNemValtoztat_data()
    {
        QTest::addColumn<int>("billentyu");
        QTest::addColumn<bool>("esc");
        QTest::newRow("új sor, Mégsem") << int(Qt::Key_Insert) << false;
        QTest::newRow("új sor, Esc") << int(Qt::Key_Insert) << true;
        QTest::newRow("szerkesztés, Mégsem") << int(Qt::Key_F2) << false;
        QTest::newRow("szerkesztés, Esc") << int(Qt::Key_F2) << true;
    }
    void megsemNemValtoztat()
    {
        QFETCH(int, billentyu);
        QFETCH(bool, esc);
        const QStringList elotte = Idoszakok();
        Ablakban("Tfrm_TorzsFizTip", [&](QDialog* d) {
            auto* a = static_cast<Tfrm_TorzsFizTip*>(d);
            Szerkesztoben([&](Tfrm_TorzsFizTip_Szerkeszt* sz) {
                sz->fiztip_nev->setText("átírva");
                sz->ora->setText("5");
                if (esc) QTest::keyClick(sz->ora, Qt::Key_Escape);
                else sz->btnMegsem->click();
                QVERIFY(!sz->isVisible());
            });
            QTest::keyClick(a->Edit1, Qt::Key(billentyu));
            QCOMPARE(a->modell()->rowCount(), 8);
            QCOMPARE(AktualisNev(a), QString("1 nap"));
        });
        TorzsFizTipKarbantart(nullptr);
        QCOMPARE(Idoszakok(), elotte);
    }

    void hibasMentesNyitvaMarad_data()
    {
        QTest::addColumn<QString>("ora");
        QTest::addColumn<QString>("ok");
        QTest::newRow("betűk") << "sok" << "egész számot vár";
        QTest::newRow("tört") << "1,5" << "egész számot vár";
        QTest::newRow("túl nagy") << "99999999999" << "egész számot vár";
        QTest::newRow("túl hosszú név") << "" << "legfeljebb 25 karakter";
    }
    void hibasMentesNyitvaMarad()
    {
        QFETCH(QString, ora);
        QFETCH(QString, ok);
        const QStringList elotte = Idoszakok();
        const QString nev = ora.isEmpty() ? QString(26, 'x') : QString("Hibás");
        bool nyitva = false;
        Ablakban("Tfrm_TorzsFizTip", [&](QDialog* d) {
            auto* a = static_cast<Tfrm_TorzsFizTip*>(d);
            Szerkesztoben([&](Tfrm_TorzsFizTip_Szerkeszt* sz) {
                sz->fiztip_nev->setMaxLength(100);   // as if the field took more
                sz->fiztip_nev->setText(nev);
                sz->ora->setText(ora);
                sz->btnOK->click();
                nyitva = sz->isVisible();
                QCOMPARE(sz->fiztip_nev->text(), nev);
                QCOMPARE(sz->ora->text(), ora);
                // Giving up afterwards leaves nothing behind.
                sz->btnMegsem->click();
            });
            QTest::keyClick(a->Edit1, Qt::Key_Insert);
        });
        TorzsFizTipKarbantart(nullptr);
        QVERIFY(nyitva);
        const QStringList hibak = m_tel->parbeszed.hibak();
        QCOMPARE(hibak.size(), 1);
        QVERIFY2(hibak.first().startsWith("Hiányos, vagy hibás adatmegadás\n"), qPrintable(hibak.first()));
        QVERIFY2(hibak.first().contains(ok), qPrintable(hibak.first()));
        QCOMPARE(m_tel->parbeszed.dobozok.first().cim, QString("Hiba"));
        QCOMPARE(Idoszakok(), elotte);
    }

    void hibaUtanJavitva()
    {
        Ablakban("Tfrm_TorzsFizTip", [&](QDialog* d) {
            Szerkesztoben([](Tfrm_TorzsFizTip_Szerkeszt* sz) {
                sz->fiztip_nev->setText("Fél nap");
                sz->ora->setText("12 óra");
                sz->btnOK->click();
                QVERIFY(sz->isVisible());
                sz->ora->setText("12");
                sz->btnOK->click();
                QVERIFY(!sz->isVisible());
            });
            QTest::keyClick(static_cast<Tfrm_TorzsFizTip*>(d)->Edit1, Qt::Key_Insert);
        });
        TorzsFizTipKarbantart(nullptr);
        QCOMPARE(Egy("SELECT ora FROM fiztip WHERE fiztip_nev = 'Fél nap'").toInt(), 12);
        QCOMPARE(Darab(), 9);
    }

    void torles()
    {
        m_tel->parbeszed.kerdesValaszok = {false, true};
        Ablakban("Tfrm_TorzsFizTip", [&](QDialog* d) {
            auto* a = static_cast<Tfrm_TorzsFizTip*>(d);
            Gepel(a->Edit1, "hetes");
            QTest::keyClick(a->Edit1, Qt::Key_Delete, Qt::ControlModifier);   // no
            QCOMPARE(a->modell()->rowCount(), 8);
            QCOMPARE(a->Edit1->text(), QString("hetes"));   // the word stays, too
            QTest::keyClick(a->Edit1, Qt::Key_Delete, Qt::ControlModifier);   // yes
            QCOMPARE(a->modell()->rowCount(), 7);
            QCOMPARE(AktualisNev(a), QString("próba"));   // the next row
        });
        TorzsFizTipKarbantart(nullptr);
        const auto& dobozok = m_tel->parbeszed.dobozok;
        QCOMPARE(dobozok.size(), 2);
        QCOMPARE(dobozok.at(0).szoveg, QString("Valóban töröljem a sort?"));
        QCOMPARE(dobozok.at(0).cim, QString("Megerősítés"));
        QCOMPARE(Darab(), 7);
        QVERIFY(!Egy("SELECT 1 FROM fiztip WHERE fiztip_nev = 'hetes'").isValid());
    }

    void uresListaban()
    {
        Adatbazis::vegrehajt("DELETE FROM fiztip");
        Ablakban("Tfrm_TorzsFizTip", [&](QDialog* d) {
            auto* a = static_cast<Tfrm_TorzsFizTip*>(d);
            // Deleting asks nothing and does nothing.
            QTest::keyClick(a->Edit1, Qt::Key_Delete, Qt::ControlModifier);
            QVERIFY(m_tel->parbeszed.dobozok.isEmpty());
            // "Szerkeszt" starts a new row.
            Szerkesztoben([](Tfrm_TorzsFizTip_Szerkeszt* sz) {
                QVERIFY(sz->fiztip_nev->text().isEmpty());
                sz->fiztip_nev->setText("1 nap");
                sz->ora->setText("24");
                sz->btnOK->click();
            });
            QTest::keyClick(a->Edit1, Qt::Key_F2);
            QCOMPARE(a->modell()->rowCount(), 1);
        });
        TorzsFizTipKarbantart(nullptr);
        QCOMPARE(Idoszakok(), QStringList{"9:1 nap:24"});
    }

    void keresoBillentyuvel()
    {
        Ablakban("Tfrm_TorzsFizTip", [&](QDialog* d) {
            auto* a = static_cast<Tfrm_TorzsFizTip*>(d);
            Gepel(a->Edit1, "het");
            a->DBGrid1->setFocus();
            QTest::keyClick(a->DBGrid1, Qt::Key_F, Qt::ControlModifier);
            QCOMPARE(QApplication::focusWidget(), a->Edit1);
            QTRY_COMPARE(a->Edit1->selectedText(), QString("het"));   // typing replaces it
            Gepel(a->Edit1, "2");
            QCOMPARE(a->Edit1->text(), QString("2"));
            QCOMPARE(AktualisNev(a), QString("2 nap"));
        });
        TorzsFizTipKarbantart(nullptr);
    }

    void felepites()
    {
        Tfrm_TorzsFizTip a(false);
        QCOMPARE(a.objectName(), QString("Tfrm_TorzsFizTip"));
        QCOMPARE(a.modell()->columnCount(), 1);
        QCOMPARE(a.modell()->headerData(0, Qt::Horizontal).toString(), QString("Kölcsönzési idő"));
        QStringList menu;
        for (QAction* m : a.PopupMenu1->actions()) menu << (m->isSeparator() ? "-" : m->text());
        QCOMPARE(menu, (QStringList{"Új sor", "Szerkeszt", "Sor törlése", "-", "Kereső", "-", "Elfogad", "Bezár"}));
        QStringList eszkoztar;
        for (QAction* m : a.ToolBar1->actions())
            if (!m->isSeparator() && !qobject_cast<QWidgetAction*>(m)) eszkoztar << m->text();
        QCOMPARE(eszkoztar, (QStringList{"Kereső", "Új sor", "Szerkeszt", "Sor törlése", "Elfogad", "Bezár"}));
        QCOMPARE(a.aKeres->toolTip(), QString("Ugrás a keresőbe"));
    }

private:
    std::unique_ptr<TesztTelepites> m_tel;
};

QTEST_MAIN(TstFizTipIdok)
#include "tst_fiztip_idok.moc"
