#include "tesztsegito.h"
#include "data/adatbazis.h"
#include "data/beallitas.h"
#include "data/ora.h"
#include "data/telepites.h"

#include <QApplication>
#include <QLocale>
#include <QPrinter>
#include <QTimer>
#include <QtTest>
#include <sqlite3.h>

QStringList TesztParbeszed::hibak() const
{
    QStringList l;
    for (const auto& d : dobozok)
        if (d.fajta == Doboz::Hiba) l << d.szoveg;
    return l;
}

bool TesztParbeszed::doboz(QWidget*, Doboz fajta, const QString& cim, const QString& szoveg)
{
    dobozok.append({fajta, cim, szoveg});
    if (fajta != Doboz::Kerdes) return true;
    return kerdesValaszok.isEmpty() ? false : kerdesValaszok.takeFirst();
}

bool TesztParbeszed::szamBevitel(QWidget*, const QString&, const QString&, double& ertek)
{
    if (szamValaszok.isEmpty()) return false;
    ertek = szamValaszok.takeFirst();
    return true;
}

bool TesztParbeszed::maszkosBevitel(QWidget*, const QString&, const QString&, const QString&, QString& ertek)
{
    if (szovegValaszok.isEmpty()) return false;
    ertek = szovegValaszok.takeFirst();
    return true;
}

QString TesztParbeszed::megnyitandoFajl(QWidget*, const QString&, const QString&, const QString&)
{
    return fajlValaszok.isEmpty() ? QString() : fajlValaszok.takeFirst();
}

QString TesztParbeszed::mentendoFajl(QWidget*, const QString&, const QString&, const QString&)
{
    return fajlValaszok.isEmpty() ? QString() : fajlValaszok.takeFirst();
}

QString TesztParbeszed::mappaValasztas(QWidget*, const QString&, const QString&)
{
    return fajlValaszok.isEmpty() ? QString() : fajlValaszok.takeFirst();
}

bool TesztParbeszed::megnyit(const QUrl& cel)
{
    megnyitottak << cel;
    return true;
}

bool TesztParbeszed::pdfbe(Nyomtatvany& n, bool elonezet)
{
    const QString fajl = m_nyomtatasMappa.filePath(QStringLiteral("nyomtatas%1.pdf").arg(nyomtatasok.size() + 1));
    QPrinter p(QPrinter::HighResolution);
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(fajl);
    p.setDocName(n.nyomtatasCim());
    n.lapBeallit(p);
    const bool kesz = n.rajzol(p, {});
    nyomtatasok.append({n.nyomtatasCim(), elonezet, kesz ? fajl : QString()});
    return kesz;
}

bool TesztParbeszed::nyomtatas(QWidget*, Nyomtatvany& n) { return pdfbe(n, false); }

void TesztParbeszed::nyomtatasiKep(QWidget*, Nyomtatvany& n) { pdfbe(n, true); }

TesztTelepites::TesztTelepites(bool minta)
{
    QString hiba;
    if (!Telepites::telepit(m_dir.path(), minta, &hiba)) qFatal("telepítés: %s", qPrintable(hiba));
    ProgramUtvonalBeallit(m_dir.path());
    TBeall = TBeallRekord{};
    parbeszedBeallit(&parbeszed);
}

TesztTelepites::~TesztTelepites()
{
    Adatbazis::zar();
    parbeszedBeallit(nullptr);
}

void TesztTelepites::nyit()
{
    QString hiba;
    if (!Adatbazis::nyit(adatMappa(), &hiba)) qFatal("nyitás: %s", qPrintable(hiba));
}

QString LekerdezesiTerv(const QString& sql)
{
    QStringList sorok;
    sqlite3_stmt* st = nullptr;
    const QByteArray u = ("EXPLAIN QUERY PLAN " + sql).toUtf8();
    if (sqlite3_prepare_v2(Adatbazis::kezelo(Adatbazis::db()), u.constData(), int(u.size()), &st, nullptr) != SQLITE_OK)
        return QStringLiteral("hibás utasítás: ") + sql;
    while (sqlite3_step(st) == SQLITE_ROW) sorok << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 3)));
    sqlite3_finalize(st);
    return sorok.join(" / ");
}

void TesztKornyezet()
{
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    OraBeallit(TesztMost);
}

void HaMegnyilik(std::function<void(QWidget*)> lepes)
{
    HaMegnyilik(QString(), std::move(lepes));
}

void HaMegnyilik(const QString& nev, std::function<void(QWidget*)> lepes)
{
    auto* idozito = new QTimer;
    idozito->setInterval(10);
    QObject::connect(idozito, &QTimer::timeout, [idozito, lepes, nev] {
        QWidget* w = QApplication::activeModalWidget();
        // Keys reach the shortcuts of the active window only.
        if (!w || !w->isVisible() || !w->isActiveWindow() || (!nev.isEmpty() && w->objectName() != nev)) return;
        idozito->stop();
        idozito->deleteLater();
        lepes(w);
    });
    idozito->start();
}

void Nyom(QWidget* ablak, int billentyu, Qt::KeyboardModifiers mod)
{
    if (!ablak->isActiveWindow()) {
        ablak->activateWindow();
        if (!QTest::qWaitForWindowActive(ablak)) qWarning("Nyom: %s did not become active", qPrintable(ablak->objectName()));
    }
    QWidget* cel = ablak->focusWidget() ? ablak->focusWidget() : ablak;
    QTest::keyClick(cel, Qt::Key(billentyu), mod);
}

void Gepel(QWidget* w, const QString& szoveg)
{
    for (const QChar c : szoveg) {
        if (c.unicode() < 0x80)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}
