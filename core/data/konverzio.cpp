#include "core/data/konverzio.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <cmath>
#include <limits>

QString VarSzoveg(const QVariant& v)
{
    if (v.isNull() || !v.isValid()) return {};
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        QLocale l;
        l.setNumberOptions(QLocale::OmitGroupSeparator);
        return l.toString(v.toDouble(), 'g', 15);
    }
    case QMetaType::QDate: return RovidDatum(v.toDate());
    case QMetaType::QTime: return HosszuIdo(v.toTime());
    default: return v.toString();
    }
}

int VarEgesz(const QVariant& v)
{
    if (v.isNull() || !v.isValid()) return 0;
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (ok && n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max()) return int(n);
    const double d = v.toDouble(&ok);
    if (ok && std::isfinite(d) && d >= std::numeric_limits<int>::min() && d <= std::numeric_limits<int>::max())
        return int(d);
    return 0;
}

double VarValos(const QVariant& v)
{
    if (v.isNull() || !v.isValid()) return 0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok && std::isfinite(d) ? d : 0;
}

bool PenzErvenyes(double v)
{
    return std::isfinite(v) && std::fabs(v) <= PenzHatar;
}

qsizetype KarakterSzam(const QString& s)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < s.size(); ++i, ++n)
        if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) ++i;
    return n;
}

QString KarakterEleje(const QString& s, qsizetype n)
{
    qsizetype i = 0;
    for (qsizetype k = 0; k < n && i < s.size(); ++k)
        i += (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) ? 2 : 1;
    return s.left(i);
}

QString FtMaszk(double osszeg)
{
    const qint64 n = std::isfinite(osszeg) && std::fabs(osszeg) < 9e18 ? qint64(std::llround(osszeg)) : 0;
    QString jegyek = QString::number(n < 0 ? -n : n);
    for (int i = int(jegyek.size()) - 3; i > 0; i -= 3) jegyek.insert(i, QLatin1Char(' '));
    return n < 0 ? QLatin1Char('-') + jegyek : jegyek;
}

QString RovidDatum(const QDate& d)
{
    return QLocale().toString(d, QLocale::ShortFormat);
}

QDate RovidDatumbol(const QString& s)
{
    const QLocale l;
    QDate d = l.toDate(s.trimmed(), QLocale::ShortFormat);
    if (!d.isValid()) d = l.toDate(s.trimmed(), l.dateFormat(QLocale::ShortFormat).replace("yyyy", "yy"));
    return d;
}

QString HosszuIdo(const QTime& t)
{
    static const QRegularExpression zona(QStringLiteral("\\s*t+\\s*"));
    QString f = QLocale().timeFormat(QLocale::LongFormat);
    f.replace(zona, QString());
    return QLocale().toString(t, f.trimmed());
}
