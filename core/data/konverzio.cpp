#include "core/data/konverzio.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <cmath>
#include <limits>

namespace {

const QLocale& magyar()
{
    static const QLocale l(QLocale::Hungarian, QLocale::Hungary);
    return l;
}

int evSzazad(const QString& ev)
{
    const int e = ev.toInt();
    return ev.size() == 2 ? 2000 + e : e;
}

} // namespace

QString VarSzoveg(const QVariant& v)
{
    if (v.isNull() || !v.isValid()) return {};
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        QLocale l = magyar();
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
    return magyar().toString(d, QLocale::ShortFormat);
}

QDate RovidDatumbol(const QString& s)
{
    // Read by hand rather than through QLocale: the locale data of a Qt
    // version may change a form, and a date read in the wrong form must
    // never pass for a good one.
    static const QRegularExpression magyarForma(QStringLiteral("^(\\d{4})\\.\\s*(\\d{1,2})\\.\\s*(\\d{1,2})\\.?$"));
    // The two-digit year only as the Hungarian short date spaces it, so
    // that a day-first dotted date ("10.12.26") is not read year first.
    static const QRegularExpression magyarRovidEv(QStringLiteral("^(\\d{2})\\. (\\d{1,2})\\. (\\d{1,2})\\.$"));
    static const QRegularExpression isoForma(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    static const QRegularExpression cForma(QStringLiteral("^(\\d{1,2})\\s+([A-Za-z]{3})\\s+(\\d{4}|\\d{2})$"));
    static const QRegularExpression usForma(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4}|\\d{2})$"));
    static const QStringList honapok{"jan", "feb", "mar", "apr", "may", "jun",
                                     "jul", "aug", "sep", "oct", "nov", "dec"};
    const QString t = s.trimmed();
    QRegularExpressionMatch m = magyarForma.match(t);
    if (!m.hasMatch()) m = magyarRovidEv.match(t);
    if (m.hasMatch()) return QDate(evSzazad(m.captured(1)), m.captured(2).toInt(), m.captured(3).toInt());
    m = isoForma.match(t);
    if (m.hasMatch()) return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    m = cForma.match(t);
    if (m.hasMatch()) {
        const qsizetype honap = honapok.indexOf(m.captured(2).toLower());
        if (honap < 0) return {};
        return QDate(evSzazad(m.captured(3)), int(honap) + 1, m.captured(1).toInt());
    }
    m = usForma.match(t);
    if (m.hasMatch()) return QDate(evSzazad(m.captured(3)), m.captured(1).toInt(), m.captured(2).toInt());
    return {};
}

QString HosszuIdo(const QTime& t)
{
    // The long time form without its zone, worked out once: grids ask for
    // it cell by cell.
    static const QString forma = [] {
        QString f = magyar().timeFormat(QLocale::LongFormat);
        f.replace(QRegularExpression(QStringLiteral("\\s*t+\\s*")), QString());
        return f.trimmed();
    }();
    return magyar().toString(t, forma);
}
