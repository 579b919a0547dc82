// What every list window does the same way, over all of them: a new row,
// an edit, a delete after the question, giving up writes nothing, an empty
// list, Enter and the double-click of the maintenance mode, and the selection
// mode that hands back the current row's key (closing hands back nothing).
// A new list window is one more entry in Ablakok(); what a window does
// differently stays in its own test.
#include "windows/customers/ugyfelek_ablak.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "windows/refdata/torzsadatok.h"
#include "windows/rental/fiztip.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

struct ListaAblak {
    const char* nev;    // in the names of the test rows
    QString tabla;      // the table it lists
    QString nevMezo;    // a text field of the edit dialog, typed into by the tests
    bool kereso;        // has a quick-search field
    // Runs the window, in selection mode or not; the key it handed back,
    // empty when none.
    std::function<QString(bool valasztas)> megnyit;
    // Fills what a new row needs beside the name (a letter key); may be empty.
    std::function<void(TorzsSzerkeszto*)> kitolt;
    // Rows beside the delivered ones: every list has at least four.
    std::function<void()> elokeszit;
};

QString Kulcs(int k) { return k < 0 ? QString() : QString::number(k); }

const QList<ListaAblak>& Ablakok()
{
    static const QList<ListaAblak> l = {
        {"típusok", "tipus", "tipus_nev", true, [](bool v) { return Kulcs(TorzsTipusMegnyit(nullptr, -1, v)); }, {}, {}},
        {"műfajok", "mufaj", "mufaj_nev", true, [](bool v) { return Kulcs(TorzsMufajMegnyit(nullptr, -1, v)); }, {}, {}},
        {"árkategóriák", "arkat", "arkat_nev", true, [](bool v) { return Kulcs(TorzsArkatMegnyit(nullptr, -1, v)); }, {}, {}},
        {"cassa típusok", "cassatip", "cassatip_nev", false,
         [](bool v) { return TorzsCassatipMegnyit(nullptr, QString(), v); },
         [](TorzsSzerkeszto* d) { Gepel(d->findChild<QLineEdit*>("cassatip"), "q"); }, {}},
        {"kölcsönzési idők", "fiztip", "fiztip_nev", true,
         [](bool v) {
             if (v) return Kulcs(TorzsFizTipValaszt(nullptr, nullptr, nullptr));
             TorzsFizTipKarbantart(nullptr);
             return QString();
         },
         {}, {}},
        {"ügyfelek", "ugyfel", "ugyfel_nev", true, [](bool v) { return Kulcs(TorzsUgyfelMegnyit(nullptr, -1, v)); },
         {},
         [] {
             for (const char* n : {"Cecil", "Aladár", "Béla", "Dénes", "Ernő"})
                 Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev, torolve) "
                                      "VALUES ((SELECT COALESCE(MAX(azon), 0) + 1 FROM ugyfel), ?, 'N')",
                                      {QString::fromUtf8(n)});
         }},
    };
    return l;
}

// One test row for each window.
void AblakonkentSorok()
{
    QTest::addColumn<int>("ablak");
    for (int i = 0; i < Ablakok().size(); ++i) QTest::newRow(Ablakok()[i].nev) << i;
}

QString Szoveg(const QVariant& v) { return VarSzoveg(v); }

QToolButton* Gomb(TorzsAblak* a, QAction* m) { return qobject_cast<QToolButton*>(a->ToolBar1->widgetForAction(m)); }

QLineEdit* NevMezo(TorzsSzerkeszto* d, const ListaAblak& w)
{
    auto* e = d->findChild<QLineEdit*>(w.nevMezo);
    if (!e) QTest::qFail(qPrintable("nincs mező: " + w.nevMezo), __FILE__, __LINE__);
    return e;
}

} // namespace

class TstListaAblakok : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    const ListaAblak* m_w = nullptr;

    TesztParbeszed& p() { return m_t->parbeszed; }
    const ListaAblak& w() const { return *m_w; }
    QString kulcsMezo() const { return w().tabla == "cassatip" ? "cassatip" : w().tabla; }
    // The table on disk, and its place in the key sequence.
    QStringList lemez() const
    {
        return Lemezen(m_t->adatMappa(), "SELECT * FROM " + w().tabla + " ORDER BY rowid")
               + Lemezen(m_t->adatMappa(), "SELECT * FROM sqlite_sequence WHERE name = '" + w().tabla + "'");
    }
    QString lemezNev(const QString& kulcs) const
    {
        return Lemezen(m_t->adatMappa(), QStringLiteral("SELECT %1 FROM %2 WHERE %3 = '%4'")
                                             .arg(w().nevMezo, w().tabla, kulcsMezo(), kulcs))
            .join(',');
    }

private slots:
    void initTestCase() { TesztKornyezet(); }
    void init()
    {
        QFETCH(int, ablak);
        m_w = &Ablakok()[ablak];
        m_t = std::make_unique<TesztTelepites>();
        m_t->nyit();
        TBeall.torzsszerkeszt = true;
        if (w().elokeszit) w().elokeszit();
    }
    void cleanup() { m_t.reset(); }

    // Insert, the fields typed, OK: the row is in the table as soon as the
    // dialog is gone, and current in the list.
    void ujSor_data() { AblakonkentSorok(); }
    void ujSor()
    {
        const QStringList elotte = lemez();
        VartAblak v([&](TorzsAblak* a) {
            QCOMPARE(a->leiras().kulcs, kulcsMezo());
            VartAblak sz([&](TorzsSzerkeszto* d) {
                QLineEdit* e = NevMezo(d, w());
                QVERIFY(e);
                QCOMPARE(e->text(), QString());
                if (w().kitolt) w().kitolt(d);
                Gepel(e, "Új sor neve");
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
                QVERIFY2(!d->isVisible(), qPrintable(p().hibak().join('\n')));
            });
            Nyom(a, Qt::Key_Insert);
            QCOMPARE(lemez().size(), elotte.size() + 1);
            QCOMPARE(Szoveg(a->ertek(w().nevMezo)), QString("Új sor neve"));
            QCOMPARE(lemezNev(Szoveg(a->ertek(kulcsMezo()))), QString("Új sor neve"));
            Nyom(a, Qt::Key_Escape);
        });
        QCOMPARE(w().megnyit(false), QString());
        QVERIFY(p().dobozok.isEmpty());
    }

    // F2 on a row: the dialog shows it; OK saves that row only, which stays
    // current wherever it now sorts.
    void szerkesztes_data() { AblakonkentSorok(); }
    void szerkesztes()
    {
        QString kulcs;
        QStringList tobbi;
        VartAblak v([&](TorzsAblak* a) {
            a->DBGrid1->setFocus();
            Nyom(a, Qt::Key_Down);
            kulcs = Szoveg(a->ertek(kulcsMezo()));
            const QString regi = Szoveg(a->ertek(w().nevMezo));
            QVERIFY(!regi.isEmpty());
            const QString tobbiSql = QStringLiteral("SELECT * FROM %1 WHERE %2 <> '%3'").arg(w().tabla, kulcsMezo(), kulcs);
            tobbi = Lemezen(m_t->adatMappa(), tobbiSql);
            VartAblak sz([&](TorzsSzerkeszto* d) {
                QLineEdit* e = NevMezo(d, w());
                QVERIFY(e);
                QCOMPARE(e->text(), regi);
                e->selectAll();
                Gepel(e, "Átírt név");
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
                QVERIFY2(!d->isVisible(), qPrintable(p().hibak().join('\n')));
            });
            Nyom(a, Qt::Key_F2);
            QCOMPARE(lemezNev(kulcs), QString("Átírt név"));
            QCOMPARE(Lemezen(m_t->adatMappa(), tobbiSql), tobbi);
            QCOMPARE(Szoveg(a->ertek(kulcsMezo())), kulcs);
            QCOMPARE(Szoveg(a->ertek(w().nevMezo)), QString("Átírt név"));
            Nyom(a, Qt::Key_Escape);
        });
        w().megnyit(false);
        QVERIFY(p().dobozok.isEmpty());
    }

    // Ctrl+Del asks "Valóban töröljem a sort?"; No keeps the row, Yes deletes
    // it and the next row becomes current, at the end of the list the one
    // before.
    void torles_data() { AblakonkentSorok(); }
    void torles()
    {
        p().kerdesValaszok = {false, true, true};
        VartAblak v([&](TorzsAblak* a) {
            a->DBGrid1->setFocus();
            Nyom(a, Qt::Key_Down);
            const int sor = a->aktualis();
            const QString kulcs = Szoveg(a->ertek(kulcsMezo()));
            const QString kovetkezo = Szoveg(a->lista().ertek(sor + 1, kulcsMezo()));
            const int sorok = a->lista().sorok();
            const QStringList elotte = lemez();
            Nyom(a, Qt::Key_Delete, Qt::ControlModifier);   // no
            QCOMPARE(lemez(), elotte);
            QCOMPARE(Szoveg(a->ertek(kulcsMezo())), kulcs);
            Nyom(a, Qt::Key_Delete, Qt::ControlModifier);   // yes
            QCOMPARE(lemezNev(kulcs), QString());
            QCOMPARE(a->lista().sorok(), sorok - 1);
            QCOMPARE(a->aktualis(), sor);
            QCOMPARE(Szoveg(a->ertek(kulcsMezo())), kovetkezo);

            Nyom(a, Qt::Key_End, Qt::ControlModifier);
            const int utolso = a->lista().sorok() - 1;
            QCOMPARE(a->aktualis(), utolso);
            const QString elozo = Szoveg(a->lista().ertek(utolso - 1, kulcsMezo()));
            Nyom(a, Qt::Key_Delete, Qt::ControlModifier);   // yes
            QCOMPARE(a->lista().sorok(), utolso);
            QCOMPARE(Szoveg(a->ertek(kulcsMezo())), elozo);
            QCOMPARE(lemez().size(), elotte.size() - 2);
            Nyom(a, Qt::Key_Escape);
        });
        w().megnyit(false);
        QCOMPARE(p().dobozok.size(), 3);
        for (const auto& d : p().dobozok) {
            QCOMPARE(d.fajta, Parbeszed::Doboz::Kerdes);
            QCOMPARE(d.szoveg, QString("Valóban töröljem a sort?"));
            QCOMPARE(d.cim, QString("Megerősítés"));
        }
    }

    // Giving up a new row or an edit, however it is done, leaves the table
    // exactly as it was (not even a key used up) and the same row current.
    void megsem_data()
    {
        QTest::addColumn<int>("ablak");
        QTest::addColumn<int>("billentyu");
        QTest::addColumn<QString>("hogyan");
        const struct { int billentyu; const char* nev; } muveletek[] = {{Qt::Key_Insert, "új"}, {Qt::Key_F2, "szerkeszt"}};
        const struct { const char* hogyan; const char* nev; } modok[] = {
            {"megsem", "Mégsem"}, {"esc", "Esc"}, {"close", "bezárás"}};
        for (int i = 0; i < Ablakok().size(); ++i)
            for (const auto& m : muveletek)
                for (const auto& h : modok)
                    QTest::addRow("%s, %s, %s", Ablakok()[i].nev, m.nev, h.nev) << i << m.billentyu << h.hogyan;
    }
    void megsem()
    {
        QFETCH(int, billentyu);
        QFETCH(QString, hogyan);
        const QStringList elotte = lemez();
        VartAblak v([&](TorzsAblak* a) {
            a->DBGrid1->setFocus();
            Nyom(a, Qt::Key_Down);
            const QString kulcs = Szoveg(a->ertek(kulcsMezo()));
            VartAblak sz([&](TorzsSzerkeszto* d) {
                if (billentyu == Qt::Key_Insert && w().kitolt) w().kitolt(d);
                QLineEdit* e = NevMezo(d, w());
                QVERIFY(e);
                e->selectAll();
                Gepel(e, "Eldobott");
                if (hogyan == "megsem") QTest::mouseClick(d->btnMegsem, Qt::LeftButton);
                else if (hogyan == "esc") Nyom(d, Qt::Key_Escape);
                else d->close();
                QVERIFY(!d->isVisible());
            });
            Nyom(a, billentyu);
            QCOMPARE(Szoveg(a->ertek(kulcsMezo())), kulcs);
            QCOMPARE(lemez(), elotte);
            Nyom(a, Qt::Key_Escape);
        });
        w().megnyit(false);
        QCOMPARE(lemez(), elotte);
        QVERIFY(p().dobozok.isEmpty());
    }

    // Maintenance: no "Elfogad" anywhere, Enter closes nothing, a
    // double-click edits the row clicked; Esc closes it.
    void karbantartas_data() { AblakonkentSorok(); }
    void karbantartas()
    {
        VartAblak v([&](TorzsAblak* a) {
            QVERIFY(!a->aElfogad->isEnabled());
            QVERIFY(!a->aElfogad->isVisible());
            QVERIFY(!Gomb(a, a->aElfogad) || !Gomb(a, a->aElfogad)->isVisible());
            if (w().kereso) {
                QCOMPARE(QApplication::focusWidget(), a->Edit1);
                Nyom(a, Qt::Key_Return);
            }
            a->DBGrid1->setFocus();
            Nyom(a, Qt::Key_Return);
            Nyom(a, Qt::Key_Enter, Qt::KeypadModifier);
            QVERIFY(a->isVisible());
            const QString nev = Szoveg(a->lista().ertek(2, w().nevMezo));
            VartAblak sz([&](TorzsSzerkeszto* d) {
                QLineEdit* e = NevMezo(d, w());
                QVERIFY(e);
                QCOMPARE(e->text(), nev);
                d->reject();
            });
            DuplaKatt(a->DBGrid1, 2);
            QVERIFY(a->isVisible());
            QCOMPARE(a->aktualis(), 2);
            Nyom(a, Qt::Key_Escape);
        });
        QCOMPARE(w().megnyit(false), QString());
    }

    // Selection mode: every way of accepting hands back the current row's
    // key, every way of closing hands back nothing.
    void valasztas_data()
    {
        QTest::addColumn<int>("ablak");
        QTest::addColumn<QString>("mod");
        QTest::addColumn<bool>("elfogad");
        const struct { const char* mod; const char* nev; bool elfogad; } modok[] = {
            {"enter-kereso", "Enter a keresőben", true}, {"enter-racs", "Enter a rácson", true},
            {"enter-szamblokk", "számblokk Enter a rácson", true}, {"gomb", "Elfogad gomb", true},
            {"dupla", "dupla kattintás", true}, {"esc", "Esc", false},
            {"bezar", "Bezár gomb", false}, {"close", "bezárás gomb", false}};
        for (int i = 0; i < Ablakok().size(); ++i)
            for (const auto& m : modok) {
                if (!Ablakok()[i].kereso && QByteArray(m.mod) == "enter-kereso") continue;
                QTest::addRow("%s, %s", Ablakok()[i].nev, m.nev) << i << QString(m.mod) << m.elfogad;
            }
    }
    void valasztas()
    {
        QFETCH(QString, mod);
        QFETCH(bool, elfogad);
        QString aktualis;
        VartAblak v([&](TorzsAblak* a) {
            QVERIFY(a->aElfogad->isEnabled());
            QVERIFY(Gomb(a, a->aElfogad)->isVisible());
            a->DBGrid1->setFocus();
            Nyom(a, Qt::Key_Down);
            Nyom(a, Qt::Key_Down);
            QCOMPARE(a->aktualis(), 2);
            aktualis = Szoveg(a->ertek(kulcsMezo()));
            if (mod == "enter-kereso") {
                a->Edit1->setFocus();
                Nyom(a, Qt::Key_Return);
            } else if (mod == "enter-racs") Nyom(a, Qt::Key_Return);
            else if (mod == "enter-szamblokk") Nyom(a, Qt::Key_Enter, Qt::KeypadModifier);
            else if (mod == "gomb") QTest::mouseClick(Gomb(a, a->aElfogad), Qt::LeftButton);
            else if (mod == "dupla") DuplaKatt(a->DBGrid1, a->aktualis());
            else if (mod == "esc") Nyom(a, Qt::Key_Escape);
            else if (mod == "bezar") QTest::mouseClick(Gomb(a, a->aBezar), Qt::LeftButton);
            else a->close();
            QVERIFY(!a->isVisible());
        });
        const QString kapott = w().megnyit(true);
        QVERIFY(!aktualis.isEmpty());
        QCOMPARE(kapott, elfogad ? aktualis : QString());
    }

    // An empty list: Enter chooses nothing, deleting asks nothing, and
    // "Szerkeszt" starts a new row, which then can be chosen.
    void uresLista_data() { AblakonkentSorok(); }
    void uresLista()
    {
        Adatbazis::vegrehajt("DELETE FROM " + w().tabla);
        QString uj;
        VartAblak v([&](TorzsAblak* a) {
            QCOMPARE(a->lista().sorok(), 0);
            Nyom(a, Qt::Key_Return);
            QVERIFY(a->isVisible());
            Nyom(a, Qt::Key_Delete, Qt::ControlModifier);
            QVERIFY(p().dobozok.isEmpty());
            VartAblak sz([&](TorzsSzerkeszto* d) {
                QLineEdit* e = NevMezo(d, w());
                QVERIFY(e);
                QCOMPARE(e->text(), QString());
                if (w().kitolt) w().kitolt(d);
                Gepel(e, "Egyetlen");
                QTest::mouseClick(d->btnOK, Qt::LeftButton);
                QVERIFY2(!d->isVisible(), qPrintable(p().hibak().join('\n')));
            });
            Nyom(a, Qt::Key_F2);
            QCOMPARE(a->lista().sorok(), 1);
            uj = Szoveg(a->ertek(kulcsMezo()));
            Nyom(a, Qt::Key_Return);
            QVERIFY(!a->isVisible());
        });
        QCOMPARE(w().megnyit(true), uj);
        QCOMPARE(lemezNev(uj), QString("Egyetlen"));
        QVERIFY(p().dobozok.isEmpty());
    }
};

QTEST_MAIN(TstListaAblakok)
#include "tst_listaablakok.moc"
