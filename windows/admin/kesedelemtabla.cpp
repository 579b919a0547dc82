#include "windows/admin/kesedelemtabla.h"
#include "windows/common/racs.h"
#include "core/common/szoveg.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <tuple>

namespace {

// A cell's editor keeps Enter to itself: it stores the cell (the delegate
// does that) and the focus stays in the table, instead of the key going on
// to the window, whose Enter moves to the next control.
class CellaSor : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        QLineEdit::keyPressEvent(e);
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) e->accept();
    }
};

class CellaSzerkeszto : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* szulo, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* e = new CellaSor(szulo);
        e->setFrame(false);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return e;
    }
};

} // namespace

KesedelemTabla::KesedelemTabla(QWidget* szulo) : QWidget(szulo)
{
    m_eredeti = Kesedelem::Kategoriak();
    auto* magyarazat = new QLabel(
        QStringLiteral("Késedelmi díj árkategóriánként: a türelmi időn belül visszahozott tétel után nincs díj, "
                       "utána minden megkezdett nap után a napi díj jár, legfeljebb a plafonig (0 vagy üres: "
                       "nincs plafon). Üres sor: az árkategóriára nincs szabály."),
        this);
    magyarazat->setWordWrap(true);
    tblKesedelem = new QTableWidget(int(m_eredeti.size()), 4, this);
    tblKesedelem->setObjectName("tblKesedelem");
    RacsBeallit(tblKesedelem);
    tblKesedelem->setHorizontalHeaderLabels({QStringLiteral("árkategória"), QStringLiteral("türelmi idő (óra)"),
                                             QStringLiteral("napi díj (Ft)"), QStringLiteral("plafon (Ft)")});
    tblKesedelem->setSelectionBehavior(QAbstractItemView::SelectItems);
    tblKesedelem->setSelectionMode(QAbstractItemView::SingleSelection);
    // Typing into a cell starts editing it; Tab leaves the grid like any field.
    tblKesedelem->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::DoubleClicked);
    tblKesedelem->setTabKeyNavigation(false);
    tblKesedelem->setItemDelegate(new CellaSzerkeszto(tblKesedelem));
    tblKesedelem->verticalHeader()->hide();
    tblKesedelem->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblKesedelem->horizontalHeader()->setSectionResizeMode(Nev, QHeaderView::ResizeToContents);
    for (int i = 0; i < m_eredeti.size(); ++i) {
        auto* nev = new QTableWidgetItem(m_eredeti[i].nev);
        nev->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        tblKesedelem->setItem(i, Nev, nev);
        for (int o : {Turelem, Napidij, Plafon}) {
            auto* c = new QTableWidgetItem(cellaSzoveg(m_eredeti[i].szabaly, o));
            c->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblKesedelem->setItem(i, o, c);
        }
    }
    if (!m_eredeti.isEmpty()) tblKesedelem->setCurrentCell(0, Turelem);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(10, 10, 10, 10);
    l->addWidget(magyarazat);
    l->addWidget(tblKesedelem, 1);
}

QString KesedelemTabla::cellaSzoveg(const std::optional<KesedelmiSzabaly>& s, int oszlop)
{
    if (!s) return {};
    switch (oszlop) {
    case Turelem: return QString::number(s->turelem);
    case Napidij: return SzamIr(s->napidij);
    case Plafon: return s->plafon > 0 ? SzamIr(s->plafon) : QString();
    }
    return {};
}

bool KesedelemTabla::valtozott() const
{
    for (int i = 0; i < m_eredeti.size(); ++i)
        for (int o : {Turelem, Napidij, Plafon})
            if (tblKesedelem->item(i, o)->text().trimmed() != cellaSzoveg(m_eredeti[i].szabaly, o)) return true;
    return false;
}

bool KesedelemTabla::adat(QList<Kesedelem::ArkatSzabaly>& ki, QString* hiba)
{
    ki.clear();
    for (int i = 0; i < m_eredeti.size(); ++i) {
        Kesedelem::ArkatSzabaly s = m_eredeti[i];
        const QString t[] = {QString(), tblKesedelem->item(i, Turelem)->text().trimmed(),
                             tblKesedelem->item(i, Napidij)->text().trimmed(),
                             tblKesedelem->item(i, Plafon)->text().trimmed()};
        const auto elutasit = [&](int o, const QString& miert) {
            tblKesedelem->setCurrentCell(i, o);
            if (hiba)
                *hiba = QStringLiteral("Nem megfelelő érték: „%1”.\nA(z) „%2” árkategória: %3")
                            .arg(t[o], s.nev, miert);
            return false;
        };
        if (t[Turelem].isEmpty() && t[Napidij].isEmpty() && t[Plafon].isEmpty()) {
            s.szabaly.reset();
            ki << s;
            continue;
        }
        KesedelmiSzabaly sz;
        bool ok = true;
        if (!t[Turelem].isEmpty()) {
            sz.turelem = t[Turelem].toInt(&ok);
            if (!ok || sz.turelem < 0 || sz.turelem > KesedelemTurelemHatar)
                return elutasit(Turelem, QStringLiteral("a türelmi idő 0 és %1 közötti egész óraszám lehet.")
                                             .arg(KesedelemTurelemHatar));
        }
        for (const auto& [o, cel, nev] : {std::tuple{int(Napidij), &sz.napidij, QStringLiteral("a napi díj")},
                                          std::tuple{int(Plafon), &sz.plafon, QStringLiteral("a plafon")}}) {
            if (t[o].isEmpty()) continue;
            *cel = SzamOlvas(t[o], &ok);
            if (!ok || !Kesedelem::Ellenoriz(sz).isEmpty())
                return elutasit(o, nev + QStringLiteral(" csak nem negatív összeg lehet."));
        }
        s.szabaly = sz;
        ki << s;
    }
    return true;
}
