// The reference-data windows as the user sees them: nothing cut off, no
// tool-bar button pushed out of sight, every column title readable. With
// KAZETTORA_KEPEK set, a picture of each window is saved there to look at.
#include "windows/app/alkalmazas.h"
#include "core/data/beallitas.h"
#include "windows/refdata/torzsadatok.h"
#include "tests/windows/tesztsegito.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QToolBar>
#include <QtTest>
#include <memory>

namespace {

void ment(QWidget* w, const QString& nev)
{
    const QString mappa = qEnvironmentVariable("KAZETTORA_KEPEK");
    if (mappa.isEmpty()) return;
    // The frame is the window system's; the picture is the client area.
    w->grab().save(QStringLiteral("%1/refdata-%2.png").arg(mappa, nev));
}

// Every label, button and group title shows its whole text.
void semmiLevagva(QWidget* ablak)
{
    for (QWidget* w : ablak->findChildren<QWidget*>()) {
        if (!w->isVisible()) continue;
        if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
            QVERIFY2(w->width() >= w->sizeHint().width() && w->height() >= w->minimumSizeHint().height(),
                     qPrintable(w->objectName() + " " + w->property("text").toString()));
        }
    }
}

} // namespace

class TstTorzsablakKepek : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;

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
        TBeall.torzsszerkeszt = true;
    }
    void cleanup() { m_t.reset(); }

    void ablakok_data()
    {
        QTest::addColumn<QString>("nev");
        QTest::addColumn<bool>("valasztas");
        QTest::newRow("tipus") << "tipus" << false;
        QTest::newRow("tipus-valaszto") << "tipus" << true;
        QTest::newRow("mufaj") << "mufaj" << false;
        QTest::newRow("arkat") << "arkat" << false;
        QTest::newRow("cassatip") << "cassatip" << false;
        QTest::newRow("cassatip-valaszto") << "cassatip" << true;
    }
    void ablakok()
    {
        QFETCH(QString, nev);
        QFETCH(bool, valasztas);
        const QString kep = nev + (valasztas ? "-valaszto" : "");
        VartAblak v([&](TorzsAblak* a) {
            ment(a, kep);
            // No button pushed into the tool bar's overflow.
            for (QAction* m : a->ToolBar1->actions()) {
                if (m->isSeparator() || !m->isVisible()) continue;
                QWidget* g = a->ToolBar1->widgetForAction(m);
                QVERIFY2(g && g->isVisible(), qPrintable(m->objectName()));
                QVERIFY(a->ToolBar1->rect().contains(g->geometry()));
            }
            // The columns fit and their titles can be read.
            QHeaderView* h = a->DBGrid1->horizontalHeader();
            QVERIFY(!a->DBGrid1->horizontalScrollBar()->isVisible());
            for (int i = 0; i < h->count(); ++i)
                QVERIFY2(h->sectionSize(i) >= h->sectionSizeHint(i), qPrintable(QString::number(i)));
            QVERIFY(a->frameGeometry().width() <= 640);
            if (!valasztas) {
                VartAblak sz([&](TorzsSzerkeszto* d) {
                    ment(d, nev + "-szerkeszt");
                    semmiLevagva(d);
                    QVERIFY(d->width() <= 400);
                    d->reject();
                });
                a->aSzerkeszt->trigger();
            }
            a->reject();
        });
        if (nev == "tipus") TorzsTipusMegnyit(nullptr, -1, valasztas);
        else if (nev == "mufaj") TorzsMufajMegnyit(nullptr, -1, valasztas);
        else if (nev == "arkat") TorzsArkatMegnyit(nullptr, -1, valasztas);
        else TorzsCassatipMegnyit(nullptr, "K", valasztas);
    }
};

QTEST_MAIN(TstTorzsablakKepek)
#include "tst_torzsablak_kepek.moc"
