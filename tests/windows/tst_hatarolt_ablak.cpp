// The export window "Határolt szöveg export" driven as the operator would,
// headless: the choices, the save dialog, the start, a stop, a missing or
// unwritable file; and every "Excelbe" of the program opening it on the list
// as shown there.
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "print/reports/gyorshatarolt.h"
#include "core/reports/hatarolt.h"
#include "windows/customers/ugyfelek_ablak.h"
#include "core/data/adatbazis.h"
#include "windows/reports/tfrm_hatarolt.h"
#include "windows/rental/tfrm_tortenet.h"
#include "tests/windows/tesztsegito.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {

QByteArray olvas(const QString& fajl)
{
    QFile f(fajl);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<nincs>");
}

QByteArray w(const char* utf8) { return Hatarolt::Cp1250(QString::fromUtf8(utf8)); }

// Items (key, code, title, out); item 2 and 4 are out.
void tetelek()
{
    const QVariantList t[] = {{1, 40, "Vuk", "N"}, {2, 30, "Mátrix", "I"}, {3, 20, "Cápa", "N"}, {4, 10, "Ábel", "I"}};
    for (const QVariantList& v : t)
        Adatbazis::vegrehajt("INSERT INTO video (video, azon, video_nev, kint, tipus, arkat, torolve, ugyfel) "
                             "VALUES (?, ?, ?, ?, 1, 1, 'N', 0)", v);
}

const char* const Lekerdezes = "SELECT video AS kulcs, azon AS kod, video_nev AS cim FROM video ORDER BY video";

} // namespace

class TstHataroltAblak : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    QTemporaryDir m_dir;
    QString fajl(const QString& nev = "ki.csv") const { return m_dir.filePath(nev); }

    // Runs the export window on the test query, with `lepes` driving it.
    template <typename F> void ablakban(F lepes, const QString& javasolt = QString())
    {
        bool volt = false;
        VartAblak v([&](Tfrm_Hatarolt* a) {
            volt = true;
            lepes(a);
            if (a->isVisible()) a->Button2->click();
        });
        HataroltExport(nullptr, Hatarolt::LekerdezesForras(QString::fromLatin1(Lekerdezes)),
                       javasolt.isEmpty() ? fajl() : javasolt);
        QVERIFY(v.kesz());
        QVERIFY(volt);
    }
    QList<TesztParbeszed::Doboz_> dobozok() const { return m_t->parbeszed.dobozok; }

private slots:
    void initTestCase() { AlkalmazasBeallit(*qApp); }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>();
        m_t->nyit();
        tetelek();
        QFile::remove(fajl());
    }
    void cleanup()
    {
        ModalisAblakokatBezar();
        Adatbazis::zar();
        m_t.reset();
    }

    // The window as it opens, the save dialog, and an export with the
    // choices changed: tab, no qualifier, the first field unticked.
    void valasztasokkal()
    {
        ablakban([&](Tfrm_Hatarolt* a) {
            QCOMPARE(a->windowTitle(), QString("Határolt szöveg export"));
            QCOMPARE(a->Edit1->text(), fajl());
            QCOMPARE(a->CheckListBox1->count(), 3);
            for (int i = 0; i < 3; ++i) QCOMPARE(a->CheckListBox1->item(i)->checkState(), Qt::Checked);
            QCOMPARE(a->CheckListBox1->item(2)->text(), QString("cim"));
            QCOMPARE(a->RadioGroup2->title(), QString("Határoló karakter"));
            QCOMPARE(a->RadioGroup1->title(), QString("Szövegjelölő"));
            QCOMPARE(a->Elvalaszto->checkedId(), 0);
            QCOMPARE(a->Jelolo->checkedId(), 0);
            QCOMPARE(a->Elvalaszto->button(0)->text(), QString("Pontosvessző (;)"));
            QCOMPARE(a->Jelolo->button(0)->text(), QString("Idézőjel (\")"));
            QCOMPARE(a->Jelolo->button(2)->text(), QString("Semmi"));
            QVERIFY(!a->Button3->isEnabled());
            QVERIFY(a->Button1->isDefault());
            QCOMPARE(a->Button3->text(), QString("Megállít"));
            if (qEnvironmentVariableIsSet("KAZETTORA_EXPORT_KEP")) a->grab().save(qEnvironmentVariable("KAZETTORA_EXPORT_KEP"));

            // The save dialog: a name without extension gets ".csv"; cancelling keeps the text.
            m_t->parbeszed.fajlValaszok = {fajl("valasztott")};
            a->SpeedButton1->click();
            QCOMPARE(a->Edit1->text(), fajl("valasztott.csv"));
            a->SpeedButton1->click();
            QCOMPARE(a->Edit1->text(), fajl("valasztott.csv"));

            a->Elvalaszto->button(1)->setChecked(true);
            a->Jelolo->button(2)->setChecked(true);
            a->CheckListBox1->item(0)->setCheckState(Qt::Unchecked);
            a->Button1->click();
            QVERIFY(a->isVisible());   // the window stays open
            QVERIFY(!a->Button3->isEnabled());
            QCOMPARE(a->ProgressBar1->value(), 0);
        });
        QCOMPARE(olvas(fajl("valasztott.csv")), w("kod\tcim\t\r\n40\tVuk\t\r\n30\tMátrix\t\r\n20\tCápa\t\r\n10\tÁbel\t\r\n"));
        QCOMPARE(dobozok().size(), 1);
        QCOMPARE(dobozok().at(0).fajta, Parbeszed::Doboz::Uzenet);
        QCOMPARE(dobozok().at(0).cim, QString("Üzenet"));
        QCOMPARE(dobozok().at(0).szoveg, fajl("valasztott.csv") + " file export kész.");
    }

    // No file name: an error box, the focus in the field, nothing written.
    void nincsFajlnev()
    {
        ablakban([&](Tfrm_Hatarolt* a) {
            a->Edit1->clear();
            a->Button1->click();
            QCOMPARE(QApplication::focusWidget(), a->Edit1);
        });
        QCOMPARE(m_t->parbeszed.hibak(), QStringList{"Nincs filenév megadva."});
        QCOMPARE(dobozok().size(), 1);
    }

    // "Megállít" pressed while the second row is on its way: the header and
    // the rows up to the stop are written, and the export reports completion.
    void megallit()
    {
        ablakban([&](Tfrm_Hatarolt* a) {
            bool futott = false;
            connect(a->ProgressBar1, &QProgressBar::valueChanged, a, [&](int v) {
                if (v == 2) {
                    futott = a->Button3->isEnabled();
                    a->Button3->click();
                }
            });
            a->Button1->click();
            QVERIFY(futott);
            QVERIFY(a->eredmeny().megallitva);
            QVERIFY(!a->Button3->isEnabled());
        });
        QCOMPARE(olvas(fajl()), w("\"kulcs\";\"kod\";\"cim\";\r\n\"1\";\"40\";\"Vuk\";\r\n\"2\";\"30\";\"Mátrix\";\r\n"));
        QCOMPARE(dobozok().size(), 1);
        QCOMPARE(dobozok().at(0).szoveg, fajl() + " file export kész.");
    }

    // A file that cannot be made: "Hiba: " and the reason, no completion
    // message, the window open and ready for another try.
    void irasHiba()
    {
        ablakban([&](Tfrm_Hatarolt* a) {
            a->Edit1->setText(m_dir.filePath("nincs/ilyen.csv"));
            a->Button1->click();
            QVERIFY(a->isVisible());
            QVERIFY(!a->Button3->isEnabled());
            QCOMPARE(m_t->parbeszed.hibak().size(), 1);
            QVERIFY2(m_t->parbeszed.hibak().at(0).startsWith("Hiba: "), qPrintable(m_t->parbeszed.hibak().at(0)));
            a->Edit1->setText(fajl());
            a->Button1->click();
        });
        QCOMPARE(dobozok().size(), 2);
        QCOMPARE(dobozok().at(1).szoveg, fajl() + " file export kész.");
        QVERIFY(olvas(fajl()).startsWith("\"kulcs\";"));
    }

    // A title Windows-1250 cannot hold: written as near as it goes, and the
    // operator is told how many values were changed.
    void kodlapCsere()
    {
        Adatbazis::vegrehajt("UPDATE video SET video_nev = 'Cica 🐱' WHERE video IN (1, 3)");
        ablakban([&](Tfrm_Hatarolt* a) { a->Button1->click(); });
        QVERIFY(olvas(fajl()).contains("\"Cica ?\""));
        QCOMPARE(dobozok().size(), 2);
        QCOMPARE(dobozok().at(1).fajta, Parbeszed::Doboz::Figyelmeztetes);
        QVERIFY2(dobozok().at(1).szoveg.startsWith("2 értékben"), qPrintable(dobozok().at(1).szoveg));
    }

    // Ctrl+E in the main window: the list as shown, with its order and the
    // "only items out" filter, every field offered, "Video.csv" proposed.
    void fomenu()
    {
        Adatbazis::zar();
        Tfrm_Main f;
        QVERIFY(f.indult());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.muvelet("aKeres2")->trigger();   // title order
        f.muvelet("aSzur")->trigger();     // items out only
        bool volt = false;
        {
            VartAblak v([&](Tfrm_Hatarolt* a) {
                volt = true;
                QCOMPARE(a->Edit1->text(), QString("Video.csv"));
                QCOMPARE(a->CheckListBox1->count(), 28);
                QCOMPARE(a->ProgressBar1->maximum(), 100);
                a->Edit1->setText(fajl());
                for (int i = 0; i < a->CheckListBox1->count(); ++i)
                    if (a->CheckListBox1->item(i)->text() != "azon" && a->CheckListBox1->item(i)->text() != "video_nev")
                        a->CheckListBox1->item(i)->setCheckState(Qt::Unchecked);
                a->Button1->click();
                QCOMPARE(a->ProgressBar1->maximum(), 2);
                Nyom(a, Qt::Key_Escape);
            });
            Nyom(&f, Qt::Key_E, Qt::ControlModifier);
            QVERIFY(v.kesz());
        }
        QVERIFY(volt);
        QCOMPARE(olvas(fajl()), w("\"kód\";\"cím\";\r\n\"10\";\"Ábel\";\r\n\"30\";\"Mátrix\";\r\n"));
    }

    // The quick writer: names, "|" after every value, no qualifier; the save
    // dialog when no name is given; a file that cannot be made reported.
    void gyorsIro()
    {
        const Hatarolt::Forras f = Hatarolt::LekerdezesForras("SELECT azon, video_nev FROM video WHERE kint = 'I' ORDER BY azon");
        const QByteArray vart = w("azon|video_nev|\r\n10|Ábel|\r\n30|Mátrix|\r\n");
        QVERIFY(GyorsHatarolt(nullptr, f, "Tarlo3", fajl(), "|"));
        QCOMPARE(olvas(fajl()), vart);

        QVERIFY(!GyorsHatarolt(nullptr, f, "Tarlo3", QString(), "|"));   // the dialog cancelled
        m_t->parbeszed.fajlValaszok = {fajl("valasztott.csv")};
        QVERIFY(GyorsHatarolt(nullptr, f, "Tarlo3", QString(), "|"));
        QCOMPARE(olvas(fajl("valasztott.csv")), vart);

        QVERIFY(!GyorsHatarolt(nullptr, f, "Tarlo3", m_dir.filePath("nincs/x.csv"), "|"));
        QCOMPARE(m_t->parbeszed.hibak().size(), 1);
        QVERIFY2(m_t->parbeszed.hibak().at(0).startsWith("File megnyitási hiba\r\n"), qPrintable(m_t->parbeszed.hibak().at(0)));
        QVERIFY(m_t->parbeszed.hibak().at(0).size() > 22);
    }

    // "Excelbe..." of the customer register and of the history window.
    void ugyfelekTortenet()
    {
        Adatbazis::vegrehajt("INSERT INTO ugyfel (ugyfel, azon, ugyfel_nev, torolve) VALUES "
                             "(1, 2, 'Zoltán', 'N'), (2, 1, 'Ádám', 'N'), (3, 3, 'Törölt', 'I')");
        Adatbazis::vegrehajt("INSERT INTO ugyfel_video (ugyfel, video, datum) VALUES (2, 2, '2026-01-05'), (1, 2, '2026-02-01')");
        auto csakKetto = [](Tfrm_Hatarolt* a, const QString& x, const QString& y) {
            for (int i = 0; i < a->CheckListBox1->count(); ++i)
                if (a->CheckListBox1->item(i)->text() != x && a->CheckListBox1->item(i)->text() != y)
                    a->CheckListBox1->item(i)->setCheckState(Qt::Unchecked);
        };
        VartAblak v([&](Tfrm_TorzsUgyfel* r) {
            {
                VartAblak e([&](Tfrm_Hatarolt* a) {
                    QCOMPARE(a->Edit1->text(), QString("ugyfelek.csv"));
                    QCOMPARE(a->CheckListBox1->count(), 13);
                    a->Edit1->setText(fajl("u.csv"));
                    csakKetto(a, "azon", "ugyfel_nev");
                    a->Button1->click();
                    a->Button2->click();
                });
                r->aExcelbe->trigger();
                QVERIFY(e.kesz());
            }
            // The history of the current customer (Ádám, first in name order).
            {
                VartAblak t([&](Tfrm_Tortenet* h) {
                    VartAblak e([&](Tfrm_Hatarolt* a) {
                        QCOMPARE(a->Edit1->text(), QString("Tortenet.csv"));
                        a->Edit1->setText(fajl("t.csv"));
                        csakKetto(a, "video_nev", "datum");
                        a->Button1->click();
                        a->Button2->click();
                    });
                    Nyom(h, Qt::Key_E, Qt::ControlModifier);
                    QVERIFY(e.kesz());
                    Nyom(h, Qt::Key_Escape);
                });
                Nyom(r, Qt::Key_F8);
                QVERIFY(t.kesz());
            }
            Nyom(r, Qt::Key_Escape);
        });
        TorzsUgyfelMegnyit(nullptr, -1, false);
        QVERIFY(v.kesz());
        QCOMPARE(olvas(fajl("u.csv")), w("\"azon\";\"ugyfel_nev\";\r\n\"1\";\"Ádám\";\r\n\"2\";\"Zoltán\";\r\n"));
        QCOMPARE(olvas(fajl("t.csv")), w("\"tétel\";\"dátum\";\r\n\"Mátrix\";\"2026. 01. 05.\";\r\n"));
    }
};

QTEST_MAIN(TstHataroltAblak)
#include "tst_hatarolt_ablak.moc"
