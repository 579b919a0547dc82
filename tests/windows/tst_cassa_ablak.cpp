// The cash book window and the date, period and month dialogs, driven with
// their keys, headless; the table is checked afterwards; the day's close
// (F10) with its Z report. With KAZETTORA_KEPEK set, a picture of each
// window is saved there (cassa-*.png).
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "core/cash/cassa.h"
#include "core/cash/zaras.h"
#include "windows/cash/tfrm_cassa.h"
#include "windows/cash/tfrm_datumbe.h"
#include "windows/common/ablakparbeszed.h"
#include "windows/common/bevitel.h"
#include "windows/common/tfrm_inp.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "windows/refdata/torzsadatok.h"
#include "tests/print/tst_jelentes_pdf.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

void tetel(const QString& tip, const QDate& nap, double osszeg, double penzvan, const QVariant& ugyfel = QVariant())
{
    Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, ugyfel, osszeg, penzvan, idoszak) VALUES (?, ?, ?, ?, ?, ?)",
                         {tip, nap, ugyfel, osszeg, penzvan,
                          ugyfel.isValid() ? QVariant(nap.toString("yyyyMM")) : QVariant()});
}

void kep(QWidget* w, const QString& nev)
{
    const QString mappa = qEnvironmentVariable("KAZETTORA_KEPEK");
    if (!mappa.isEmpty()) w->grab().save(QStringLiteral("%1/cassa-%2.png").arg(mappa, nev));
}

// The cells of a grid row as shown, joined by '|'.
QString sorSzoveg(Tfrm_Cassa& a, int sor)
{
    QStringList s;
    for (int o = 0; o < a.modell()->columnCount(); ++o) s << a.modell()->index(sor, o).data().toString();
    return s.join('|');
}

// Runs the cash book; `lepes` drives it while it is open, then the operator
// closes it with Esc unless the step did.
void cassa(const std::function<void(Tfrm_Cassa&)>& lepes)
{
    VartAblak v([&](Tfrm_Cassa* a) {
        lepes(*a);
        if (a->isVisible()) Nyom(a, Qt::Key_Escape);
    });
    CassaMegnyit(nullptr);
}

// Chooses the cash entry type `kod` in the chooser the next key opens (an
// empty code: closes it with Esc).
struct TipusValaszto {
    VartAblak v;
    explicit TipusValaszto(const QString& kod)
        : v([kod](Tfrm_TorzsCassatip* t) {
              QVERIFY(t->aElfogad->isVisible());
              if (kod.isEmpty()) {
                  Nyom(t, Qt::Key_Escape);
                  return;
              }
              QVERIFY(t->keresKulcs(kod));
              Nyom(t, Qt::Key_Return);
          })
    {
    }
};

// The text and background colours a cell is painted with.
QPair<QColor, QColor> cellaSzin(Tfrm_Cassa& a, int sor, bool kijelolt)
{
    QStyleOptionViewItem o;
    o.initFrom(a.DBGrid1);
    a.Rajzolo->initStyleOption(&o, a.modell()->index(sor, 2));
    return {o.palette.color(QPalette::Active, kijelolt ? QPalette::HighlightedText : QPalette::Text),
            o.palette.color(QPalette::Active, kijelolt ? QPalette::Highlight : QPalette::Base)};
}

// The scripted seam, but the number dialog and the questions are the
// program's own windows, so they can be driven with keys and pictured.
class AblakosKerdesek : public TesztParbeszed {
public:
    bool doboz(QWidget* szulo, Doboz fajta, const QString& cim, const QString& szoveg) override
    {
        if (fajta != Doboz::Kerdes) return TesztParbeszed::doboz(szulo, fajta, cim, szoveg);
        dobozok.append({fajta, cim, szoveg});
        return AblakParbeszed().doboz(szulo, fajta, cim, szoveg);
    }
    bool szamBevitel(QWidget* szulo, const QString& cim, const QString& kerdes, double& ertek) override
    {
        return AblakParbeszed().szamBevitel(szulo, cim, kerdes, ertek);
    }
};

const char* const ZarasSorSql = "SELECT datum, ido, vart, szamolt, elteres, felhasznalo FROM zaras ORDER BY zaras";

} // namespace

class TstCassaAblak : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;

    int darab() { return Adatbazis::ertek("SELECT COUNT(*) FROM cassa").toInt(); }

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        AlkalmazasBeallit(*qApp);
    }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>();
        m_t->nyit();
        TBeall.rendszergazda = true;
        const int ugyfel = Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev) VALUES (7, 'Kovács Éva')")
                               .lastInsertId().toInt();
        tetel("B", Ma().addDays(-2), 1234567, 1234567, ugyfel);
        tetel("K", Ma().addDays(-1), -1224567, 10000);
        tetel("T", Ma(), 2800, 12800, ugyfel);
        tetel("B", Ma(), 1500, 14300, ugyfel);
    }
    void cleanup() { m_t.reset(); }

    void megnyitas()
    {
        cassa([](Tfrm_Cassa& a) {
            QCOMPARE(a.windowTitle(), QString("Cassa"));
            QCOMPARE(a.lista().sorok(), 4);
            QCOMPARE(a.aktualis(), 0);
            QVERIFY(!a.aSzur->isChecked());
            QStringList cimek;
            for (int o = 0; o < a.modell()->columnCount(); ++o)
                cimek << a.modell()->headerData(o, Qt::Horizontal).toString();
            QCOMPARE(cimek, (QStringList{"dátum", "típus", "összeg", "záró", "ügyfél"}));
            QCOMPARE(sorSzoveg(a, 0), RovidDatum(Ma().addDays(-2)) + "|Kölcsönzési díj|1 234 567|1 234 567|Kovács Éva");
            QCOMPARE(sorSzoveg(a, 1), RovidDatum(Ma().addDays(-1)) + "|Kiadás|-1 224 567|10 000|");
            QCOMPARE(a.modell()->index(0, 2).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, int(Qt::AlignRight));
            // Money out in red, in yellow on the current row; the rest as usual.
            QVERIFY(a.Rajzolo->kiadas(1));
            QVERIFY(!a.Rajzolo->kiadas(0));
            QCOMPARE(cellaSzin(a, 1, false).first, QColor(0xFF, 0, 0));
            QCOMPARE(cellaSzin(a, 1, true).first, QColor(0xFF, 0xFF, 0));
            QCOMPARE(cellaSzin(a, 0, false).first, a.DBGrid1->palette().color(QPalette::Active, QPalette::Text));
            // Tool bar and menus in their order; the titles do not sort.
            QStringList gombok;
            for (QAction* m : a.ToolBar1->actions()) gombok << (m->isSeparator() ? "|" : m->text());
            QCOMPARE(gombok, (QStringList{"Új sor", "|", "Dátum szűrés", "|", "Napzárás", "|", "Nyomtat", "|", "Bezár"}));
            QStringList menu;
            for (QAction* m : a.PopupMenu1->actions()) menu << (m->isSeparator() ? "|" : m->text());
            QCOMPARE(menu, (QStringList{"Új sor", "Dátum szűrés", "|", "Napzárás", "|", "Nyomtat", "Nyomtatási kép", "|",
                                        "Bezár"}));
            auto* b = qobject_cast<QToolButton*>(a.ToolBar1->widgetForAction(a.aNyomtat));
            QVERIFY(b && b->menu() && b->menu()->actions().size() == 2);
            QVERIFY(!a.DBGrid1->horizontalHeader()->sectionsClickable());
            // Ctrl+End reaches the last entry.
            a.DBGrid1->setFocus();
            Nyom(&a, Qt::Key_End, Qt::ControlModifier);
            QCOMPARE(a.aktualis(), 3);
            kep(&a, "konyv");
        });
    }

    // Insert, the type chosen, the amount typed: the entry is written with
    // the signed amount and the balance after the last entry, and is the
    // current row of the reloaded grid.
    void keziTetel_data()
    {
        QTest::addColumn<QString>("tipus");
        QTest::addColumn<double>("gepelt");
        QTest::addColumn<QString>("osszeg");
        QTest::addColumn<QString>("zaro");
        QTest::addColumn<bool>("piros");
        QTest::newRow("bevétel") << "E" << 2000.0 << "2 000" << "16 300" << false;
        QTest::newRow("kiadás") << "K" << 2000.0 << "-2 000" << "12 300" << true;
        QTest::newRow("negatív kiadás") << "V" << -2000.0 << "2 000" << "16 300" << false;
    }
    void keziTetel()
    {
        QFETCH(QString, tipus);
        QFETCH(double, gepelt);
        QFETCH(QString, osszeg);
        QFETCH(QString, zaro);
        QFETCH(bool, piros);
        m_t->parbeszed.szamValaszok = {gepelt};
        cassa([&](Tfrm_Cassa& a) {
            {
                TipusValaszto t(tipus);
                Nyom(&a, Qt::Key_Insert);
            }
            QCOMPARE(a.lista().sorok(), 5);
            QCOMPARE(a.aktualis(), 4);
            QCOMPARE(sorSzoveg(a, 4), RovidDatum(Ma()) + '|' + VarSzoveg(Adatbazis::ertek(
                                           "SELECT cassatip_nev FROM cassatip WHERE cassatip = ?", {tipus}))
                                           + '|' + osszeg + '|' + zaro + '|');
            QCOMPARE(a.Rajzolo->kiadas(4), piros);
            if (piros) kep(&a, "kiadas");
        });
        QVERIFY(m_t->parbeszed.dobozok.isEmpty());
        const double o = QString(osszeg).remove(' ').toDouble(), z = QString(zaro).remove(' ').toDouble();
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT cassatip, datum, ugyfel, osszeg, penzvan, idoszak FROM cassa "
                                            "ORDER BY cassa DESC LIMIT 1"),
                 QStringList{QStringLiteral("%1|%2|∅|%3|%4|∅").arg(tipus, Ma().toString(Qt::ISODate)).arg(o).arg(z)});
    }

    // Giving up at the type or at the amount writes nothing.
    void keziTetelMegszakitva()
    {
        cassa([&](Tfrm_Cassa& a) {
            {
                TipusValaszto t{QString()};
                Nyom(&a, Qt::Key_Insert);
            }
            {
                TipusValaszto t("E");
                Nyom(&a, Qt::Key_Insert);   // no amount answered: cancelled
            }
            QCOMPARE(a.lista().sorok(), 4);
        });
        QCOMPARE(darab(), 4);
        QVERIFY(m_t->parbeszed.dobozok.isEmpty());
    }

    // An amount past the money bound: the engine's refusal, nothing written, the window stays.
    void keziTetelElutasitva()
    {
        m_t->parbeszed.szamValaszok = {5e12};
        cassa([&](Tfrm_Cassa& a) {
            TipusValaszto t("E");
            Nyom(&a, Qt::Key_Insert);
            QVERIFY(a.isVisible());
        });
        QCOMPARE(m_t->parbeszed.hibak(), QStringList{"Nem megfelelő érték."});
        QCOMPARE(darab(), 4);
    }

    // Without the administrator right: the message without a full stop and
    // nothing else; filtering and printing still work.
    void jogNelkul()
    {
        TBeall.rendszergazda = false;
        cassa([&](Tfrm_Cassa& a) {
            {
                VartAblak soha{VartAblak::Soha<Tfrm_TorzsCassatip>{}};
                Nyom(&a, Qt::Key_Insert);
            }
            QCOMPARE(m_t->parbeszed.hibak(), QStringList{"Nincs jogosultság a művelethez"});
            {
                VartAblak d([](Tfrm_Datumbe* d) { Nyom(d, Qt::Key_Return); });
                Nyom(&a, Qt::Key_F9);
            }
            QCOMPARE(a.lista().sorok(), 2);
            Nyom(&a, Qt::Key_P, Qt::ControlModifier);
            Nyom(&a, Qt::Key_K, Qt::ControlModifier);
        });
        QCOMPARE(darab(), 4);
        QCOMPARE(m_t->parbeszed.nyomtatasok.size(), 2);
        QVERIFY(!m_t->parbeszed.nyomtatasok.at(0).elonezet);
        QVERIFY(m_t->parbeszed.nyomtatasok.at(1).elonezet);
    }

    // F9 asks a day (today offered, "OK" focused, Enter takes it) and shows
    // that day's entries; F9 again shows all. A cancelled dialog leaves the
    // list whole and the button up; a day without entries, an empty grid.
    void datumSzures()
    {
        cassa([&](Tfrm_Cassa& a) {
            {
                VartAblak d([](Tfrm_Datumbe* d) {
                    QCOMPARE(d->windowTitle(), QString("Dátum megadása"));
                    QCOMPARE(d->DateTimePicker1->date(), Ma());
                    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d->btnOK));
                    kep(d, "datumbe");
                    Nyom(d, Qt::Key_Return);
                });
                Nyom(&a, Qt::Key_F9);
            }
            QVERIFY(a.aSzur->isChecked());
            QCOMPARE(a.lista().sorok(), 2);
            QCOMPARE(a.aktualis(), 0);
            QCOMPARE(sorSzoveg(a, 1), RovidDatum(Ma()) + "|Kölcsönzési díj|1 500|14 300|Kovács Éva");

            // A manual entry while filtered on today shows at once, last.
            m_t->parbeszed.szamValaszok = {300};
            {
                TipusValaszto t("E");
                Nyom(&a, Qt::Key_Insert);
            }
            QCOMPARE(a.lista().sorok(), 3);
            QCOMPARE(a.aktualis(), 2);

            Nyom(&a, Qt::Key_F9);
            QVERIFY(!a.aSzur->isChecked());
            QCOMPARE(a.lista().sorok(), 5);

            {
                VartAblak d([](Tfrm_Datumbe* d) { Nyom(d, Qt::Key_Escape); });
                Nyom(&a, Qt::Key_F9);
            }
            QVERIFY(!a.aSzur->isChecked());
            QCOMPARE(a.lista().sorok(), 5);

            {
                VartAblak d([](Tfrm_Datumbe* d) {
                    d->DateTimePicker1->setDate(Ma().addDays(-30));
                    d->btnOK->setFocus();
                    Nyom(d, Qt::Key_Return);
                });
                Nyom(&a, Qt::Key_F9);
            }
            QVERIFY(a.aSzur->isChecked());
            QCOMPARE(a.lista().sorok(), 0);
            QCOMPARE(a.aktualis(), -1);
            // A manual entry of today does not show in another day's list.
            m_t->parbeszed.szamValaszok = {100};
            {
                TipusValaszto t("E");
                Nyom(&a, Qt::Key_Insert);
            }
            QCOMPARE(a.lista().sorok(), 0);
            Nyom(&a, Qt::Key_P, Qt::ControlModifier);
            Nyom(&a, Qt::Key_F9);
            QCOMPARE(a.lista().sorok(), 6);
        });
        QCOMPARE(darab(), 6);
        QCOMPARE(m_t->parbeszed.nyomtatasok.size(), 1);
    }

    // The period dialog returns both days as they stand on "OK" (Enter
    // moves from picker to picker, then presses "OK"), nothing on Esc.
    void idoszakParbeszed_data()
    {
        QTest::addColumn<QDate>("ma");
        QTest::addColumn<QDate>("tol");
        QTest::newRow("május 31.") << QDate(2026, 5, 31) << QDate(2026, 2, 28);
        QTest::newRow("május 31., szökőév") << QDate(2028, 5, 31) << QDate(2028, 2, 29);
        QTest::newRow("március 15.") << QDate(2026, 3, 15) << QDate(2025, 12, 15);
    }
    void idoszakParbeszed()
    {
        QFETCH(QDate, ma);
        QFETCH(QDate, tol);
        auto [elso, utolso] = Cassa::IdoszakJavaslat(ma);
        {
            VartAblak v([&](Tfrm_Idoszak* d) {
                QCOMPARE(d->windowTitle(), QString("Időszak megadása"));
                QCOMPARE(d->DateTimePicker1->date(), tol);
                QCOMPARE(d->DateTimePicker2->date(), ma);
                QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d->DateTimePicker1));
                QCOMPARE(d->DateTimePicker1->palette().color(QPalette::Base), FokuszSzin);
                kep(d, "idoszak");
                Nyom(d, Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d->DateTimePicker2));
                // A first day after the last is returned as it is.
                d->DateTimePicker2->setDate(tol.addDays(-1));
                Nyom(d, Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d->btnOK));
                Nyom(d, Qt::Key_Return);
            });
            QVERIFY(IdoszakMegad(nullptr, elso, utolso));
        }
        QCOMPARE(elso, tol);
        QCOMPARE(utolso, tol.addDays(-1));
        {
            VartAblak v([](Tfrm_Idoszak* d) { Nyom(d, Qt::Key_Escape); });
            QVERIFY(!IdoszakMegad(nullptr, elso, utolso));
        }
        QCOMPARE(elso, tol);
        QCOMPARE(utolso, tol.addDays(-1));
    }

    void datumParbeszedMegsem()
    {
        QDate d(2026, 1, 2);
        {
            VartAblak v([](Tfrm_Datumbe* a) {
                a->DateTimePicker1->setDate(QDate(2026, 2, 3));
                Nyom(a, Qt::Key_Escape);
            });
            QVERIFY(!DatumMegad(nullptr, d));
        }
        QCOMPARE(d, QDate(2026, 1, 2));
    }

    // The month dialog offers the cash book's month keys: the first and the
    // last in the boxes, all of them in both lists; what stands in the
    // boxes is returned on "OK", typed or chosen.
    void honapParbeszed_data()
    {
        QTest::addColumn<QStringList>("idoszakok");   // "-": a manual entry
        QTest::addColumn<QStringList>("lista");
        QTest::newRow("három hónap") << QStringList{"202602", "202601", "202603", "202601"}
                                     << QStringList{"202601", "202602", "202603"};
        QTest::newRow("kézi tétellel") << QStringList{"202602", "-", "202603"} << QStringList{"", "202602", "202603"};
        QTest::newRow("üres pénztár") << QStringList{} << QStringList{};
    }
    void honapParbeszed()
    {
        QFETCH(QStringList, idoszakok);
        QFETCH(QStringList, lista);
        Adatbazis::vegrehajt("DELETE FROM cassa");
        for (const QString& i : idoszakok)
            Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, osszeg, penzvan, idoszak) VALUES ('B', ?, 1, 1, ?)",
                                 {Ma(), i == "-" ? QVariant() : QVariant(i)});
        QString tol = "x", ig = "y";
        {
            VartAblak v([&](Tfrm_Honap* d) {
                QCOMPARE(d->windowTitle(), QString("Időszak megadása"));
                QCOMPARE(d->Label1->text(), QString("tól"));
                QCOMPARE(d->Label2->text(), QString("ig"));
                QCOMPARE(d->ComboBox1->currentText(), lista.value(0));
                QCOMPARE(d->ComboBox2->currentText(), lista.isEmpty() ? QString() : lista.last());
                for (QComboBox* c : {d->ComboBox1, d->ComboBox2}) {
                    QStringList l;
                    for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
                    QCOMPARE(l, lista);
                }
                // The focus colour on the first box only.
                QCOMPARE(QApplication::focusWidget()->parentWidget() == d->ComboBox1
                             || QApplication::focusWidget() == d->ComboBox1,
                         true);
                QCOMPARE(d->ComboBox1->palette().color(QPalette::Base), FokuszSzin);
                if (lista.size() == 3 && !lista.first().isEmpty()) kep(d, "honap");
                Nyom(d, Qt::Key_Return);
                QVERIFY(d->ComboBox2->hasFocus());
                QVERIFY(d->ComboBox2->palette().color(QPalette::Base) != FokuszSzin);
                Nyom(d, Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d->btnOK));
                Nyom(d, Qt::Key_Return);
            });
            QVERIFY(HonapMegad(nullptr, tol, ig));
        }
        QCOMPARE(tol, lista.value(0));
        QCOMPARE(ig, lista.isEmpty() ? QString() : lista.last());

        // A typed month not in the list, or no month at all, comes back as typed.
        {
            VartAblak v([&](Tfrm_Honap* d) {
                d->ComboBox1->lineEdit()->selectAll();
                Gepel(d->ComboBox1->lineEdit(), "199901");
                d->ComboBox2->setFocus();
                d->ComboBox2->lineEdit()->selectAll();
                Gepel(d->ComboBox2->lineEdit(), "nem hónap");
                d->btnOK->click();
            });
            QVERIFY(HonapMegad(nullptr, tol, ig));
        }
        QCOMPARE(tol, QString("199901"));
        QCOMPARE(ig, QString("nem hónap"));
        {
            VartAblak v([](Tfrm_Honap* d) { Nyom(d, Qt::Key_Escape); });
            QVERIFY(!HonapMegad(nullptr, tol, ig));
        }
        QCOMPARE(tol, QString("199901"));
        QCOMPARE(ig, QString("nem hónap"));
    }

    // F10: the counted cash asked (nothing proposed), the expected, counted
    // and difference shown for a yes, then the close is recorded with the
    // user and the Z report goes to the printer. A no or a cancelled
    // amount records and prints nothing.
    void napzaras_data()
    {
        QTest::addColumn<QList<double>>("szamolt");   // empty: cancelled
        QTest::addColumn<QList<bool>>("igen");
        QTest::addColumn<QString>("sor");             // the close on the disk; empty: none
        QTest::addColumn<QString>("elteres");
        QTest::newRow("többlet") << QList<double>{14800} << QList<bool>{true}
                                 << "14300|14800|500|Kovács Anna" << "+500 Ft (többlet)";
        QTest::newRow("hiány") << QList<double>{13299.5} << QList<bool>{true}
                               << "14300|13299.5|-1000.5|Kovács Anna" << "-1 001 Ft (hiány)";
        QTest::newRow("nem") << QList<double>{14300} << QList<bool>{false} << "" << "0 Ft";
        QTest::newRow("mégsem az összegnél") << QList<double>{} << QList<bool>{} << "" << "";
    }
    void napzaras()
    {
        QFETCH(QList<double>, szamolt);
        QFETCH(QList<bool>, igen);
        QFETCH(QString, sor);
        QFETCH(QString, elteres);
        TBeall.felhasznalo_nev = "Kovács Anna";
        m_t->parbeszed.szamValaszok = szamolt;
        m_t->parbeszed.kerdesValaszok = igen;
        cassa([&](Tfrm_Cassa& a) {
            Nyom(&a, Qt::Key_F10);
            QVERIFY(a.isVisible());
        });
        TBeall.felhasznalo_nev.clear();
        QCOMPARE(m_t->parbeszed.szamKerdesek.size(), 1);
        QCOMPARE(m_t->parbeszed.szamKerdesek[0].cim, QString("Napzárás"));
        QCOMPARE(m_t->parbeszed.szamKerdesek[0].javasolt, 0.0);
        QVERIFY(m_t->parbeszed.hibak().isEmpty());
        if (!szamolt.isEmpty()) {
            QCOMPARE(m_t->parbeszed.dobozok.size(), 1);
            QCOMPARE(m_t->parbeszed.dobozok[0].szoveg,
                     QStringLiteral("Napzárás: %1\n\nVárt készpénz (pénztárkönyv): 14 300 Ft\nMegszámolt készpénz: %2 Ft\n"
                                    "Eltérés: %3\n\nRögzíti a zárást? Utána erre a napra kézi pénztári tétel már nem "
                                    "rögzíthető.")
                         .arg(RovidDatum(Ma()), FtMaszk(szamolt[0]), elteres));
        } else {
            QVERIFY(m_t->parbeszed.dobozok.isEmpty());
        }
        const QStringList lemezen = Lemezen(m_t->adatMappa(), "SELECT vart, szamolt, elteres, felhasznalo FROM zaras");
        QCOMPARE(lemezen, sor.isEmpty() ? QStringList{} : QStringList{sor});
        QCOMPARE(m_t->parbeszed.nyomtatasok.size(), sor.isEmpty() ? 0 : 1);
        if (sor.isEmpty()) return;
        const auto& ny = m_t->parbeszed.nyomtatasok[0];
        QCOMPARE(ny.cim, QString("Napi zárás (Z jelentés)"));
        QVERIFY(!ny.elonezet);
        const QString szoveg = PdfOldalak(ny.pdf).join('\n');
        QVERIFY2(szoveg.contains("Kovács Anna") && szoveg.contains(elteres), qPrintable(szoveg));
    }

    // After the close: Insert is refused with the reason and writes
    // nothing; F10 again records no second close but offers the report
    // again, printed on a yes.
    void zartNap()
    {
        m_t->parbeszed.szamValaszok = {14300, 500};
        m_t->parbeszed.kerdesValaszok = {true, true};
        cassa([&](Tfrm_Cassa& a) {
            Nyom(&a, Qt::Key_F10);
            {
                TipusValaszto t("E");
                Nyom(&a, Qt::Key_Insert);
            }
            QCOMPARE(a.lista().sorok(), 4);
            Nyom(&a, Qt::Key_F10);
        });
        QCOMPARE(m_t->parbeszed.hibak(),
                 QStringList{QStringLiteral("A %1 nap pénztára már le van zárva (napi zárás): erre a napra kézi tétel "
                                            "nem rögzíthető. A tétel nem lett rögzítve.").arg(RovidDatum(Ma()))});
        QCOMPARE(m_t->parbeszed.dobozok.last().szoveg,
                 QStringLiteral("A mai nap (%1) pénztára már le van zárva (15:30:00).\nKinyomtatja újra a Z jelentést?")
                     .arg(RovidDatum(Ma())));
        QCOMPARE(darab(), 4);
        QCOMPARE(Lemezen(m_t->adatMappa(), ZarasSorSql),
                 QStringList{QStringLiteral("%1|15:30:00|14300|14300|0|").arg(Ma().toString(Qt::ISODate))});
        QCOMPARE(m_t->parbeszed.nyomtatasok.size(), 2);
        // Both amounts were asked: the close's, then the refused entry's.
        QVERIFY(m_t->parbeszed.szamValaszok.isEmpty());
    }

    // With the clock set back before the last closed day, F10 says so
    // before any counting, and records nothing.
    void napzarasKorabbiNapon()
    {
        Zaras::Zar(Ma(), 14300, QString());
        OraBeallit(TesztMost.addDays(-1));
        cassa([&](Tfrm_Cassa& a) { Nyom(&a, Qt::Key_F10); });
        OraBeallit(TesztMost);
        QCOMPARE(m_t->parbeszed.hibak(),
                 QStringList{QStringLiteral("A pénztár már a későbbi %1 napig le van zárva; korábbi nap nem zárható.")
                                 .arg(RovidDatum(TesztMost.date()))});
        QVERIFY(m_t->parbeszed.szamKerdesek.isEmpty());
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM zaras").toInt(), 1);
    }

    // The keyboard alone through the program's own dialogs: the amount
    // typed and Enter, then Tab to "Igen" and Space. With KAZETTORA_KEPEK,
    // pictures of both.
    void napzarasBillentyukkel()
    {
        AblakosKerdesek p;
        parbeszedBeallit(&p);
        QString kerdesGomb;
        cassa([&](Tfrm_Cassa& a) {
            VartAblak v([&](Tfrm_Inp* d) {
                QCOMPARE(d->windowTitle(), QString("Napzárás"));
                QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d->Edit1));
                Gepel(d->Edit1, "14250");
                kep(d, "zaras-osszeg");
                Nyom(d, Qt::Key_Return);
            });
            v.majd([&](QMessageBox* m) {
                kep(m, "zaras-kerdes");
                for (int i = 0; i < 4 && !(qobject_cast<QPushButton*>(QApplication::focusWidget())
                                           && static_cast<QPushButton*>(QApplication::focusWidget())->text().remove('&') == "Igen");
                     ++i)
                    Nyom(m, Qt::Key_Tab);
                kerdesGomb = static_cast<QPushButton*>(QApplication::focusWidget())->text().remove('&');
                Nyom(m, Qt::Key_Space);
            });
            Nyom(&a, Qt::Key_F10);
            QVERIFY(v.kesz());
        });
        parbeszedBeallit(&m_t->parbeszed);
        QCOMPARE(kerdesGomb, QString("Igen"));
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT vart, szamolt, elteres FROM zaras"), QStringList{"14300|14250|-50"});
        QCOMPARE(p.nyomtatasok.size(), 1);
    }

    // The main window's "Kassza" opens the cash book with every entry, the first current.
    void foablakbol()
    {
        Tfrm_Main f;
        QVERIFY(f.indult());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QVERIFY(f.muvelet("aKassza")->isEnabled());
        VartAblak v([](Tfrm_Cassa* a) {
            QCOMPARE(a->lista().sorok(), 4);
            QCOMPARE(a->aktualis(), 0);
            Nyom(a, Qt::Key_Escape);
        });
        f.muvelet("aKassza")->trigger();
        QVERIFY(v.kesz());
    }
};

QTEST_MAIN(TstCassaAblak)
#include "tst_cassa_ablak.moc"
