#include "windows/admin/tfrm_login.h"
#include "core/admin/felhasznalok.h"
#include "windows/common/bevitel.h"
#include "windows/common/tfrm_inp.h"
#include "print/common/uzenet.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

Tfrm_Login::Tfrm_Login(QWidget* szulo) : QDialog(szulo)
{
    setObjectName("Tfrm_Login");
    setWindowTitle(QStringLiteral("Belépés azonosítás"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    edtFelhasznalo = new QLineEdit(this);
    edtFelhasznalo->setObjectName("edtFelhasznalo");
    KarakterKorlat(edtFelhasznalo, 20);
    edtJelszo = new QLineEdit(this);
    edtJelszo->setObjectName("edtJelszo");
    edtJelszo->setEchoMode(QLineEdit::Password);
    KarakterKorlat(edtJelszo, Felhasznalok::JelszoHossz);
    auto* lblFelhasznalo = new QLabel(QStringLiteral("Felhasználó"), this);
    lblFelhasznalo->setBuddy(edtFelhasznalo);
    auto* lblJelszo = new QLabel(QStringLiteral("Jelszó"), this);
    lblJelszo->setBuddy(edtJelszo);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName("btnOK");
    btnUjJelszo = new QPushButton(QStringLiteral("Új jelszó"), this);
    btnUjJelszo->setObjectName("btnUjJelszo");
    btnMegsem = new QPushButton(QStringLiteral("Mégsem"), this);
    btnMegsem->setObjectName("btnMegsem");
    // Enter moves between the controls and presses a button only on it.
    for (QPushButton* b : {btnOK, btnUjJelszo, btnMegsem}) b->setAutoDefault(false);
    connect(btnOK, &QPushButton::clicked, this, &Tfrm_Login::btnOKClick);
    connect(btnUjJelszo, &QPushButton::clicked, this, &Tfrm_Login::btnUjJelszoClick);
    connect(btnMegsem, &QPushButton::clicked, this, &QDialog::reject);   // Esc and the close box as well

    auto* mezok = new QGridLayout;
    mezok->setHorizontalSpacing(8);
    mezok->addWidget(lblFelhasznalo, 0, 0);
    mezok->addWidget(edtFelhasznalo, 0, 1);
    mezok->addWidget(lblJelszo, 1, 0);
    mezok->addWidget(edtJelszo, 1, 1);
    mezok->setColumnMinimumWidth(1, AtlagosBetu(fontMetrics()).szeles * 24);
    auto* gombok = new QHBoxLayout;
    gombok->addStretch(1);
    gombok->addWidget(btnOK);
    gombok->addWidget(btnUjJelszo);
    gombok->addWidget(btnMegsem);
    auto* elrendezes = new QVBoxLayout(this);
    elrendezes->setContentsMargins(12, 12, 12, 12);
    elrendezes->setSpacing(12);
    elrendezes->addLayout(mezok);
    elrendezes->addLayout(gombok);

    setTabOrder(edtFelhasznalo, edtJelszo);
    setTabOrder(edtJelszo, btnOK);
    setTabOrder(btnOK, btnUjJelszo);
    setTabOrder(btnUjJelszo, btnMegsem);
    FokuszSzinAlkalmaz(this);
    EnterTovabbAlkalmaz(this);

    setFixedSize(sizeHint().expandedTo(QSize(CimSzelesseg(windowTitle()), 0)));
    edtFelhasznalo->setFocus();
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
}

template <typename F> void Tfrm_Login::vedve(F&& f)
{
    try {
        f();
    } catch (const AdatbazisHiba& e) {
        m_hiba = e.uzenet();
        reject();
    } catch (const std::exception& e) {
        m_hiba = QString::fromUtf8(e.what());
        reject();
    }
}

bool Tfrm_Login::Azonositas()
{
    if (m_var) return false;
    const auto b = Felhasznalok::Azonosit(edtFelhasznalo->text(), edtJelszo->text());
    if (b) {
        Felhasznalok::JogokBeallit(*b);
        return true;
    }
    HibaAblak(QString::fromUtf8(Felhasznalok::ErvenytelenBelepes), this);
    varakozik();
    return false;
}

void Tfrm_Login::varakozik()
{
    // Only the check waits: what is typed meanwhile stays in the fields, and
    // a button pressed meanwhile is pressed again when the wait is over.
    m_var = true;
    m_fuggo = Fuggo::Semmi;
    edtJelszo->setFocus();
    edtJelszo->selectAll();
    QTimer::singleShot(varakozas, this, [this] {
        m_var = false;
        switch (std::exchange(m_fuggo, Fuggo::Semmi)) {
        case Fuggo::OK: btnOKClick(); break;
        case Fuggo::UjJelszo: btnUjJelszoClick(); break;
        case Fuggo::Semmi: break;
        }
    });
}

void Tfrm_Login::btnOKClick()
{
    if (m_var) {
        m_fuggo = Fuggo::OK;
        return;
    }
    vedve([this] {
        if (Azonositas()) accept();
    });
}

void Tfrm_Login::btnUjJelszoClick()
{
    if (m_var) {
        m_fuggo = Fuggo::UjJelszo;
        return;
    }
    vedve([this] {
        if (!Azonositas()) return;
        QString uj, ujra;
        if (!MaszkosBevitel(QStringLiteral("Jelszó megadása"), QStringLiteral("Add meg az új jelszót"), QString(), uj, this))
            return;
        if (!MaszkosBevitel(QStringLiteral("Megerősítés"), QStringLiteral("Add újra az új jelszót"), QString(), ujra, this))
            return;
        if (uj != ujra) {
            HibaAblak(QString::fromUtf8(Felhasznalok::NemEgyezoJelszavak), this);
            return;
        }
        // A refused password (empty, too long) is said, and nothing is stored.
        if (!Vedett([&] { Felhasznalok::JelszoCsere(edtFelhasznalo->text(), uj); }, this)) return;
        UzenetAblak(QStringLiteral("Jelszó változtatás kész."), this);
    });
}

bool BelepesFuttat(QWidget* szulo)
{
    QString hiba;
    bool belepett = false;
    try {
        Tfrm_Login l(szulo);
        belepett = l.exec() == QDialog::Accepted;
        hiba = l.hiba();
    } catch (const AdatbazisHiba& e) {
        hiba = e.uzenet();
    } catch (const std::exception& e) {
        hiba = QString::fromUtf8(e.what());
    }
    if (hiba.isEmpty()) return belepett;
    HibaAblak(QStringLiteral("Ismeretlen hiba, indítsa újra a programot.\n") + hiba, szulo);
    return false;
}
