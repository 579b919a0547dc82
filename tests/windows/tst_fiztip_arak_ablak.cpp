// The price matrix window: the grid with looked-up names, new, edit and
// delete of prices through the keys, refusals that keep the dialog open.
#include "windows/common/bevitel.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"
#include "windows/rental/fiztip.h"
#include "windows/rental/tfrm_torzsarkat_fiztip.h"
#include "windows/rental/tfrm_torzsfiztip.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QtTest>

namespace {

// Runs the price window with `lepes`, then closes it with Esc.
void Arakban(const std::function<void(Tfrm_TorzsArkat_Fiztip*)>& lepes)
{
    VartAblak v([&](Tfrm_TorzsArkat_Fiztip* a) {
        lepes(a);
        Nyom(a, Qt::Key_Escape);
    });
    ArBeallitas(nullptr);
}

// The whole matrix as "period:category:price", in key order.
QStringList Matrix()
{
    QStringList l;
    QSqlQuery q = Adatbazis::vegrehajt("SELECT fiztip, arkat, ar FROM fiztip_arkat ORDER BY fiztip, arkat");
    while (q.next()) l << QStringLiteral("%1:%2:%3").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
    return l;
}

// A grid row as the user reads it.
QString RacsSor(TorzsAblak* a, int sor)
{
    QStringList l;
    for (int o = 0; o < a->modell()->columnCount(); ++o) l << a->modell()->index(sor, o).data().toString();
    return l.join('|');
}

QString Aktualis(TorzsAblak* a) { return RacsSor(a, a->aktualis()); }

void Valaszt(QComboBox* c, const QString& nev)
{
    const int i = c->findText(nev);
    QVERIFY2(i >= 0, qPrintable(nev));
    c->setCurrentIndex(i);
}

} // namespace

class TstFizTipArakAblak : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TesztKornyezet(); }

    // Delivered: periods 1 nap (1), 2 nap (2), 3 nap (3), 1 hét (4); price
    // categories Újdonság (1), Normál (2), Régi (3), Gyerek (4); all 16 prices.
    void init()
    {
        m_tel = std::make_unique<TesztTelepites>();
        m_tel->nyit();
    }
    void cleanup() { m_tel.reset(); }

    void racsNevekkel()
    {
        // A category deleted, keys that never named anything, a fraction.
        Adatbazis::vegrehajt("DELETE FROM arkat WHERE arkat = 3");
        Adatbazis::vegrehajt("INSERT INTO fiztip_arkat (fiztip, arkat, ar) VALUES (9, 1, 222)");
        Adatbazis::vegrehajt("INSERT INTO fiztip_arkat (fiztip, arkat, ar) VALUES (2, 9, NULL)");
        Adatbazis::vegrehajt("UPDATE fiztip_arkat SET ar = 1234.5 WHERE fiztip = 4 AND arkat = 1");
        Arakban([](Tfrm_TorzsArkat_Fiztip* a) {
            QCOMPARE(a->windowTitle(), QString("Árak beállítása"));
            QVERIFY(!a->Edit1);
            QCOMPARE(a->modell()->rowCount(), 18);
            QStringList sorok;
            for (int i = 0; i < a->modell()->rowCount(); ++i) sorok << RacsSor(a, i);
            QCOMPARE(sorok, (QStringList{"1 nap|Újdonság|600", "1 nap|Normál|450", "1 nap||300", "1 nap|Gyerek|350",
                                         "2 nap|Újdonság|1000", "2 nap|Normál|750", "2 nap||500", "2 nap|Gyerek|600",
                                         "2 nap||", "3 nap|Újdonság|1300", "3 nap|Normál|1000", "3 nap||700",
                                         "3 nap|Gyerek|800", "1 hét|Újdonság|1234,5", "1 hét|Normál|1900",
                                         "1 hét||1300", "1 hét|Gyerek|1500", "|Újdonság|222"}));
            QCOMPARE(Aktualis(a), QString("1 nap|Újdonság|600"));
            // Enter neither accepts nor closes: there is no choosing here.
            a->DBGrid1->setFocus();
            QTest::keyClick(a->DBGrid1, Qt::Key_Return);
            QVERIFY(a->isVisible());
            QVERIFY(!a->aElfogad->isEnabled());
        });
    }

    void felepites()
    {
        Tfrm_TorzsArkat_Fiztip a;
        QCOMPARE(a.objectName(), QString("Tfrm_TorzsArkat_Fiztip"));
        QStringList cimek;
        for (int o = 0; o < a.modell()->columnCount(); ++o)
            cimek << a.modell()->headerData(o, Qt::Horizontal).toString();
        QCOMPARE(cimek, (QStringList{"kölcs.típus", "árkategória", "ár"}));
        QVERIFY(Qt::Alignment(a.modell()->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt())
                & Qt::AlignRight);
        QStringList menu;
        for (QAction* m : a.PopupMenu1->actions()) menu << m->text();
        QCOMPARE(menu, (QStringList{"Új sor", "Szerkeszt", "Sor törlése", "Bezár"}));
        QStringList eszkoztar;
        for (QAction* m : a.ToolBar1->actions())
            if (m->isVisible()) eszkoztar << (m->isSeparator() ? "-" : m->text());
        QCOMPARE(eszkoztar, (QStringList{"Új sor", "Szerkeszt", "Sor törlése", "-", "Bezár"}));
    }

    void ujArUjIdoszakra()
    {
        // A period made in its own window is offered here at the next opening.
        VartAblak idok([](Tfrm_TorzsFizTip* a) {
            VartAblak sz([](Tfrm_TorzsFizTip_Szerkeszt* s) {
                s->fiztip_nev->setText("Hétvége");
                s->ora->setText("60");
                s->btnOK->click();
            });
            QTest::keyClick(a->Edit1, Qt::Key_Insert);
            Nyom(a, Qt::Key_Escape);
        });
        TorzsFizTipKarbantart(nullptr);

        const QStringList elotte = Matrix();
        Arakban([](Tfrm_TorzsArkat_Fiztip* a) {
            VartAblak sz1([](Tfrm_TorzsArkat_Fiztip_Szerkeszt* sz) {
                QCOMPARE(sz->windowTitle(), QString("Árak beállítása szerkesztés"));
                QStringList idok, kategoriak;
                for (int i = 0; i < sz->fiztip->count(); ++i) idok << sz->fiztip->itemText(i);
                for (int i = 0; i < sz->arkat->count(); ++i) kategoriak << sz->arkat->itemText(i);
                QCOMPARE(idok, (QStringList{"1 nap", "2 nap", "3 nap", "1 hét", "Hétvége"}));
                QCOMPARE(kategoriak, (QStringList{"Gyerek", "Normál", "Régi", "Újdonság"}));
                QCOMPARE(sz->fiztip->currentIndex(), -1);
                QCOMPARE(sz->arkat->currentIndex(), -1);
                QCOMPARE(QApplication::focusWidget(), sz->fiztip);
                QCOMPARE(sz->fiztip->palette().color(QPalette::Button), FokuszSzin);
                Gepel(sz->fiztip, "Hé");
                QTest::keyClick(sz->fiztip, Qt::Key_Return);   // on to "árkategória"
                QCOMPARE(QApplication::focusWidget(), sz->arkat);
                QVERIFY(sz->fiztip->palette().color(QPalette::Button) != FokuszSzin);
                Gepel(sz->arkat, "Gy");
                QTest::keyClick(sz->arkat, Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), sz->ar);
                Gepel(sz->ar, "1 250");
                sz->btnOK->click();
                QVERIFY(!sz->isVisible());
            });
            QTest::keyClick(a->DBGrid1, Qt::Key_Insert);
            QCOMPARE(a->modell()->rowCount(), 17);
            QCOMPARE(Aktualis(a), QString("Hétvége|Gyerek|1250"));
        });
        QCOMPARE(Matrix(), elotte + QStringList{"5:4:1250"});
        QVERIFY(m_tel->parbeszed.hibak().isEmpty());
    }

    void szerkesztesHelybenMarad()
    {
        Arakban([](Tfrm_TorzsArkat_Fiztip* a) {
            a->DBGrid1->setFocus();
            for (int i = 0; i < 6; ++i) QTest::keyClick(a->DBGrid1, Qt::Key_Down);
            QCOMPARE(Aktualis(a), QString("2 nap|Régi|500"));
            VartAblak sz2([](Tfrm_TorzsArkat_Fiztip_Szerkeszt* sz) {
                QCOMPARE(sz->fiztip->currentText(), QString("2 nap"));
                QCOMPARE(sz->arkat->currentText(), QString("Régi"));
                QCOMPARE(sz->ar->text(), QString("500"));
                sz->ar->setText("525,5");
                sz->btnOK->click();
            });
            QTest::keyClick(a->DBGrid1, Qt::Key_F2);
            // The edited row stays current, not the first of its period.
            QCOMPARE(Aktualis(a), QString("2 nap|Régi|525,5"));

            // Moving a price to a pair not yet priced.
            VartAblak sz3([](Tfrm_TorzsArkat_Fiztip_Szerkeszt* sz) {
                Valaszt(sz->arkat, "Gyerek");
                Adatbazis::vegrehajt("DELETE FROM fiztip_arkat WHERE fiztip = 2 AND arkat = 4");
                sz->btnOK->click();
            });
            QTest::keyClick(a->DBGrid1, Qt::Key_F2);
            QCOMPARE(Aktualis(a), QString("2 nap|Gyerek|525,5"));
            QCOMPARE(a->modell()->rowCount(), 15);
        });
        QCOMPARE(Adatbazis::ertek("SELECT ar FROM fiztip_arkat WHERE fiztip = 2 AND arkat = 4").toDouble(), 525.5);
        QVERIFY(!Adatbazis::ertek("SELECT 1 FROM fiztip_arkat WHERE fiztip = 2 AND arkat = 3").isValid());
    }

    void elutasitvaNyitvaMarad_data()
    {
        QTest::addColumn<int>("billentyu");
        QTest::addColumn<QString>("ido");
        QTest::addColumn<QString>("kategoria");
        QTest::addColumn<QString>("ar");
        QTest::addColumn<QString>("ok");
        const int uj = Qt::Key_Insert, szerk = Qt::Key_F2;
        QTest::newRow("új: meglévő pár") << uj << "1 nap" << "Normál" << "999" << "Már van ilyen kulcsú sor";
        QTest::newRow("szerkesztés: meglévő párra") << szerk << "" << "Normál" << "" << "Már van ilyen kulcsú sor";
        QTest::newRow("új: nincs időszak") << uj << "" << "Normál" << "999" << "fiztip_arkat.fiztip";
        QTest::newRow("új: nincs kategória") << uj << "3 nap" << "" << "999" << "fiztip_arkat.arkat";
        QTest::newRow("új: ár nem szám") << uj << "3 nap" << "Újdonság" << "sok" << "számot vár";
        // Pasted text the locale reads as infinity or NaN, and sums past any price.
        QTest::newRow("új: ár inf") << uj << "3 nap" << "Újdonság" << "inf" << "Nem megfelelő érték.";
        QTest::newRow("új: ár nan") << uj << "3 nap" << "Újdonság" << "nan" << "Nem megfelelő érték.";
        QTest::newRow("új: ár túlcsordul") << uj << "3 nap" << "Újdonság" << "-1e999" << "Nem megfelelő érték.";
        QTest::newRow("új: ár túl nagy") << uj << "3 nap" << "Újdonság" << "1e13" << "Nem megfelelő érték.";
    }
    void elutasitvaNyitvaMarad()
    {
        QFETCH(int, billentyu);
        QFETCH(QString, ido);
        QFETCH(QString, kategoria);
        QFETCH(QString, ar);
        QFETCH(QString, ok);
        Adatbazis::vegrehajt("DELETE FROM fiztip_arkat WHERE fiztip = 3 AND arkat = 1");
        const QStringList elotte = Matrix();
        bool nyitva = false;
        Arakban([&](Tfrm_TorzsArkat_Fiztip* a) {
            VartAblak sz4([&](Tfrm_TorzsArkat_Fiztip_Szerkeszt* sz) {
                if (!ido.isEmpty()) Valaszt(sz->fiztip, ido);
                if (!kategoria.isEmpty()) Valaszt(sz->arkat, kategoria);
                if (!ar.isEmpty()) sz->ar->setText(ar);
                const QString fiztip = sz->fiztip->currentText(), arkat = sz->arkat->currentText();
                sz->btnOK->click();
                nyitva = sz->isVisible();
                QCOMPARE(sz->fiztip->currentText(), fiztip);
                QCOMPARE(sz->arkat->currentText(), arkat);
                sz->btnMegsem->click();
            });
            QTest::keyClick(a->DBGrid1, Qt::Key(billentyu));
            QCOMPARE(Aktualis(a), QString("1 nap|Újdonság|600"));
        });
        QVERIFY(nyitva);
        const QStringList hibak = m_tel->parbeszed.hibak();
        QCOMPARE(hibak.size(), 1);
        QVERIFY2(hibak.first().startsWith("Hiányos, vagy hibás adatmegadás\n"), qPrintable(hibak.first()));
        QVERIFY2(hibak.first().contains(ok), qPrintable(hibak.first()));
        QCOMPARE(Matrix(), elotte);
    }

    void megsemNemValtoztat_data()
    {
        QTest::addColumn<int>("billentyu");
        QTest::newRow("új sor") << int(Qt::Key_Insert);
        QTest::newRow("szerkesztés") << int(Qt::Key_F2);
    }
    void megsemNemValtoztat()
    {
        QFETCH(int, billentyu);
        Adatbazis::vegrehajt("DELETE FROM fiztip_arkat WHERE fiztip = 4 AND arkat = 4");
        const QStringList elotte = Matrix();
        Arakban([&](Tfrm_TorzsArkat_Fiztip* a) {
            VartAblak sz5([](Tfrm_TorzsArkat_Fiztip_Szerkeszt* sz) {
                Valaszt(sz->fiztip, "1 hét");
                Valaszt(sz->arkat, "Gyerek");
                sz->ar->setText("1");
                QTest::keyClick(sz->ar, Qt::Key_Escape);
                QVERIFY(!sz->isVisible());
            });
            QTest::keyClick(a->DBGrid1, Qt::Key(billentyu));
        });
        QCOMPARE(Matrix(), elotte);
    }

    void nemLetezoKulcsMarad()
    {
        // A price whose category was deleted: editing the price alone keeps
        // the key it had.
        Adatbazis::vegrehajt("DELETE FROM arkat WHERE arkat = 2");
        Arakban([](Tfrm_TorzsArkat_Fiztip* a) {
            a->DBGrid1->setFocus();
            QTest::keyClick(a->DBGrid1, Qt::Key_Down);
            QCOMPARE(Aktualis(a), QString("1 nap||450"));
            VartAblak sz6([](Tfrm_TorzsArkat_Fiztip_Szerkeszt* sz) {
                QCOMPARE(sz->arkat->currentIndex(), -1);
                QCOMPARE(sz->fiztip->currentText(), QString("1 nap"));
                sz->ar->setText("460");
                sz->btnOK->click();
                QVERIFY(!sz->isVisible());
            });
            DuplaKatt(a->DBGrid1, 1);
            QCOMPARE(Aktualis(a), QString("1 nap||460"));
        });
        QCOMPARE(Adatbazis::ertek("SELECT ar FROM fiztip_arkat WHERE fiztip = 1 AND arkat = 2").toDouble(), 460.0);
    }

    void torles()
    {
        m_tel->parbeszed.kerdesValaszok = {false, true};
        const QStringList elotte = Matrix();
        Arakban([](Tfrm_TorzsArkat_Fiztip* a) {
            a->DBGrid1->setFocus();
            QTest::keyClick(a->DBGrid1, Qt::Key_End, Qt::ControlModifier);
            QCOMPARE(Aktualis(a), QString("1 hét|Gyerek|1500"));
            QTest::keyClick(a->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);   // no
            QCOMPARE(a->modell()->rowCount(), 16);
            QTest::keyClick(a->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);   // yes
            QCOMPARE(a->modell()->rowCount(), 15);
            QCOMPARE(Aktualis(a), QString("1 hét|Régi|1300"));   // the last row deleted: the one before
        });
        QCOMPARE(m_tel->parbeszed.dobozok.size(), 2);
        QCOMPARE(m_tel->parbeszed.dobozok.at(1).szoveg, QString("Valóban töröljem a sort?"));
        QCOMPARE(m_tel->parbeszed.dobozok.at(1).cim, QString("Megerősítés"));
        QCOMPARE(Matrix(), elotte.mid(0, 15));
    }

    void uresMatrix()
    {
        Adatbazis::vegrehajt("DELETE FROM fiztip_arkat");
        Arakban([](Tfrm_TorzsArkat_Fiztip* a) {
            QTest::keyClick(a->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
            VartAblak sz7([](Tfrm_TorzsArkat_Fiztip_Szerkeszt* sz) {
                QCOMPARE(sz->fiztip->currentIndex(), -1);
                sz->fiztip->setFocus();
                Gepel(sz->fiztip, "2");
                sz->arkat->setFocus();
                Gepel(sz->arkat, "N");
                sz->ar->setText("750");
                sz->btnOK->click();
            });
            QTest::keyClick(a->DBGrid1, Qt::Key_F2);   // an empty list: a new row
            QCOMPARE(Aktualis(a), QString("2 nap|Normál|750"));
        });
        QVERIFY(m_tel->parbeszed.dobozok.isEmpty());
        QCOMPARE(Matrix(), QStringList{"2:2:750"});
    }

private:
    std::unique_ptr<TesztTelepites> m_tel;
};

QTEST_MAIN(TstFizTipArakAblak)
#include "tst_fiztip_arak_ablak.moc"
