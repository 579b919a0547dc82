// The main window's item list at a million items: start-up until the first
// rows are painted, quick-search keystrokes in code and title mode, the two
// sort orders, the "only items out" filter, paging, the grid font size, page
// reads and peak memory. Every step is checked for the right result, not
// only timed.
//
//   bench_tetellista [--rebuild] [--mappa DIR] [--tetelek N] [--ugyfelek M]
//                    [--tortenet H] [--cassa K] [--ablak 1280x960]
//
// The data folder (default /tmp/kazettora-bench-1m) is built on the first run
// in a child process (so that its memory does not count) and reused later.
// Exit code 0: every check right and every target met; 2: a target missed;
// 1: a check failed. KZ_FESTES=1 prints every repaint of the grid and each
// timed step; KZ_KEP=file.png saves a picture of the window after paging,
// file-racs.png one with the grid focused, file-szurt.png the items out,
// file-betu.png the grid one point larger.
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "bench/bench_adat.h"
#include "core/common/listamodell.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/hufold.h"
#include "core/data/konverzio.h"
#include "core/data/sema.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QPaintEvent>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>

using BenchAdat::Ido;
using BenchAdat::ms;
using BenchAdat::processzorIdo;
using BenchAdat::Stopper;
using BenchAdat::median;
using BenchAdat::terheles;

namespace {

struct Beallitas {
    QString mappa;
    bool ujra = false;
    BenchAdat::Meret meret;
    int szeles = 1280, magas = 960;
};

// /tmp/kazettora-bench-1m for a million items, -250k for 250,000, and so on.
QString alapMappa(int tetelek)
{
    const QString meret = tetelek % 1000000 == 0 ? QStringLiteral("%1m").arg(tetelek / 1000000)
                          : tetelek % 1000 == 0  ? QStringLiteral("%1k").arg(tetelek / 1000)
                                                 : QString::number(tetelek);
    return QStringLiteral("/tmp/kazettora-bench-") + meret;
}

int lathatoSorok = 0;

int hibak = 0;

void ellenoriz(bool ok, const QString& mit)
{
    if (ok) return;
    ++hibak;
    std::fprintf(stderr, "HIBA: %s\n", qPrintable(mit));
}

// Counts the paint events of the grid's viewport.
class FestesSzamlalo : public QObject {
public:
    int festesek = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            ++festesek;
            if (qEnvironmentVariableIsSet("KZ_FESTES")) {
                const QRect r = static_cast<QPaintEvent*>(e)->region().boundingRect();
                std::fprintf(stderr, "festés %d,%d %dx%d\n", r.x(), r.y(), r.width(), r.height());
            }
        }
        return false;
    }
};

FestesSzamlalo* szamlalo = nullptr;

// Lets the window finish what a key started: posted events, zero timers
// (delayed layouts) and the repaint, which the offscreen platform does in
// the same pass.
void feldolgoz()
{
    int elozo = -1;
    for (int kor = 0; kor < 20; ++kor) {
        QCoreApplication::processEvents();
        if (kor >= 1 && szamlalo->festesek == elozo) break;
        elozo = szamlalo->festesek;
    }
}

template <typename F>
Ido idozit(F&& f)
{
    Stopper s;
    const int festes0 = szamlalo->festesek;
    f();
    feldolgoz();
    const Ido i = s.most();
    if (qEnvironmentVariableIsSet("KZ_FESTES"))
        std::fprintf(stderr, "  %.2f ms (processzor %.2f), %d festés\n", i.fal, i.cpu, szamlalo->festesek - festes0);
    return i;
}

struct Sor {
    QString nev;
    QList<Ido> idok;
    double cel;   // upper limit, ms; 0: no target
};
QList<Sor> tablazat;
double memoria = 0, memoriaAlap = 0;

void felvesz(const QString& nev, const QList<Ido>& idok, double cel) { tablazat << Sor{nev, idok, cel}; }

void gepel(QWidget* w, QChar c)
{
    if (c.unicode() < 0x80) {
        QTest::keyClick(w, char(c.unicode()));
    } else {
        // Accented letters: the key of the upper-case letter with the typed text.
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
}

struct Ablak {
    Tfrm_Main* w;
    int azon() const { return VarEgesz(w->Tbl.ertek(QStringLiteral("azon"))); }
    QString cim() const { return VarSzoveg(w->Tbl.ertek(QStringLiteral("video_nev"))); }
    QString cimSor(int sor) const { return VarSzoveg(w->Tbl.lista().ertek(sor, QStringLiteral("video_nev"))); }
    // The grid shows the current row of Tbl, and it is on screen.
    bool racsMutatja() const
    {
        const int sor = w->Tbl.aktualis();
        const QModelIndex i = w->DBGrid1->currentIndex();
        if (!i.isValid() || i.row() != sor) return false;
        const QRect r = w->DBGrid1->visualRect(i);
        return w->DBGrid1->viewport()->rect().contains(r.center());
    }
};

int tipp(const QString& eleje, int n)
{
    bool ok = false;
    const int k = eleje.toInt(&ok);
    return ok && k >= 1 && k <= n ? k : -1;
}

// Types `szoveg` into the code field key by key, checking each step.
QList<Ido> kodGepeles(Ablak& a, const QString& szoveg, int n, const std::function<bool(int)>& listazott)
{
    QList<Ido> idok;
    QString eddig = a.w->Edit1->text();
    for (QChar c : szoveg) {
        const int elotte = a.azon();
        idok << idozit([&] { gepel(a.w->Edit1, c); });
        eddig += c;
        const int vart = tipp(eddig, n);
        if (vart > 0 && listazott(vart))
            ellenoriz(a.azon() == vart, QStringLiteral("„%1” után a %2 kódú tétel a várt, nem a %3").arg(eddig).arg(vart).arg(a.azon()));
        else
            ellenoriz(a.azon() == elotte, QStringLiteral("„%1” után a sor nem maradhatott volna").arg(eddig));
        ellenoriz(a.racsMutatja(), QStringLiteral("„%1” után a rács nem az aktuális sort mutatja").arg(eddig));
    }
    return idok;
}

// Whether a listed title begins with `eleje` in the HU order. Read
// straight from the table, not through the list.
bool vanIlyenCim(const QString& eleje, bool csakKint)
{
    for (const HuFold::Tartomany& t : HuFold::kezdoTartomanyok(eleje)) {
        const QVariant v = Adatbazis::ertek(
            QStringLiteral("SELECT video_nev FROM video WHERE video_nev >= ? COLLATE HU AND video_nev < ? COLLATE HU "
                           "%1ORDER BY video_nev COLLATE HU LIMIT 1")
                .arg(csakKint ? QStringLiteral("AND kint = 'I' ") : QString()),
            {t.also, t.felso});
        if (v.isValid()) return true;
    }
    return false;
}

// Types `szoveg` into the title field, checking that each prefix lands on
// the first title (in title order) that begins with it, or stays when no
// title does.
QList<Ido> cimGepeles(Ablak& a, const QString& szoveg)
{
    QList<Ido> idok;
    for (QChar c : szoveg) {
        const qint64 elotte = a.w->Tbl.aktualisKulcs();
        idok << idozit([&] { gepel(a.w->Edit1, c); });
        const QString eddig = a.w->Edit1->text();
        const int sor = a.w->Tbl.aktualis();
        if (vanIlyenCim(eddig, a.w->Tbl.csakKint())) {
            ellenoriz(HuFold::rendKezdodik(a.cim(), eddig), QStringLiteral("„%1” után a cím „%2”").arg(eddig, a.cim()));
            ellenoriz(sor == 0 || !HuFold::rendKezdodik(a.cimSor(sor - 1), eddig),
                      QStringLiteral("„%1” után nem az első illeszkedő címen áll").arg(eddig));
        } else {
            ellenoriz(a.w->Tbl.aktualisKulcs() == elotte, QStringLiteral("„%1” után a sor nem maradhatott volna").arg(eddig));
        }
        ellenoriz(a.racsMutatja(), QStringLiteral("„%1” után a rács nem az aktuális sort mutatja").arg(eddig));
    }
    return idok;
}

QList<Ido> billentyuk(Ablak& a, QWidget* hova, Qt::Key k, int db, Qt::KeyboardModifiers mod = Qt::NoModifier)
{
    QList<Ido> idok;
    for (int i = 0; i < db; ++i) {
        idok << idozit([&] { QTest::keyClick(hova, k, mod); });
        ellenoriz(a.racsMutatja(), QStringLiteral("lapozás után a rács nem az aktuális sort mutatja"));
    }
    return idok;
}

bool kiir()
{
    std::printf("\n| mérés | db | idő: medián | legrosszabb | processzoridő: medián | legrosszabb | cél | rendben |\n"
                "|---|---:|---:|---:|---:|---:|---:|:---:|\n");
    bool mind = true;
    for (const Sor& s : tablazat) {
        QList<double> fal, cpu;
        for (const Ido& i : s.idok) {
            fal << i.fal;
            cpu << i.cpu;
        }
        const double falMax = *std::max_element(fal.begin(), fal.end());
        const double cpuMax = *std::max_element(cpu.begin(), cpu.end());
        // Judged by the processor time: what the program itself spends.
        const bool ok = s.cel <= 0 || cpuMax < s.cel;
        mind = mind && ok;
        std::printf("| %s | %lld | %.2f | %.2f | %.2f | %.2f | %s | %s |\n", qPrintable(s.nev),
                    qlonglong(s.idok.size()), median(fal), falMax, median(cpu), cpuMax,
                    s.cel > 0 ? qPrintable(QStringLiteral("< %1").arg(s.cel)) : "–",
                    s.cel > 0 ? (ok ? "igen" : "NEM") : "");
    }
    const bool memOk = memoria < 150;
    mind = mind && memOk;
    std::printf("| csúcsmemória, MB (a főablak előtt: %.1f) | 1 | %.1f | | | | < 150 | %s |\n", memoriaAlap, memoria,
                memOk ? "igen" : "NEM");
    std::printf("\nIdők ms-ban; a célt a processzoridő legrosszabb értéke dönti el. "
                "Terhelés a mérés végén (loadavg): %s\n",
                qPrintable(terheles()));
    std::printf("%s\n", mind ? "Minden cél teljesült." : "Van el nem ért cél.");
    return mind;
}

bool adatElokeszit(const Beallitas& b)
{
    // In a child process: building the folder takes far more memory than the
    // program does, and the peak memory below must be the program's own.
    return BenchAdat::gyerekben("bench_tetellista-adat",
                                [&](QString* hiba) { return BenchAdat::elokeszit(b.mappa, b.meret, b.ujra, hiba); });
}

} // namespace

int main(int argc, char** argv)
{
    Beallitas b;
    bool mappaMegadva = false;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        auto kov = [&]() -> QString {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "hiányzik az érték: %s\n", a);
                std::exit(64);
            }
            return QString::fromLocal8Bit(argv[++i]);
        };
        if (!std::strcmp(a, "--rebuild")) {
            b.ujra = true;
        } else if (!std::strcmp(a, "--mappa")) {
            b.mappa = kov();
            mappaMegadva = true;
        } else if (!std::strcmp(a, "--tetelek")) {
            b.meret.tetelek = kov().toInt();
        } else if (!std::strcmp(a, "--ugyfelek")) {
            b.meret.ugyfelek = kov().toInt();
        } else if (!std::strcmp(a, "--tortenet")) {
            b.meret.tortenet = kov().toLongLong();
        } else if (!std::strcmp(a, "--cassa")) {
            b.meret.cassa = kov().toLongLong();
        } else if (!std::strcmp(a, "--ablak")) {
            const QStringList m = kov().split('x');
            b.szeles = m.value(0).toInt();
            b.magas = m.value(1).toInt();
        } else {
            std::fprintf(stderr,
                         "használat: %s [--rebuild] [--mappa DIR] [--tetelek N] [--ugyfelek M] [--tortenet H] "
                         "[--cassa K] [--ablak SZxMA]\n",
                         argv[0]);
            return 64;
        }
    }
    if (b.meret.tetelek < 1000 || b.meret.ugyfelek < 1 || b.meret.tortenet < 0 || b.meret.cassa < 0 || b.szeles < 400
        || b.magas < 300) {
        std::fprintf(stderr, "legalább 1000 tétel, egy ügyfél és 400x300-as ablak kell\n");
        return 64;
    }
    if (!mappaMegadva) b.mappa = alapMappa(b.meret.tetelek);
    if (!adatElokeszit(b)) {
        std::fprintf(stderr, "az adatmappa nem készült el\n");
        return 1;
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    AlkalmazasBeallit(app);
    ProgramUtvonalBeallit(b.mappa);
    QString hiba;
    if (!BenchAdat::beallitasIr(b.mappa, b.szeles, b.magas, &hiba)) {
        std::fprintf(stderr, "%s\n", qPrintable(hiba));
        return 1;
    }
    const int n = b.meret.tetelek;
    memoriaAlap = BenchAdat::csucsMemoriaMB();

    // ---- start-up ------------------------------------------------------------
    Stopper indulas;
    auto* w = new Tfrm_Main;
    const Ido letrejott = indulas.most();
    if (!w->indult()) {
        std::fprintf(stderr, "a főablak nem indult el\n");
        return 1;
    }
    szamlalo = new FestesSzamlalo;
    w->DBGrid1->viewport()->installEventFilter(szamlalo);
    w->show();
    QElapsedTimer turelem;
    turelem.start();
    while (szamlalo->festesek == 0 && turelem.elapsed() < 60000) QCoreApplication::processEvents();
    feldolgoz();
    const Ido festve = indulas.most();
    Ablak a{w};
    ellenoriz(szamlalo->festesek > 0, QStringLiteral("a rács nem rajzolódott ki"));
    ellenoriz(w->TblModell->rowCount() == n, QStringLiteral("%1 sor helyett %2").arg(n).arg(w->TblModell->rowCount()));
    ellenoriz(w->Tbl.aktualis() == 0 && a.racsMutatja(), QStringLiteral("induláskor nem az első sor az aktuális"));
    ellenoriz(a.azon() == 1, QStringLiteral("az első sor kódja %1").arg(a.azon()));
    ellenoriz(w->Edit1->hasFocus(), QStringLiteral("induláskor nem a keresőmezőben a fókusz"));
    lathatoSorok = w->DBGrid1->viewport()->height() / w->DBGrid1->verticalHeader()->defaultSectionSize();
    felvesz(QStringLiteral("indulás: a főablak létrehozása (a kulcsok betöltésével)"), {letrejott}, 0);
    felvesz(QStringLiteral("indulás: létrehozás, megjelenítés, az első sorok kirajzolása"), {festve}, 1000);

    const auto mind = [](int) { return true; };

    // ---- code mode -----------------------------------------------------------
    QList<Ido> kod = kodGepeles(a, QStringLiteral("500000"), n, mind);
    for (int i = 0; i < 6; ++i) {
        const QString maradt = w->Edit1->text().chopped(1);
        kod << idozit([&] { QTest::keyClick(w->Edit1, Qt::Key_Backspace); });
        const int vart = tipp(maradt, n);
        if (vart > 0) ellenoriz(a.azon() == vart, QStringLiteral("visszatörlés után %1 helyett %2").arg(vart).arg(a.azon()));
    }
    kod << kodGepeles(a, QString::number(n), n, mind);
    w->Edit1->clear();
    feldolgoz();
    kod << kodGepeles(a, QStringLiteral("9876543"), n, mind);   // past the last code: the last keys find nothing
    w->Edit1->clear();
    feldolgoz();
    kod << kodGepeles(a, QStringLiteral("x"), n, mind);   // a letter is dropped
    ellenoriz(w->Edit1->text().isEmpty(), QStringLiteral("kódmódban betűt fogadott el"));
    felvesz(QStringLiteral("gyorskeresés kódra, billentyűnként"), kod, 10);

    // ---- re-sorting keeps the current row -------------------------------------
    w->Edit1->clear();
    const int kozepso = n * 2 / 3 + 1;
    kodGepeles(a, QString::number(kozepso), n, mind);
    const qint64 kulcs = w->Tbl.aktualisKulcs();
    const Ido cimRend = idozit([&] { w->TblModell->valtozas([&] { w->Tbl.rendBeallit(VideoTabla::Rend::Cim); }); });
    ellenoriz(w->Tbl.aktualisKulcs() == kulcs && a.racsMutatja(), QStringLiteral("címre rendezve elveszett az aktuális sor"));
    const Ido kodRend = idozit([&] { w->TblModell->valtozas([&] { w->Tbl.rendBeallit(VideoTabla::Rend::Kod); }); });
    ellenoriz(w->Tbl.aktualisKulcs() == kulcs && a.azon() == kozepso && a.racsMutatja(),
              QStringLiteral("kódra rendezve elveszett az aktuális sor"));
    felvesz(QStringLiteral("átrendezés címre (az aktuális sor marad)"), {cimRend}, 0);
    felvesz(QStringLiteral("átrendezés kódra (az aktuális sor marad)"), {kodRend}, 0);

    // ---- title mode ------------------------------------------------------------
    const Ido keres2 = idozit([&] { w->muvelet("aKeres2")->trigger(); });
    ellenoriz(w->muvelet("aKeres2")->isChecked() && w->Tbl.rend() == VideoTabla::Rend::Cim,
              QStringLiteral("nem váltott címre"));
    ellenoriz(w->Tbl.aktualis() == 0 && a.racsMutatja(), QStringLiteral("címre váltva nem az első sor az aktuális"));
    felvesz(QStringLiteral("„Keresés címre” (aKeres2): átrendezés, a mező ürítése"), {keres2}, 0);

    QList<Ido> cim = cimGepeles(a, QStringLiteral("ördögi kö"));
    for (int i = 0; i < 3; ++i) {
        cim << idozit([&] { QTest::keyClick(w->Edit1, Qt::Key_Backspace); });
        ellenoriz(HuFold::rendKezdodik(a.cim(), w->Edit1->text()), QStringLiteral("visszatörlés után rossz cím"));
    }
    w->Edit1->clear();
    feldolgoz();
    cim << cimGepeles(a, QStringLiteral("az ősi szí"));
    w->Edit1->clear();
    feldolgoz();
    cim << cimGepeles(a, QStringLiteral("ŰRBÉLI ÜZENET"));
    w->Edit1->clear();
    feldolgoz();
    cim << cimGepeles(a, QStringLiteral("zord zsaru q"));   // the last letter finds nothing
    felvesz(QStringLiteral("gyorskeresés címre, billentyűnként"), cim, 10);
    // After a title search, back to code order: the found item stays current.
    const qint64 talalt = w->Tbl.aktualisKulcs();
    const Ido keres1 = idozit([&] { w->muvelet("aKeres1")->trigger(); });
    ellenoriz(w->Tbl.rend() == VideoTabla::Rend::Kod && w->Tbl.aktualisKulcs() == talalt && a.racsMutatja(),
              QStringLiteral("kódra váltva elveszett a címre keresett sor"));
    felvesz(QStringLiteral("„Keresés azonosítóra” (aKeres1): átrendezés, a sor marad"), {keres1}, 0);

    // ---- filter ------------------------------------------------------------------
    const int kintDb = Adatbazis::ertek(QStringLiteral("SELECT COUNT(*) FROM video WHERE kint = 'I'")).toInt();
    const Ido szurBe = idozit([&] { w->muvelet("aSzur")->trigger(); });
    ellenoriz(w->TblModell->rowCount() == kintDb && w->Tbl.aktualis() == 0 && a.racsMutatja(),
              QStringLiteral("szűrve %1 sor helyett %2").arg(kintDb).arg(w->TblModell->rowCount()));
    ellenoriz(VarSzoveg(w->Tbl.ertek(QStringLiteral("kint"))) == QLatin1String("I"),
              QStringLiteral("szűrve bent lévő tétel látszik"));
    // Quick search while filtered: an item out is found, an item in is not.
    const int kintKod = VarEgesz(w->Tbl.lista().ertek(kintDb / 2, QStringLiteral("azon")));
    w->Edit1->clear();
    feldolgoz();
    const auto kintVan = [&](int k) {
        return Adatbazis::ertek(QStringLiteral("SELECT COUNT(*) FROM video WHERE azon = ? AND kint = 'I'"), {k}).toInt() > 0;
    };
    QList<Ido> szurt = kodGepeles(a, QString::number(kintKod), n, kintVan);
    if (qEnvironmentVariableIsSet("KZ_KEP"))
        w->grab().save(qEnvironmentVariable("KZ_KEP").replace(QLatin1String(".png"), QLatin1String("-szurt.png")));
    // Title search while filtered, then back to code order.
    w->muvelet("aKeres2")->trigger();
    feldolgoz();
    ellenoriz(w->TblModell->rowCount() == kintDb, QStringLiteral("címre váltva elveszett a szűrés"));
    szurt << cimGepeles(a, QStringLiteral("ördögi k"));
    w->muvelet("aKeres1")->trigger();
    feldolgoz();
    felvesz(QStringLiteral("gyorskeresés szűrve (kód és cím), billentyűnként"), szurt, 10);
    const Ido szurKi = idozit([&] { w->muvelet("aSzur")->trigger(); });
    ellenoriz(w->TblModell->rowCount() == n && w->Tbl.aktualis() == 0 && a.racsMutatja(),
              QStringLiteral("szűrés ki: %1 sor helyett %2").arg(n).arg(w->TblModell->rowCount()));
    felvesz(QStringLiteral("szűrés be (csak a kintlévő %1 tétel)").arg(kintDb), {szurBe}, 0);
    felvesz(QStringLiteral("szűrés ki (mind a %1 tétel)").arg(n), {szurKi}, 0);

    // ---- paging ------------------------------------------------------------------
    w->Edit1->setFocus();
    const int sor0 = w->Tbl.aktualis();
    const QList<Ido> lap = billentyuk(a, w->Edit1, Qt::Key_PageDown, 30);
    ellenoriz(w->Tbl.aktualis() > sor0 + 30, QStringLiteral("a PageDown nem lapozott"));
    felvesz(QStringLiteral("PageDown a keresőmezőből"), lap, 10);
    const int sor1 = w->Tbl.aktualis();
    const QList<Ido> le = billentyuk(a, w->Edit1, Qt::Key_Down, 60);
    ellenoriz(w->Tbl.aktualis() == std::min(sor1 + 60, w->TblModell->rowCount() - 1),
              QStringLiteral("a lefelé nyíl nem soronként lépett"));
    felvesz(QStringLiteral("lefelé nyíl a keresőmezőből"), le, 10);
    if (qEnvironmentVariableIsSet("KZ_KEP")) w->grab().save(qEnvironmentVariable("KZ_KEP"));
    w->DBGrid1->setFocus();
    const QList<Ido> vege = billentyuk(a, w->DBGrid1, Qt::Key_End, 1, Qt::ControlModifier);
    ellenoriz(w->Tbl.aktualis() == n - 1, QStringLiteral("Ctrl+End után nem az utolsó sor az aktuális"));
    const QList<Ido> eleje = billentyuk(a, w->DBGrid1, Qt::Key_Home, 1, Qt::ControlModifier);
    ellenoriz(w->Tbl.aktualis() == 0, QStringLiteral("Ctrl+Home után nem az első sor az aktuális"));
    if (qEnvironmentVariableIsSet("KZ_KEP")) {
        // With the grid focused: the current cell's focus frame.
        billentyuk(a, w->DBGrid1, Qt::Key_Down, 3);
        w->grab().save(qEnvironmentVariable("KZ_KEP").replace(QLatin1String(".png"), QLatin1String("-racs.png")));
    }
    felvesz(QStringLiteral("Ctrl+End, Ctrl+Home a rácsban"), vege + eleje, 10);
    QList<Ido> gorgetes;
    QScrollBar* sav = w->DBGrid1->verticalScrollBar();
    for (int i = 1; i <= 10; ++i) gorgetes << idozit([&] { sav->setValue(int(qint64(sav->maximum()) * i / 10)); });
    felvesz(QStringLiteral("görgetősáv: ugrás a lista tizedeire (új lapok betöltése)"), gorgetes, 10);

    // ---- grid font size ----------------------------------------------------------
    // Every row's height follows the font: a million header sections.
    const int betu0 = TBeall.Betumeret;
    QList<Ido> betu;
    betu << idozit([&] { QTest::keyClick(w, Qt::Key_F12, Qt::ControlModifier); });
    ellenoriz(TBeall.Betumeret == betu0 + 1 && w->DBGrid1->font().pointSize() == betu0 + 1,
              QStringLiteral("Ctrl+F12 után %1 pontos a betű").arg(w->DBGrid1->font().pointSize()));
    if (qEnvironmentVariableIsSet("KZ_KEP"))
        w->grab().save(qEnvironmentVariable("KZ_KEP").replace(QLatin1String(".png"), QLatin1String("-betu.png")));
    betu << idozit([&] { QTest::keyClick(w, Qt::Key_F12, Qt::ShiftModifier); });
    ellenoriz(TBeall.Betumeret == betu0 && w->DBGrid1->font().pointSize() == betu0,
              QStringLiteral("Shift+F12 után nem állt vissza a betűméret"));
    felvesz(QStringLiteral("betűméret növelés és csökkentés (Ctrl+F12, Shift+F12)"), betu, 0);

    // ---- reading rows a page at a time ------------------------------------------
    // What a jump costs below the painting: the rows of an unread page, with
    // their lookup names, read and converted.
    QList<Ido> lapok;
    std::mt19937 veletlen(7);
    QList<int> mintaSorok;
    for (int i = 0; i < 200; ++i) mintaSorok << std::uniform_int_distribution<int>(0, n - 1)(veletlen);
    // Items out carry dates and times: the rows most worth comparing.
    for (QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral("SELECT video FROM video WHERE kint = 'I' LIMIT 50")); q.next();)
        mintaSorok << w->Tbl.lista().sor(q.value(0).toLongLong());
    for (const int sor : std::as_const(mintaSorok)) {
        w->Tbl.lista().gyorsitotarUrit();
        Stopper s;
        const QVariant v = w->Tbl.lista().ertek(sor, QStringLiteral("video_nev"));
        lapok << s.most();
        ellenoriz(!VarSzoveg(v).isEmpty(), QStringLiteral("a(z) %1. sor címe üres").arg(sor));
        // The row as a plain query through the Qt driver reads it.
        const ListaDef& def = w->Tbl.lista().def();
        QSqlQuery q = Adatbazis::vegrehajt(
            QStringLiteral("SELECT %1 FROM video v %2 WHERE v.video = ?").arg(def.select, def.joinok),
            {w->Tbl.lista().kulcs(sor)});
        ellenoriz(q.next(), QStringLiteral("a(z) %1. sor nem olvasható").arg(sor));
        for (int m = 0; m < def.mezok.size(); ++m) {
            const QVariant vart = Sema::ertekbe(def.tipusok.at(m), q.value(m));
            const QVariant kapott = w->Tbl.lista().ertek(sor, m);
            ellenoriz(vart == kapott && vart.isNull() == kapott.isNull(),
                      QStringLiteral("a(z) %1. sor %2 mezője: %3 helyett %4")
                          .arg(sor).arg(def.mezok.at(m), kapott.toString(), vart.toString()));
        }
    }
    felvesz(QStringLiteral("egy lap (64 sor) beolvasása a rácshoz, festés nélkül"), lapok, 0);

    memoria = BenchAdat::csucsMemoriaMB();
    w->close();
    delete w;

    std::printf("Tétellista %d tétellel (%d kint), %dx%d ablak, %d sor látszik; adatmappa: %s\n", n, kintDb, b.szeles,
                b.magas, lathatoSorok, qPrintable(b.mappa));
    const bool celok = kiir();
    if (hibak) {
        std::printf("%d ellenőrzés nem sikerült.\n", hibak);
        return 1;
    }
    return celok ? 0 : 2;
}
