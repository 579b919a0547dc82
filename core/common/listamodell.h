#pragma once
// A read-only table model over a KulcsosLista: the grids of the list
// windows. Columns name fields of the list; rows are fetched on demand.
#include "core/data/kulcslista.h"

#include <QAbstractTableModel>
#include <QTimer>
#include <functional>

struct Oszlop {
    QString mezo;                 // field of the list; empty for an icon-only column
    QString cim;                  // column title
    Qt::Alignment igazitas = Qt::AlignLeft | Qt::AlignVCenter;
    std::function<QString(const QVariant&)> formatum = {};   // default: VarSzoveg
};

class ListaModell : public QAbstractTableModel {
    Q_OBJECT
public:
    ListaModell(KulcsosLista* lista, QList<Oszlop> oszlopok, QObject* szulo = nullptr);

    KulcsosLista* lista() const { return m_lista; }
    const QList<Oszlop>& oszlopok() const { return m_oszlopok; }
    // Column of a field name, any letter case; -1 when not shown.
    int fieldIndex(const QString& mezo) const;

    int rowCount(const QModelIndex& p = {}) const override;
    int columnCount(const QModelIndex& p = {}) const override;
    QVariant data(const QModelIndex& i, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

    // The row the grid's indicator marks. Emits nothing: announced by
    // headerDataChanged, a view lays itself out again and repaints every
    // cell; RacsSorJel repaints the two header sections instead.
    void aktualisSorBeallit(int sor) { m_aktualis = sor; }
    int aktualisSor() const { return m_aktualis; }

    // Reloads the keys (order or filter changed, rows added or removed).
    void ujratolt();
    // The same, showing the first `elso` rows at once: the rest of the keys
    // are read `adag` at a time from the event loop and announced together,
    // once the last is in, as rows inserted at the end (a view's header does
    // work for every insertion in proportion to the rows it already has).
    void fokozatosUjratolt(int elso, int adag);
    // Reads every key still unread now (before a search of the whole list).
    void betoltesBefejez();
    // Runs `f`, which may reload the list, as one reset of the model.
    void valtozas(const std::function<void()>& f);
    // Row contents changed: forget the cache and repaint.
    void frissit();

protected:
    QVariant mezoErtek(int sor, int oszlop) const;

private:
    KulcsosLista* m_lista;
    QList<Oszlop> m_oszlopok;
    QVector<int> m_mezoIndex;
    int m_aktualis = -1;
    QTimer* m_folytat = nullptr;
    int m_lathato = -1;   // the rows announced while keys are still being read
    int m_adag = 0;
    // One batch of the keys; false once none is left.
    bool folytat(int db);
};

// The mark of the current row in a grid's row titles.
inline const QString SorJel = QStringLiteral("▶");

// Formats for codes shown with five digits.
QString OtJegyu(const QVariant& v);
