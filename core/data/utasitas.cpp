#include "core/data/utasitas.h"
#include "core/data/sema.h"

#include <sqlite3.h>
#include <utility>

namespace Adatbazis {

AdatbazisHiba::Fajta hibaFajta(int motorKod)
{
    using F = AdatbazisHiba::Fajta;
    // The primary code: the extended ones carry it in their low byte.
    switch (motorKod & 0xff) {
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_READONLY:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_NOMEM: return F::Tarolas;
    case SQLITE_CONSTRAINT:
    case SQLITE_MISMATCH:
    case SQLITE_TOOBIG: return F::Adat;
    default: return F::Egyeb;
    }
}

sqlite3* Utasitas::kapcsolat(const QSqlDatabase& db)
{
    sqlite3* h = kezelo(db);
    if (!h) throw AdatbazisHiba(QStringLiteral("Nincs nyitott adatbázis."));
    return h;
}

Utasitas::Utasitas(const QString& sql) : Utasitas(Adatbazis::db(), sql) {}

Utasitas::Utasitas(const QSqlDatabase& db, const QString& sql) : m_h(kapcsolat(db))
{
    elokeszit(sql);
}

void Utasitas::elokeszit(const QString& sql)
{
    const QByteArray u = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_h, u.constData(), int(u.size()), &m_st, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_st);
        m_st = nullptr;
        hiba(rc);
    }
}

Utasitas Utasitas::elso(const QSqlDatabase& db, QByteArrayView szoveg, qsizetype* farok, bool nyers)
{
    sqlite3* h = kapcsolat(db);
    sqlite3_stmt* st = nullptr;
    const char* vege = nullptr;
    const int rc = sqlite3_prepare_v2(h, szoveg.data(), int(szoveg.size()), &st, &vege);
    Utasitas u(h, st);
    u.m_nyers = nyers;
    if (rc != SQLITE_OK) u.hiba(rc);
    if (farok) *farok = vege ? vege - szoveg.data() : szoveg.size();
    return u;
}

Utasitas::~Utasitas()
{
    sqlite3_finalize(m_st);
}

Utasitas::Utasitas(Utasitas&& m) noexcept
    : m_h(std::exchange(m.m_h, nullptr)), m_st(std::exchange(m.m_st, nullptr)), m_nyers(m.m_nyers)
{
}

Utasitas& Utasitas::operator=(Utasitas&& m) noexcept
{
    if (this != &m) {
        sqlite3_finalize(m_st);
        m_h = std::exchange(m.m_h, nullptr);
        m_st = std::exchange(m.m_st, nullptr);
        m_nyers = m.m_nyers;
    }
    return *this;
}

void Utasitas::hiba(int rc) const
{
    const QString s = m_h ? QString::fromUtf8(sqlite3_errmsg(m_h)) : QString::fromUtf8(sqlite3_errstr(rc));
    throw AdatbazisHiba(m_nyers ? s : magyarHiba(s), hibaFajta(rc));
}

Utasitas& Utasitas::kot(int i, const QVariant& nyers)
{
    const QVariant v = Sema::tarolt(nyers);
    if (v.isNull() || !v.isValid()) return kotNull(i);
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool: return kotEgesz(i, v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float: return kotValos(i, v.toDouble());
    default: return kotSzoveg(i, v.toString().toUtf8());
    }
}

Utasitas& Utasitas::kot(const QString& nev, const QVariant& ertek)
{
    const QByteArray n = (nev.startsWith(':') || nev.startsWith('@') || nev.startsWith('$') ? nev : ':' + nev).toUtf8();
    const int i = sqlite3_bind_parameter_index(m_st, n.constData());
    if (i == 0) hiba(SQLITE_RANGE);
    return kot(i, ertek);
}

Utasitas& Utasitas::kotMind(const QVariantList& param)
{
    for (int i = 0; i < param.size(); ++i) kot(i + 1, param.at(i));
    return *this;
}

Utasitas& Utasitas::kotEgesz(int i, qint64 v)
{
    const int rc = sqlite3_bind_int64(m_st, i, v);
    if (rc != SQLITE_OK) hiba(rc);
    return *this;
}

Utasitas& Utasitas::kotValos(int i, double v)
{
    const int rc = sqlite3_bind_double(m_st, i, v);
    if (rc != SQLITE_OK) hiba(rc);
    return *this;
}

Utasitas& Utasitas::kotNull(int i)
{
    const int rc = sqlite3_bind_null(m_st, i);
    if (rc != SQLITE_OK) hiba(rc);
    return *this;
}

Utasitas& Utasitas::kotSzoveg(int i, QByteArrayView utf8, bool masol)
{
    // A null view would bind NULL: an empty text stays a text.
    const char* p = utf8.data() ? utf8.data() : "";
    const int rc = sqlite3_bind_text(m_st, i, p, int(utf8.size()), masol ? SQLITE_TRANSIENT : SQLITE_STATIC);
    if (rc != SQLITE_OK) hiba(rc);
    return *this;
}

bool Utasitas::lep()
{
    const int rc = sqlite3_step(m_st);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    hiba(rc);
}

void Utasitas::futtat()
{
    while (lep()) {}
}

void Utasitas::ujra()
{
    // The code of a failed step came with the step; here it is only repeated.
    sqlite3_reset(m_st);
}

int Utasitas::oszlopok() const { return sqlite3_column_count(m_st); }

QString Utasitas::oszlopNev(int i) const { return QString::fromUtf8(sqlite3_column_name(m_st, i)); }

Utasitas::Tipus Utasitas::tipus(int i) const
{
    switch (sqlite3_column_type(m_st, i)) {
    case SQLITE_INTEGER: return Tipus::Egesz;
    case SQLITE_FLOAT: return Tipus::Valos;
    case SQLITE_TEXT: return Tipus::Szoveg;
    case SQLITE_BLOB: return Tipus::Bajtok;
    default: return Tipus::Null;
    }
}

qint64 Utasitas::egesz(int i) const { return sqlite3_column_int64(m_st, i); }

double Utasitas::valos(int i) const { return sqlite3_column_double(m_st, i); }

QByteArrayView Utasitas::utf8(int i) const
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_st, i));
    return QByteArrayView(p, p ? sqlite3_column_bytes(m_st, i) : 0);
}

QByteArrayView Utasitas::bajtok(int i) const
{
    const auto* p = static_cast<const char*>(sqlite3_column_blob(m_st, i));
    return QByteArrayView(p, p ? sqlite3_column_bytes(m_st, i) : 0);
}

QString Utasitas::szoveg(int i) const
{
    const QByteArrayView u = utf8(i);
    return u.data() ? QString::fromUtf8(u) : QString();
}

QVariant Utasitas::ertek(int i) const
{
    switch (tipus(i)) {
    case Tipus::Null: return {};
    case Tipus::Egesz: return QVariant(qlonglong(egesz(i)));
    case Tipus::Valos: return QVariant(valos(i));
    case Tipus::Bajtok: return bajtok(i).toByteArray();
    case Tipus::Szoveg: break;
    }
    return QString::fromUtf8(utf8(i));
}

QVariant Utasitas::ertek(int i, Sema::Tipus t) const
{
    // Dates and times in their stored form straight from the digits; anything
    // else through Sema::ertekbe, so the result is the same.
    if ((t == Sema::Tipus::Datum || t == Sema::Tipus::Ido) && sqlite3_column_type(m_st, i) == SQLITE_TEXT) {
        const QByteArrayView s = utf8(i);
        int a, b, c;
        if (t == Sema::Tipus::Datum && isoDatumJegyek(s, a, b, c)) {
            const QDate d(a, b, c);
            return d.isValid() ? QVariant(d) : QVariant();
        }
        if (t == Sema::Tipus::Ido && isoIdoJegyek(s, a, b, c)) {
            const QTime ido(a, b, c);
            return ido.isValid() ? QVariant(ido) : QVariant();
        }
    }
    return Sema::ertekbe(t, ertek(i));
}

bool Utasitas::forras(int i, QString* tabla, QString* mezo) const
{
    const char* t = sqlite3_column_table_name(m_st, i);
    const char* m = sqlite3_column_origin_name(m_st, i);
    if (!t || !m) return false;
    if (tabla) *tabla = QString::fromUtf8(t);
    if (mezo) *mezo = QString::fromUtf8(m);
    return true;
}

bool Utasitas::csakOlvas() const { return m_st && sqlite3_stmt_readonly(m_st) != 0; }

QByteArray Utasitas::sql() const
{
    const char* s = m_st ? sqlite3_sql(m_st) : nullptr;
    return s ? QByteArray(s) : QByteArray();
}

qint64 Utasitas::utolsoKulcs() const { return sqlite3_last_insert_rowid(m_h); }

qint64 Utasitas::valtozott() const { return sqlite3_changes64(m_h); }

qint64 Utasitas::osszesValtozas() const { return sqlite3_total_changes64(m_h); }

} // namespace Adatbazis
