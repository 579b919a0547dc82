// Small things an operator notices: the splash giving way to a dialog, the
// value axis of an empty income chart, the users window's tool bar and its
// refusal message, the item list after an export. With KAZETTORA_KEPEK set, pictures are saved there (csiszolas-*.png).
#include "core/admin/felhasznalok.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "windows/admin/nevjegy.h"
#include "windows/admin/tfrm_felhasznalo.h"
#include "windows/cash/tfrm_grafikon.h"
#include "windows/reports/tfrm_hatarolt.h"
#include "tests/windows/tesztfoablak.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QDialog>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QValueAxis>
#include <QtTest>

namespace {

void kep(QWidget* w, const QString& nev)
{
    const QString mappa = qEnvironmentVariable("KAZETTORA_KEPEK");
    if (!mappa.isEmpty()) w->grab().save(QStringLiteral("%1/csiszolas-%2.png").arg(mappa, nev));
}

} // namespace

class TstCsiszolas : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    std::unique_ptr<Tfrm_Main> m_f;

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        AlkalmazasBeallit(*qApp);
    }
    void cleanup()
    {
        m_f.reset();
        m_t.reset();
    }

    // The splash stays above every window but gives way to one opened
    // during its time, a modal dialog above all: it never covers it.
    void logoEngedAblaknak()
    {
        QWidget fo;
        fo.resize(640, 480);
        fo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fo));
        QPointer<Tfrm_Logo> l = LogoMutat(&fo);
        QVERIFY(l->isVisible());
        QTest::qWait(50);
        QVERIFY(!l.isNull() && l->isVisible());   // the main window's own showing does not count
        QDialog d(&fo);
        d.resize(300, 200);
        bool takart = true;
        QTimer::singleShot(0, &d, [&] {
            takart = !l.isNull() && l->isVisible();
            d.accept();
        });
        d.exec();
        QVERIFY(!takart);
        QTRY_VERIFY(l.isNull());
    }

    // An empty income chart: its value axis prints whole numbers, each once
    // (never 0, 0, 0, 1, 1, 1).
    void uresBevetelTengely()
    {
        m_t = std::make_unique<TesztTelepites>();
        m_t->nyit();
        Tfrm_chBevKiad a;
        a.betolt(QStringLiteral("202604"), QStringLiteral("202604"));
        a.show();
        QVERIFY(QTest::qWaitForWindowExposed(&a));
        QTest::qWait(50);
        kep(&a, QStringLiteral("ures-grafikon"));
        auto* y = qobject_cast<QValueAxis*>(a.grafikon()->axes(Qt::Vertical).value(0));
        QVERIFY(y);
        // What the axis prints, read from the scene the view draws.
        QStringList feliratok;
        for (QGraphicsItem* i : a.DBChart1->scene()->items()) {
            auto* t = dynamic_cast<QGraphicsTextItem*>(i);
            if (!t || !t->isVisible()) continue;
            bool szam = false;
            t->toPlainText().toDouble(&szam);
            if (szam) feliratok << t->toPlainText();
        }
        QVERIFY2(feliratok.size() >= 2, qPrintable(feliratok.join(',')));
        QVERIFY2(QSet<QString>(feliratok.cbegin(), feliratok.cend()).size() == feliratok.size(),
                 qPrintable(feliratok.join(',')));
        for (const QString& f : feliratok) {
            bool egesz = false;
            f.toInt(&egesz);
            QVERIFY2(egesz, qPrintable(feliratok.join(',')));
        }
    }

    // Users window: every caption of its tool bar is whole on its button;
    // a refused save says the one sentence, without the engine's words.
    void felhasznaloAblak()
    {
        m_t = std::make_unique<TesztTelepites>();
        m_t->nyit();
        Felhasznalok::Ment(QString(), {"Zoli", "z", "z", false, false});
        {
            VartAblak v([&](Tfrm_Felhasznalo* a) {
                kep(a, QStringLiteral("felhasznalok"));
                int gombok = 0;
                for (QAction* m : a->ToolBar1->actions()) {
                    auto* b = qobject_cast<QToolButton*>(a->ToolBar1->widgetForAction(m));
                    if (!b || !b->isVisible() || m->text().isEmpty()) continue;
                    ++gombok;
                    const QString nev = m->text();
                    QVERIFY2(b->height() >= b->sizeHint().height(),
                             qPrintable(QStringLiteral("%1: %2 < %3").arg(nev).arg(b->height()).arg(b->sizeHint().height())));
                    QVERIFY2(a->ToolBar1->contentsRect().contains(b->geometry()), qPrintable(nev));
                    QVERIFY2(a->ToolBar1->rect().bottom() <= a->rect().bottom(), qPrintable(nev));
                }
                QVERIFY(gombok >= 4);
                {
                    VartAblak d([&](Tfrm_FelhasznaloSzerkeszt* s) {
                        Gepel(s->DBEdit1, "Zoli");
                        Gepel(s->DBEdit2, "x");
                        Gepel(s->Edit1, "x");
                        QTest::mouseClick(s->btnOK, Qt::LeftButton);
                        QVERIFY(s->isVisible());
                        Nyom(s, Qt::Key_Escape);
                    });
                    Nyom(a, Qt::Key_Insert);
                }
                Nyom(a, Qt::Key_Escape);
            });
            FelhasznaloMegnyit(nullptr);
            QVERIFY(v.kesz());
        }
        QCOMPARE(m_t->parbeszed.hibak(), QStringList{"Hiányos adat megadás"});
    }

    // "Excelbe": the item list stays where the export's walk ended, its
    // last row.
    void exportUtanListaHelye()
    {
        m_t = std::make_unique<TesztTelepites>(true);
        QTemporaryDir dir;
        Tfrm_Main& f = FoablakIndit(m_f, m_t->parbeszed);
        QVERIFY(f.Tbl.lista().sorok() > 3);
        f.Tbl.aktualisBeallit(1);
        {
            VartAblak v([&](Tfrm_Hatarolt* a) {
                a->Edit1->setText(dir.filePath("v.csv"));
                a->Button1->click();
                a->Button2->click();
            });
            f.muvelet("aExcelbe")->trigger();
            QVERIFY(v.kesz());
        }
        const int utolso = f.Tbl.lista().sorok() - 1;
        QCOMPARE(f.Tbl.aktualis(), utolso);
        QCOMPARE(f.DBGrid1->currentIndex().row(), utolso);
        // Closed without an export: the list stays where it was.
        f.Tbl.aktualisBeallit(2);
        {
            VartAblak v([&](Tfrm_Hatarolt* a) { a->Button2->click(); });
            f.muvelet("aExcelbe")->trigger();
            QVERIFY(v.kesz());
        }
        QCOMPARE(f.Tbl.aktualis(), 2);
    }
};

QTEST_MAIN(TstCsiszolas)
#include "tst_csiszolas.moc"
