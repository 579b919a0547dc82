#include "windows/reports/racsnyomtatas.h"
#include "core/common/listamodell.h"

#include <QHeaderView>
#include <QTableView>

namespace {

Jelentes::Igazitas igazitas(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter) return Jelentes::Kozep;
    if (a & Qt::AlignRight) return Jelentes::Jobb;
    return Jelentes::Bal;
}

} // namespace

GridKep RacsKep(const QTableView* racs)
{
    GridKep k;
    k.szelesseg = racs->width();
    const QAbstractItemModel* m = racs->model();
    if (!m) return k;
    const auto* lm = qobject_cast<const ListaModell*>(m);
    const QHeaderView* fej = racs->horizontalHeader();
    for (int i = 0; i < m->columnCount(); ++i) {
        GridOszlop o;
        o.cim = m->headerData(i, Qt::Horizontal).toString();
        o.igazitas = igazitas(Qt::Alignment(m->headerData(i, Qt::Horizontal, Qt::TextAlignmentRole).toInt()));
        // A hidden column keeps its place; the header reports it 0 wide.
        o.szelesseg = fej->sectionSize(i);
        if (lm) {
            const Oszlop& lo = lm->oszlopok().at(i);
            o.mezo = lo.mezo;
            o.formatum = lo.formatum;
        }
        k.oszlopok << o;
    }
    if (lm) k.lista = lm->lista();
    return k;
}

bool RacsNyomtat(QTableView* racs, bool nyomtat, const QString& cim, const QString& alcim,
                 const QString& osszegMezo, int betuMeret)
{
    return GridNyomtat(racs->window(), RacsKep(racs), nyomtat, cim, alcim, osszegMezo, betuMeret);
}
