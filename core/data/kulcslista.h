#pragma once
// A table shown as a list, kept as the ordered keys of its rows and read a
// page at a time by key. Opening, re-sorting and finding a row's position
// never read whole rows, so a list of a million rows stays instant.
#include "core/data/motor.h"
#include "core/data/sema.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>
#include <vector>

struct ListaDef {
    QString tabla;     // "video"
    QString alias;     // "v"
    QString kulcs;     // key field of tabla: "video"
    // Selected fields and joins: every name in `mezok` is read from
    // `select`, in that order.
    QStringList mezok;
    QVector<Sema::Tipus> tipusok;
    QString select;    // "v.video, v.azon, t.tipus_nev, ..."
    QString joinok;    // "LEFT JOIN tipus t ON (t.tipus = v.tipus) ..."
};

class KulcsosLista {
public:
    explicit KulcsosLista(ListaDef def);

    const ListaDef& def() const { return m_def; }
    // ORDER BY expression over the table's alias (the key is always the
    // last tie-breaker); empty: by key.
    void rendezes(const QString& orderBy);
    QString rendezes() const { return m_rend; }
    // WHERE condition with bound values; empty: every row.
    void szures(const QString& where, const QVariantList& param = {});
    QString szures() const { return m_szuro; }
    const QVariantList& szuroParam() const { return m_szuroParam; }
    // The statement of every listed row, in list order: the key, then the
    // fields of `select`; bind szuroParam(). For walking the whole list once
    // (an export) without reading its keys first.
    QString sorokLekerdezes() const { return sorokLekerdezes(m_def.select, m_def.joinok); }
    // The same rows with other fields and joins over the same alias.
    QString sorokLekerdezes(const QString& select, const QString& joinok) const;

    // The statement betolt() reads the keys with; bind szuroParam().
    QString kulcsLekerdezes() const;

    // Reads the keys again (throws AdatbazisHiba); forgets cached rows.
    void betolt();
    // Lists exactly `kulcsok`, in that order: keys a caller found by itself
    // in a way the engine cannot plan as cheaply (the detailed search). They
    // should be the keys the filter and order give: a later betolt() reads
    // those again. Forgets cached rows.
    void kulcsokBeallit(std::vector<qint64> kulcsok);
    // Forgets cached rows only (after a change of row contents).
    void gyorsitotarUrit();

    // Reading the keys in steps, for a list that must show before a million
    // keys are read: betoltKezd() reads the first `elso` keys and leaves the
    // statement open, betoltFolytat() lists up to `db` more and says whether
    // any are left. Once the last key is read the list is as betolt() makes
    // it. While keys are still unread, sor() finds only rows already listed,
    // and elso() and elsoKezdodo() may give -1 for a row further on.
    void betoltKezd(int elso);
    bool betoltesFolyik() const { return m_folyam != nullptr; }
    bool betoltFolytat(int db);

    int sorok() const { return m_suru ? m_suruDb : int(m_kulcsok.size()); }
    qint64 kulcs(int sor) const;
    int sor(qint64 kulcs) const;     // -1 when not listed
    int mezoIndex(const QString& nev) const;   // any letter case; -1
    // A field of a listed row; empty when the row cannot be read (never throws).
    QVariant ertek(int sor, int mezo) const;
    QVariant ertek(int sor, const QString& mezo) const { return ertek(sor, mezoIndex(mezo)); }

    // Position of the first listed row, in list order, that also meets
    // `feltetel`; -1 when none. Served by the order's index.
    int elso(const QString& feltetel, const QVariantList& param = {}) const;
    // Position of the first listed row, in list order, whose text field
    // `mezo` (an expression over the alias: "v.video_nev") begins with
    // `eleje` in the Hungarian order (HuFold::kezdoTartomanyok); -1 when
    // none. One probe of the field's HU index per range, mostly one.
    int elsoKezdodo(const QString& mezo, const QString& eleje) const;

private:
    ListaDef m_def;
    QString m_rend;
    QString m_szuro;
    QVariantList m_szuroParam;
    std::vector<qint64> m_kulcsok;
    // A list in key order with no filter whose keys have no gap (a cash
    // book of millions of rows never deleted from): row i is key
    // m_suruEleje + i, and no key is held.
    bool m_suru = false;
    qint64 m_suruEleje = 0;
    int m_suruDb = 0;
    std::vector<int> m_hely;            // key -> row, when keys are dense
    QHash<qint64, int> m_helyRitka;      // otherwise
    mutable QHash<int, QVector<QVector<QVariant>>> m_lapok;
    QHash<QString, int> m_mezoIndex;
    std::unique_ptr<Adatbazis::Motor::KulcsFolyam> m_folyam;   // while keys are still being read

    QString orderBy() const;
    // How many keys betolt() should make room for.
    size_t varhatoSorok() const;
    // Counts the rows instead of reading their keys when that is enough.
    bool suruBetolt();
    const QVector<QVariant>* sorAdat(int sor) const;
};
