// The detailed search window opened with Ctrl+T from the main window and
// driven with the keys (typing, Enter, Esc, Down) and a double click:
// "Megvan" moves the main list to the item found, closing leaves it where it
// was, an empty result says so and stays, "Nyomtat" hands the report the
// statement of the rows shown. With KAZETTORA_KEPEK set, pictures of both
// pages are saved there (keres-kereses.png, keres-eredmeny.png).
#include "windows/app/alkalmazas.h"
#include "core/app/keres.h"
#include "windows/app/tfrm_keres.h"
#include "windows/app/tfrm_main.h"
#include "core/common/listamodell.h"
#include "core/data/adatbazis.h"
#include "windows/reports/tfrm_nyomtatastipus.h"
#include "tests/print/tst_jelentes_pdf.h"
#include "tests/windows/tesztfoablak.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

namespace {

// Items (key, code, title, description, genre, out): genre 2 is
// "Vígjáték", 3 "Dráma". Items 3 and 4 are out.
void adatok(TesztTelepites& t)
{
    t.nyit();
    const QVariantList v[] = {
        {1, 101, "Az őrült nap", QVariant(), 3, "N"},
        {2, 102, "Csillagok háborúja", "Egy ŐRÜLT kaland", 6, "N"},
        {3, 103, "Cukorfalat", "Magyar szinkronnal", 2, "I"},
        {4, 104, "Mr. O'Brien visszatér", QVariant(), 2, "I"},
        {5, 105, "Körhinta", QVariant(), 3, "N"},
    };
    for (const QVariantList& s : v)
        Adatbazis::vegrehajt("INSERT INTO video (video, azon, video_nev, szoveg, mufaj, kint, tipus, arkat, torolve, ugyfel) "
                             "VALUES (?, ?, ?, ?, ?, ?, 2, 1, 'N', 0)", s);
    Adatbazis::zar();
}

void kep(QWidget* w, const QString& nev)
{
    const QString mappa = qEnvironmentVariable("KAZETTORA_KEPEK");
    if (!mappa.isEmpty()) w->grab().save(mappa + "/keres-" + nev + ".png");
}

// The grid's rows as shown: "code|title|type".
QStringList racs(Tfrm_Keres* a)
{
    QStringList s;
    QAbstractItemModel* m = a->DBGrid1->model();
    for (int i = 0; i < m->rowCount(); ++i)
        s << m->index(i, 0).data().toString() + '|' + m->index(i, 1).data().toString() + '|'
                 + m->index(i, 2).data().toString();
    return s;
}

// Types a text into the search field and presses Enter.
void keres(Tfrm_Keres* a, const QString& szoveg)
{
    a->Edit1->clear();
    Gepel(a->Edit1, szoveg);
    Nyom(a, Qt::Key_Return);
}

} // namespace

class TstKeresAblak : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    std::unique_ptr<Tfrm_Main> m_f;

    Tfrm_Main& indit(FoablakKapcsolatok k = {})
    {
        adatok(*m_t);
        return FoablakIndit(m_f, m_t->parbeszed, std::move(k));
    }

    // Ctrl+T on the main window with `lepes` driving the search window.
    template <typename F> void ctrlT(Tfrm_Main& f, F lepes)
    {
        bool volt = false;
        {
            VartAblak v([&](Tfrm_Keres* a) {
                volt = true;
                lepes(a);
            });
            Nyom(&f, Qt::Key_T, Qt::ControlModifier);
            QVERIFY(v.kesz());
        }
        QVERIFY(volt);
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

    // Ctrl+T: the window in the main window's bottom right corner, the
    // focus in the search field; a genre name typed in capitals, Enter: the
    // items of the genre on the result page in title order; Down, Enter:
    // the main list moves to the second.
    void megvanMozgatja()
    {
        Tfrm_Main& f = indit();
        QCOMPARE(f.Tbl.aktualisKulcs(), qint64(1));
        ctrlT(f, [&](Tfrm_Keres* a) {
            QCOMPARE(a->windowTitle(), QString("Tétel keresése"));
            QCOMPARE(a->size(), QSize(456, 242));
            QCOMPARE(a->frameGeometry().right(), f.frameGeometry().right() - 25);
            QCOMPARE(a->frameGeometry().bottom(), f.frameGeometry().bottom() - 25);
            QCOMPARE(a->PageControl1->currentWidget(), a->TabSheet1);
            QCOMPARE(a->PageControl1->tabText(0), QString("Keresés"));
            QCOMPARE(a->PageControl1->tabText(1), QString("Eredmény"));
            QCOMPARE(QApplication::focusWidget(), a->Edit1);
            QVERIFY(!a->Button3->isEnabled());
            QVERIFY(!a->Button5->isEnabled());
            Gepel(a->Edit1, "VÍGJÁTÉK");
            kep(a, "kereses");
            Nyom(a, Qt::Key_Return);
            QCOMPARE(a->PageControl1->currentWidget(), a->TabSheet2);
            QCOMPARE(racs(a), (QStringList{"00103|Cukorfalat|DVD", "00104|Mr. O'Brien visszatér|DVD"}));
            QVERIFY(a->Button3->isEnabled());
            QVERIFY(a->Button5->isEnabled());
            kep(a, "eredmeny");
            Nyom(a, Qt::Key_Down);
            QCOMPARE(a->aktualis(), 1);
            Nyom(a, Qt::Key_Return);
            QVERIFY(!a->isVisible());
        });
        QCOMPARE(f.Tbl.aktualisKulcs(), qint64(4));
        QCOMPARE(f.DBGrid1->currentIndex().row(), f.Tbl.aktualis());
    }

    // Accented words found in the title and in the description, any case;
    // a double click on a row chooses it as "Megvan" does.
    void duplaKatt()
    {
        Tfrm_Main& f = indit();
        ctrlT(f, [&](Tfrm_Keres* a) {
            keres(a, "őRüLt");
            QCOMPARE(racs(a), (QStringList{"00101|Az őrült nap|DVD", "00102|Csillagok háborúja|DVD"}));
            DuplaKatt(a->DBGrid1, 1);
            QVERIFY(!a->isVisible());
        });
        QCOMPARE(f.Tbl.aktualisKulcs(), qint64(2));
        QCOMPARE(f.DBGrid1->currentIndex().row(), f.Tbl.aktualis());
    }

    // Esc on either page, or "Bezár": closed, the main list where it was.
    void bezaras_data()
    {
        QTest::addColumn<bool>("eredmenyLap");
        QTest::addColumn<bool>("gombbal");
        QTest::newRow("Esc a keresés lapon") << false << false;
        QTest::newRow("Esc az eredmény lapon") << true << false;
        QTest::newRow("Bezár a keresés lapon") << false << true;
        QTest::newRow("Bezár az eredmény lapon") << true << true;
    }
    void bezaras()
    {
        QFETCH(bool, eredmenyLap);
        QFETCH(bool, gombbal);
        Tfrm_Main& f = indit();
        Gepel(f.Edit1, "102");
        QCOMPARE(f.Tbl.aktualisKulcs(), qint64(2));
        ctrlT(f, [&](Tfrm_Keres* a) {
            if (eredmenyLap) {
                keres(a, "dráma");
                QCOMPARE(a->PageControl1->currentWidget(), a->TabSheet2);
            }
            if (gombbal) QTest::mouseClick(eredmenyLap ? a->Button4 : a->Button2, Qt::LeftButton);
            else Nyom(a, Qt::Key_Escape);
            QVERIFY(!a->isVisible());
            QCOMPARE(a->result(), int(QDialog::Rejected));
        });
        QCOMPARE(f.Tbl.aktualisKulcs(), qint64(2));
    }

    // Nothing found: the message, the search page stays in front with the
    // text; after an earlier hit "Megvan" stays enabled over the empty
    // result and chooses nothing: the window stays open.
    void nincsTalalat()
    {
        Tfrm_Main& f = indit();
        ctrlT(f, [&](Tfrm_Keres* a) {
            keres(a, "xyz");
            QCOMPARE(m_t->parbeszed.hibak(), QStringList{"Nincs ilyen sor, keresés sikertelen"});
            QVERIFY(a->isVisible());
            QCOMPARE(a->PageControl1->currentWidget(), a->TabSheet1);
            QCOMPARE(a->Edit1->text(), QString("xyz"));
            QVERIFY(!a->Button3->isEnabled());

            keres(a, "mr. o'");
            QCOMPARE(racs(a), QStringList{"00104|Mr. O'Brien visszatér|DVD"});
            a->PageControl1->setCurrentWidget(a->TabSheet1);
            a->Edit1->setFocus();
            keres(a, "'; DROP TABLE video; --");
            QCOMPARE(m_t->parbeszed.hibak().size(), 2);
            QCOMPARE(a->PageControl1->currentWidget(), a->TabSheet1);
            QVERIFY(a->Button3->isEnabled());
            QVERIFY(a->Button5->isEnabled());
            QCOMPARE(racs(a), QStringList{});
            a->PageControl1->setCurrentWidget(a->TabSheet2);
            QTest::mouseClick(a->Button3, Qt::LeftButton);
            QVERIFY(a->isVisible());
            Nyom(a, Qt::Key_Escape);
        });
        QCOMPARE(f.Tbl.aktualisKulcs(), qint64(1));
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT COUNT(*) FROM video"), QStringList{"5"});
    }

    // An error of the engine: its message, the window stays open on the
    // search page, the last result as it was.
    void motorHiba()
    {
        Tfrm_Main& f = indit();
        ctrlT(f, [&](Tfrm_Keres* a) {
            keres(a, "vígjáték");
            QCOMPARE(a->lista().sorok(), 2);
            a->PageControl1->setCurrentWidget(a->TabSheet1);
            a->Edit1->setFocus();
            Adatbazis::vegrehajt("ALTER TABLE mufaj RENAME TO mufaj_regi");
            keres(a, "dráma");
            QCOMPARE(m_t->parbeszed.hibak(), QStringList{"no such table: mufaj"});
            QVERIFY(a->isVisible());
            QCOMPARE(a->PageControl1->currentWidget(), a->TabSheet1);
            QCOMPARE(racs(a), (QStringList{"00103|Cukorfalat|DVD", "00104|Mr. O'Brien visszatér|DVD"}));
            Nyom(a, Qt::Key_Escape);
        });
        QCOMPARE(f.Tbl.aktualisKulcs(), qint64(1));
    }

    // The main list showing only the items out: an item in the shop chosen
    // in the search leaves its current row; one it lists becomes current.
    void szurtFolista()
    {
        Tfrm_Main& f = indit();
        f.muvelet("aSzur")->trigger();
        QCOMPARE(f.Tbl.lista().sorok(), 2);
        QCOMPARE(f.Tbl.aktualisKulcs(), qint64(3));
        ctrlT(f, [&](Tfrm_Keres* a) {
            keres(a, "o'brien");
            Nyom(a, Qt::Key_Return);
        });
        QCOMPARE(f.Tbl.aktualisKulcs(), qint64(4));
        QCOMPARE(f.DBGrid1->currentIndex().row(), 1);
        ctrlT(f, [&](Tfrm_Keres* a) {
            keres(a, "dráma");
            QCOMPARE(a->lista().sorok(), 2);
            Nyom(a, Qt::Key_Return);
            QVERIFY(!a->isVisible());
        });
        QCOMPARE(f.Tbl.aktualisKulcs(), qint64(4));
    }

    // "Nyomtat" hands the report a statement that lists the rows of the
    // grid, in its order, under the title "Keresés eredménye"; without a
    // report it does nothing.
    void nyomtat()
    {
        struct Atadas { QString sql; QVariantList param; QString cim; QWidget* szulo = nullptr; };
        QList<Atadas> atadasok;
        KeresJelentesFv jelentes;   // the report the main window hands the search; empty: none
        FoablakKapcsolatok k;
        k.keresJelentes = [&](const QString& sql, const QVariantList& param, const QString& cim, QWidget* szulo) {
            if (jelentes) jelentes(sql, param, cim, szulo);
        };
        Tfrm_Main& f = indit(std::move(k));
        ctrlT(f, [&](Tfrm_Keres* a) {
            keres(a, "A");
            QCOMPARE(a->lista().sorok(), 5);
            QTest::mouseClick(a->Button5, Qt::LeftButton);   // no report: nothing happens
            QVERIFY(a->isVisible());
            QVERIFY(atadasok.isEmpty());
            jelentes = [&](const QString& sql, const QVariantList& param, const QString& cim, QWidget* szulo) {
                atadasok << Atadas{sql, param, cim, szulo};
            };
            QTest::mouseClick(a->Button5, Qt::LeftButton);
            QCOMPARE(atadasok.size(), 1);
            QCOMPARE(atadasok[0].cim, QString("Keresés eredménye"));
            QCOMPARE(atadasok[0].szulo, a);
            QSqlQuery q(Adatbazis::db());
            QVERIFY(q.prepare(atadasok[0].sql));
            for (const QVariant& v : atadasok[0].param) q.addBindValue(v);
            QVERIFY2(q.exec(), qPrintable(Adatbazis::hibaSzoveg(q)));
            QList<qint64> jelentes, racsban;
            while (q.next()) jelentes << q.value("video").toLongLong();
            for (int i = 0; i < a->lista().sorok(); ++i) racsban << a->lista().kulcs(i);
            QCOMPARE(jelentes, racsban);
            QCOMPARE(jelentes, (QList<qint64>{1, 3, 2, 5, 4}));
            QVERIFY(a->isVisible());
            Nyom(a, Qt::Key_Escape);
        });
    }

    // As the program wires it: "Nyomtat" asks the print type, and the
    // preview shows the item list under "Keresés eredménye" with the finds.
    void nyomtatListaba()
    {
        Tfrm_Main& f = indit();
        ctrlT(f, [&](Tfrm_Keres* a) {
            keres(a, "A");
            VartAblak v([&](Tfrm_NyomtatasTipus* d) {
                Nyom(d, Qt::Key_Down);
                QVERIFY(d->Tipus[Tfrm_NyomtatasTipus::NyomtatasiKep]->isChecked());
                Nyom(d, Qt::Key_Return);
            });
            QTest::mouseClick(a->Button5, Qt::LeftButton);
            QVERIFY(v.kesz());
            Nyom(a, Qt::Key_Escape);
        });
        const auto& ny = m_t->parbeszed.nyomtatasok;
        QCOMPARE(ny.size(), 1);
        QVERIFY(ny[0].elonezet);
        const QString szoveg = PdfSorok(PdfOldalak(ny[0].pdf).value(0)).join('\n');
        QVERIFY2(szoveg.contains("Keresés eredménye"), qPrintable(szoveg));
        QVERIFY2(szoveg.contains("Összesen"), qPrintable(szoveg));
    }
};

QTEST_MAIN(TstKeresAblak)
#include "tst_keres_ablak.moc"
