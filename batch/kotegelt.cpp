#include "batch/kotegelt.h"
#include "core/admin/archiv.h"
#include "core/reports/tetelimport.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/ora.h"
#include "print/cash/tqrcassa.h"
#include "print/cash/tqrzaras.h"
#include "print/reports/tqrlista.h"
#include "print/rental/tqrkesedelmes.h"
#include "print/reports/tqrvkod.h"
#include "core/reports/vkod.h"
#include "core/reports/listaexport.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

namespace {

// A printed list with its rows read. Throws AdatbazisHiba.
std::unique_ptr<Jelentes> nyitottLista(TetelLista l)
{
    std::unique_ptr<TqrListaAlap> qr = TetelListaJelentes(l);
    qr->megnyit();
    return qr;
}

// --report zaras [--date YYYY-MM-DD]: the Z report of that day's close, or
// of the last close, as the cash window printed it. Throws AdatbazisHiba
// (no file is written) when there is no such close.
std::unique_ptr<Jelentes> nyitottZaras(const QCommandLineParser& p)
{
    std::optional<Zaras::Jelentes> z;
    if (p.isSet(QStringLiteral("date"))) {
        const QString szoveg = p.value(QStringLiteral("date"));
        const QDate nap = QDate::fromString(szoveg, QStringLiteral("yyyy-MM-dd"));
        if (!nap.isValid()) throw AdatbazisHiba(QStringLiteral("Hibás dátum: „%1” (ÉÉÉÉ-HH-NN).").arg(szoveg));
        z = Zaras::Keres(nap);
        if (!z) throw AdatbazisHiba(QStringLiteral("A %1 napnak nincs zárása; nincs mit kinyomtatni.").arg(RovidDatum(nap)));
    } else {
        z = Zaras::Utolso();
        if (!z) throw AdatbazisHiba(QStringLiteral("Még nem volt napi zárás; nincs mit kinyomtatni."));
    }
    auto qr = std::make_unique<TqrZaras>();
    qr->megnyit(*z);
    return qr;
}

// --report NAME --pdf FILE: a printed list, the cash book with every
// entry, or a day's close, to a PDF file through the report engine the
// windows print with.
int JelentesPdf(const QCommandLineParser& p)
{
    using Nyito = std::function<std::unique_ptr<Jelentes>(const QCommandLineParser&)>;
    static const QList<QPair<QString, Nyito>> jelentesek = {
        {QStringLiteral("lista"), [](const QCommandLineParser&) { return nyitottLista(TetelLista::Teljes); }},
        {QStringLiteral("kiadott"), [](const QCommandLineParser&) { return nyitottLista(TetelLista::Kiadott); }},
        {QStringLiteral("lejart"), [](const QCommandLineParser&) { return nyitottLista(TetelLista::KiadottLejart); }},
        {QStringLiteral("bentlevo"), [](const QCommandLineParser&) { return nyitottLista(TetelLista::Bentlevo); }},
        {QStringLiteral("kolcsonzesek"), [](const QCommandLineParser&) { return nyitottLista(TetelLista::Kolcsonzesek); }},
        {QStringLiteral("cassa"), [](const QCommandLineParser&) -> std::unique_ptr<Jelentes> {
             auto qr = std::make_unique<TqrCassa>();
             qr->megnyit(false, QDate());
             return qr;
         }},
        {QStringLiteral("zaras"), nyitottZaras},
        {QStringLiteral("kesedelmes"), [](const QCommandLineParser&) -> std::unique_ptr<Jelentes> {
             auto qr = std::make_unique<TqrKesedelmes>();
             qr->megnyit();
             return qr;
         }},
        {QStringLiteral("kesedelmes-levelek"), [](const QCommandLineParser&) -> std::unique_ptr<Jelentes> {
             auto qr = std::make_unique<TqrFelszolito>();
             qr->megnyit();
             return qr;
         }},
    };
    const QString nev = p.value(QStringLiteral("report"));
    QStringList nevek;
    const Nyito* nyito = nullptr;
    for (const auto& j : jelentesek) {
        nevek << j.first;
        if (j.first == nev) nyito = &j.second;
    }
    if (!nyito) {
        KotegeltHiba(QStringLiteral("Ismeretlen jelentés: „%1”. Választható: %2.").arg(nev, nevek.join(QStringLiteral(", "))));
        return 1;
    }
    if (nev != QLatin1String("zaras") && p.isSet(QStringLiteral("date"))) {
        KotegeltHiba(QStringLiteral("A --date csak a --report zaras mellé adható meg."));
        return 1;
    }
    const QString fajl = p.value(QStringLiteral("pdf"));
    if (fajl.isEmpty()) {
        KotegeltHiba(QStringLiteral("Hiányzik a PDF fájl neve: --pdf FÁJL."));
        return 1;
    }
    const std::unique_ptr<Jelentes> qr = (*nyito)(p);
    QString hiba;
    if (!qr->pdfbe(fajl, &hiba)) {
        KotegeltHiba(hiba);
        return 1;
    }
    std::printf("%s (%d oldal)\n", qPrintable(fajl), qr->oldalak());
    return 0;
}

// --export video|ugyfel|tortenet FILE: what the export window writes for
// that list with every field ticked and the default delimiter and qualifier.
int exportFuttat(const QCommandLineParser& p)
{
    const QString lista = p.value(QStringLiteral("export"));
    const QStringList fajlok = p.positionalArguments();
    if (fajlok.size() != 1) {
        KotegeltHiba(QStringLiteral("Az --export után a lista neve és egy célfájl kell: --export video|ugyfel|tortenet FÁJL"));
        return 1;
    }
    Hatarolt::Forras f;
    if (lista == QLatin1String("video")) f = ListaExport::TetelekKodSorrendben();
    else if (lista == QLatin1String("ugyfel")) f = ListaExport::UgyfelekKodSorrendben();
    else if (lista == QLatin1String("tortenet")) f = ListaExport::TortenetMind();
    else {
        KotegeltHiba(QStringLiteral("Ismeretlen lista: „%1” (video, ugyfel vagy tortenet).").arg(lista));
        return 1;
    }
    const Hatarolt::Eredmeny e = Hatarolt::Ir(f, Hatarolt::Beallitas{}, fajlok.constFirst());
    std::printf("%s: %lld sor\n", fajlok.constFirst().toLocal8Bit().constData(), static_cast<long long>(e.sorok));
    if (e.csereltErtekek > 0) KotegeltHiba(Hatarolt::CsereUzenet(e.csereltErtekek));
    return 0;
}

// --archive [FILE]: the archive the menu makes, to FILE or under the day's
// name in the archive folder; the day is recorded as the menu's archive
// records it, so the closing reminder counts from it.
int archivFuttat(const QCommandLineParser& p)
{
    const QStringList fajlok = p.positionalArguments();
    if (fajlok.size() > 1) {
        KotegeltHiba(QStringLiteral("Az --archive után legfeljebb egy célfájl adható meg: --archive [FÁJL]"));
        return 1;
    }
    QString hiba;
    QString cel;
    if (fajlok.isEmpty()) {
        if (!Archiv::MappaLetrehoz(TBeall.MentesUtvonal, &hiba)) {
            KotegeltHiba(hiba);
            return 1;
        }
        cel = Archiv::JavasoltNev(TBeall.MentesUtvonal, Ma());
    } else {
        cel = QFileInfo(fajlok.constFirst()).absoluteFilePath();
    }
    QStringList kihagyott;
    if (!Archiv::Keszit(TBeall.Utvonal, cel, &hiba, &kihagyott)) {
        KotegeltHiba(QStringLiteral("Hiba az archiválás közben\n") + hiba);
        return 1;
    }
    if (!kihagyott.isEmpty()) KotegeltHiba(Archiv::KihagyottUzenet(kihagyott));
    const QString iniFajl = ProgramUtvonal() + '/' + BeallitasFajlNev;
    IniFajl ini;
    ini.beolvas(iniFajl);
    ini.ir("Archiv", "MentesDatum", Ma());
    if (!ini.ment(iniFajl, &hiba)) {
        KotegeltHiba(QStringLiteral("Az archívum elkészült (%1), de a dátuma nem rögzíthető.\n%2")
                         .arg(QDir::toNativeSeparators(cel), hiba));
        return 1;
    }
    std::printf("%s\n", QFile::encodeName(QDir::toNativeSeparators(cel)).constData());
    return 0;
}

// --import FILE: the items of a semicolon-separated file, read and stored
// as the import window does, all lines or none. A refused line throws, and
// its number and reason go to standard error.
int importFuttat(const QCommandLineParser& p)
{
    if (!p.positionalArguments().isEmpty()) {
        KotegeltHiba(QStringLiteral("Az --import után egyetlen fájl adható meg: --import FÁJL"));
        return 1;
    }
    const TetelImport::Beolvasott b = TetelImport::FajlOlvas(p.value(QStringLiteral("import")));
    const TetelImport::Eredmeny e = TetelImport::Importal(b.szoveg);
    std::printf("%lld tétel importálva (%s)\n", static_cast<long long>(e.tetelek),
                qPrintable(TetelImport::KodolasNev(b.kodolas)));
    return 0;
}

// --labels FROM TO [--customers] [--no-number] --pdf FILE: the label sheets
// of the barcode window for that range (item codes, or customer codes for
// the customers' cards), through its work table and its report.
int vonalkodFuttat(const QCommandLineParser& p)
{
    const QStringList maradek = p.positionalArguments();
    if (maradek.size() != 1) {
        KotegeltHiba(QStringLiteral("A --labels után a kódtartomány két vége kell: --labels TÓL IG [--customers] "
                                    "[--no-number] --pdf FÁJL"));
        return 1;
    }
    const VKod::Fajta fajta = p.isSet(QStringLiteral("customers")) ? VKod::Fajta::Ugyfel : VKod::Fajta::Tetel;
    qint64 elso = 0, utolso = 0;
    QString hiba;
    if (!VKod::KodOlvas(p.value(QStringLiteral("labels")), QStringLiteral("TÓL"), &elso, &hiba, fajta)
        || !VKod::KodOlvas(maradek.constFirst(), QStringLiteral("IG"), &utolso, &hiba, fajta)) {
        KotegeltHiba(hiba);
        return 1;
    }
    const QString fajl = p.value(QStringLiteral("pdf"));
    if (fajl.isEmpty()) {
        KotegeltHiba(QStringLiteral("Hiányzik a PDF fájl neve: --pdf FÁJL."));
        return 1;
    }
    VKod::Feltolt(fajta, elso, utolso);
    TqrVKod qr(!p.isSet(QStringLiteral("no-number")), fajta);
    qr.megnyit();
    if (!qr.pdfbe(fajl, &hiba)) {
        KotegeltHiba(hiba);
        return 1;
    }
    std::printf("%s (%d oldal)\n", qPrintable(fajl), qr.oldalak());
    return 0;
}

} // namespace

const QList<KotegeltMunka>& KotegeltMunkak()
{
    // Each work adds its line here.
    static const QList<KotegeltMunka> munkak = {
        {QCommandLineOption(QStringLiteral("export"),
                            QStringLiteral("A lista (video, ugyfel vagy tortenet) pontosvesszővel határolt szövegfájlba, "
                                           "Windows-1250 kódolással, minden mezővel: --export LISTA FÁJL."),
                            QStringLiteral("LISTA")),
         {}, exportFuttat},
        {QCommandLineOption(QStringLiteral("report"),
                            QStringLiteral("Jelentés PDF fájlba (a --pdf FÁJL mellé): lista (teljes lista), kiadott "
                                           "(kiadott tételek), lejart (kiadott, és lejárt tételek), bentlevo (bentlévő "
                                           "tételek), kolcsonzesek (összes tétel kölcsönzések száma szerint), cassa "
                                           "(a pénztárkönyv minden tétele), zaras (egy nap zárásának Z jelentése, "
                                           "alapból az utolsó zárásé), kesedelmes (késedelmes ügyfelek "
                                           "telefonszámmal, tételekkel és késedelmi díjjal), kesedelmes-levelek "
                                           "(felszólító levél ügyfelenként, egy-egy oldalon)."),
                            QStringLiteral("NÉV")),
         {QCommandLineOption(QStringLiteral("pdf"), QStringLiteral("A --report és a --labels által írt PDF fájl."),
                             QStringLiteral("FÁJL")),
          QCommandLineOption(QStringLiteral("date"),
                             QStringLiteral("A --report zaras mellé: a nap (ÉÉÉÉ-HH-NN), amelynek zárását újranyomtatja; "
                                            "zárás nélküli napra hibaüzenet, és nem készül fájl."),
                             QStringLiteral("NAP"))},
         JelentesPdf},
        {QCommandLineOption(QStringLiteral("archive"),
                            QStringLiteral("Az adatmappa zip archívuma a FÁJL-ba, vagy ha nincs megadva, az archív mappába "
                                           "a napi néven (ééééhhnn.zip); rögzíti az utolsó archiválás dátumát, és kiírja "
                                           "az archívum útvonalát. Futhat a pultnál nyitott program mellett is. "
                                           "Éjszakai crontab sor: 30 2 * * * kazettora --program-dir /home/bolt/Kazettora "
                                           "--archive")),
         {}, archivFuttat},
        {QCommandLineOption(QStringLiteral("import"),
                            QStringLiteral("Tételek importja pontosvesszővel határolt fájlból, ahogy a „Tételek importja” "
                                           "ablak végzi (első sor fejléc; kód;típus;árkat;cím;szöveg;műfaj;besz.ár; "
                                           "UTF-8, különben Windows-1250). Mindent vagy semmit: hibás sornál a sor "
                                           "száma és az ok a hibakimenetre kerül, és semmi sem mentődik. Kiírja az "
                                           "importált tételek számát."),
                            QStringLiteral("FÁJL")),
         {}, importFuttat},
        {QCommandLineOption(QStringLiteral("labels"),
                            QStringLiteral("Vonalkód-címkék PDF fájlba a TÓL–IG kódtartományra (a tételeké EAN-8 "
                                           "kóddal, a --customers mellett ügyfélkártyák), mint a „Vonalkód nyomtatás” "
                                           "ablak: --labels TÓL IG [--customers] [--no-number] --pdf FÁJL. Számmal "
                                           "119, szám nélkül 168 címke egy A4-es oldalon."),
                            QStringLiteral("TÓL")),
         {QCommandLineOption(QStringLiteral("customers"),
                             QStringLiteral("A --labels mellé: ügyfélkártyák (EAN-13: „29”, a tízjegyű ügyfélkód és "
                                            "az ellenőrző jegy, alatta az ügyfél neve) a TÓL–IG ügyfélkódú, "
                                            "nyilvántartott ügyfeleknek, kódjuk sorrendjében.")),
          QCommandLineOption(QStringLiteral("no-number"),
                             QStringLiteral("A --labels mellé: a kód számmal nem kerül a vonalkód alá.")),
          QCommandLineOption(QStringLiteral("pdf"), QStringLiteral("A --report és a --labels által írt PDF fájl."),
                             QStringLiteral("FÁJL"))},
         vonalkodFuttat},
    };
    return munkak;
}

const KotegeltMunka* KotegeltKeres(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (!a.startsWith(QLatin1String("--"))) continue;
        const QString nev = a.mid(2).section('=', 0, 0);
        for (const KotegeltMunka& m : KotegeltMunkak())
            if (m.kapcsolo.names().contains(nev)) return &m;
    }
    return nullptr;
}

void KotegeltHiba(const QString& uzenet)
{
    std::fprintf(stderr, "%s\n", uzenet.toLocal8Bit().constData());
}

int KotegeltFuttat(const KotegeltMunka& m, const QCommandLineParser& p)
{
    const QString figyelmeztetes = IniBeolvasFajlbol(ProgramUtvonal() + '/' + BeallitasFajlNev);
    // The program would fall back to the default data folder and say so;
    // a job must not quietly work on other data than it was set up for.
    if (!figyelmeztetes.isEmpty()) {
        KotegeltHiba(figyelmeztetes);
        return 1;
    }
    QString hiba;
    if (!Adatbazis::nyit(TBeall.Utvonal, &hiba, Adatbazis::Nyitas::Mellette)) {
        KotegeltHiba(hiba);
        return 1;
    }
    int kod = 1;
    try {
        BeallitBetoltAdatbazisbol();
        // Nobody logs in to a job: whoever may start the program on the
        // data folder's machine may run its jobs.
        TBeall.rendszergazda = true;
        TBeall.torzsszerkeszt = true;
        kod = m.futtat(p);
    } catch (const AdatbazisHiba& e) {
        KotegeltHiba(e.uzenet());
        kod = 1;
    }
    Adatbazis::zar();
    return kod;
}
