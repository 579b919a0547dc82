#pragma once
// The item grid of the main window: its columns, the out-on-rental mark,
// overdue rows red (yellow when selected).
#include "core/data/kulcslista.h"

#include <QDateTime>
#include <QStyledItemDelegate>
#include <QTableView>

struct Oszlop;

// Draws the item grid: the out-on-rental mark, overdue rows red (yellow
// when selected).
class VideoRacsRajzolo : public QStyledItemDelegate {
public:
    VideoRacsRajzolo(const KulcsosLista* lista, int kintOszlop, QObject* szulo);
    // Text colour of a row, or an invalid colour for the grid's own.
    QColor szovegSzin(int sor, bool kijelolt) const;
    bool kintJel(int sor) const;   // true: the arrow (out), false: the cross
    void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override;
    // The moment rows are judged by while the grid draws (one reading of the
    // clock per drawing pass, not per cell); invalid: read the clock.
    void pillanatRogzit(const QDateTime& most) { m_pillanat = most; }
protected:
    void initStyleOption(QStyleOptionViewItem* o, const QModelIndex& i) const override;
private:
    const KulcsosLista* m_lista;
    int m_kintOszlop;
    QDateTime m_pillanat;
    void szovegRajzol(QPainter* p, const QStyleOptionViewItem& o, const QString& szoveg) const;
};

// The item grid: every cell of one drawing pass is judged by the same
// moment, read once.
class VideoRacs : public QTableView {
public:
    using QTableView::QTableView;
    VideoRacsRajzolo* rajzolo = nullptr;

    // The columns: the mark, code, title, type, … , times lent.
    static QList<Oszlop> oszlopok();
    // Column widths for a window `szelesseg` pixels wide.
    void oszlopSzelesseg(int szelesseg);
protected:
    void paintEvent(QPaintEvent* e) override;
};
