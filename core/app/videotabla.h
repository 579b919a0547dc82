#pragma once
// The item table of the main window: every row of `video` with the names of
// its type, price category, customer, rental period and genre, in code or
// title order, optionally only the items out. Knows its current row.
#include "core/data/kulcslista.h"

#include <QDateTime>

class VideoTabla {
public:
    enum class Rend { Kod, Cim };

    VideoTabla();
    KulcsosLista& lista() { return m_lista; }
    const KulcsosLista& lista() const { return m_lista; }

    // Opens the list in code order, no filter; the first row is current.
    void nyit();
    Rend rend() const { return m_rend; }
    // Re-sorts; the current row stays current.
    void rendBeallit(Rend r);
    bool csakKint() const { return m_csakKint; }
    // Switches the "only items out" filter; the first row becomes current.
    void csakKintBeallit(bool be);
    // Reloads after others changed items; the current item stays current
    // when it is still listed.
    void frissit();

    int aktualis() const { return m_aktualis; }
    qint64 aktualisKulcs() const { return m_lista.kulcs(m_aktualis); }
    void aktualisBeallit(int sor);
    QVariant ertek(const QString& mezo) const { return m_lista.ertek(m_aktualis, mezo); }

    // Quick search. Return true when a row matched (and became current).
    bool keresKod(int azon);
    bool keresCim(const QString& eleje);
    bool keresKulcs(qint64 video);

    // Fields in order and their display labels.
    static const QStringList& mezok();
    static QString felirat(const QString& mezo);

private:
    KulcsosLista m_lista;
    Rend m_rend = Rend::Kod;
    bool m_csakKint = false;
    int m_aktualis = -1;
    void alkalmaz();
};
