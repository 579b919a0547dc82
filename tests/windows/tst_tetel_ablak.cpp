// The item records driven through the real main window with the operator's
// keys (Ins, Shift+Ins, F2, a double click, Ctrl+Del) and the item window;
// what is stored is read back from the file. With KAZETTORA_KEPEK set, a
// picture of the item window is saved there to look at.
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "windows/app/tfrm_szerkeszt.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "tests/windows/tesztfoablak.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

struct Tetel {
    int azon;
    QString nev;
    QString kint = "N";
};

// Items of the test, written before the main window opens. Item 40 (when
// out) has a customer and a history row.
void tetelek(TesztTelepites& t, const QList<Tetel>& l)
{
    t.nyit();
    for (const Tetel& x : l) {
        QSqlQuery q = Adatbazis::vegrehajt(
            "INSERT INTO video (azon, tipus, arkat, video_nev, szoveg, mufaj, kint, torolve, dat_besz, ugyfel, "
            "kolcsonozve, beszar) VALUES (?, 2, 3, ?, 'régi leírás', 4, ?, 'N', '2020-05-06', ?, 9, 1990)",
            {x.azon, x.nev, x.kint, x.kint == "I" ? QVariant(1) : QVariant()});
        if (x.kint == "I")
            Adatbazis::vegrehajt("INSERT INTO ugyfel_video (ugyfel, video, datum) VALUES (1, ?, '2026-03-10')",
                                 {q.lastInsertId()});
    }
    Adatbazis::zar();
}

// An item as stored: the fields the window writes, '|'-joined, NULL as ∅.
QString lemezen(TesztTelepites& t, int azon)
{
    const QStringList s = Lemezen(t.adatMappa(),
                                  QStringLiteral("SELECT azon, video_nev, tipus, arkat, mufaj, szoveg, beszar, kint, "
                                                 "torolve, dat_besz, kolcsonozve, ugyfel FROM video WHERE azon = %1")
                                      .arg(azon));
    return s.join('\n');
}

int darab(TesztTelepites& t)
{
    return Lemezen(t.adatMappa(), "SELECT COUNT(*) FROM video").value(0).toInt();
}

int kod(Tfrm_Main& f) { return VarEgesz(f.Tbl.ertek("azon")); }

// Moves the list to the item with the given code, as the operator does.
void valaszt(Tfrm_Main& f, int azon)
{
    f.Edit1->clear();
    Gepel(f.Edit1, QString::number(azon));
    QCOMPARE(kod(f), azon);
}

// The grid shows the current row of the list.
void racsKoveti(Tfrm_Main& f)
{
    QCOMPARE(f.DBGrid1->currentIndex().row(), f.Tbl.aktualis());
}

const QString MaIso = QDate(2026, 3, 14).toString(Qt::ISODate);

} // namespace

class TstTetelAblak : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    std::unique_ptr<Tfrm_Main> m_f;

    Tfrm_Main& indit(const QList<Tetel>& l)
    {
        tetelek(*m_t, l);
        return FoablakIndit(m_f, m_t->parbeszed);
    }

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        AlkalmazasBeallit(*qApp);
    }
    void init() { m_t = std::make_unique<TesztTelepites>(); }
    void cleanup()
    {
        m_f.reset();
        m_t.reset();
    }

    // Ins: a new item typed with the keyboard alone; Shift+Ins: a copy of it.
    void ujTetelEsMasolata()
    {
        Tfrm_Main& f = indit({{5, "Első"}, {123, "Második"}, {40, "Harmadik"}});
        VartAblak v([&](Tfrm_Szerkeszt* d) {
            QCOMPARE(d->windowTitle(), QString("Szerkesztés"));
            // The next code past the largest, lower free codes notwithstanding.
            QCOMPARE(d->DBEdit1->text(), QString("124"));
            QCOMPARE(d->focusWidget(), d->DBEdit1);
            QCOMPARE(d->DBEdit13->text(), RovidDatum(QDate(2026, 3, 14)));
            QVERIFY(!d->DBCheckBox1->isChecked());
            QVERIFY(d->DBEdit4->text().isEmpty());
            QVERIFY(d->DBEdit2->text().isEmpty());
            // The lists in key order, nothing chosen yet.
            QCOMPARE(d->DBLookupComboBox1->itemText(0), QString("VHS"));
            QCOMPARE(d->DBLookupComboBox1->itemText(1), QString("DVD"));
            QCOMPARE(d->DBLookupComboBox2->itemText(0), QString("Újdonság"));
            QCOMPARE(d->DBLookupComboBox3->itemText(0), QString("Akció"));
            for (QComboBox* c : {d->DBLookupComboBox1, d->DBLookupComboBox2, d->DBLookupComboBox3})
                QCOMPARE(c->currentIndex(), -1);

            Nyom(d, Qt::Key_Return);
            QCOMPARE(d->focusWidget(), d->DBEdit2);
            Gepel(d->DBEdit2, "Új film");
            Nyom(d, Qt::Key_Return);
            QCOMPARE(d->focusWidget(), d->DBLookupComboBox1);
            Nyom(d, Qt::Key_Down);
            Nyom(d, Qt::Key_Down);   // DVD
            Nyom(d, Qt::Key_Return);
            Nyom(d, Qt::Key_Down);   // Újdonság
            Nyom(d, Qt::Key_Return);
            for (int i = 0; i < 3; ++i) Nyom(d, Qt::Key_Down);   // Dráma
            Nyom(d, Qt::Key_Return);
            QCOMPARE(d->focusWidget(), d->DBEdit3);
            Gepel(d->DBEdit3, "Két óra móka");
            // The purchase date is passed over: it is not typed.
            Nyom(d, Qt::Key_Return);
            QCOMPARE(d->focusWidget(), d->DBEdit14);
            Gepel(d->DBEdit14, "2 990,5");
            Nyom(d, Qt::Key_Return);
            QCOMPARE(d->focusWidget(), d->Button1);
            Nyom(d, Qt::Key_Return);
            QVERIFY(!d->isVisible());
        });
        Nyom(&f, Qt::Key_Insert);
        QVERIFY(v.kesz());
        QCOMPARE(m_t->parbeszed.dobozok.size(), 0);
        QCOMPARE(lemezen(*m_t, 124), "124|Új film|2|1|3|Két óra móka|2990.5|N|N|" + MaIso + "|∅|∅");
        // The list shows it at once, as the current row.
        QCOMPARE(kod(f), 124);
        QCOMPARE(VarSzoveg(f.Tbl.ertek("tipus_nev")), QString("DVD"));
        racsKoveti(f);

        // Shift+Ins: the code asked with the next one proposed; 200,5 is 200.
        m_t->parbeszed.szamValaszok << 200.5;
        Nyom(&f, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(m_t->parbeszed.szamKerdesek.size(), 1);
        QCOMPARE(m_t->parbeszed.szamKerdesek[0].cim, QString("Azonosító"));
        QCOMPARE(m_t->parbeszed.szamKerdesek[0].kerdes, QString("Add meg az azonosítót"));
        QCOMPARE(m_t->parbeszed.szamKerdesek[0].javasolt, 125.0);
        QCOMPARE(lemezen(*m_t, 200), "200|Új film|2|1|3|Két óra móka|∅|N|N|" + MaIso + "|0|∅");
        QCOMPARE(kod(f), 200);
        racsKoveti(f);

        // A copy of an item out is in the shop, with no customer.
        valaszt(f, 40);
        Adatbazis::vegrehajt("UPDATE video SET kint = 'I', ugyfel = 1 WHERE azon = 40");
        m_t->parbeszed.szamValaszok << 201.5;
        Nyom(&f, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(m_t->parbeszed.szamKerdesek.last().javasolt, 201.0);
        QCOMPARE(lemezen(*m_t, 202), "202|Harmadik|2|3|4|régi leírás|∅|N|N|" + MaIso + "|0|∅");
        QCOMPARE(kod(f), 202);

        // Cancelling the code dialog changes nothing.
        const int elotte = darab(*m_t);
        Nyom(&f, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(m_t->parbeszed.szamKerdesek.size(), 3);
        QCOMPARE(darab(*m_t), elotte);
        QCOMPARE(kod(f), 202);
        QCOMPARE(m_t->parbeszed.dobozok.size(), 0);
    }

    // Shift+Ins with a code another item has copies under it; a code no
    // field holds is refused with the reason and nothing is stored.
    void masolasKodja_data()
    {
        QTest::addColumn<double>("beirt");
        QTest::addColumn<QString>("hiba");   // empty: copied
        QTest::newRow("foglalt kod") << 123.0 << QString();
        QTest::newRow("nem fer el") << 3e9 << "Az azonosító nem lehet kód";
    }
    void masolasKodja()
    {
        QFETCH(double, beirt);
        QFETCH(QString, hiba);
        Tfrm_Main& f = indit({{5, "Első"}, {123, "Második"}});
        valaszt(f, 5);
        m_t->parbeszed.szamValaszok << beirt;
        Nyom(&f, Qt::Key_Insert, Qt::ShiftModifier);
        if (hiba.isEmpty()) {
            QCOMPARE(m_t->parbeszed.dobozok.size(), 0);
            QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT video_nev FROM video WHERE azon = 123 ORDER BY video"),
                     QStringList({"Második", "Első"}));
            QCOMPARE(darab(*m_t), 3);
            QCOMPARE(kod(f), 123);
            QCOMPARE(VarSzoveg(f.Tbl.ertek("video_nev")), QString("Első"));
            racsKoveti(f);
        } else {
            QCOMPARE(m_t->parbeszed.hibak().size(), 1);
            QVERIFY2(m_t->parbeszed.hibak()[0].startsWith(hiba), qPrintable(m_t->parbeszed.hibak()[0]));
            QCOMPARE(darab(*m_t), 2);
            QCOMPARE(kod(f), 5);
        }
    }

    // Mégsem, Esc and the close button give up a new row and an edit alike.
    void megsem_data()
    {
        QTest::addColumn<bool>("uj");
        QTest::addColumn<int>("hogyan");   // 0 Mégsem, 1 Esc, 2 close button
        QTest::newRow("új, Mégsem") << true << 0;
        QTest::newRow("új, Esc") << true << 1;
        QTest::newRow("új, bezárás") << true << 2;
        QTest::newRow("szerkesztés, Mégsem") << false << 0;
        QTest::newRow("szerkesztés, Esc") << false << 1;
    }
    void megsem()
    {
        QFETCH(bool, uj);
        QFETCH(int, hogyan);
        Tfrm_Main& f = indit({{5, "Első"}, {7, "Második"}});
        valaszt(f, 7);
        const QString elotte = lemezen(*m_t, 7);
        VartAblak v([&](Tfrm_Szerkeszt* d) {
            d->DBEdit2->selectAll();
            Gepel(d->DBEdit2, "Elvetett");
            d->DBEdit1->selectAll();
            Gepel(d->DBEdit1, "99");
            if (hogyan == 0) QTest::mouseClick(d->Button2, Qt::LeftButton);
            else if (hogyan == 1) Nyom(d, Qt::Key_Escape);
            else d->close();
            QVERIFY(!d->isVisible());
        });
        Nyom(&f, uj ? Qt::Key_Insert : Qt::Key_F2);
        QVERIFY(v.kesz());
        QCOMPARE(darab(*m_t), 2);
        QCOMPARE(lemezen(*m_t, 7), elotte);
        QCOMPARE(lemezen(*m_t, 99), QString());
        QCOMPARE(kod(f), 7);
        QCOMPARE(m_t->parbeszed.dobozok.size(), 0);
    }

    void szerkesztes_data()
    {
        QTest::addColumn<bool>("duplaKatt");
        QTest::newRow("F2") << false;
        QTest::newRow("dupla kattintás") << true;
    }
    void szerkesztes()
    {
        QFETCH(bool, duplaKatt);
        Tfrm_Main& f = indit({{5, "Első"}, {40, "Kint lévő", "I"}, {60, "Harmadik"}});
        valaszt(f, 40);
        VartAblak v([&](Tfrm_Szerkeszt* d) {
            // The item's own values, its lending state shown.
            QCOMPARE(d->DBEdit1->text(), QString("40"));
            QCOMPARE(d->DBEdit2->text(), QString("Kint lévő"));
            QCOMPARE(d->DBLookupComboBox1->currentText(), QString("DVD"));
            QCOMPARE(d->DBLookupComboBox2->currentText(), QString("Régi"));
            QCOMPARE(d->DBLookupComboBox3->currentText(), QString("Thriller"));
            QCOMPARE(d->DBEdit13->text(), RovidDatum(QDate(2020, 5, 6)));
            QCOMPARE(d->DBEdit14->text(), QString("1990"));
            QVERIFY(d->DBCheckBox1->isChecked());
            d->DBEdit2->setFocus();
            d->DBEdit2->selectAll();
            Gepel(d->DBEdit2, "Átírt cím");
            d->DBEdit1->selectAll();
            Gepel(d->DBEdit1, "41");
            d->DBLookupComboBox1->setCurrentIndex(0);
            QTest::mouseClick(d->Button1, Qt::LeftButton);
            QVERIFY(!d->isVisible());
        });
        if (duplaKatt) DuplaKatt(f.DBGrid1, f.Tbl.aktualis());
        else Nyom(&f, Qt::Key_F2);
        QVERIFY(v.kesz());
        // Only what was changed; the lending state and the customer as they were.
        QCOMPARE(lemezen(*m_t, 41), QString("41|Átírt cím|1|3|4|régi leírás|1990|I|N|2020-05-06|9|1"));
        QCOMPARE(darab(*m_t), 3);
        QCOMPARE(kod(f), 41);
        QCOMPARE(VarSzoveg(f.Tbl.ertek("video_nev")), QString("Átírt cím"));
        racsKoveti(f);
    }

    // A code another item has is saved as typed: the window closes without
    // a word, both items keep the code, the saved one is current.
    void foglaltKod_data()
    {
        QTest::addColumn<bool>("uj");
        QTest::newRow("új tétel") << true;
        QTest::newRow("szerkesztés") << false;
    }
    void foglaltKod()
    {
        QFETCH(bool, uj);
        Tfrm_Main& f = indit({{5, "Első"}, {7, "Második"}});
        valaszt(f, 7);
        VartAblak v([&](Tfrm_Szerkeszt* d) {
            d->DBEdit2->selectAll();
            Gepel(d->DBEdit2, "Javított");
            d->DBEdit1->selectAll();
            Gepel(d->DBEdit1, "5");
            QTest::mouseClick(d->Button1, Qt::LeftButton);
            QVERIFY(!d->isVisible());
        });
        Nyom(&f, uj ? Qt::Key_Insert : Qt::Key_F2);
        QVERIFY(v.kesz());
        QCOMPARE(m_t->parbeszed.dobozok.size(), 0);
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT video_nev FROM video WHERE azon = 5 ORDER BY video"),
                 QStringList({"Első", "Javított"}));
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT video_nev FROM video WHERE azon = 7"),
                 uj ? QStringList("Második") : QStringList());
        QCOMPARE(darab(*m_t), uj ? 3 : 2);
        QCOMPARE(kod(f), 5);
        QCOMPARE(VarSzoveg(f.Tbl.ertek("video_nev")), QString("Javított"));
        racsKoveti(f);
    }

    // Where the code index was made unique (by hand, in the database), the
    // engine refuses a code in use on OK: the window stays open with the
    // reason and what was typed, nothing is stored, and a free code then saves.
    void egyediKodindex_data()
    {
        QTest::addColumn<bool>("uj");
        QTest::newRow("új tétel") << true;
        QTest::newRow("szerkesztés") << false;
    }
    void egyediKodindex()
    {
        QFETCH(bool, uj);
        Tfrm_Main& f = indit({{5, "Első"}, {7, "Második"}});
        Adatbazis::vegrehajt("DROP INDEX video_azon");
        Adatbazis::vegrehajt("CREATE UNIQUE INDEX video_azon ON video(azon)");
        valaszt(f, 7);
        bool nyitvaMaradt = false;
        VartAblak v([&](Tfrm_Szerkeszt* d) {
            d->DBEdit2->selectAll();
            Gepel(d->DBEdit2, "Javított");
            d->DBEdit1->selectAll();
            Gepel(d->DBEdit1, "5");
            QTest::mouseClick(d->Button1, Qt::LeftButton);
            nyitvaMaradt = d->isVisible();
            QCOMPARE(d->DBEdit1->text(), QString("5"));
            QCOMPARE(d->DBEdit2->text(), QString("Javított"));
            QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT video_nev FROM video WHERE azon = 7"),
                     QStringList("Második"));
            QCOMPARE(darab(*m_t), 2);
            d->DBEdit1->selectAll();
            Gepel(d->DBEdit1, "8");
            QTest::mouseClick(d->Button1, Qt::LeftButton);
            QVERIFY(!d->isVisible());
        });
        Nyom(&f, uj ? Qt::Key_Insert : Qt::Key_F2);
        QVERIFY(v.kesz());
        QVERIFY(nyitvaMaradt);
        QCOMPARE(m_t->parbeszed.hibak(),
                 QStringList("Hiányos, vagy hibás adatmegadás\nMár van ilyen kulcsú sor: video.azon"));
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT video_nev FROM video WHERE azon = 5"), QStringList("Első"));
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT video_nev FROM video WHERE azon = 8"), QStringList("Javított"));
        QCOMPARE(darab(*m_t), uj ? 3 : 2);
        QCOMPARE(kod(f), 8);
    }

    // With the largest code a field holds in use, the next one is refused on
    // OK instead of wrapping round to a code in use.
    void kodTartomanyTeteje()
    {
        Tfrm_Main& f = indit({{1, "Első"}, {2147483647, "Legnagyobb"}});
        VartAblak v([&](Tfrm_Szerkeszt* d) {
            QCOMPARE(d->DBEdit1->text(), QString("2147483648"));
            QTest::mouseClick(d->Button1, Qt::LeftButton);
            QVERIFY(d->isVisible());
            Nyom(d, Qt::Key_Escape);
        });
        Nyom(&f, Qt::Key_Insert);
        QVERIFY(v.kesz());
        QCOMPARE(m_t->parbeszed.hibak().size(), 1);
        QVERIFY(m_t->parbeszed.hibak()[0].contains("Nem megfelelő érték."));
        QCOMPARE(darab(*m_t), 2);
    }

    void torles()
    {
        Tfrm_Main& f = indit({{5, "Első"}, {7, "Második"}, {40, "Kint lévő", "I"}});
        // No keeps the row.
        valaszt(f, 7);
        m_t->parbeszed.kerdesValaszok << false;
        Nyom(&f, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(m_t->parbeszed.dobozok.size(), 1);
        QCOMPARE(m_t->parbeszed.dobozok[0].fajta, Parbeszed::Doboz::Kerdes);
        QCOMPARE(m_t->parbeszed.dobozok[0].szoveg, QString("Valóban töröljem a sort?"));
        QCOMPARE(m_t->parbeszed.dobozok[0].cim, QString("Megerősítés"));
        QCOMPARE(darab(*m_t), 3);
        QCOMPARE(kod(f), 7);

        // Yes deletes it; the list moves on to the next row.
        m_t->parbeszed.kerdesValaszok << true;
        Nyom(&f, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(lemezen(*m_t, 7), QString());
        QCOMPARE(darab(*m_t), 2);
        QCOMPARE(f.Tbl.lista().sorok(), 2);
        QCOMPARE(kod(f), 40);
        racsKoveti(f);

        // An item out is refused, without the question; its row and history stay.
        m_t->parbeszed.dobozok.clear();
        m_t->parbeszed.kerdesValaszok << true;
        Nyom(&f, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(m_t->parbeszed.dobozok.size(), 1);
        QCOMPARE(m_t->parbeszed.hibak(), QStringList("A tétel ki van adva, ezért nem törölhető."));
        QCOMPARE(darab(*m_t), 2);
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT COUNT(*) FROM ugyfel_video"), QStringList("1"));
        QCOMPARE(kod(f), 40);
    }

    // No current row: edit, copy and delete do nothing at all.
    void uresLista_data()
    {
        QTest::addColumn<bool>("szurt");
        QTest::newRow("üres tábla") << false;
        QTest::newRow("szűrt, semmi sincs kint") << true;
    }
    void uresLista()
    {
        QFETCH(bool, szurt);
        Tfrm_Main& f = indit(szurt ? QList<Tetel>{{3, "Bent"}} : QList<Tetel>{});
        if (szurt) Nyom(&f, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.Tbl.aktualis(), -1);
        m_t->parbeszed.kerdesValaszok << true;
        m_t->parbeszed.szamValaszok << 10;
        {
            VartAblak soha(VartAblak::Soha<Tfrm_Szerkeszt>{});
            Nyom(&f, Qt::Key_F2);
            Nyom(&f, Qt::Key_Insert, Qt::ShiftModifier);
            Nyom(&f, Qt::Key_Delete, Qt::ControlModifier);
            DuplaKatt(f.DBGrid1, 0);
            QTest::qWait(50);
        }
        QCOMPARE(m_t->parbeszed.dobozok.size(), 0);
        QCOMPARE(m_t->parbeszed.szamKerdesek.size(), 0);
        QCOMPARE(darab(*m_t), szurt ? 1 : 0);

        // A new item is still possible; in an empty table its code is 1.
        VartAblak v([&](Tfrm_Szerkeszt* d) {
            QCOMPARE(d->DBEdit1->text(), szurt ? QString("4") : QString("1"));
            Nyom(d, Qt::Key_Escape);
        });
        Nyom(&f, Qt::Key_Insert);
        QVERIFY(v.kesz());
    }

    // The window as it looks: fixed size, every control and caption whole
    // inside it, Tab passing over what is only shown.
    void ablakKepe()
    {
        Tfrm_Main& f = indit({{40, "A Gyűrűk Ura: A király visszatér", "I"}});
        Adatbazis::vegrehajt("UPDATE video SET dat_selejt = '2026-01-31'");
        VartAblak v([&](Tfrm_Szerkeszt* d) {
            QVERIFY(QTest::qWaitForWindowExposed(d));
            QCOMPARE(d->minimumSize(), d->maximumSize());
            QCOMPARE(d->DBEdit4->text(), RovidDatum(QDate(2026, 1, 31)));
            QVERIFY(d->DBEdit1->font().bold());
            const QRect belso = d->rect();
            for (QWidget* w : d->findChildren<QWidget*>()) {
                if (!w->isVisible() || w->window() != d) continue;
                const QRect r(w->mapTo(d, QPoint(0, 0)), w->size());
                QVERIFY2(belso.contains(r), qPrintable(w->objectName()));
                if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w))
                    QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(w->property("text").toString()));
            }
            // Label above each field, in the layout's order: code and title
            // side by side, the scrapping date left of the buttons.
            QCOMPARE(d->DBEdit1->y(), d->DBEdit2->y());
            QVERIFY(d->DBEdit1->x() < d->DBEdit2->x());
            QVERIFY(d->DBEdit1->width() < d->DBEdit2->width());
            QVERIFY(d->Button1->mapTo(d, QPoint()).x() > d->DBEdit4->mapTo(d, QPoint()).x() + d->DBEdit4->width());
            QVERIFY(d->DBEdit3->mapTo(d, QPoint()).y() > d->DBLookupComboBox1->mapTo(d, QPoint()).y());
            // Tab goes round the editable controls and the buttons only.
            const QList<QWidget*> vart{d->DBEdit2, d->DBLookupComboBox1, d->DBLookupComboBox2, d->DBLookupComboBox3,
                                       d->DBEdit3, d->DBEdit14, d->Button1, d->Button2, d->DBEdit1};
            for (QWidget* w : vart) {
                Nyom(d, Qt::Key_Tab);
                QCOMPARE(d->focusWidget(), w);
            }
            const QString mappa = qEnvironmentVariable("KAZETTORA_KEPEK");
            if (!mappa.isEmpty()) d->grab().save(mappa + "/tetel-szerkeszt.png");
            Nyom(d, Qt::Key_Escape);
        });
        Nyom(&f, Qt::Key_F2);
        QVERIFY(v.kesz());
    }
};

QTEST_MAIN(TstTetelAblak)
#include "tst_tetel_ablak.moc"
