// The login window at start, the rights it gives, the password change from
// it, and the users window with its edit dialog, driven headless. With
// KAZETTORA_KEPEK set, a picture of each window is saved there (login-*.png).
#include "core/admin/felhasznalok.h"
#include "windows/admin/tfrm_felhasznalo.h"
#include "windows/admin/tfrm_login.h"
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "windows/cash/tfrm_cassa.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "windows/refdata/torzsadatok.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

const QString Ervenytelen = QStringLiteral("Érvénytelen felhasználó, vagy jelszó");

void kep(QWidget* w, const QString& nev)
{
    const QString mappa = qEnvironmentVariable("KAZETTORA_KEPEK");
    if (!mappa.isEmpty()) w->grab().save(QStringLiteral("%1/login-%2.png").arg(mappa, nev));
}

void beir(Tfrm_Login* l, const QString& nev, const QString& jelszo)
{
    l->edtFelhasznalo->clear();
    Gepel(l->edtFelhasznalo, nev);
    l->edtJelszo->clear();
    Gepel(l->edtJelszo, jelszo);
}

// After a refusal the window checks again once its wait is over.
void varakozasVege(Tfrm_Login* l) { QTRY_VERIFY_WITH_TIMEOUT(!l->varakozasban(), 3000); }

QString tarolt(const QString& nev)
{
    return Adatbazis::ertek("SELECT jelszo FROM felhasznalo WHERE felhasznalo = ?", {nev}).toString();
}

QByteArray fajlBajtok(const QString& adatMappa)
{
    QByteArray b;
    for (const char* v : {"", "-wal"}) {
        QFile f(Adatbazis::fajlUtvonal(adatMappa) + v);
        if (f.open(QIODevice::ReadOnly)) b += f.readAll();
    }
    return b;
}

QStringList listaNevek(Tfrm_Felhasznalo* a)
{
    QStringList l;
    for (int i = 0; i < a->modell()->rowCount(); ++i) l << a->modell()->index(i, 0).data().toString();
    return l;
}

} // namespace

class TstBelepes : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    std::unique_ptr<Tfrm_Main> m_f;

    // Starts the program with login on; `lepes` drives the login window
    // (its wait after a refusal shortened) and must close it.
    Tfrm_Main& indit(const std::function<void(Tfrm_Login*)>& lepes, bool rovidVaras = true)
    {
        {
            VartAblak v([&](Tfrm_Login* l) {
                if (rovidVaras) l->varakozas = 0;
                lepes(l);
            });
            m_f = std::make_unique<Tfrm_Main>();
        }
        return *m_f;
    }

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        AlkalmazasBeallit(*qApp);
    }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>(false, true);
        TBeall = TBeallRekord{};
    }
    void cleanup()
    {
        m_f.reset();
        m_t.reset();
    }

    // Refused attempts leave the window open for another, with the one
    // message that does not tell which part was wrong; the right name and
    // password then start the program with the user's rights.
    void belepes_data()
    {
        QTest::addColumn<QString>("nev");
        QTest::addColumn<QString>("jelszo");
        QTest::newRow("rossz jelszó") << "rendszergazda" << "talpfa";
        QTest::newRow("jelszó más betűmérettel") << "rendszergazda" << "TALPFAK";
        QTest::newRow("név más betűmérettel") << "Rendszergazda" << "talpfak";
        QTest::newRow("ismeretlen név") << "senki" << "talpfak";
    }
    void belepes()
    {
        QFETCH(QString, nev);
        QFETCH(QString, jelszo);
        Tfrm_Main& f = indit([&](Tfrm_Login* l) {
            QCOMPARE(l->windowTitle(), QString("Belépés azonosítás"));
            QCOMPARE(l->edtJelszo->echoMode(), QLineEdit::Password);
            QCOMPARE(QApplication::focusWidget(), l->edtFelhasznalo);
            kep(l, "ablak");
            beir(l, nev, jelszo);
            QTest::mouseClick(l->btnOK, Qt::LeftButton);
            QCOMPARE(m_t->parbeszed.hibak(), QStringList{Ervenytelen});
            QVERIFY(l->isVisible());
            QCOMPARE(l->edtFelhasznalo->text(), nev);   // the fields as they were
            QVERIFY(!TBeall.rendszergazda && !TBeall.torzsszerkeszt);
            varakozasVege(l);
            beir(l, "rendszergazda", "talpfak");
            // Enter from the password moves to OK, and Enter there presses it.
            Nyom(l, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), l->btnOK);
            Nyom(l, Qt::Key_Return);
            QVERIFY(!l->isVisible());
        });
        QVERIFY(f.indult());
        QVERIFY(TBeall.rendszergazda && TBeall.torzsszerkeszt);
        QCOMPARE(TBeall.felhasznalo_nev, QString("Rendszergazda"));
        QCOMPARE(m_t->parbeszed.hibak().size(), 1);
    }

    // Without a successful login the program does not start: "Mégsem", Esc,
    // the close box, after a refused attempt too.
    void megszakitas_data()
    {
        QTest::addColumn<QString>("hogyan");
        QTest::addColumn<bool>("probalt");
        QTest::newRow("Mégsem") << "gomb" << false;
        QTest::newRow("Esc") << "esc" << false;
        QTest::newRow("bezárás") << "bezar" << false;
        QTest::newRow("Esc rossz jelszó után") << "esc" << true;
    }
    void megszakitas()
    {
        QFETCH(QString, hogyan);
        QFETCH(bool, probalt);
        Tfrm_Main& f = indit([&](Tfrm_Login* l) {
            if (probalt) {
                beir(l, "rendszergazda", "nem az");
                QTest::mouseClick(l->btnOK, Qt::LeftButton);
                QCOMPARE(m_t->parbeszed.hibak(), QStringList{Ervenytelen});
            }
            beir(l, "rendszergazda", "talpfak");
            if (hogyan == "gomb") QTest::mouseClick(l->btnMegsem, Qt::LeftButton);
            else if (hogyan == "esc") Nyom(l, Qt::Key_Escape);
            else l->close();
            QVERIFY(!l->isVisible());
        }, false);
        QVERIFY(!f.indult());
        QVERIFY(!TBeall.rendszergazda && !TBeall.torzsszerkeszt);
        QCOMPARE(m_t->parbeszed.hibak().size(), probalt ? 1 : 0);
    }

    // A refusal costs a wait before the next check (as delivered a second),
    // but nothing typed is lost: the keys reach the fields, and OK pressed
    // during the wait (Enter from the password included) checks what was
    // typed once the wait is over. Esc still ends the program.
    void varakozasHibaUtan_data()
    {
        QTest::addColumn<bool>("enterrel");
        QTest::newRow("OK gomb") << false;
        QTest::newRow("Enter a jelszóból") << true;
    }
    void varakozasHibaUtan()
    {
        QFETCH(bool, enterrel);
        indit([&](Tfrm_Login* l) {
            QVERIFY(l->varakozas >= 1000);
            l->varakozas = 300;
            beir(l, "rendszergazda", "rossz");
            QElapsedTimer ido;
            ido.start();
            QTest::mouseClick(l->btnOK, Qt::LeftButton);
            QCOMPARE(m_t->parbeszed.hibak().size(), 1);
            QVERIFY(l->varakozasban());
            QVERIFY(l->btnMegsem->isEnabled());
            // The password is selected: typing replaces it, key by key.
            QCOMPARE(QApplication::focusWidget(), l->edtJelszo);
            Gepel(l->edtJelszo, "talpfa");
            Gepel(l->edtJelszo, "k");
            QCOMPARE(l->edtJelszo->text(), QString("talpfak"));
            // The check itself waits.
            QVERIFY(!l->Azonositas());
            if (enterrel) {
                Nyom(l, Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), l->btnOK);
                Nyom(l, Qt::Key_Return);
            } else {
                QTest::mouseClick(l->btnOK, Qt::LeftButton);
            }
            QVERIFY(l->isVisible());
            QVERIFY(!TBeall.rendszergazda);
            QCOMPARE(m_t->parbeszed.hibak().size(), 1);
            QTRY_VERIFY_WITH_TIMEOUT(!l->isVisible(), 3000);
            QVERIFY(ido.elapsed() >= 250);
        }, false);
        QVERIFY(m_f->indult());
        QVERIFY(TBeall.rendszergazda);
        QCOMPARE(m_t->parbeszed.hibak().size(), 1);
    }

    // Rights of a user without the administrator right: the users, SQL,
    // settings and import actions and the cash book's manual entry are
    // refused; the cash entry types follow the master-data right.
    void jogok_data()
    {
        QTest::addColumn<bool>("rendszergazda");
        QTest::addColumn<bool>("torzsszerkeszt");
        QTest::newRow("csak törzsadat") << false << true;
        QTest::newRow("csak rendszergazda") << true << false;
    }
    void jogok()
    {
        QFETCH(bool, rendszergazda);
        QFETCH(bool, torzsszerkeszt);
        m_t->nyit();
        Felhasznalok::Ment(QString(), {"pult", "Pult-1", "Pult-1", rendszergazda, torzsszerkeszt});
        Adatbazis::zar();
        Tfrm_Main& f = indit([&](Tfrm_Login* l) {
            beir(l, "pult", "Pult-1");
            QTest::mouseClick(l->btnOK, Qt::LeftButton);
        });
        QVERIFY(f.indult());
        QCOMPARE(TBeall.rendszergazda, rendszergazda);
        QCOMPARE(TBeall.torzsszerkeszt, torzsszerkeszt);
        const QString nincsJog = QStringLiteral("Nincs jogosultság a művelethez.");
        auto& dobozok = m_t->parbeszed.dobozok;

        // Users: the window opens only with the right.
        if (rendszergazda) {
            VartAblak v([](Tfrm_Felhasznalo* a) { Nyom(a, Qt::Key_Escape); });
            f.muvelet("aFelhasznalo")->trigger();
        } else {
            VartAblak soha(VartAblak::Soha<Tfrm_Felhasznalo>{});
            f.muvelet("aFelhasznalo")->trigger();
        }
        QCOMPARE(m_t->parbeszed.hibak(), rendszergazda ? QStringList() : QStringList{nincsJog});
        // SQL, settings and import, whose windows come later: the check itself.
        for (Parancs a : {Parancs::SQL, Parancs::Beallit, Parancs::Import}) {
            dobozok.clear();
            QCOMPARE(f.jogEllenoriz(a), rendszergazda);
            QCOMPARE(m_t->parbeszed.hibak(), rendszergazda ? QStringList() : QStringList{nincsJog});
            if (!rendszergazda) QCOMPARE(dobozok.first().cim, QString("Hiba"));
        }
        // The other actions need no right.
        QVERIFY(f.jogEllenoriz(Parancs::Kassza) && f.jogEllenoriz(Parancs::Ugyfelek) && f.jogEllenoriz(Parancs::KasszaTip));

        // The cash book's manual entry: the message without a full stop.
        dobozok.clear();
        {
            VartAblak v([&](Tfrm_Cassa* a) {
                if (rendszergazda) {
                    // With the right the entry goes on to the type chooser.
                    VartAblak tipus([](Tfrm_TorzsCassatip* t) { Nyom(t, Qt::Key_Escape); });
                    a->aUj->trigger();
                } else {
                    VartAblak soha(VartAblak::Soha<Tfrm_TorzsCassatip>{});
                    a->aUj->trigger();
                }
                Nyom(a, Qt::Key_Escape);
            });
            f.muvelet("aKassza")->trigger();
        }
        QCOMPARE(m_t->parbeszed.hibak(),
                 rendszergazda ? QStringList() : QStringList{QStringLiteral("Nincs jogosultság a művelethez")});

        // Cash entry types: new, edit and delete follow the master-data right.
        dobozok.clear();
        {
            VartAblak v([&](Tfrm_TorzsCassatip* t) {
                for (QAction* a : {t->aUj, t->aSzerkeszt}) {
                    if (torzsszerkeszt) {
                        VartAblak d([](Tfrm_TorzsCassatip_Szerkeszt* s) { Nyom(s, Qt::Key_Escape); });
                        a->trigger();
                    } else {
                        VartAblak soha(VartAblak::Soha<Tfrm_TorzsCassatip_Szerkeszt>{});
                        a->trigger();
                    }
                }
                t->aTorol->trigger();   // the question answered No
                Nyom(t, Qt::Key_Escape);
            });
            f.muvelet("aKasszaTip")->trigger();
        }
        QCOMPARE(m_t->parbeszed.hibak(), torzsszerkeszt ? QStringList() : QStringList(3, nincsJog));
    }

    // "Új jelszó": after the change the old password, still in its field,
    // is refused, and the new one logs in.
    void jelszoCsere()
    {
        m_t->parbeszed.szovegValaszok = {"Uj-jelszo", "Uj-jelszo"};
        Tfrm_Main& f = indit([&](Tfrm_Login* l) {
            beir(l, "rendszergazda", "talpfak");
            QTest::mouseClick(l->btnUjJelszo, Qt::LeftButton);
            QVERIFY(m_t->parbeszed.szovegValaszok.isEmpty());
            QCOMPARE(m_t->parbeszed.dobozok.size(), 1);
            QCOMPARE(m_t->parbeszed.dobozok.first().cim, QString("Üzenet"));
            QCOMPARE(m_t->parbeszed.dobozok.first().szoveg, QString("Jelszó változtatás kész."));
            QVERIFY(l->isVisible());
            QCOMPARE(l->edtJelszo->text(), QString("talpfak"));
            QTest::mouseClick(l->btnOK, Qt::LeftButton);
            QCOMPARE(m_t->parbeszed.hibak(), QStringList{Ervenytelen});
            varakozasVege(l);
            beir(l, "rendszergazda", "Uj-jelszo");
            QTest::mouseClick(l->btnOK, Qt::LeftButton);
            QVERIFY(!l->isVisible());
        });
        QVERIFY(f.indult());
        QVERIFY(tarolt("rendszergazda").startsWith("$argon2id$"));
        const QByteArray b = fajlBajtok(m_t->adatMappa());
        QVERIFY(!b.contains("talpfak") && !b.contains("Uj-jelszo"));
    }

    // A password change that does not happen: a wrong current password
    // asks nothing; a cancelled or differing new password, or one too long,
    // stores nothing.
    void jelszoCsereElmarad_data()
    {
        QTest::addColumn<QString>("jelenlegi");
        QTest::addColumn<QStringList>("valaszok");
        QTest::addColumn<QString>("hiba");
        QTest::addColumn<int>("marad");   // answers left unasked
        QTest::newRow("rossz jelenlegi") << "Talpfak" << QStringList{"uj", "uj"} << Ervenytelen << 2;
        QTest::newRow("első mégsem") << "talpfak" << QStringList{} << "" << 0;
        QTest::newRow("eltérő") << "talpfak" << QStringList{"uj1", "uj2"} << "A megadott jelszavak nem egyezőek" << 0;
        QTest::newRow("túl hosszú") << "talpfak" << QStringList{"12345678901", "12345678901"}
                                   << "A jelszó legfeljebb 10 karakter lehet." << 0;
    }
    void jelszoCsereElmarad()
    {
        QFETCH(QString, jelenlegi);
        QFETCH(QStringList, valaszok);
        QFETCH(QString, hiba);
        QFETCH(int, marad);
        m_t->parbeszed.szovegValaszok = valaszok;
        m_t->nyit();
        const QString elotte = tarolt("rendszergazda");
        Adatbazis::zar();
        indit([&](Tfrm_Login* l) {
            beir(l, "rendszergazda", jelenlegi);
            QTest::mouseClick(l->btnUjJelszo, Qt::LeftButton);
            QCOMPARE(m_t->parbeszed.szovegValaszok.size(), marad);
            QCOMPARE(m_t->parbeszed.hibak(), hiba.isEmpty() ? QStringList() : QStringList{hiba});
            for (const auto& d : m_t->parbeszed.dobozok) QVERIFY(d.fajta != Parbeszed::Doboz::Uzenet);
            Nyom(l, Qt::Key_Escape);
        });
        m_t->nyit();
        QCOMPARE(tarolt("rendszergazda"), elotte);
    }

    // A user of an older data folder whose password is kept as typed logs
    // in through the window; the password is then kept as a digest only.
    void regiJelszoAblakban()
    {
        m_t->nyit();
        Adatbazis::vegrehajt("UPDATE felhasznalo SET jelszo = 'talpfak'");
        Adatbazis::zar();
        Tfrm_Main& f = indit([&](Tfrm_Login* l) {
            beir(l, "rendszergazda", "talpfak");
            QTest::mouseClick(l->btnOK, Qt::LeftButton);
        });
        QVERIFY(f.indult());
        QVERIFY(tarolt("rendszergazda").startsWith("$argon2id$"));
        QVERIFY(!fajlBajtok(m_t->adatMappa()).contains("talpfak"));
    }

    // The users window: one column of names in key order; a new user, and
    // an existing one saved without touching the password fields, which
    // start empty and keep the password.
    void felhasznaloAblak()
    {
        m_t->nyit();
        Adatbazis::vegrehajt("UPDATE beallit SET vanbelep = 'N'");
        Felhasznalok::Ment(QString(), {"Zoli", "z", "z", false, false});
        Felhasznalok::Ment(QString(), {"anna", "a", "a", false, true});
        Adatbazis::zar();
        m_f = std::make_unique<Tfrm_Main>();
        QVERIFY(m_f->indult());
        {
            VartAblak v([&](Tfrm_Felhasznalo* a) {
                QCOMPARE(a->windowTitle(), QString("Felhasználók adatai"));
                QCOMPARE(a->modell()->columnCount(), 1);
                QCOMPARE(a->modell()->headerData(0, Qt::Horizontal).toString(), QString("Felhasználó"));
                QCOMPARE(listaNevek(a), (QStringList{"Zoli", "anna", "rendszergazda"}));
                QCOMPARE(a->PopupMenu1->actions().first()->text(), QString("Új Felhasználó"));
                QCOMPARE(a->aUj->text(), QString("Új"));
                QCOMPARE(a->aTorol->text(), QString("Töröl"));
                kep(a, "felhasznalok");
                {
                    VartAblak d([&](Tfrm_FelhasznaloSzerkeszt* s) {
                        QCOMPARE(s->windowTitle(), QString("Felhasználó adatainak szerkesztése"));
                        QCOMPARE(QApplication::focusWidget(), s->DBEdit1);
                        QVERIFY(s->DBEdit2->text().isEmpty() && s->Edit1->text().isEmpty());
                        Gepel(s->DBEdit1, "pult");
                        Gepel(s->DBEdit2, "Pult-1");
                        // No confirmation yet: refused, the dialog stays.
                        QTest::mouseClick(s->btnOK, Qt::LeftButton);
                        QCOMPARE(m_t->parbeszed.hibak(), QStringList{"Hibás jelszó megadás"});
                        QVERIFY(s->isVisible());
                        Gepel(s->Edit1, "Pult-1");
                        s->DBCheckBox2->setChecked(true);
                        kep(s, "szerkeszto");
                        QTest::mouseClick(s->btnOK, Qt::LeftButton);
                        QVERIFY(!s->isVisible());
                    });
                    Nyom(a, Qt::Key_Insert);
                }
                QCOMPARE(listaNevek(a), (QStringList{"Zoli", "anna", "pult", "rendszergazda"}));
                QCOMPARE(VarSzoveg(a->ertek("felhasznalo")), QString("pult"));
                QVERIFY(a->keresKulcs("rendszergazda"));
                {
                    VartAblak d([&](Tfrm_FelhasznaloSzerkeszt* s) {
                        QCOMPARE(s->DBEdit1->text(), QString("rendszergazda"));
                        QVERIFY(s->DBEdit2->text().isEmpty() && s->Edit1->text().isEmpty());
                        QVERIFY(s->DBCheckBox1->isChecked() && s->DBCheckBox2->isChecked());
                        QTest::mouseClick(s->btnOK, Qt::LeftButton);
                        QVERIFY(!s->isVisible());
                    });
                    a->DBGrid1->setFocus();
                    Nyom(a, Qt::Key_Return);   // Enter in the grid edits
                }
                Nyom(a, Qt::Key_Escape);
            });
            m_f->muvelet("aFelhasznalo")->trigger();
        }
        QCOMPARE(m_t->parbeszed.hibak().size(), 1);
        QVERIFY(Felhasznalok::Azonosit("rendszergazda", "talpfak"));
        const auto p = Felhasznalok::Azonosit("pult", "Pult-1");
        QVERIFY(p && !p->rendszergazda && p->torzsszerkeszt);
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT COUNT(*) FROM felhasznalo"), QStringList{"4"});
    }

    // While login is on, the users window refuses to delete the last
    // administrator, or to take the right away in the edit dialog; the
    // reason is said and the row stays as it was.
    void utolsoRendszergazdaAblakban()
    {
        m_t->nyit();
        {
            VartAblak v([&](Tfrm_Felhasznalo* a) {
                m_t->parbeszed.kerdesValaszok = {true};
                Nyom(a, Qt::Key_Delete, Qt::ControlModifier);
                QCOMPARE(m_t->parbeszed.dobozok.first().szoveg, QString("Valóban töröljem a sort?"));
                QCOMPARE(listaNevek(a), QStringList{"rendszergazda"});
                {
                    VartAblak d([&](Tfrm_FelhasznaloSzerkeszt* s) {
                        s->DBCheckBox1->setChecked(false);
                        QTest::mouseClick(s->btnOK, Qt::LeftButton);
                        QVERIFY(s->isVisible());
                        Nyom(s, Qt::Key_Escape);
                    });
                    Nyom(a, Qt::Key_F2);
                }
                Nyom(a, Qt::Key_Escape);
            });
            FelhasznaloMegnyit(nullptr);
        }
        const QString uzenet = QString::fromUtf8(Felhasznalok::UtolsoRendszergazda);
        QCOMPARE(m_t->parbeszed.hibak(), (QStringList{uzenet, uzenet}));
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT felhasznalo, rendszergazda FROM felhasznalo"),
                 QStringList{"rendszergazda|I"});
    }
};

QTEST_MAIN(TstBelepes)
#include "tst_belepes.moc"
