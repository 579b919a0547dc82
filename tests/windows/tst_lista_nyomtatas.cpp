// The item lists as the operator asks for them: the print-type chooser
// driven with its keys, what each choice does, the lists of the main
// window's menus, and a list whose statement fails.
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "core/data/adatbazis.h"
#include "windows/reports/listanyomtatas.h"
#include "windows/reports/tfrm_hatarolt.h"
#include "windows/reports/tfrm_nyomtatastipus.h"
#include "tests/windows/tesztsegito.h"
#include "tests/print/tst_jelentes_pdf.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QFileInfo>
#include <QLineEdit>
#include <QtTest>

namespace {

// What "CSV export" was asked to do.
struct ExportKeres {
    QString sql;
    QVariantList param;
    QString fajl;
};

} // namespace

class TstListaNyomtatas : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    QList<ExportKeres> m_exportok;

    ListaExportHorog horog()
    {
        return [this](QWidget*, const QString& sql, const QVariantList& param, const QString& fajl) {
            m_exportok.append({sql, param, fajl});
        };
    }

    // The page header of the first page: heading and owner, the words in
    // the order read, up to the column headings.
    static QString fejlec(const QString& pdf)
    {
        const QStringList s = PdfSorok(PdfOldalak(pdf).value(0));
        const int o = s.indexOf(QRegularExpression("kód megnevezés .*"));
        return s.mid(0, o).join(' ');
    }
    static QString fejlec(const QString& cim, const QString& alcim)
    {
        return QStringLiteral("Mozimánia Videotéka %1 Budapest Dózsa György út 12. %2%3")
            .arg(cim, alcim.isEmpty() ? QString() : alcim + ' ', "06-1-234-5678");
    }

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        AlkalmazasBeallit(*qApp);
    }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>(true);
        m_t->nyit();
        m_exportok.clear();
    }
    void cleanup()
    {
        m_t.reset();
    }

    // The chooser as it opens: its caption, the three choices with the
    // first ticked, and the two buttons.
    void valaszto()
    {
        VartAblak v([&](Tfrm_NyomtatasTipus* d) {
            QCOMPARE(d->windowTitle(), QString("Nyomtatás típusa"));
            QStringList feliratok;
            for (QRadioButton* r : d->Tipus) feliratok << r->text();
            QCOMPARE(feliratok, (QStringList{"Nyomtatás", "Nyomtatási kép", "CSV export"}));
            QVERIFY(d->Tipus[0]->isChecked());
            QCOMPARE(d->btnOK->text(), QString("OK"));
            QCOMPARE(d->btnMegsem->text(), QString("Mégsem"));
            QVERIFY(d->isModal());
            Nyom(d, Qt::Key_Escape);
        });
        QCOMPARE(NyomtatasTipusValaszt(nullptr), -1);
    }

    // Each way out of the chooser: printed at once, previewed, handed to
    // the export with the title as file name, or nothing at all.
    void valasztas_data()
    {
        QTest::addColumn<int>("le");            // Down presses before the key
        QTest::addColumn<int>("billentyu");     // Enter, Esc, or 0: click "Mégsem"
        QTest::addColumn<bool>("horog");        // the export is wired
        QTest::addColumn<int>("valasz");
        QTest::addColumn<QString>("kimenet");   // "nyomtato", "elonezet", "csv" or empty
        QTest::newRow("Enter: nyomtatás") << 0 << int(Qt::Key_Return) << true << 0 << "nyomtato";
        QTest::newRow("nyomtatási kép") << 1 << int(Qt::Key_Return) << true << 1 << "elonezet";
        QTest::newRow("CSV export") << 2 << int(Qt::Key_Return) << true << 2 << "csv";
        QTest::newRow("CSV export, bekötetlen") << 2 << int(Qt::Key_Return) << false << 2 << "";
        QTest::newRow("Esc") << 1 << int(Qt::Key_Escape) << true << -1 << "";
        QTest::newRow("Mégsem") << 2 << 0 << true << -1 << "";
    }
    void valasztas()
    {
        QFETCH(int, le);
        QFETCH(int, billentyu);
        QFETCH(bool, horog);
        QFETCH(int, valasz);
        QFETCH(QString, kimenet);
        VartAblak v([&](Tfrm_NyomtatasTipus* d) {
            for (int i = 0; i < le; ++i) Nyom(d, Qt::Key_Down);
            QVERIFY(d->Tipus[le]->isChecked());
            if (billentyu) Nyom(d, billentyu);
            else QTest::mouseClick(d->btnMegsem, Qt::LeftButton);
        });
        auto qr = TetelListaJelentes(TetelLista::Kiadott);
        QCOMPARE(ListaKiad(nullptr, *qr, horog ? this->horog() : ListaExportHorog()), valasz);

        const auto& ny = m_t->parbeszed.nyomtatasok;
        QCOMPARE(ny.size(), kimenet == "nyomtato" || kimenet == "elonezet" ? 1 : 0);
        if (!ny.isEmpty()) {
            QCOMPARE(ny[0].cim, QString("Kiadott tételek"));
            QCOMPARE(ny[0].elonezet, kimenet == "elonezet");
            QCOMPARE(fejlec(ny[0].pdf), fejlec("Kiadott tételek", {}));
        }
        QCOMPARE(m_exportok.size(), kimenet == "csv" ? 1 : 0);
        if (!m_exportok.isEmpty()) {
            const ExportKeres& e = m_exportok[0];
            QCOMPARE(e.fajl, QString("Kiadott tételek.csv"));
            QCOMPARE(e.sql, qr->sql());
            QCOMPARE(e.param, (QVariantList{QDate(2100, 1, 1)}));
            // The statement handed over runs and gives the items out.
            QSqlQuery q = Adatbazis::vegrehajt(e.sql, e.param);
            int n = 0;
            while (q.next()) {
                QCOMPARE(q.value("kint").toString(), QString("I"));
                ++n;
            }
            QCOMPARE(n, Adatbazis::ertek("SELECT count(*) FROM video WHERE kint = 'I' AND torolve = 'N'").toInt());
            QVERIFY(n > 0);
        }
        QVERIFY(m_t->parbeszed.hibak().isEmpty());
    }

    // The lists of the "Nyomtatások" menu (and "Nyomtat" of "Rekordok"):
    // each opens the chooser and prints its own report; the proposed CSV
    // file is named after the report's title.
    void fomenu_data()
    {
        QTest::addColumn<QString>("muvelet");
        QTest::addColumn<QString>("cim");
        QTest::addColumn<QString>("fej");
        QTest::newRow("aNyomtat") << "aNyomtat" << "Lista nyomtatás" << fejlec("Teljes lista", {});
        QTest::newRow("aNyomKiadva") << "aNyomKiadva" << "Kiadott tételek" << fejlec("Kiadott tételek", {});
        QTest::newRow("aNyomKiadLejart") << "aNyomKiadLejart" << "Kiadott tételek"
                                         << fejlec("Kiadott tételek", "1 napja lejártak");
        QTest::newRow("aNyomBentlevo") << "aNyomBentlevo" << "Bentlévő tételek" << fejlec("Bentlévő tételek", {});
        QTest::newRow("aNyomOsszesKolcs") << "aNyomOsszesKolcs" << "Lista nyomtatás" << fejlec("Teljes lista", {});
    }
    void fomenu()
    {
        QFETCH(QString, muvelet);
        QFETCH(QString, cim);
        QFETCH(QString, fej);
        Tfrm_Main f;
        QVERIFY(f.indult());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QAction* a = f.muvelet(muvelet);
        QVERIFY(a && a->isEnabled());
        QMenu* nyomtatasok = nullptr;
        for (QAction* m : f.menuBar()->actions())
            if (m->text().remove('&') == "Nyomtatások") nyomtatasok = m->menu();
        QVERIFY(nyomtatasok && nyomtatasok->actions().contains(a));
        {
            VartAblak v([&](Tfrm_NyomtatasTipus* d) { Nyom(d, Qt::Key_Return); });
            a->trigger();
        }
        const auto& ny = m_t->parbeszed.nyomtatasok;
        QCOMPARE(ny.size(), 1);
        QCOMPARE(ny[0].cim, cim);
        QCOMPARE(fejlec(ny[0].pdf), fej);
        // "CSV export" opens the export window, as the program wires it,
        // with the list's title as the file's name.
        {
            VartAblak v([&](Tfrm_NyomtatasTipus* d) {
                Nyom(d, Qt::Key_Down);
                Nyom(d, Qt::Key_Down);
                Nyom(d, Qt::Key_Return);
            });
            v.majd([&](Tfrm_Hatarolt* h) {
                QCOMPARE(QFileInfo(h->Edit1->text()).fileName(), cim + ".csv");
                Nyom(h, Qt::Key_Escape);
            });
            a->trigger();
            QVERIFY(v.kesz());
        }
        QVERIFY(m_t->parbeszed.hibak().isEmpty());
    }

    // Ctrl+P in the main window prints the full list.
    void ctrlP()
    {
        Tfrm_Main f;
        QVERIFY(f.indult());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        {
            VartAblak v([&](Tfrm_NyomtatasTipus* d) {
                Nyom(d, Qt::Key_Down);
                Nyom(d, Qt::Key_Return);
            });
            Nyom(&f, Qt::Key_P, Qt::ControlModifier);
        }
        const auto& ny = m_t->parbeszed.nyomtatasok;
        QCOMPARE(ny.size(), 1);
        QVERIFY(ny[0].elonezet);
        QCOMPARE(fejlec(ny[0].pdf), fejlec("Teljes lista", {}));
    }

    // A search result goes through the same chooser under its own heading;
    // a statement the database refuses is shown with the engine's words,
    // and no chooser opens.
    void keresesEredmenye()
    {
        {
            VartAblak v([&](Tfrm_NyomtatasTipus* d) { Nyom(d, Qt::Key_Return); });
            KeresesEredmenyeNyomtat(nullptr, TqrListaAlap::Lekerdezes("WHERE video.video_nev LIKE ?", "ORDER BY video.video_nev"),
                                    {"%Gyűrű%"});
        }
        const auto& ny = m_t->parbeszed.nyomtatasok;
        QCOMPARE(ny.size(), 1);
        QCOMPARE(ny[0].cim, QString("Lista nyomtatás"));
        const QString szoveg = PdfOldalak(ny[0].pdf).join('\n');
        QCOMPARE(fejlec(ny[0].pdf), fejlec("Keresés eredménye", {}));
        QVERIFY(szoveg.contains("A Gyűrűk Ura – A két torony"));
        QVERIFY(!szoveg.contains("Mátrix"));

        VartAblak soha(VartAblak::Soha<Tfrm_NyomtatasTipus>{});
        KeresesEredmenyeNyomtat(nullptr, "SELECT * FROM nincsilyen");
        QCOMPARE(m_t->parbeszed.hibak().size(), 1);
        QVERIFY2(m_t->parbeszed.hibak()[0].contains("nincsilyen"), qPrintable(m_t->parbeszed.hibak()[0]));
        QCOMPARE(ny.size(), 1);
    }
};

QTEST_MAIN(TstListaNyomtatas)
#include "tst_lista_nyomtatas.moc"
