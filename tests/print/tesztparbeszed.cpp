#include "tests/print/tesztparbeszed.h"
#include "core/data/adatbazis.h"

#include <QPrinter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
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

bool TesztParbeszed::szamBevitel(QWidget*, const QString& cim, const QString& kerdes, double& ertek)
{
    szamKerdesek.append({cim, kerdes, ertek});
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

TesztTelepites::TesztTelepites(bool minta, bool belepes) : MagTelepites(minta, belepes)
{
    parbeszedBeallit(&parbeszed);
}

TesztTelepites::~TesztTelepites() { parbeszedBeallit(nullptr); }
