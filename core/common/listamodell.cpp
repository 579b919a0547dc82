#include "core/common/listamodell.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"

ListaModell::ListaModell(KulcsosLista* lista, QList<Oszlop> oszlopok, QObject* szulo)
    : QAbstractTableModel(szulo), m_lista(lista), m_oszlopok(std::move(oszlopok))
{
    for (const Oszlop& o : m_oszlopok) m_mezoIndex << (o.mezo.isEmpty() ? -1 : m_lista->mezoIndex(o.mezo));
}

int ListaModell::fieldIndex(const QString& mezo) const
{
    for (int i = 0; i < m_oszlopok.size(); ++i)
        if (m_oszlopok.at(i).mezo.compare(mezo, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int ListaModell::rowCount(const QModelIndex& p) const
{
    if (p.isValid()) return 0;
    return m_lathato >= 0 ? m_lathato : m_lista->sorok();
}

int ListaModell::columnCount(const QModelIndex& p) const { return p.isValid() ? 0 : int(m_oszlopok.size()); }

QVariant ListaModell::mezoErtek(int sor, int oszlop) const
{
    return m_lista->ertek(sor, m_mezoIndex.value(oszlop, -1));
}

QVariant ListaModell::data(const QModelIndex& i, int role) const
{
    if (!i.isValid() || i.column() >= m_oszlopok.size()) return {};
    const Oszlop& o = m_oszlopok.at(i.column());
    switch (role) {
    case Qt::DisplayRole: {
        if (o.mezo.isEmpty()) return {};
        const QVariant v = mezoErtek(i.row(), i.column());
        return o.formatum ? o.formatum(v) : VarSzoveg(v);
    }
    case Qt::TextAlignmentRole: return int(o.igazitas);
    default: return {};
    }
}

QVariant ListaModell::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal) {
        if (section < 0 || section >= m_oszlopok.size()) return {};
        if (role == Qt::DisplayRole) return m_oszlopok.at(section).cim;
        if (role == Qt::TextAlignmentRole) return int(m_oszlopok.at(section).igazitas);
        return {};
    }
    if (role == Qt::DisplayRole) return section == m_aktualis ? SorJel : QString();
    return {};
}

void ListaModell::ujratolt()
{
    if (m_folytat) m_folytat->stop();
    valtozas([this] {
        m_lathato = -1;
        m_lista->betolt();
    });
}

void ListaModell::fokozatosUjratolt(int elso, int adag)
{
    if (m_folytat) m_folytat->stop();
    valtozas([&] {
        m_lista->betoltKezd(elso);
        m_lathato = m_lista->betoltesFolyik() ? m_lista->sorok() : -1;
    });
    if (!m_lista->betoltesFolyik()) return;
    m_adag = adag;
    if (!m_folytat) {
        m_folytat = new QTimer(this);
        m_folytat->setInterval(0);
        connect(m_folytat, &QTimer::timeout, this, [this] {
            // Painting and keys go between the batches; a batch that cannot
            // be read ends the list where it is, said once.
            try {
                if (!folytat(m_adag)) m_folytat->stop();
            } catch (const AdatbazisHiba& e) {
                m_folytat->stop();
                qWarning("Kazettora: a lista további sorai nem olvashatók: %s", qPrintable(e.uzenet()));
            }
        });
    }
    m_folytat->start();
}

void ListaModell::betoltesBefejez()
{
    if (m_folytat) m_folytat->stop();
    while (folytat(1 << 20)) {}
}

bool ListaModell::folytat(int db)
{
    if (m_lista->betoltFolytat(db)) return true;
    if (m_lathato >= 0 && m_lista->sorok() > m_lathato) {
        beginInsertRows({}, m_lathato, m_lista->sorok() - 1);
        m_lathato = -1;
        endInsertRows();
    }
    m_lathato = -1;
    return false;
}

void ListaModell::valtozas(const std::function<void()>& f)
{
    beginResetModel();
    m_aktualis = -1;
    try {
        f();
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

void ListaModell::frissit()
{
    m_lista->gyorsitotarUrit();
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

QString OtJegyu(const QVariant& v)
{
    if (v.isNull()) return {};
    return QStringLiteral("%1").arg(VarEgesz(v), 5, 10, QLatin1Char('0'));
}
