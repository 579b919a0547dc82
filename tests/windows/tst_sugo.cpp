// The help menu: the splash at start, the read-me, the about window, and the
// help pages, home page, news page and mail link handed to the desktop.
#include "core/admin/felhasznalok.h"
#include "windows/admin/nevjegy.h"
#include "core/admin/sugo.h"
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "core/common/keszito.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "tests/windows/tesztfoablak.h"
#include "tests/windows/tesztsegito.h"
#include "tests/core/tesztfajl.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QUrlQuery>
#include <QtTest>

namespace {

// With KAZETTORA_KEPEK set to a folder, each window is saved there as a picture,
// to be looked at by eye.
void kepMent(QWidget* w, const QString& nev)
{
    const QString mappa = qEnvironmentVariable("KAZETTORA_KEPEK");
    if (mappa.isEmpty()) return;
    QDir().mkpath(mappa);
    w->grab().save(mappa + '/' + nev + QStringLiteral(".png"));
}

// Centred on the screen's work area, give or take the window's frame.
bool kozepen(QWidget* w)
{
    QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    const QPoint d = w->geometry().center() - s->availableGeometry().center();
    const QSize keret = w->frameGeometry().size() - w->geometry().size();
    if (qAbs(d.x()) <= qMax(2, keret.width()) && qAbs(d.y()) <= qMax(2, keret.height())) return true;
    qWarning("%d,%d from the centre", d.x(), d.y());
    return false;
}

QString u8(const char* s) { return QString::fromUtf8(s); }

} // namespace

class TstSugo : public FoablakTeszt {
    Q_OBJECT
private slots:
    // The splash: 400×240, borderless, on top, centred; the grey of its
    // picture (and only that) is transparent; it closes and frees itself
    // when its time is up.
    void logo()
    {
        {
            Tfrm_Logo alap;
            QCOMPARE(alap.Timer1->interval(), 4000);
            QVERIFY(alap.Timer1->isSingleShot());
        }
        QPointer<Tfrm_Logo> l = new Tfrm_Logo(nullptr, 50);
        QCOMPARE(l->size(), QSize(400, 240));
        QVERIFY(l->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(l->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(kozepen(l));

        const QImage rajz = Tfrm_Logo::Rajz();
        QCOMPARE(l->Kep.size(), rajz.size());
        int atlatszo = 0, kazetta = 0;
        for (int y = 0; y < rajz.height(); ++y)
            for (int x = 0; x < rajz.width(); ++x) {
                const bool szurke = (rajz.pixel(x, y) & RGB_MASK) == 0x808080;
                const int alfa = qAlpha(l->Kep.pixel(x, y));
                if (szurke != (alfa == 0) || (!szurke && alfa != 255))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2: alpha %3").arg(x).arg(y).arg(alfa)));
                atlatszo += szurke;
                kazetta += (rajz.pixel(x, y) & RGB_MASK) == 0x2d3a4a;
            }
        QVERIFY(qAlpha(l->Kep.pixel(0, 0)) == 0 && qAlpha(l->Kep.pixel(399, 239)) == 0);
        QVERIFY2(atlatszo > 0 && atlatszo < 400 * 240 / 5, qPrintable(QString::number(atlatszo)));
        // The program's picture is drawn into it (its dark body, beside the
        // card's frame and film strips).
        QVERIFY(!ProgramKep(64).isNull());
        QVERIFY(kazetta > 0);

        l->show();
        QVERIFY(QTest::qWaitForWindowExposed(l));
        QVERIFY(l->Timer1->isActive());
        kepMent(l, QStringLiteral("logo"));
        QTRY_VERIFY_WITH_TIMEOUT(l.isNull(), 3000);
    }

    // The main window's first showing puts the splash up without waiting
    // for it: the main window keeps the input and works meanwhile; a dialog
    // opened then closes it; a later showing brings no second one.
    void logoIndulaskor()
    {
        Tfrm_Main& f = indit();
        const QList<Tfrm_Logo*> logok = f.findChildren<Tfrm_Logo*>();
        QCOMPARE(logok.size(), 1);
        QPointer<Tfrm_Logo> l = logok.first();
        QVERIFY(l->isWindow() && l->isVisible());
        QCOMPARE(l->Timer1->interval(), 4000);
        QVERIFY(l->Timer1->isActive());
        QVERIFY(!QApplication::activeModalWidget());
        QTRY_COMPARE(QApplication::activeWindow(), &f);
        QCOMPARE(QApplication::focusWidget(), f.Edit1);
        Gepel(f.Edit1, QStringLiteral("3"));
        QCOMPARE(VarEgesz(f.Tbl.ertek("azon")), 3);
        {
            VartAblak v([](Tfrm_Nevjegy* a) { Nyom(a, Qt::Key_Return); });
            f.muvelet("aNevjegy")->trigger();
            QVERIFY(v.kesz());
        }
        // The window opened meanwhile sent it away: it never covers a dialog.
        QTRY_VERIFY(l.isNull());
        f.hide();
        f.show();
        QCOMPARE(f.findChildren<Tfrm_Logo*>().size(), 0);
    }

    // "Fontos információk": the fixed text, read-only, scrolling; the login
    // it gives opens the delivered data, and only as written.
    void readme()
    {
        Tfrm_Main& f = indit();
        QString szoveg;
        VartAblak v([&](Tfrm_Readme* a) {
            QCOMPARE(a->windowTitle(), u8("Fontos információk"));
            QCOMPARE(a->size(), QSize(552, 399));
            QVERIFY(kozepen(a));
            QVERIFY(a->Memo1->isReadOnly());
            QCOMPARE(a->Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QCOMPARE(a->Memo1->geometry(), a->rect());
            szoveg = a->Memo1->toPlainText();
            a->resize(700, 500);   // resizable, the text follows
            QApplication::processEvents();
            QCOMPARE(a->Memo1->geometry(), a->rect());
            a->resize(552, 399);
            kepMent(a, QStringLiteral("readme"));
            Nyom(a, Qt::Key_Escape);
        });
        f.muvelet("aFontos")->trigger();
        QVERIFY(v.kesz());

        const QStringList sorok = szoveg.split('\n');
        QCOMPARE(sorok.value(0), QStringLiteral("Kazettora program"));
        QVERIFY(QRegularExpression(QStringLiteral("^-{10,}$")).match(sorok.value(1)).hasMatch());
        QCOMPARE(sorok.value(2), u8("Fontos információk"));
        QCOMPARE(sorok.value(3), sorok.value(1));
        const QRegularExpression fh(u8("^felhasználó: \"([^\"]+)\"$"), QRegularExpression::MultilineOption);
        const QRegularExpression js(u8("^jelszó: \"([^\"]+)\"$"), QRegularExpression::MultilineOption);
        const QString nev = fh.match(szoveg).captured(1), jelszo = js.match(szoveg).captured(1);
        QCOMPARE(nev, QStringLiteral("rendszergazda"));
        QCOMPARE(jelszo, QStringLiteral("talpfak"));
        QVERIFY(szoveg.indexOf(js) == szoveg.indexOf(fh) + fh.match(szoveg).capturedLength() + 1);
        QVERIFY(szoveg.contains(u8("kis- és nagybetű")));
        for (const char* resz : {"2. Hardware / Software igény", "Debian 12", "hálózat", "--program-dir"})
            QVERIFY2(szoveg.contains(u8(resz)), resz);
        QVERIFY(szoveg.indexOf(u8("2. Hardware / Software igény")) > szoveg.indexOf(fh));
        for (const char* k : {Keszito::Nev, Keszito::Telefon, Keszito::Mobil, Keszito::Honlap, Keszito::Level})
            QVERIFY2(szoveg.contains(u8(k)), k);

        // The delivered data, login switched on as it comes.
        m_f.reset();
        m_t = std::make_unique<TesztTelepites>(false, true);
        m_t->nyit();
        const auto belepo = Felhasznalok::Azonosit(nev, jelszo);
        QVERIFY(belepo && belepo->rendszergazda);
        QVERIFY(!Felhasznalok::Azonosit(nev, jelszo.toUpper()));
        QVERIFY(!Felhasznalok::Azonosit(nev.toUpper(), jelszo));
    }

    // "Névjegy" (Alt+F1): the version and the panels' colours; OK closes it.
    void nevjegy()
    {
        Tfrm_Main& f = indit();
        VartAblak v([&](Tfrm_Nevjegy* a) {
            QCOMPARE(a->windowTitle(), u8("Névjegy"));
            QCOMPARE(a->lblNev->text(), QStringLiteral("Kazettora"));
            QCOMPARE(a->lblVerzio->text(), QStringLiteral("V1.4.0.59"));
            QCOMPARE(a->minimumSize(), a->maximumSize());
            QVERIFY(kozepen(a));
            QVERIFY(a->btnOK->isDefault());
            const QImage k = a->grab().toImage();
            const auto hatter = [&](const char* nev) {
                auto* w = a->findChild<QWidget*>(QLatin1String(nev));
                return w ? k.pixelColor(w->mapTo(a, QPoint(w->width() > 4 ? 3 : 0, 2))).name() : QString();
            };
            QCOMPARE(hatter("lblVerzio"), QStringLiteral("#c0dcc0"));
            QCOMPARE(hatter("lblCim"), QStringLiteral("#fffbf0"));
            QCOMPARE(hatter("lblElerhetoseg"), QStringLiteral("#fffbf0"));
            QCOMPARE(hatter("Image1"), QStringLiteral("#ffd0ae"));
            const QString kapcsolat = a->findChild<QLabel*>("lblKapcsolat")->text();
            for (const char* k : {Keszito::Ugyfelfogadas, Keszito::Telefon, Keszito::Honlap, Keszito::Level})
                QVERIFY2(kapcsolat.contains(u8(k)), k);
            kepMent(a, QStringLiteral("nevjegy"));
            Nyom(a, Qt::Key_Return);
        });
        Nyom(&f, Qt::Key_F1, Qt::AltModifier);
        QVERIFY(v.kesz());
        QVERIFY(m_t->parbeszed.megnyitottak.isEmpty());
    }

    // The links go to the desktop through the seam, none opening a window
    // of the program's own.
    void linkek_data()
    {
        QTest::addColumn<QString>("muvelet");
        QTest::addColumn<QString>("url");
        QTest::newRow("honlap") << "aHonlap" << "https://www.kazettora.hu/";
        QTest::newRow("ujdonsagok") << "aUjdonsag" << "https://www.kazettora.hu/ujdonsagok.html";
        QTest::newRow("level") << "aLevel"
                               << "mailto:zubolka@kazettora.hu?subject=Kazettora%20V1.4.0.59%20%E2%80%93%20"
                                  "%C3%A9szrev%C3%A9tel";
    }
    void linkek()
    {
        QFETCH(QString, muvelet);
        QFETCH(QString, url);
        Tfrm_Main& f = indit();
        f.muvelet(muvelet)->trigger();
        QCOMPARE(m_t->parbeszed.megnyitottak.size(), 1);
        const QUrl u = m_t->parbeszed.megnyitottak.first();
        QCOMPARE(u.toString(QUrl::FullyEncoded), url);
        QVERIFY(m_t->parbeszed.dobozok.isEmpty());
        if (u.scheme() == QStringLiteral("mailto"))
            QCOMPARE(QUrlQuery(u).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                     u8(Keszito::LevelTargy));
    }

    // F1: the help's first page as a local file; the program folder's own
    // when it has one, else where the pages lie (here, in a test, nowhere:
    // the browser then says the file is missing).
    void sugoBillentyu()
    {
        Tfrm_Main& f = indit();
        const QString sajat = ProgramUtvonal() + QStringLiteral("/Help/index.htm");
        Nyom(&f, Qt::Key_F1);
        QCOMPARE(m_t->parbeszed.megnyitottak.value(0), QUrl::fromLocalFile(sajat));
        FajlIr(sajat, "<html>sajat</html>");
        Nyom(&f, Qt::Key_F1);
        QCOMPARE(m_t->parbeszed.megnyitottak.value(1), QUrl::fromLocalFile(sajat));
        QVERIFY(m_t->parbeszed.dobozok.isEmpty());
    }

    // The pages are where the program looks for them: beside the executable
    // in the build folder, and in an installed tree beside its bin folder;
    // every link inside the page points at one of its sections, and its
    // contact lines are the ones the program shows.
    void sugoFajlok()
    {
        const QString exe = QFileInfo(QStringLiteral(KAZETTORA_PROGRAM)).absolutePath();
        QTemporaryDir ures;
        const QString epitett = Sugo::Fajl(ures.path(), exe);
        QCOMPARE(epitett, QDir(exe).filePath(QStringLiteral("Help/index.htm")));

        QTemporaryDir hova;
        QProcess p;
        p.start(QStringLiteral(KZ_CMAKE), {QStringLiteral("--install"), QStringLiteral(KZ_EPITES),
                                           QStringLiteral("--prefix"), hova.path()});
        QVERIFY(p.waitForFinished(60000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
        const QString telepitett = Sugo::Fajl(ures.path(), hova.path() + QStringLiteral("/bin"));
        QVERIFY2(telepitett.startsWith(hova.path() + '/') && QFileInfo(telepitett).isFile(), qPrintable(telepitett));
        QVERIFY(!telepitett.startsWith(hova.path() + QStringLiteral("/bin")));

        for (const QString& fajl : {epitett, telepitett}) {
            QFile f(fajl);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(f.readAll());
            QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
            QRegularExpressionMatchIterator i = QRegularExpression(QStringLiteral("href=\"#([^\"]+)\"")).globalMatch(html);
            int linkek = 0;
            for (; i.hasNext(); ++linkek) {
                const QString cel = i.next().captured(1);
                QVERIFY2(html.contains(QStringLiteral("id=\"%1\"").arg(cel)), qPrintable(cel));
            }
            QVERIFY(linkek >= 10);
            for (const char* k : {Keszito::Nev, Keszito::Telefon, Keszito::Honlap, Keszito::Level})
                QVERIFY2(html.contains(u8(k)), k);
            for (const char* t : {"Kölcsönzés", "Visszavétel", "Ügyfelek és tagdíjak", "Kassza", "Nyomtatás",
                                  "Archiválás", "Beállítások"})
                QVERIFY2(html.contains(u8(t)), t);
        }
    }
};

QTEST_MAIN(TstSugo)
#include "tst_sugo.moc"
