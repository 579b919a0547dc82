#include "windows/refdata/torzsadatok.h"
#include "core/data/beallitas.h"
#include "core/data/hufold.h"
#include "core/data/konverzio.h"

#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QValidator>
#include <QVBoxLayout>

namespace {

// The three tables of an engine-assigned key and a name: everything but the
// words is the same.
struct NevTorzs {
    const char* osztaly;     // "Tfrm_TorzsTipus"
    const char* cim;         // "Típusok"
    const char* tabla;       // "tipus"; the name field is tabla + "_nev"
    const char* felirat;     // column title and edit label: "típus"
};

constexpr NevTorzs Tipus{"Tfrm_TorzsTipus", "Típusok", "tipus", "típus"};
constexpr NevTorzs Mufaj{"Tfrm_TorzsMufaj", "Műfajok", "mufaj", "műfaj"};
constexpr NevTorzs Arkat{"Tfrm_TorzsArkat", "Árkategóriák", "arkat", "árkategória"};

Oszlop oszlop(const QString& mezo, const QString& cim, Qt::Alignment igazitas = Qt::AlignLeft | Qt::AlignVCenter)
{
    Oszlop o;
    o.mezo = mezo;
    o.cim = cim;
    o.igazitas = igazitas;
    return o;
}

template <typename Szerkeszto>
TorzsLeiras nevLeiras(const NevTorzs& n)
{
    TorzsLeiras l;
    l.osztaly = QString::fromLatin1(n.osztaly);
    l.cim = QString::fromUtf8(n.cim);
    l.tabla = QString::fromLatin1(n.tabla);
    l.kulcs = l.tabla;
    l.keresoMezo = l.tabla + QStringLiteral("_nev");
    l.rend = QStringLiteral("t.%1 COLLATE HU").arg(l.keresoMezo);
    l.oszlopok = {oszlop(l.keresoMezo, QString::fromUtf8(n.felirat))};
    l.szerkeszto = [](QWidget* szulo, Rekord& sor, bool) -> TorzsSzerkeszto* { return new Szerkeszto(sor, szulo); };
    return l;
}

TorzsLeiras cassatipLeiras()
{
    TorzsLeiras l;
    l.osztaly = QStringLiteral("Tfrm_TorzsCassatip");
    l.cim = QStringLiteral("Cassa típusok");
    l.tabla = QStringLiteral("cassatip");
    l.kulcs = QStringLiteral("cassatip");
    // No quick search: the list is a handful of letters.
    l.rend = QStringLiteral("t.cassatip");
    l.oszlopok = {oszlop("cassatip", QStringLiteral("cassa típus"), Qt::AlignCenter),
                  oszlop("cassatip_nev", QStringLiteral("név")),
                  oszlop("szorzo", QStringLiteral("szorzó"), Qt::AlignCenter)};
    l.jog = &TBeall.torzsszerkeszt;
    l.szerkeszto = [](QWidget* szulo, Rekord& sor, bool) -> TorzsSzerkeszto* {
        return new Tfrm_TorzsCassatip_Szerkeszt(sor, szulo);
    };
    return l;
}

int egeszKulcs(const QVariant& v) { return v.isValid() && !v.isNull() ? VarEgesz(v) : -1; }

QVariant kezdoKulcs(int kulcs) { return kulcs < 0 ? QVariant() : QVariant(kulcs); }

template <typename Ablak>
int nevMegnyit(QWidget* szulo, int kulcs, bool valasztas)
{
    Ablak a(valasztas, szulo);
    return egeszKulcs(a.futtat(kezdoKulcs(kulcs)));
}

// Whatever is typed or pasted into the letter field becomes upper case.
class Nagybetus : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& s, int&) const override
    {
        s = HuFold::nagybetu(s);
        return Acceptable;
    }
};

// Enter on a radio button moves on, as it does in the edit fields.
class EnterLep : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress) return false;
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k != Qt::Key_Return && k != Qt::Key_Enter) return false;
        QWidget* w = static_cast<QWidget*>(o);
        QWidget* kov = w->nextInFocusChain();
        // The other button of the same group is no next control.
        while (kov && kov != w
               && (!(kov->focusPolicy() & Qt::TabFocus) || !kov->isEnabled() || !kov->isVisible()
                   || (qobject_cast<QRadioButton*>(kov) && kov->parentWidget() == w->parentWidget())))
            kov = kov->nextInFocusChain();
        if (kov && kov != w) kov->setFocus(Qt::TabFocusReason);
        return true;
    }
};

} // namespace

// ---- windows -----------------------------------------------------------------

Tfrm_TorzsTipus::Tfrm_TorzsTipus(bool valasztas, QWidget* szulo)
    : TorzsAblak(nevLeiras<Tfrm_TorzsTipus_Szerkeszt>(Tipus), valasztas, szulo)
{
}

Tfrm_TorzsMufaj::Tfrm_TorzsMufaj(bool valasztas, QWidget* szulo)
    : TorzsAblak(nevLeiras<Tfrm_TorzsMufaj_Szerkeszt>(Mufaj), valasztas, szulo)
{
}

Tfrm_TorzsArkat::Tfrm_TorzsArkat(bool valasztas, QWidget* szulo)
    : TorzsAblak(nevLeiras<Tfrm_TorzsArkat_Szerkeszt>(Arkat), valasztas, szulo)
{
}

Tfrm_TorzsCassatip::Tfrm_TorzsCassatip(bool valasztas, QWidget* szulo)
    : TorzsAblak(cassatipLeiras(), valasztas, szulo)
{
    // The name takes the room; letter and direction are narrow.
    QHeaderView* h = DBGrid1->horizontalHeader();
    h->setStretchLastSection(false);
    for (int i : {0, 2}) h->resizeSection(i, h->sectionSizeHint(i) + 16);
    h->setSectionResizeMode(1, QHeaderView::Stretch);
}

// ---- edit dialogs ------------------------------------------------------------

TorzsNevSzerkeszto::TorzsNevSzerkeszto(Rekord& sor, const QString& cim, const QString& felirat, const QString& mezo,
                                       QWidget* szulo)
    : TorzsSzerkeszto(sor, cim, szulo)
{
    nev = szovegMezo(felirat, mezo);
    nev->setMinimumWidth(200);
    kesz();
}

Tfrm_TorzsTipus_Szerkeszt::Tfrm_TorzsTipus_Szerkeszt(Rekord& sor, QWidget* szulo)
    : TorzsNevSzerkeszto(sor, QStringLiteral("Típus szerkesztés"), QStringLiteral("típus"), "tipus_nev", szulo)
{
    setObjectName("Tfrm_TorzsTipus_Szerkeszt");
}

Tfrm_TorzsMufaj_Szerkeszt::Tfrm_TorzsMufaj_Szerkeszt(Rekord& sor, QWidget* szulo)
    : TorzsNevSzerkeszto(sor, QStringLiteral("Műfaj szerkesztés"), QStringLiteral("műfaj"), "mufaj_nev", szulo)
{
    setObjectName("Tfrm_TorzsMufaj_Szerkeszt");
}

Tfrm_TorzsArkat_Szerkeszt::Tfrm_TorzsArkat_Szerkeszt(Rekord& sor, QWidget* szulo)
    : TorzsNevSzerkeszto(sor, QStringLiteral("Árkategória szerkesztés"), QStringLiteral("árkategória"), "arkat_nev",
                         szulo)
{
    setObjectName("Tfrm_TorzsArkat_Szerkeszt");
}

Tfrm_TorzsCassatip_Szerkeszt::Tfrm_TorzsCassatip_Szerkeszt(Rekord& sor, QWidget* szulo)
    : TorzsSzerkeszto(sor, QStringLiteral("Cassa típus szerkesztés"), szulo)
{
    setObjectName("Tfrm_TorzsCassatip_Szerkeszt");

    jel = szovegMezo(QStringLiteral("jel"), "cassatip");
    jel->setValidator(new Nagybetus(jel));
    QFont f = jel->font();
    f.setBold(true);
    jel->setFont(f);
    jel->setAlignment(Qt::AlignCenter);
    jel->setFixedWidth(jel->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 2 + 12);
    // A letter that was stored in lower case (by hand, in the SQL window) is shown as it will be saved.
    jel->setText(HuFold::nagybetu(jel->text()));

    nev = szovegMezo(QStringLiteral("név"), "cassatip_nev");
    nev->setMinimumWidth(200);

    irany = new QGroupBox(QStringLiteral("irány"), this);
    irany->setObjectName("irany");
    auto* l = new QVBoxLayout(irany);
    Bevetel = new QRadioButton(QStringLiteral("Bevétel"), irany);
    Bevetel->setObjectName("Bevetel");
    Kiadas = new QRadioButton(QStringLiteral("Kiadás"), irany);
    Kiadas->setObjectName("Kiadas");
    l->addWidget(Bevetel);
    l->addWidget(Kiadas);
    const QVariant szorzo = sor.ertek("szorzo");
    if (!szorzo.isNull()) {
        Bevetel->setChecked(VarEgesz(szorzo) == 1);
        Kiadas->setChecked(VarEgesz(szorzo) == -1);
    }
    auto* enter = new EnterLep(this);
    Bevetel->installEventFilter(enter);
    Kiadas->installEventFilter(enter);
    // Neither chosen: the stored direction (none, for a new row) stays.
    sajat(QString(), irany, [this](Rekord& r) {
        if (Bevetel->isChecked()) r.beallit("szorzo", 1);
        else if (Kiadas->isChecked()) r.beallit("szorzo", -1);
    });
    kesz();
}

// ---- opening operations --------------------------------------------------------

int TorzsTipusMegnyit(QWidget* szulo, int kulcs, bool valasztas)
{
    return nevMegnyit<Tfrm_TorzsTipus>(szulo, kulcs, valasztas);
}

int TorzsMufajMegnyit(QWidget* szulo, int kulcs, bool valasztas)
{
    return nevMegnyit<Tfrm_TorzsMufaj>(szulo, kulcs, valasztas);
}

int TorzsArkatMegnyit(QWidget* szulo, int kulcs, bool valasztas)
{
    return nevMegnyit<Tfrm_TorzsArkat>(szulo, kulcs, valasztas);
}

QString TorzsCassatipMegnyit(QWidget* szulo, const QString& kod, bool valasztas)
{
    Tfrm_TorzsCassatip a(valasztas, szulo);
    return VarSzoveg(a.futtat(kod.isEmpty() ? QVariant() : QVariant(kod)));
}

QString TorzsCassatipMegnyit(QWidget* szulo, const QString& kod, bool valasztas, int& szorzo)
{
    Tfrm_TorzsCassatip a(valasztas, szulo);
    const QString jel = VarSzoveg(a.futtat(kod.isEmpty() ? QVariant() : QVariant(kod)));
    if (!jel.isEmpty()) szorzo = VarEgesz(a.ertek("szorzo"));
    return jel;
}
