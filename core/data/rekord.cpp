#include "core/data/rekord.h"
#include "core/data/adatbazis.h"

#include <QSqlQuery>

namespace {

QString kulcsFeltetel(const Sema::Tabla& t)
{
    QStringList f;
    for (const QString& k : t.kulcs) f << k + " = ?";
    return f.join(" AND ");
}

// Compared in their stored form: a price typed as 1500 is the 1500.0 loaded.
bool valtozott(const QVariant& most, const QVariant& volt)
{
    const QVariant a = Sema::tarolt(most), b = Sema::tarolt(volt);
    if (a.isNull() || b.isNull()) return a.isNull() != b.isNull();
    return a != b;
}

} // namespace

Rekord::Rekord(const QString& tabla) : m_tabla(Sema::tabla(tabla))
{
    Q_ASSERT(m_tabla);
}

void Rekord::beszur()
{
    m_ertekek.clear();
    m_betoltott.clear();
    m_kulcs.clear();
    m_allapot = Allapot::Beszur;
}

bool Rekord::szerkeszt(const QVariantList& kulcs)
{
    QStringList mezok;
    for (const Sema::Mezo& m : m_tabla->mezok) mezok << m.nev;
    QSqlQuery q = Adatbazis::vegrehajt(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(mezok.join(", "), m_tabla->nev, kulcsFeltetel(*m_tabla)), kulcs);
    if (!q.next()) return false;
    m_ertekek.clear();
    for (int i = 0; i < int(m_tabla->mezok.size()); ++i) {
        const Sema::Mezo& m = m_tabla->mezok[size_t(i)];
        m_ertekek.insert(m.nev.toLower(), Sema::ertekbe(m.tipus, q.value(i)));
    }
    m_betoltott = m_ertekek;
    m_kulcs.clear();
    for (const QString& k : m_tabla->kulcs) m_kulcs << m_ertekek.value(k.toLower());
    m_allapot = Allapot::Szerkeszt;
    return true;
}

QVariant Rekord::ertek(const QString& mezo) const { return m_ertekek.value(mezo.toLower()); }

void Rekord::beallit(const QString& mezo, const QVariant& ertek)
{
    QVariant v = ertek;
    if (v.typeId() == QMetaType::QString && v.toString().isEmpty()) v = QVariant();
    m_ertekek.insert(mezo.toLower(), v);
}

QVariant Rekord::ment()
{
    if (m_allapot == Allapot::Bongesz) return kulcs();
    QStringList mezok;
    QVariantList ertekek;
    for (const Sema::Mezo& m : m_tabla->mezok) {
        if (m.tipus == Sema::Tipus::AutoInc) continue;   // the engine's
        const QString n = m.nev.toLower();
        if (m_allapot == Allapot::Szerkeszt && !valtozott(m_ertekek.value(n), m_betoltott.value(n))) continue;
        mezok << m.nev;
        ertekek << m_ertekek.value(n);
    }
    Adatbazis::Tranzakcio t;
    QVariantList ujKulcs;
    if (m_allapot == Allapot::Beszur) {
        QStringList jelek;
        for (int i = 0; i < mezok.size(); ++i) jelek << "?";
        QSqlQuery q = Adatbazis::vegrehajt(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(m_tabla->nev, mezok.join(", "), jelek.join(", ")), ertekek);
        for (const QString& k : m_tabla->kulcs) {
            const Sema::Mezo* m = Sema::mezo(m_tabla->nev, k);
            ujKulcs << (m->tipus == Sema::Tipus::AutoInc ? q.lastInsertId() : m_ertekek.value(k.toLower()));
        }
    } else {
        if (!mezok.isEmpty()) {
            QStringList beallitas;
            for (const QString& m : mezok) beallitas << m + " = ?";
            QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                                   .arg(m_tabla->nev, beallitas.join(", "), kulcsFeltetel(*m_tabla)),
                                               ertekek + m_kulcs);
            if (q.numRowsAffected() == 0)
                throw AdatbazisHiba(QStringLiteral("A sort időközben törölték, a módosítás nem menthető."));
        }
        for (const QString& k : m_tabla->kulcs) {
            const Sema::Mezo* m = Sema::mezo(m_tabla->nev, k);
            ujKulcs << (m->tipus == Sema::Tipus::AutoInc ? m_kulcs.value(ujKulcs.size()) : m_ertekek.value(k.toLower()));
        }
    }
    t.jovahagy();
    m_kulcs = ujKulcs;
    for (int i = 0; i < m_tabla->kulcs.size(); ++i) m_ertekek.insert(m_tabla->kulcs.at(i).toLower(), m_kulcs.value(i));
    m_betoltott = m_ertekek;
    m_allapot = Allapot::Bongesz;
    return kulcs();
}

void Rekord::elvet()
{
    if (m_allapot == Allapot::Beszur) m_ertekek.clear();
    else if (m_allapot == Allapot::Szerkeszt && !m_kulcs.isEmpty()) szerkeszt(m_kulcs);
    m_allapot = Allapot::Bongesz;
}

void SorTorol(const QString& tabla, const QVariantList& kulcs)
{
    const Sema::Tabla* t = Sema::tabla(tabla);
    Q_ASSERT(t);
    Adatbazis::Tranzakcio tr;
    Adatbazis::vegrehajt(QStringLiteral("DELETE FROM %1 WHERE %2").arg(t->nev, kulcsFeltetel(*t)), kulcs);
    tr.jovahagy();
}
