#include "windows/admin/uzletadatok.h"
#include "core/customers/ugyfelek.h"
#include "core/data/beallitas.h"
#include "print/common/uzenet.h"
#include "windows/common/bevitel.h"

#include <QEvent>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

UzletAdatok::UzletAdatok(QWidget* szulo) : QWidget(szulo)
{
    setObjectName("UzletAdatok");
    auto* urlap = new QFormLayout(this);
    urlap->setContentsMargins(10, 10, 10, 10);
    urlap->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    for (const Tulajdonos::Mezo& m : Tulajdonos::mezok()) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(m.nev));
        const QString felirat = QString::fromUtf8(m.felirat);
        e->setAccessibleName(felirat);
        KarakterKorlat(e, m.hossz);
        // Wide enough for the column, within reason.
        const int betu = AtlagosBetu(e->fontMetrics()).szeles;
        e->setFixedWidth(betu * (std::min(m.hossz, 40) + 3));
        urlap->addRow(felirat, e);
        m_mezok.insert(QLatin1String(m.nev), e);
    }
    mezo("irsz")->installEventFilter(this);
    FokuszSzinAlkalmaz(this);
}

void UzletAdatok::beallit(const TulajdonosAdat& a)
{
    for (const Tulajdonos::Mezo& m : Tulajdonos::mezok()) mezo(m.nev)->setText(a.*m.tag);
}

TulajdonosAdat UzletAdatok::adat() const
{
    TulajdonosAdat a;
    for (const Tulajdonos::Mezo& m : Tulajdonos::mezok()) a.*m.tag = mezo(m.nev)->text().trimmed();
    return a;
}

bool UzletAdatok::eventFilter(QObject* o, QEvent* e)
{
    if (o == mezo("irsz") && e->type() == QEvent::FocusOut) varosKitolt();
    return QWidget::eventFilter(o, e);
}

void UzletAdatok::varosKitolt()
{
    QLineEdit* varos = mezo("varos");
    if (!varos->text().isEmpty()) return;   // a town already typed stays
    Vedett(
        [&] {
            const QString v = Ugyfelek::VarosIrszbol(mezo("irsz")->text().trimmed());
            if (!v.isEmpty()) varos->setText(v);
        },
        this);
}

Tfrm_Uzlet::Tfrm_Uzlet(QWidget* szulo) : QDialog(szulo)
{
    setObjectName("Tfrm_Uzlet");
    setWindowTitle(QStringLiteral("Az üzlet adatai"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* magyarazat = new QLabel(
        QStringLiteral("Kérjük, adja meg az üzlet adatait: ezek kerülnek a listákra, a kimutatásokra és a "
                       "kölcsönzési jegyekre.\nKésőbb a Beállítások ablak „Üzlet” lapján módosíthatók."),
        this);
    magyarazat->setWordWrap(true);
    Adatok = new UzletAdatok(this);
    Adatok->beallit(Tulajdonos::olvas());
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName("btnOK");
    btnKesobb = new QPushButton(QStringLiteral("Később"), this);
    btnKesobb->setObjectName("btnKesobb");
    connect(btnOK, &QPushButton::clicked, this, &Tfrm_Uzlet::aOKExecute);
    connect(btnKesobb, &QPushButton::clicked, this, &QDialog::reject);
    auto* gombok = new QHBoxLayout;
    gombok->addStretch(1);
    gombok->addWidget(btnOK);
    gombok->addWidget(btnKesobb);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(8, 8, 8, 8);
    l->addWidget(magyarazat);
    l->addWidget(Adatok);
    l->addLayout(gombok);
    l->setSizeConstraint(QLayout::SetFixedSize);
    magyarazat->setFixedWidth(Adatok->sizeHint().width());
    EnterTovabbAlkalmaz(this);
    adjustSize();
    const QRect hova = szulo ? szulo->window()->geometry()
                             : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                                 : QRect());
    if (hova.isValid()) move(hova.center() - rect().center());
    Adatok->elso()->setFocus();
}

void Tfrm_Uzlet::aOKExecute()
{
    const TulajdonosAdat a = Adatok->adat();
    const QString baj = Tulajdonos::ellenoriz(a);
    if (!baj.isEmpty()) {
        HibaAblak(baj, this);
        Adatok->elso()->setFocus();
        return;
    }
    if (Vedett([&] { Tulajdonos::ment(a); }, this)) accept();
}

void UzletAdatokElsoIndulaskor(QWidget* szulo)
{
    if (!TBeall.rendszergazda) return;
    bool kell = false;
    if (!Vedett([&] { kell = Tulajdonos::kitoltetlen(); }, szulo) || !kell) return;
    try {
        Tfrm_Uzlet f(szulo);
        f.exec();
    } catch (const AdatbazisHiba& e) {
        HibaAblak(e.uzenet(), szulo);
    }
}
