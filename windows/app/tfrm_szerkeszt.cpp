#include "windows/app/tfrm_szerkeszt.h"
#include "core/app/tetelek.h"
#include "core/data/konverzio.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

Tfrm_Szerkeszt::Tfrm_Szerkeszt(Rekord& sor, QWidget* szulo)
    : TorzsSzerkeszto(sor, QStringLiteral("Szerkesztés"), szulo)
{
    setObjectName("Tfrm_Szerkeszt");
    // Created in tab order; each is then placed under its caption on the panel.
    DBEdit1 = szamMezo({}, "azon");
    DBEdit2 = szovegMezo({}, "video_nev");
    DBLookupComboBox1 = valaszto("tipus");
    DBLookupComboBox2 = valaszto("arkat");
    DBLookupComboBox3 = valaszto("mufaj");
    DBEdit3 = szovegMezo({}, "szoveg");
    DBEdit13 = csakOlvas("dat_besz");
    DBEdit14 = szamMezo({}, "beszar");
    DBCheckBox1 = new QCheckBox(QStringLiteral("kiadva"), this);
    DBCheckBox1->setObjectName("DBCheckBox1");
    DBCheckBox1->setChecked(VarSzoveg(sor.ertek("kint")) == QLatin1String("I"));
    // Shows the lending state; only a rental or a return changes it.
    DBCheckBox1->setAttribute(Qt::WA_TransparentForMouseEvents);
    DBCheckBox1->setFocusPolicy(Qt::NoFocus);
    DBEdit4 = csakOlvas("dat_selejt");
    DBEdit1->setObjectName("DBEdit1");
    DBEdit2->setObjectName("DBEdit2");
    DBEdit3->setObjectName("DBEdit3");
    DBEdit14->setObjectName("DBEdit14");
    DBLookupComboBox1->setObjectName("DBLookupComboBox1");
    DBLookupComboBox2->setObjectName("DBLookupComboBox2");
    DBLookupComboBox3->setObjectName("DBLookupComboBox3");
    DBEdit13->setObjectName("DBEdit13");
    DBEdit4->setObjectName("DBEdit4");
    QFont vastag = DBEdit1->font();
    vastag.setBold(true);
    DBEdit1->setFont(vastag);

    auto* panel = new QWidget;
    auto* racs = new QGridLayout(panel);
    racs->setContentsMargins(0, 0, 0, 0);
    racs->setHorizontalSpacing(8);
    racs->setVerticalSpacing(4);
    auto cella = [this, panel](const QString& felirat, QWidget* w) {
        layout()->removeWidget(w);
        auto* l = new QVBoxLayout;
        l->setSpacing(1);
        auto* c = new QLabel(felirat, panel);
        c->setBuddy(w);
        l->addWidget(c);
        l->addWidget(w);
        return l;
    };
    // Six columns: code and title share the first row (1 + 5), the three
    // lists the second (2 + 2 + 2), the description the whole width.
    DBEdit1->setFixedWidth(70);
    racs->addLayout(cella(QStringLiteral("kód"), DBEdit1), 0, 0, 1, 1);
    racs->addLayout(cella(QStringLiteral("cím"), DBEdit2), 0, 1, 1, 5);
    racs->addLayout(cella(QStringLiteral("típus"), DBLookupComboBox1), 1, 0, 1, 2);
    racs->addLayout(cella(QStringLiteral("árkat."), DBLookupComboBox2), 1, 2, 1, 2);
    racs->addLayout(cella(QStringLiteral("műfaj"), DBLookupComboBox3), 1, 4, 1, 2);
    racs->addLayout(cella(QStringLiteral("szöveg"), DBEdit3), 2, 0, 1, 6);
    racs->addLayout(cella(QStringLiteral("besz.dátum"), DBEdit13), 3, 0, 1, 2);
    racs->addLayout(cella(QStringLiteral("besz.ár"), DBEdit14), 3, 2, 1, 2);
    layout()->removeWidget(DBCheckBox1);
    racs->addWidget(DBCheckBox1, 3, 4, 1, 2, Qt::AlignLeft | Qt::AlignBottom);
    racs->addLayout(cella(QStringLiteral("selejt dátum"), DBEdit4), 4, 0, 1, 2);
    for (int i = 0; i < 6; ++i) racs->setColumnStretch(i, 1);
    panel->setMinimumWidth(360);
    sajat({}, panel, nullptr);

    kesz();
    Button1 = btnOK;
    Button2 = btnMegsem;
    Button1->setObjectName("Button1");
    Button2->setObjectName("Button2");
    // The buttons stand to the right of the scrapping date.
    layout()->removeWidget(Button1);
    layout()->removeWidget(Button2);
    auto* gombok = new QHBoxLayout;
    gombok->addStretch();
    gombok->addWidget(Button1);
    gombok->addWidget(Button2);
    racs->addLayout(gombok, 4, 2, 1, 4, Qt::AlignBottom);

    // Moving the fields onto the panel must not change the order Tab and Enter follow.
    QWidget* lanc[] = {DBEdit1, DBEdit2, DBLookupComboBox1, DBLookupComboBox2, DBLookupComboBox3,
                       DBEdit3, DBEdit14, Button1, Button2};
    for (int i = 0; i + 1 < int(std::size(lanc)); ++i) setTabOrder(lanc[i], lanc[i + 1]);
    adjustSize();
    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
    DBEdit1->setFocus();
}

QComboBox* Tfrm_Szerkeszt::valaszto(const QString& mezo)
{
    auto* cb = new QComboBox(this);
    cb->setObjectName(mezo);
    for (const auto& [kulcs, nev] : TetelValasztek(mezo)) cb->addItem(nev, kulcs);
    const QVariant ertek = sor().ertek(mezo);
    cb->setCurrentIndex(ertek.isNull() ? -1 : cb->findData(VarEgesz(ertek)));
    // Nothing chosen (a new item, or a reference to a deleted entry)
    // leaves the field as it was.
    sajat({}, cb, [cb, mezo](Rekord& r) {
        if (cb->currentIndex() >= 0) r.beallit(mezo, cb->currentData());
    });
    return cb;
}

QLineEdit* Tfrm_Szerkeszt::csakOlvas(const QString& mezo)
{
    auto* e = new QLineEdit(VarSzoveg(sor().ertek(mezo)), this);
    e->setObjectName(mezo);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    // Told apart from the fields one types in.
    QPalette p = e->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    e->setPalette(p);
    sajat({}, e, nullptr);
    return e;
}
