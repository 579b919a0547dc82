#include "tests/windows/tesztsegito.h"
#include "core/data/adatbazis.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QPrinter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <sqlite3.h>

VartAblak::VartAblak(int hatarido, std::source_location hol)
    : m_hatarido(hatarido), m_lejar(hatarido), m_hol(hol), m_idozito(std::make_unique<QTimer>())
{
    m_idozito->setInterval(10);
    QObject::connect(m_idozito.get(), &QTimer::timeout, [this] { figyel(); });
    m_idozito->start();
}

VartAblak::~VartAblak()
{
    m_idozito->stop();
    // A check that failed before has said what went wrong; the windows it
    // left unopened say nothing new.
    if (!m_soha && !m_bukott && !kesz() && !QTest::currentTestFailed())
        QTest::qFail(qPrintable(QStringLiteral("A várt ablak (%1) nem nyílt meg.").arg(m_lepesek[m_kovetkezo].nev)),
                     m_hol.file_name(), int(m_hol.line()));
}

void VartAblak::hozzaad(const QString& nev, std::function<bool(QWidget*)> illik, std::function<void(QWidget*)> fut)
{
    if (kesz()) m_lejar.setRemainingTime(m_hatarido);
    m_lepesek.append({nev, std::move(illik), std::move(fut)});
    if (!m_bukott) m_idozito->start();
}

void VartAblak::figyel()
{
    if (m_bukott) {
        ModalisAblakokatBezar();
        return;
    }
    if (kesz()) {
        m_idozito->stop();
        return;
    }
    const Lepes& l = m_lepesek[m_kovetkezo];
    QWidget* w = QApplication::activeModalWidget();
    if (m_soha) {
        if (w && l.illik(w)) bukik(QStringLiteral("A(z) %1 ablak megnyílt, pedig nem szabadna.").arg(l.nev));
        return;
    }
    if (w && w->isVisible() && l.illik(w)) {
        // Keys reach the shortcuts of the active window only.
        if (!w->isActiveWindow()) {
            w->activateWindow();
            (void)QTest::qWaitForWindowActive(w, 200);
        }
        if (w->isActiveWindow()) {
            futtat(w);
            return;
        }
    }
    if (!m_lejar.hasExpired()) return;
    QString miert;
    if (w && w->isVisible() && l.illik(w))
        miert = QStringLiteral("A várt ablak (%1) megnyílt, de nem lett aktív.").arg(l.nev);
    else
        miert = QStringLiteral("A várt ablak (%1) nem nyílt meg %2 ms alatt.").arg(l.nev).arg(m_hatarido);
    if (w && !(l.illik(w)))
        miert += QStringLiteral(" Nyitva: %1 \"%2\" (%3).")
                     .arg(QString::fromLatin1(w->metaObject()->className()), w->windowTitle(), w->objectName());
    bukik(miert);
}

void VartAblak::futtat(QWidget* w)
{
    m_idozito->stop();
    const QString nev = m_lepesek[m_kovetkezo].nev;
    QPointer<QWidget> ablak(w);
    QPointer<QWidget> alatta(w->parentWidget() ? w->parentWidget()->window() : nullptr);
    m_lepesek[m_kovetkezo].fut(w);
    if (QTest::currentTestFailed()) {
        // The check's own message says what; what it left open goes.
        qWarning("A(z) %s ablak lépése elbukott; a nyitva maradt ablakok bezárva.", qPrintable(nev));
        m_bukott = true;
        ModalisAblakokatBezar();
        m_idozito->start();
        return;
    }
    if (ablak && ablak->isVisible()) {
        bukik(QStringLiteral("A(z) %1 ablak nyitva maradt a lépése után.").arg(nev));
        return;
    }
    // A window manager gives the activation back to the window below; the
    // offscreen platform has none.
    QWidget* kovetkezo = QApplication::activeModalWidget();
    if (!kovetkezo) kovetkezo = alatta;
    if (kovetkezo && kovetkezo->isVisible() && !kovetkezo->isActiveWindow()) {
        kovetkezo->activateWindow();
        (void)QTest::qWaitForWindowActive(kovetkezo, 1000);
    }
    ++m_kovetkezo;
    if (!kesz()) {
        m_lejar.setRemainingTime(m_hatarido);
        m_idozito->start();
    }
}

void VartAblak::bukik(const QString& miert)
{
    QTest::qFail(qPrintable(miert), m_hol.file_name(), int(m_hol.line()));
    m_bukott = true;
    ModalisAblakokatBezar();
    // Keeps closing whatever opens later, while the test runs on to its end.
    m_idozito->start();
}

void ModalisAblakokatBezar()
{
    // A window that asks before it closes is answered from the test's
    // script; one that stays open anyway is hidden, which ends its exec().
    for (int i = 0; i < 100; ++i) {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) return;
        if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
        else w->close();
        if (w->isVisible()) w->hide();
    }
}

void Nyom(QWidget* ablak, int billentyu, Qt::KeyboardModifiers mod)
{
    if (!ablak->isVisible()) {
        // A key for a window already closed is a fault of the test, unless a
        // failed check closed it.
        if (!QTest::currentTestFailed())
            QTest::qFail(qPrintable("Nyom: a(z) " + ablak->objectName() + " ablak nincs nyitva"), __FILE__, __LINE__);
        return;
    }
    if (!ablak->isActiveWindow()) {
        ablak->activateWindow();
        if (!QTest::qWaitForWindowActive(ablak)) qWarning("Nyom: %s did not become active", qPrintable(ablak->objectName()));
    }
    QWidget* cel = ablak->focusWidget() ? ablak->focusWidget() : ablak;
    QTest::keyClick(cel, Qt::Key(billentyu), mod);
}

void Gepel(QWidget* w, const QString& szoveg)
{
    for (qsizetype i = 0; i < szoveg.size(); ++i) {
        const QChar c = szoveg.at(i);
        if (c.unicode() < 0x80) {
            QTest::keyClick(w, char(c.unicode()));
            continue;
        }
        const qsizetype n = c.isHighSurrogate() && i + 1 < szoveg.size() && szoveg.at(i + 1).isLowSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, szoveg.mid(i, n), Qt::NoModifier);
        i += n - 1;
    }
}

void DuplaKatt(QTableView* racs, int sor)
{
    QWidget* vp = racs->viewport();
    const QPoint hol = racs->visualRect(racs->model()->index(sor, 0)).center();
    QTest::mouseClick(vp, Qt::LeftButton, {}, hol);
    QTest::mouseDClick(vp, Qt::LeftButton, {}, hol);
}

