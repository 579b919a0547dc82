#include "windows/common/racs.h"
#include "core/common/listamodell.h"

#include <QFont>

#include <QHeaderView>
#include <QTableView>
#include <QTableWidget>

QFont RacsBetu(int pont)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(pont > 0 ? pont : 8);
    return f;
}

void RacsBeallit(QTableView* racs)
{
    racs->setFont(RacsBetu(racs->font().pointSize()));
    racs->setSelectionBehavior(QAbstractItemView::SelectRows);
    racs->setSelectionMode(QAbstractItemView::SingleSelection);
    racs->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Nothing to edit cell by cell: Tab and Shift+Tab go on to the window's
    // next and previous control, the arrows move inside.
    racs->setTabKeyNavigation(false);
    racs->setWordWrap(false);
    racs->horizontalHeader()->setSectionsClickable(false);
    racs->horizontalHeader()->setHighlightSections(false);
    racs->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    racs->verticalHeader()->setDefaultSectionSize(racs->fontMetrics().height() + 4);
    racs->verticalHeader()->setFixedWidth(14);
    racs->verticalHeader()->setHighlightSections(false);
    QPalette p = racs->palette();
    for (QPalette::ColorRole r : {QPalette::Highlight, QPalette::HighlightedText})
        p.setColor(QPalette::Inactive, r, p.color(QPalette::Active, r));
    racs->setPalette(p);
}

void RacsSorJel(QTableView* racs, ListaModell* modell, int sor)
{
    const int regi = modell->aktualisSor();
    modell->aktualisSorBeallit(sor);
    QHeaderView* fej = racs->verticalHeader();
    for (const int s : {regi, sor})
        if (s >= 0 && s < modell->rowCount())
            fej->viewport()->update(0, fej->sectionViewportPosition(s), fej->viewport()->width(), fej->sectionSize(s));
}

void RacsSorJel(QTableWidget* racs)
{
    const int aktualis = racs->currentRow();
    for (int s = 0; s < racs->rowCount(); ++s) {
        const QString jel = s == aktualis ? SorJel : QString();
        if (QTableWidgetItem* c = racs->verticalHeaderItem(s)) {
            if (c->text() != jel) c->setText(jel);
        } else {
            racs->setVerticalHeaderItem(s, new QTableWidgetItem(jel));
        }
    }
}
