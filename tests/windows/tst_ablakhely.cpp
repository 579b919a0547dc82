// Where the main window stands and how large it is. Run twice: headless
// (the offscreen platform gives windows a thin frame at once) and on a
// virtual X display with a real window manager (ablakkezelovel.sh), which
// tells a window's frame only after the window has appeared, as desktops do.
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "core/data/beallitas.h"
#include "tests/windows/tesztfoablak.h"
#include "tests/windows/tesztsegito.h"

#include <QFile>
#include <QScreen>
#include <QStatusBar>
#include <QtTest>

namespace {

QString iniSzoveg(const QString& mappa)
{
    QFile ini(mappa + "/Kazettora.ini");
    return ini.open(QIODevice::ReadOnly) ? QString::fromUtf8(ini.readAll()) : QString();
}

QString szoveg(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

class TstAblakHely : public FoablakTeszt {
    Q_OBJECT

    Tfrm_Main& indit()
    {
        FoablakTeszt::indit();
        // A window manager frames the window a moment after it appears;
        // what is checked is the framed window (a platform without frames
        // passes after the wait).
        const bool keretes = QTest::qWaitFor([this] { return m_f->frameGeometry() != m_f->geometry(); }, 3000);
        Q_UNUSED(keretes);
        QTest::qWait(50);
        return *m_f;
    }

private slots:
    // Full screen (the default): the whole window, frame included, is the
    // work area, so the status bar is on the screen.
    void teljesKepAMunkateruleten()
    {
        Tfrm_Main& f = indit();
        QVERIFY(TBeall.TeljesKep);
        const QRect munka = f.screen()->availableGeometry();
        QTRY_COMPARE(f.frameGeometry(), munka);
        QVERIFY(munka.contains(f.geometry()));
        const QRect statusz(f.statusBar()->mapToGlobal(QPoint(0, 0)), f.statusBar()->size());
        QVERIFY2(munka.contains(statusz), qPrintable(szoveg(statusz) + " / " + szoveg(munka)));
    }

    // What is saved is what the next start restores: the frame's corner and
    // the inner size stay put however often the program is started again.
    void helyNemVandorol()
    {
        QFile ini(m_t->mappa() + "/Kazettora.ini");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Alapertek]\nTeljesKep=0\nBal=100\nFelul=50\nSzeles=700\nMagas=500\n");
        ini.close();
        for (int kor = 1; kor <= 3; ++kor) {
            TBeall = TBeallRekord{};
            Tfrm_Main& f = indit();
            QTRY_COMPARE(f.frameGeometry().topLeft(), QPoint(100, 50));
            QCOMPARE(f.size(), QSize(700, 500));
            f.close();
            m_f.reset();
            const QString t = iniSzoveg(m_t->mappa());
            for (const char* sor : {"TeljesKep=0", "Bal=100", "Felul=50", "Szeles=700", "Magas=500"})
                QVERIFY2(t.contains(sor), qPrintable(QStringLiteral("%1. indítás után: %2").arg(kor).arg(t)));
        }
    }
};

QTEST_MAIN(TstAblakHely)
#include "tst_ablakhely.moc"
