#include "core/common/szoveg.h"
#include "core/data/konverzio.h"

#include <QLocale>
#include <cmath>

QString MezoKiemel(QChar elvalaszto, const QString& sor, int n)
{
    if (n < 1) return {};
    const QStringList mezok = sor.split(elvalaszto);
    return n <= mezok.size() ? mezok.at(n - 1) : QString();
}

QString KarakterCsere(const QVariant& ertek, QChar regi, QChar uj)
{
    QString s = VarSzoveg(ertek);
    s.replace(regi, uj);
    return s;
}

QString SzokozNelkul(const QString& s)
{
    QString r = s;
    r.remove(QLatin1Char(' '));
    return r;
}

double SzamOlvas(const QString& s, bool* ok)
{
    QLocale l;
    l.setNumberOptions(QLocale::RejectGroupSeparator);
    bool olvasott = false;
    const double v = l.toDouble(SzokozNelkul(s), &olvasott);
    // The locale reads "inf" and "nan" too, and an overflow as infinity:
    // none of them is a number a person means.
    const bool jo = olvasott && std::isfinite(v);
    if (ok) *ok = jo;
    return jo ? v : 0;
}

QString SzamIr(double v)
{
    QLocale l;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(v, 'g', 15);
}

double SzovegValos(const QString& s)
{
    QString t = SzokozNelkul(s.trimmed());
    if (t.isEmpty()) return 0;
    const QString tizedes = QLocale().decimalPoint();
    if (tizedes == QLatin1String("."))
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    else
        t.replace(QLatin1String("."), tizedes);
    bool ok = false;
    const double v = SzamOlvas(t, &ok);
    return ok ? v : 0;
}

int SzovegEgesz(const QString& s)
{
    const QString t = SzokozNelkul(s.trimmed());
    if (t.isEmpty()) return 0;
    bool ok = false;
    const int v = t.toInt(&ok, 10);
    return ok ? v : 0;
}

