#include "core/data/kulcslista.h"
#include "core/data/adatbazis.h"
#include "core/data/hufold.h"
#include "core/data/motor.h"
#include "core/data/utasitas.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int LapMeret = 64;
constexpr int MaxLap = 512;

} // namespace

KulcsosLista::KulcsosLista(ListaDef def) : m_def(std::move(def))
{
    for (int i = 0; i < m_def.mezok.size(); ++i) m_mezoIndex.insert(m_def.mezok.at(i).toLower(), i);
}

void KulcsosLista::rendezes(const QString& orderBy) { m_rend = orderBy; }

void KulcsosLista::szures(const QString& where, const QVariantList& param)
{
    m_szuro = where;
    m_szuroParam = param;
}

QString KulcsosLista::orderBy() const
{
    const QString k = m_def.alias + '.' + m_def.kulcs;
    return m_rend.isEmpty() ? k : m_rend + ", " + k;
}

QString KulcsosLista::sorokLekerdezes(const QString& select, const QString& joinok) const
{
    QString sql = QStringLiteral("SELECT %1.%2, %3 FROM %4 %1 %5").arg(m_def.alias, m_def.kulcs, select, m_def.tabla, joinok);
    if (!m_szuro.isEmpty()) sql += QStringLiteral(" WHERE (%1)").arg(m_szuro);
    return sql + QStringLiteral(" ORDER BY ") + orderBy();
}

bool KulcsosLista::suruBetolt()
{
    // Only for a key the table keeps unique and in its own order (the
    // rowid or its alias), with every row listed in key order.
    if (!m_rend.isEmpty() || !m_szuro.isEmpty()) return false;
    const Sema::Mezo* m = Sema::mezo(m_def.tabla, m_def.kulcs);
    if (m_def.kulcs.compare(QLatin1String("rowid"), Qt::CaseInsensitive) != 0
        && !(m && m->tipus == Sema::Tipus::AutoInc))
        return false;
    // Three sub-selects: MIN and MAX are each one step to an end of the
    // table only on their own, never together in one SELECT.
    const QString sql = QStringLiteral("SELECT (SELECT MIN(%1) FROM %2), (SELECT MAX(%1) FROM %2), "
                                       "(SELECT COUNT(*) FROM %2)")
                            .arg(m_def.kulcs, m_def.tabla);
    qint64 min = 0, max = 0, db = 0;
    {
        Adatbazis::Utasitas u(sql);
        if (u.lep()) {
            min = u.egesz(0);
            max = u.egesz(1);
            db = u.egesz(2);
        }
    }
    // Unique keys as many as the range is wide: every key of it is there.
    if (db > std::numeric_limits<int>::max() || (db > 0 && max - min + 1 != db)) return false;
    m_kulcsok.clear();
    m_kulcsok.shrink_to_fit();
    m_hely.clear();
    m_helyRitka.clear();
    m_suru = true;
    m_suruEleje = db > 0 ? min : 0;
    m_suruDb = int(db);
    m_lapok.clear();
    return true;
}

QString KulcsosLista::kulcsLekerdezes() const
{
    QString sql = QStringLiteral("SELECT %1.%2 FROM %3 %1").arg(m_def.alias, m_def.kulcs, m_def.tabla);
    if (!m_szuro.isEmpty()) sql += QStringLiteral(" WHERE (%1)").arg(m_szuro);
    return sql + QStringLiteral(" ORDER BY ") + orderBy();
}

void KulcsosLista::betolt()
{
    m_folyam.reset();
    if (suruBetolt()) return;
    kulcsokBeallit(Adatbazis::motor().kulcsokOlvas(Adatbazis::db(), kulcsLekerdezes(), m_szuroParam, varhatoSorok()));
}

size_t KulcsosLista::varhatoSorok() const
{
    // Room for every key the table could list: the key range, two probes
    // of its index. Room left unused is never touched, so it costs address
    // space, not memory; a range far wider than any shop stays unreserved.
    constexpr qint64 Legfeljebb = 16'000'000;
    if (m_def.kulcs.compare(QLatin1String("rowid"), Qt::CaseInsensitive) != 0) {
        const Sema::Mezo* m = Sema::mezo(m_def.tabla, m_def.kulcs);
        if (!m || m->tipus != Sema::Tipus::AutoInc) return sorok();
    }
    Adatbazis::Utasitas u(QStringLiteral("SELECT (SELECT MIN(%1) FROM %2), (SELECT MAX(%1) FROM %2)")
                              .arg(m_def.kulcs, m_def.tabla));
    if (!u.lep()) return sorok();
    const qint64 szeles = u.egesz(1) - u.egesz(0) + 1;
    return size_t(std::max<qint64>(sorok(), szeles > 0 && szeles <= Legfeljebb ? szeles : 0));
}

void KulcsosLista::betoltKezd(int elso)
{
    m_folyam.reset();
    if (suruBetolt()) return;
    std::vector<qint64> k;
    k.reserve(varhatoSorok());
    auto f = Adatbazis::motor().kulcsFolyam(Adatbazis::db(), kulcsLekerdezes(), m_szuroParam);
    const bool tobb = f->olvas(k, elso);
    kulcsokBeallit(std::move(k));
    if (tobb) m_folyam = std::move(f);
}

bool KulcsosLista::betoltFolytat(int db)
{
    if (!m_folyam) return false;
    if (m_folyam->olvas(m_kulcsok, db)) return true;
    // The last key is in: the positions are made once, as betolt() makes them.
    m_folyam.reset();
    std::vector<qint64> k = std::move(m_kulcsok);
    kulcsokBeallit(std::move(k));
    return false;
}

void KulcsosLista::kulcsokBeallit(std::vector<qint64> k)
{
    m_folyam.reset();
    m_suru = false;
    m_suruDb = 0;
    m_kulcsok = std::move(k);
    m_hely.clear();
    m_helyRitka.clear();
    qint64 max = -1;
    bool suru = true;
    for (qint64 x : m_kulcsok) {
        if (x < 0) suru = false;
        max = std::max(max, x);
    }
    if (suru && max < qint64(m_kulcsok.size()) * 8 + 1024) {
        m_hely.assign(size_t(max + 1), -1);
        for (size_t i = 0; i < m_kulcsok.size(); ++i) m_hely[size_t(m_kulcsok[i])] = int(i);
    } else {
        m_helyRitka.reserve(qsizetype(m_kulcsok.size()));
        for (size_t i = 0; i < m_kulcsok.size(); ++i) m_helyRitka.insert(m_kulcsok[i], int(i));
    }
    m_lapok.clear();
}

void KulcsosLista::gyorsitotarUrit() { m_lapok.clear(); }

qint64 KulcsosLista::kulcs(int sor) const
{
    if (m_suru) return (sor >= 0 && sor < m_suruDb) ? m_suruEleje + sor : -1;
    return (sor >= 0 && sor < sorok()) ? m_kulcsok[size_t(sor)] : -1;
}

int KulcsosLista::sor(qint64 kulcs) const
{
    if (m_suru) return (kulcs >= m_suruEleje && kulcs - m_suruEleje < m_suruDb) ? int(kulcs - m_suruEleje) : -1;
    if (m_folyam) {
        // The positions are made when the last key is in; until then, the
        // rows listed so far are looked through.
        const auto it = std::find(m_kulcsok.begin(), m_kulcsok.end(), kulcs);
        return it == m_kulcsok.end() ? -1 : int(it - m_kulcsok.begin());
    }
    if (!m_hely.empty() || m_helyRitka.isEmpty()) {
        return (kulcs >= 0 && kulcs < qint64(m_hely.size())) ? m_hely[size_t(kulcs)] : -1;
    }
    return m_helyRitka.value(kulcs, -1);
}

int KulcsosLista::mezoIndex(const QString& nev) const { return m_mezoIndex.value(nev.toLower(), -1); }

const QVector<QVariant>* KulcsosLista::sorAdat(int sor) const
{
    if (sor < 0 || sor >= sorok()) return nullptr;
    const int lap = sor / LapMeret;
    auto it = m_lapok.constFind(lap);
    if (it == m_lapok.constEnd()) {
        if (m_lapok.size() >= MaxLap) m_lapok.clear();
        const int eleje = lap * LapMeret;
        const int vege = std::min(sorok(), eleje + LapMeret);
        QStringList kulcsok;
        QHash<qint64, int> lapon;   // the page's own positions: no look-up in the whole list
        lapon.reserve(vege - eleje);
        for (int i = eleje; i < vege; ++i) {
            kulcsok << QString::number(kulcs(i));
            lapon.insert(kulcs(i), i);
        }
        const QString sql = QStringLiteral("SELECT %1.%2, %3 FROM %4 %1 %5 WHERE %1.%2 IN (%6)")
                                .arg(m_def.alias, m_def.kulcs, m_def.select, m_def.tabla, m_def.joinok,
                                     kulcsok.join(','));
        // Straight through the C API, as the keys are: the Qt driver's cached
        // result and the format-string date parser made up most of a page read.
        QVector<QVector<QVariant>> sorok(vege - eleje);
        Adatbazis::Utasitas u(sql);
        while (u.lep()) {
            const int hol = lapon.value(u.egesz(0), -1);
            if (hol < eleje || hol >= vege) continue;
            QVector<QVariant>& s = sorok[hol - eleje];
            s.resize(m_def.mezok.size());
            for (int m = 0; m < m_def.mezok.size(); ++m) s[m] = u.ertek(m + 1, m_def.tipusok.at(m));
        }
        it = m_lapok.insert(lap, sorok);
    }
    const QVector<QVariant>& s = it.value()[sor - lap * LapMeret];
    return s.isEmpty() ? nullptr : &s;   // a row deleted since the keys were read
}

QVariant KulcsosLista::ertek(int sor, int mezo) const
{
    if (mezo < 0) return {};
    // Grids read values while they paint, where an exception cannot pass:
    // a page that cannot be read shows empty and is read again next time.
    try {
        const QVector<QVariant>* s = sorAdat(sor);
        return (s && mezo < s->size()) ? s->at(mezo) : QVariant();
    } catch (const AdatbazisHiba& e) {
        qWarning("Kazettora: a lista sora nem olvasható: %s", qPrintable(e.uzenet()));
        return {};
    }
}

int KulcsosLista::elso(const QString& feltetel, const QVariantList& param) const
{
    QString sql = QStringLiteral("SELECT %1.%2 FROM %3 %1 WHERE (%4)").arg(m_def.alias, m_def.kulcs, m_def.tabla, feltetel);
    QVariantList p = param;
    if (!m_szuro.isEmpty()) {
        sql += QStringLiteral(" AND (%1)").arg(m_szuro);
        p += m_szuroParam;
    }
    sql += QStringLiteral(" ORDER BY ") + orderBy() + QStringLiteral(" LIMIT 1");
    const std::vector<qint64> k = Adatbazis::kulcsokOlvas(sql, p);
    return k.empty() ? -1 : sor(k.front());
}

int KulcsosLista::elsoKezdodo(const QString& mezo, const QString& eleje) const
{
    int elsoSor = -1;
    for (const HuFold::Tartomany& t : HuFold::kezdoTartomanyok(eleje)) {
        const int s = elso(QStringLiteral("%1 >= ? COLLATE HU AND %1 < ? COLLATE HU").arg(mezo), {t.also, t.felso});
        if (s >= 0 && (elsoSor < 0 || s < elsoSor)) elsoSor = s;
    }
    return elsoSor;
}
