// The customer register driven with its keys, headless; the tables are
// checked afterwards.
#include "windows/customers/ugyfelek_ablak.h"
#include "core/data/adatbazis.h"
#include "print/common/uzenet.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlRecord>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

int ugyfel(int azon, const QString& nev, const QVariant& dij = QVariant(), const QString& torolve = "N")
{
    QSqlQuery q = Adatbazis::vegrehajt(
        "INSERT INTO ugyfel (azon, ugyfel_nev, dijfizetve, torolve) VALUES (?, ?, ?, ?)", {azon, nev, dij, torolve});
    return q.lastInsertId().toInt();
}

QVariant mezo(int ugyfel, const QString& m)
{
    return Adatbazis::ertek(QStringLiteral("SELECT %1 FROM ugyfel WHERE ugyfel = ?").arg(m), {ugyfel});
}

int darab(const QString& tabla)
{
    return Adatbazis::ertek(QStringLiteral("SELECT COUNT(*) FROM %1").arg(tabla)).toInt();
}

QString tablaKep()
{
    QSqlQuery q = Adatbazis::vegrehajt("SELECT * FROM ugyfel ORDER BY ugyfel");
    QStringList sorok;
    while (q.next()) {
        QStringList s;
        for (int i = 0; i < q.record().count(); ++i) s << q.value(i).toString();
        sorok << s.join('|');
    }
    return sorok.join('\n');
}

void aktival(QWidget* w)
{
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}


void billentyu(QWidget* ablak, int k, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    // Closing a nested dialog leaves no active window offscreen; a window
    // manager would give it back.
    if (!ablak->isActiveWindow()) aktival(ablak);
    QWidget* f = QApplication::focusWidget();
    QTest::keyClick(f && f->window() == ablak ? f : ablak, Qt::Key(k), m);
}

// Runs the register; `lepes` drives it while it is open, then the operator
// closes it with Esc unless the step did. Returns what the opening
// operation returned.
int regiszter(bool valasztas, const std::function<void(Tfrm_TorzsUgyfel&)>& lepes, int kulcs = -1)
{
    VartAblak v([&](Tfrm_TorzsUgyfel* a) {
        lepes(*a);
        if (a->isVisible()) billentyu(a, Qt::Key_Escape);
    });
    return TorzsUgyfelMegnyit(nullptr, kulcs, valasztas);
}

// Presses the key that opens the edit dialog and drives the dialog with
// `lepes`, which closes it.
void szerkesztoben(Tfrm_TorzsUgyfel& a, int kulcs, const std::function<void(Tfrm_TorzsUgyfel_Szerkeszt&)>& lepes)
{
    VartAblak v([&](Tfrm_TorzsUgyfel_Szerkeszt* d) { lepes(*d); });
    billentyu(&a, kulcs);
}

QStringList nevek(Tfrm_TorzsUgyfel& a)
{
    QStringList l;
    for (int i = 0; i < a.lista().sorok(); ++i) l << a.lista().ertek(i, "ugyfel_nev").toString();
    return l;
}

} // namespace

class TstUgyfelAblak : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;

private slots:
    void initTestCase() { TesztKornyezet(); }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>();
        m_t->nyit();
    }
    void cleanup() { m_t.reset(); }

    void megnyitas()
    {
        ugyfel(7, "Cecil", QDate(2026, 6, 1));
        ugyfel(12, "Aladár", QDate(2026, 1, 1));
        ugyfel(3, "Béla");
        ugyfel(4, "Törölt", QDate(2026, 6, 1), "I");
        regiszter(false, [](Tfrm_TorzsUgyfel& a) {
            // Listed only, in name order, while the search mode is by code.
            QCOMPARE(nevek(a), (QStringList{"Aladár", "Béla", "Cecil"}));
            QVERIFY(a.aKeresKod->isChecked());
            QVERIFY(!a.nevSzerint());
            QCOMPARE(a.aktualis(), 0);
            QCOMPARE(QApplication::focusWidget(), a.Edit1);
            QVERIFY(!a.aElfogad->isVisible());
            QCOMPARE(a.windowTitle(), QString("Ügyfelek"));
            QCOMPARE(a.modell()->data(a.modell()->index(2, 1)).toString(), QString("00007"));
            QCOMPARE(a.modell()->headerData(0, Qt::Horizontal).toString(), QString("!"));
            // The membership mark: tick only before the paid-until day.
            QVERIFY(a.Rajzolo->lejartJel(0));
            QVERIFY(a.Rajzolo->lejartJel(1));
            QVERIFY(!a.Rajzolo->lejartJel(2));
            // The grid print, at once and previewed, with their shortcuts.
            QCOMPARE(a.aNyomtat->shortcut(), QKeySequence("Ctrl+P"));
            QCOMPARE(a.aNyomtatKep->shortcut(), QKeySequence("Ctrl+K"));
            for (QAction* m : {a.aNyomtat, a.aNyomtatKep}) QVERIFY(m->isEnabled());
            QVERIFY(a.aExcelbe->isEnabled());
            // Ctrl+F from the grid back into the search field.
            a.DBGrid1->setFocus();
            billentyu(&a, Qt::Key_F, Qt::ControlModifier);
            QCOMPARE(QApplication::focusWidget(), a.Edit1);
        });
    }

    void ujUgyfel()
    {
        ugyfel(1, "Alfa");
        ugyfel(2, "Béta");
        ugyfel(7, "Gamma");
        ugyfel(9, "Rejtett", QVariant(), "I");
        regiszter(false, [](Tfrm_TorzsUgyfel& a) {
            szerkesztoben(a, Qt::Key_Insert, [](Tfrm_TorzsUgyfel_Szerkeszt& d) {
                QCOMPARE(d.windowTitle(), QString("Ügyfél szerkesztés"));
                QCOMPARE(d.azon->text(), QString("10"));   // 9 is not listed, but counts
                QCOMPARE(d.DateTimePicker1->date(), TesztMost.date());
                QVERIFY(!d.DateTimePicker1->isReadOnly());
                QCOMPARE(QApplication::focusWidget(), d.ugyfel_nev);
                Gepel(d.ugyfel_nev, "Új Ügyfél");
                billentyu(&d, Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), d.azon);
                billentyu(&d, Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), d.cim_irsz);
                Gepel(d.cim_irsz, "1071");
                billentyu(&d, Qt::Key_Return);   // leaving the postal code fills the town
                QCOMPARE(QApplication::focusWidget(), d.cim_varos);
                QCOMPARE(d.cim_varos->text(), QString("Budapest"));
                QTest::mouseClick(d.btnOK, Qt::LeftButton);
                QVERIFY(!d.isVisible());
            });
            // The new customer is current, with the red cross until a fee is paid.
            QCOMPARE(a.ertek("ugyfel_nev").toString(), QString("Új Ügyfél"));
            QVERIFY(a.Rajzolo->lejartJel(a.aktualis()));
        });
        QSqlQuery q = Adatbazis::vegrehajt(
            "SELECT azon, cim_irsz, cim_varos, dijfizetve, torolve FROM ugyfel WHERE ugyfel_nev = 'Új Ügyfél'");
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 10);
        QCOMPARE(q.value(1).toString(), QString("1071"));
        QCOMPARE(q.value(2).toString(), QString("Budapest"));
        QCOMPARE(q.value(3).toString(), QString("2026-03-14"));
        QCOMPARE(q.value(4).toString(), QString("N"));
        QVERIFY(!q.next());
    }

    void elsoUgyfelKodja()
    {
        regiszter(false, [](Tfrm_TorzsUgyfel& a) {
            szerkesztoben(a, Qt::Key_Insert, [](Tfrm_TorzsUgyfel_Szerkeszt& d) {
                QCOMPARE(d.azon->text(), QString("1"));
                Gepel(d.ugyfel_nev, "Első");
                QTest::mouseClick(d.btnOK, Qt::LeftButton);
            });
            QCOMPARE(a.modell()->data(a.modell()->index(0, 1)).toString(), QString("00001"));
        });
        QCOMPARE(Adatbazis::ertek("SELECT azon FROM ugyfel").toInt(), 1);
    }

    void varosIrszbol_data()
    {
        QTest::addColumn<QString>("varos");
        QTest::addColumn<QString>("irsz");
        QTest::addColumn<QString>("vart");
        QTest::newRow("ures varos kitoltve") << "" << "3600" << "Ózd";
        QTest::newRow("begepelt varos marad") << "Szentendre" << "1071" << "Szentendre";
        QTest::newRow("ismeretlen kod") << "" << "9999" << "";
        QTest::newRow("idezojeles kod") << "" << "10'1" << "";
    }
    void varosIrszbol()
    {
        QFETCH(QString, varos);
        QFETCH(QString, irsz);
        QFETCH(QString, vart);
        Rekord r("ugyfel");
        r.beszur();
        Tfrm_TorzsUgyfel_Szerkeszt d(r, true);
        d.show();
        aktival(&d);
        d.cim_varos->setFocus();
        Gepel(d.cim_varos, varos);
        d.cim_irsz->setFocus();
        Gepel(d.cim_irsz, irsz);
        billentyu(&d, Qt::Key_Return);
        QCOMPARE(d.cim_varos->text(), vart);
        QVERIFY(m_t->parbeszed.hibak().isEmpty());
    }

    // Editing shows the paid-until day but cannot change it; an empty one stays empty.
    void szerkesztesDatumNemValtozik_data()
    {
        QTest::addColumn<QVariant>("dij");
        QTest::newRow("van datum") << QVariant(QDate(2026, 5, 1));
        QTest::newRow("nincs datum") << QVariant();
    }
    void szerkesztesDatumNemValtozik()
    {
        QFETCH(QVariant, dij);
        const int u = ugyfel(5, "Régi Név", dij);
        regiszter(false, [&](Tfrm_TorzsUgyfel& a) {
            szerkesztoben(a, Qt::Key_F2, [&](Tfrm_TorzsUgyfel_Szerkeszt& d) {
                QVERIFY(d.DateTimePicker1->isReadOnly());
                if (dij.isValid()) QCOMPARE(d.DateTimePicker1->date(), dij.toDate());
                else QCOMPARE(d.DateTimePicker1->text().trimmed(), QString());
                d.DateTimePicker1->setFocus();
                billentyu(&d, Qt::Key_Up);
                billentyu(&d, Qt::Key_PageUp);
                Gepel(d.DateTimePicker1, "2030");
                d.ugyfel_nev->selectAll();
                Gepel(d.ugyfel_nev, "Új Név");
                QTest::mouseClick(d.btnOK, Qt::LeftButton);
                QVERIFY(!d.isVisible());
            });
        });
        QCOMPARE(mezo(u, "ugyfel_nev").toString(), QString("Új Név"));
        if (dij.isValid()) QCOMPARE(mezo(u, "dijfizetve").toString(), QString("2026-05-01"));
        else QVERIFY(mezo(u, "dijfizetve").isNull());
        QCOMPARE(mezo(u, "azon").toInt(), 5);
    }

    // A refused save keeps the dialog open with what was typed and writes nothing.
    void elutasitottMentes()
    {
        ugyfel(1, "Alfa");
        regiszter(false, [this](Tfrm_TorzsUgyfel& a) {
            szerkesztoben(a, Qt::Key_Insert, [this](Tfrm_TorzsUgyfel_Szerkeszt& d) {
                Gepel(d.ugyfel_nev, "Hibás Kód");
                d.azon->selectAll();
                Gepel(d.azon, "12x");
                Gepel(d.telefon, "06-1-111");
                QTest::mouseClick(d.btnOK, Qt::LeftButton);
                QVERIFY(d.isVisible());
                const QStringList h = m_t->parbeszed.hibak();
                QCOMPARE(h.size(), 1);
                QVERIFY(h.first().startsWith("Hiányos, vagy hibás adatmegadás\n"));
                QVERIFY(h.first().contains("azon"));
                QCOMPARE(d.ugyfel_nev->text(), QString("Hibás Kód"));
                QCOMPARE(d.telefon->text(), QString("06-1-111"));
                QCOMPARE(darab("ugyfel"), 1);
                d.azon->selectAll();
                Gepel(d.azon, "12");
                QTest::mouseClick(d.btnOK, Qt::LeftButton);
                QVERIFY(!d.isVisible());
            });
        });
        QCOMPARE(darab("ugyfel"), 2);
        QCOMPARE(Adatbazis::ertek("SELECT telefon FROM ugyfel WHERE azon = 12").toString(), QString("06-1-111"));
    }

    // A code that is no 32-bit whole number (pasted "nan" or "inf" among
    // them, which would have become an empty code) is refused, nothing stored.
    void kodNemSzam_data()
    {
        QTest::addColumn<QString>("kod");
        QTest::newRow("nan") << "nan";
        QTest::newRow("inf") << "inf";
        QTest::newRow("-inf") << "-inf";
        QTest::newRow("tulcsordul") << "1e999";
        QTest::newRow("32 biten tul") << "99999999999";
        QTest::newRow("tort") << "1,5";
    }
    void kodNemSzam()
    {
        QFETCH(QString, kod);
        regiszter(false, [&](Tfrm_TorzsUgyfel& a) {
            szerkesztoben(a, Qt::Key_Insert, [&](Tfrm_TorzsUgyfel_Szerkeszt& d) {
                Gepel(d.ugyfel_nev, "Számtalan");
                d.azon->setText(kod);
                QTest::mouseClick(d.btnOK, Qt::LeftButton);
                QVERIFY(d.isVisible());
                QCOMPARE(m_t->parbeszed.hibak(),
                         QStringList("Hiányos, vagy hibás adatmegadás\nNem megfelelő érték.\na(z) azon mező egész számot vár"));
                QCOMPARE(d.focusWidget(), d.azon);
                QCOMPARE(d.azon->text(), kod);
                d.reject();
            });
        });
        QCOMPARE(darab("ugyfel"), 0);
    }

    // A save that fails for want of disk space says so; it is not the
    // operator's input that was wrong.
    void teliLemezMentes()
    {
        // The file may not grow: once its pages are full the engine
        // reports a full disk, as it does when the disk itself is full.
        Adatbazis::vegrehajt(QStringLiteral("PRAGMA max_page_count = %1").arg(Adatbazis::ertek("PRAGMA page_count").toInt()));
        const QString hosszu = QString("Töltelék ügyfél neve, ötven karakter hosszan.....").left(50);
        bool tele = false;
        for (int i = 1; i < 100000 && !tele; ++i) {
            try {
                ugyfel(i, hosszu);
            } catch (const AdatbazisHiba&) {
                tele = true;
            }
        }
        QVERIFY(tele);
        const QString elotte = tablaKep();
        regiszter(false, [&](Tfrm_TorzsUgyfel& a) {
            szerkesztoben(a, Qt::Key_Insert, [&](Tfrm_TorzsUgyfel_Szerkeszt& d) {
                Gepel(d.ugyfel_nev, hosszu);
                Gepel(d.cim_cim, hosszu);
                QTest::mouseClick(d.btnOK, Qt::LeftButton);
                QVERIFY(d.isVisible());
                QCOMPARE(m_t->parbeszed.hibak(),
                         QStringList("A mentés nem sikerült.\nBetelt a lemez: az adatbázis nem írható."));
                QCOMPARE(d.ugyfel_nev->text(), hosszu);
                d.reject();
            });
        });
        QCOMPARE(tablaKep(), elotte);
    }

    // Deleting removes the customer only; history and cash rows stay.
    void torles()
    {
        const int a1 = ugyfel(1, "Alfa");
        const int b1 = ugyfel(2, "Béta");
        Adatbazis::vegrehajt("INSERT INTO ugyfel_video (ugyfel, video, datum) VALUES (?, 1, '2026-01-02')", {a1});
        Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, ugyfel, osszeg, penzvan, idoszak) "
                             "VALUES ('T', '2026-01-02', ?, 1500, 1500, '202601')", {a1});
        m_t->parbeszed.kerdesValaszok = {true};
        regiszter(false, [&](Tfrm_TorzsUgyfel& a) {
            billentyu(&a, Qt::Key_Delete, Qt::ControlModifier);
            QCOMPARE(nevek(a), QStringList{"Béta"});
            QCOMPARE(a.ertek("ugyfel").toInt(), b1);
        });
        QVERIFY(!mezo(a1, "ugyfel").isValid());
        QCOMPARE(darab("ugyfel_video"), 1);
        QCOMPARE(darab("cassa"), 1);
    }

    void lejartSzures()
    {
        const QDate ma = TesztMost.date();
        ugyfel(1, "Tegnap", ma.addDays(-1));
        ugyfel(2, "Ma", ma);
        ugyfel(3, "Holnap", ma.addDays(1));
        ugyfel(4, "Nincs");
        ugyfel(5, "Rejtett", ma.addDays(-9), "I");
        regiszter(false, [](Tfrm_TorzsUgyfel& a) {
            auto* gomb = qobject_cast<QToolButton*>(a.ToolBar1->widgetForAction(a.aSzur));
            QVERIFY(gomb);
            QCOMPARE(a.lista().sorok(), 4);
            billentyu(&a, Qt::Key_N, Qt::ControlModifier);
            QVERIFY(a.aSzur->isChecked());
            QVERIFY(gomb->isChecked());
            QCOMPARE(nevek(a), (QStringList{"Ma", "Tegnap"}));
            for (int i = 0; i < a.lista().sorok(); ++i) QVERIFY(a.Rajzolo->lejartJel(i));
            // Searching stays inside the filtered list.
            Gepel(a.Edit1, "1");
            QCOMPARE(a.ertek("azon").toInt(), 1);
            a.Edit1->clear();
            Gepel(a.Edit1, "3");   // listed only without the filter
            QCOMPARE(a.ertek("azon").toInt(), 1);
            billentyu(&a, Qt::Key_N, Qt::ControlModifier);
            QVERIFY(!a.aSzur->isChecked());
            QVERIFY(!gomb->isChecked());
            QCOMPARE(nevek(a), (QStringList{"Holnap", "Ma", "Nincs", "Tegnap"}));
            QVERIFY(!a.Rajzolo->lejartJel(0));
            QVERIFY(a.Rajzolo->lejartJel(2));
        });
    }

    // Choosing by code: the code typed, Enter hands back that customer; the
    // register opened on a given customer has it current.
    void kivalasztas()
    {
        ugyfel(1, "Alfa");
        const int b = ugyfel(2, "Béta");
        const int c = ugyfel(3, "Cecil");
        QCOMPARE(regiszter(true, [](Tfrm_TorzsUgyfel& a) {
                     QVERIFY(a.aElfogad->isVisible());
                     Gepel(a.Edit1, "2");
                     billentyu(&a, Qt::Key_Return);
                     QVERIFY(!a.isVisible());
                 }),
                 b);
        QCOMPARE(regiszter(
                     true,
                     [&](Tfrm_TorzsUgyfel& a) {
                         QCOMPARE(a.ertek("ugyfel").toInt(), c);
                         billentyu(&a, Qt::Key_Return);
                     },
                     c),
                 c);
    }

    void kodKereses_data()
    {
        QTest::addColumn<QString>("gepelt");
        QTest::addColumn<QString>("mezoben");
        QTest::addColumn<int>("vart");
        QTest::newRow("7 nem 70") << "7" << "7" << 7;
        QTest::newRow("70") << "70" << "70" << 70;
        QTest::newRow("700") << "700" << "700" << 700;
        QTest::newRow("vezeto nullak") << "0007" << "0007" << 7;
        QTest::newRow("betu elveszik") << "a7" << "7" << 7;
        QTest::newRow("nincs ilyen kod") << "99" << "99" << 33;
        QTest::newRow("nincs ilyen, az eleje volt") << "71" << "71" << 7;
        QTest::newRow("32 biten tul") << "99999999999" << "99999999999" << 33;
        QTest::newRow("idezojel es szazalek") << "'%" << "" << 33;
    }
    void kodKereses()
    {
        QFETCH(QString, gepelt);
        QFETCH(QString, mezoben);
        QFETCH(int, vart);
        ugyfel(70, "Béla");
        ugyfel(7, "Cecil");
        ugyfel(700, "Dénes");
        ugyfel(33, "Aba");
        regiszter(false, [&](Tfrm_TorzsUgyfel& a) {
            Gepel(a.Edit1, gepelt);
            QCOMPARE(a.Edit1->text(), mezoben);
            QCOMPARE(a.ertek("azon").toInt(), vart);
        });
        QVERIFY(m_t->parbeszed.hibak().isEmpty());
    }

    void nevKereses_data()
    {
        QTest::addColumn<QString>("gepelt");
        QTest::addColumn<QString>("vart");
        QTest::newRow("kisbetuvel") << "sza" << "Szabó Éva";
        QTest::newRow("nagybetuvel a masodik") << "SZAL" << "szalai béla";
        QTest::newRow("magyar betu") << "szű" << "Szűcs Ödön";
        QTest::newRow("u nem ű: marad az elozo") << "szu" << "Szabó Éva";
        QTest::newRow("ő kisbetuvel") << "ő" << "Őri Péter";
        QTest::newRow("o") << "o" << "O'Brien Kate";
        QTest::newRow("idezojel") << "o'" << "O'Brien Kate";
        QTest::newRow("or") << "or" << "Orosz Ottó";
        QTest::newRow("szazalek") << "100%" << "100% Kft";
        QTest::newRow("szazalek nem minta") << "%" << "Abonyi Zsuzsa";
        QTest::newRow("csak idezojel") << "'" << "Abonyi Zsuzsa";
        QTest::newRow("á") << "á" << "Ábel Ádám";
        QTest::newRow("ab: á mint a") << "ab" << "Ábel Ádám";
        QTest::newRow("c, nem cs") << "c" << "Cukor Béla";
        QTest::newRow("cs") << "cs" << "Csaba Éva";
        QTest::newRow("kas: s előbb, mint sz") << "kas" << "Kastély Kft";
        QTest::newRow("kasz") << "kasz" << "Kasza Béla";
        QTest::newRow("kass: kettős sz") << "kass" << "Kassza Anna";
        QTest::newRow("nincs") << "x" << "Abonyi Zsuzsa";
    }
    void nevKereses()
    {
        QFETCH(QString, gepelt);
        QFETCH(QString, vart);
        const char* const nevek_[] = {"Szabó Éva", "szalai béla", "Szűcs Ödön", "Őri Péter", "Orosz Ottó",
                                      "O'Brien Kate", "100% Kft", "Ábel Ádám", "Kasza Béla", "Kastély Kft",
                                      "Kassza Anna", "Csaba Éva", "Cukor Béla", "Abonyi Zsuzsa"};
        int azon = 0;
        int abonyi = -1;
        for (const char* n : nevek_) abonyi = ugyfel(++azon, QString::fromUtf8(n));
        regiszter(false, [&](Tfrm_TorzsUgyfel& a) {
            a.aKeresNev->trigger();
            QVERIFY(a.nevSzerint());
            QVERIFY(a.keresKulcs(abonyi));
            Gepel(a.Edit1, gepelt);
            QCOMPARE(a.Edit1->text(), gepelt);
            QCOMPARE(a.ertek("ugyfel_nev").toString(), vart);
        });
        QVERIFY(m_t->parbeszed.hibak().isEmpty());
    }

    // Choosing a search mode re-sorts, empties the field and puts the focus into it.
    void keresesiModValtas()
    {
        ugyfel(30, "Aladár");
        ugyfel(10, "Cecil");
        ugyfel(20, "Béla");
        regiszter(false, [](Tfrm_TorzsUgyfel& a) {
            Gepel(a.Edit1, "20");
            a.DBGrid1->setFocus();
            a.aKeresNev->trigger();
            QVERIFY(a.aKeresNev->isChecked() && !a.aKeresKod->isChecked());
            QCOMPARE(a.Edit1->text(), QString());
            QCOMPARE(QApplication::focusWidget(), a.Edit1);
            QCOMPARE(nevek(a), (QStringList{"Aladár", "Béla", "Cecil"}));
            QCOMPARE(a.ertek("ugyfel_nev").toString(), QString("Béla"));   // the current customer stays
            Gepel(a.Edit1, "c");
            QCOMPARE(a.ertek("azon").toInt(), 10);
            a.DBGrid1->setFocus();
            a.aKeresKod->trigger();
            QVERIFY(a.aKeresKod->isChecked() && !a.aKeresNev->isChecked());
            QCOMPARE(a.Edit1->text(), QString());
            QCOMPARE(QApplication::focusWidget(), a.Edit1);
            QCOMPARE(nevek(a), (QStringList{"Cecil", "Béla", "Aladár"}));
            // Back to digits only, pasted text included.
            Gepel(a.Edit1, "b3");
            QCOMPARE(a.Edit1->text(), QString("3"));
            QCOMPARE(a.ertek("azon").toInt(), 10);
            QApplication::clipboard()->setText("2x");
            a.Edit1->paste();
            QCOMPARE(a.Edit1->text(), QString("3"));
        });
    }
};

QTEST_MAIN(TstUgyfelAblak)
#include "tst_ugyfel_ablak.moc"
