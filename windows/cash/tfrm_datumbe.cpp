#include "windows/cash/tfrm_datumbe.h"
#include "core/cash/cassa.h"
#include "windows/common/bevitel.h"
#include "windows/common/kozepre.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr Qt::WindowFlags DialogJelzok =
    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint;

void gombok(QDialog* d, QPushButton*& ok, QPushButton*& megsem)
{
    ok = new QPushButton(QStringLiteral("OK"), d);
    ok->setObjectName("btnOK");
    megsem = new QPushButton(QStringLiteral("Mégsem"), d);
    megsem->setObjectName("btnMegsem");
    QObject::connect(ok, &QPushButton::clicked, d, &QDialog::accept);
    QObject::connect(megsem, &QPushButton::clicked, d, &QDialog::reject);
}

void rogzit(QDialog* d)
{
    d->layout()->setSizeConstraint(QLayout::SetFixedSize);
    d->adjustSize();
}

QDateEdit* datumMezo(QWidget* szulo, const QString& nev, bool naptar)
{
    auto* e = new QDateEdit(szulo);
    e->setObjectName(nev);
    e->setCalendarPopup(naptar);
    e->setMinimumWidth(110);
    return e;
}

} // namespace

// ---- one day --------------------------------------------------------------------

Tfrm_Datumbe::Tfrm_Datumbe(QWidget* szulo) : QDialog(szulo)
{
    setObjectName("Tfrm_Datumbe");
    setWindowTitle(QStringLiteral("Dátum megadása"));
    setWindowFlags(DialogJelzok);
    gombok(this, btnOK, btnMegsem);
    DateTimePicker1 = datumMezo(this, "DateTimePicker1", true);
    // "OK" is the default: Enter at once takes the day offered.
    btnOK->setDefault(true);
    auto* l = new QVBoxLayout(this);
    l->addWidget(DateTimePicker1);
    auto* g = new QHBoxLayout;
    g->addStretch();
    g->addWidget(btnOK);
    g->addWidget(btnMegsem);
    l->addLayout(g);
    l->addStrut(CimSzelesseg(windowTitle()));
    setTabOrder(btnOK, btnMegsem);
    setTabOrder(btnMegsem, DateTimePicker1);
    rogzit(this);
    Kozepre(this);
}

void Tfrm_Datumbe::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    btnOK->setFocus();
}

bool DatumMegad(QWidget* szulo, QDate& datum)
{
    Tfrm_Datumbe d(szulo);
    d.DateTimePicker1->setDate(datum);
    if (d.exec() != QDialog::Accepted) return false;
    datum = d.DateTimePicker1->date();
    return true;
}

// ---- a range of days ---------------------------------------------------------------

Tfrm_Idoszak::Tfrm_Idoszak(QWidget* szulo) : QDialog(szulo)
{
    setObjectName("Tfrm_Idoszak");
    setWindowTitle(QStringLiteral("Időszak megadása"));
    setWindowFlags(DialogJelzok);
    DateTimePicker1 = datumMezo(this, "DateTimePicker1", false);
    DateTimePicker2 = datumMezo(this, "DateTimePicker2", false);
    gombok(this, btnOK, btnMegsem);
    // Enter moves between the pickers; on a button it presses it.
    btnOK->setAutoDefault(false);
    btnMegsem->setAutoDefault(false);
    auto* l = new QVBoxLayout(this);
    l->addWidget(DateTimePicker1);
    l->addWidget(DateTimePicker2);
    auto* g = new QHBoxLayout;
    g->addStretch();
    g->addWidget(btnOK);
    g->addWidget(btnMegsem);
    l->addLayout(g);
    l->addStrut(CimSzelesseg(windowTitle()));
    setTabOrder(DateTimePicker1, DateTimePicker2);
    setTabOrder(DateTimePicker2, btnOK);
    setTabOrder(btnOK, btnMegsem);
    FokuszSzinAlkalmaz(this);
    EnterTovabbAlkalmaz(this);
    rogzit(this);
    Kozepre(this);
}

void Tfrm_Idoszak::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    DateTimePicker1->setFocus();
}

bool IdoszakMegad(QWidget* szulo, QDate& tol, QDate& ig)
{
    Tfrm_Idoszak d(szulo);
    d.DateTimePicker1->setDate(tol);
    d.DateTimePicker2->setDate(ig);
    if (d.exec() != QDialog::Accepted) return false;
    tol = d.DateTimePicker1->date();
    ig = d.DateTimePicker2->date();
    return true;
}

// ---- a range of months ---------------------------------------------------------------

Tfrm_Honap::Tfrm_Honap(QWidget* szulo) : QDialog(szulo)
{
    setObjectName("Tfrm_Honap");
    setWindowTitle(QStringLiteral("Időszak megadása"));
    setWindowFlags(DialogJelzok);
    // The first box alone takes the focus colour: it sits on a panel of its own.
    auto* elso = new QWidget(this);
    // Each box is made editable as it is made: its edit line then follows it
    // in the tab order, before the next control.
    const auto doboz = [](QWidget* szulo, const char* nev) {
        auto* c = new QComboBox(szulo);
        c->setObjectName(nev);
        c->setEditable(true);
        // A typed text is returned as it stands, never added to the list.
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setMinimumWidth(100);
        return c;
    };
    Label1 = new QLabel(QStringLiteral("tól"), elso);
    ComboBox1 = doboz(elso, "ComboBox1");
    Label2 = new QLabel(QStringLiteral("ig"), this);
    ComboBox2 = doboz(this, "ComboBox2");
    Label1->setBuddy(ComboBox1);
    Label2->setBuddy(ComboBox2);
    gombok(this, btnOK, btnMegsem);
    btnOK->setAutoDefault(false);
    btnMegsem->setAutoDefault(false);

    auto* el = new QHBoxLayout(elso);
    el->setContentsMargins(0, 0, 0, 0);
    el->addWidget(Label1);
    el->addWidget(ComboBox1, 1);
    auto* l = new QVBoxLayout(this);
    l->addWidget(elso);
    auto* m = new QHBoxLayout;
    m->addWidget(Label2);
    m->addWidget(ComboBox2, 1);
    l->addLayout(m);
    // The two labels as wide as each other, so the boxes stand one under the other.
    const int cimke = std::max(Label1->sizeHint().width(), Label2->sizeHint().width());
    Label1->setFixedWidth(cimke);
    Label2->setFixedWidth(cimke);
    auto* g = new QHBoxLayout;
    g->addStretch();
    g->addWidget(btnOK);
    g->addWidget(btnMegsem);
    l->addLayout(g);
    l->addStrut(CimSzelesseg(windowTitle()));
    FokuszSzinAlkalmaz(elso);
    EnterTovabbAlkalmaz(this);
    rogzit(this);
}

void Tfrm_Honap::feltolt()
{
    const QStringList kulcsok = Cassa::HonapKulcsok();
    for (QComboBox* c : {ComboBox1, ComboBox2}) {
        c->clear();
        c->addItems(kulcsok);
    }
    ComboBox1->setEditText(kulcsok.isEmpty() ? QString() : kulcsok.first());
    ComboBox2->setEditText(kulcsok.isEmpty() ? QString() : kulcsok.last());
}

void Tfrm_Honap::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    ComboBox1->setFocus();
}

bool HonapMegad(QWidget* szulo, QString& tol, QString& ig)
{
    Tfrm_Honap d(szulo);
    d.feltolt();
    // Over the main window, where the chart will open.
    if (QWidget* f = szulo ? szulo->window() : nullptr) Kozepre(&d, f->frameGeometry());
    else Kozepre(&d);
    if (d.exec() != QDialog::Accepted) return false;
    tol = d.ComboBox1->currentText();
    ig = d.ComboBox2->currentText();
    return true;
}
