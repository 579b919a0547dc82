#include "app/program.h"
#include "batch/atvetelparancs.h"
#include "batch/kotegelt.h"
#include "core/common/qtforditas.h"
#include "core/data/beallitas.h"
#include "core/admin/telepites.h"
#include "windows/admin/tfrm_atvetel.h"
#include "windows/app/alkalmazas.h"
#include "windows/app/indulas.h"
#include "windows/app/tfrm_main.h"
#include "windows/common/ablakparbeszed.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <cstdio>
#include <memory>

QString AlapProgramMappa()
{
    // An installed program (/usr/bin) cannot keep its settings and data
    // beside itself: each user then has the installation in their data folder.
    const QString exe = QCoreApplication::applicationDirPath();
    if (QFileInfo(exe).isWritable()) return exe;
    const QString sajat = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(sajat);
    return sajat;
}

int KazettoraFut(int argc, char** argv)
{
    // Dates, times and decimals are Hungarian as the rest of the program,
    // whoever starts it: an English desktop, or cron with no locale at all.
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));

    // The installer needs no display; decide before any window system starts.
    bool telepit = false;
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--setup") == 0 || qstrcmp(argv[i], "--help") == 0 || qstrcmp(argv[i], "-h") == 0
            || qstrncmp(argv[i], "--owner-file", 12) == 0 || qstrncmp(argv[i], "--migrate", 9) == 0
            || qstrncmp(argv[i], "--ini", 5) == 0 || qstrcmp(argv[i], "--dry-run") == 0)
            telepit = true;

    // A batch command draws (PDF pages) but shows nothing: no display needed.
    const KotegeltMunka* munka = telepit ? nullptr : KotegeltKeres(argc, argv);
    // --customers without a batch command is refused below; no window
    // system is started for telling it.
    for (int i = 1; i < argc && !munka; ++i)
        if (qstrcmp(argv[i], "--customers") == 0) telepit = true;
    if (munka && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Run from cron a batch command has no session runtime folder, and Qt
    // says so on standard error at every start: cron would mail that every
    // night. Nothing of ours lives there, so the remark is dropped.
    static QtMessageHandler elozo = nullptr;
    if (munka)
        elozo = qInstallMessageHandler([](QtMsgType t, const QMessageLogContext& k, const QString& m) {
            if (t == QtWarningMsg && m.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
            if (elozo) elozo(t, k, m);
        });

    std::unique_ptr<QCoreApplication> app;
    if (telepit)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else if (munka)
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kazettora"));
    QtForditasBetolt();

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Kazettora – videotéka pultprogram"));
    // Our own help option: Qt's text for it has no Hungarian translation.
    const QCommandLineOption sugo({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Kiírja ezt a súgót, majd kilép."));
    p.addOption(sugo);
    QCommandLineOption mappa(QStringLiteral("program-dir"),
                             QStringLiteral("A program mappája (beállítások, Data, Archiv); alapértelmezés: a futtatható fájl mappája, "
                                            "vagy ha az nem írható, a felhasználó adatmappája (~/.local/share/Kazettora)."),
                             QStringLiteral("MAPPA"));
    QCommandLineOption setup(QStringLiteral("setup"),
                             QStringLiteral("Új telepítés: létrehozza a MAPPA/Data/kazettora.db adatbázist az alapadatokkal, majd kilép."));
    QCommandLineOption minta(QStringLiteral("sample"), QStringLiteral("A --setup mellé: mintakatalógust is tölt."));
    QCommandLineOption tulajFajl(QStringLiteral("owner-file"),
                                 QStringLiteral("A --setup mellé: az üzlet adatai egy UTF-8 szövegfájlból, soronként mező=érték "
                                                "(tulajdonos, irsz, varos, cim, telefon, mobil, fax, adoszam, bankszamlaszam)."),
                                 QStringLiteral("FÁJL"));
    QCommandLineOption atvesz(QStringLiteral("migrate"),
                              QStringLiteral("Egy korábbi adatmappa (Paradox táblák) vagy annak zip archívuma átvétele egy új "
                                             "telepítésbe (MAPPA/Data/kazettora.db), beállításfájlostul; utána kilép."),
                              QStringLiteral("RÉGI"));
    QCommandLineOption regiIni(QStringLiteral("ini"),
                               QStringLiteral("A --migrate mellé: a régi beállításfájl (alapértelmezés: a régi adatmappa "
                                              "mellett vagy benne levő Kazettora.ini)."),
                               QStringLiteral("FÁJL"));
    QCommandLineOption proba(QStringLiteral("dry-run"),
                             QStringLiteral("A --migrate mellé: mindent beolvas és ellenőriz, de semmit sem ír ki."));
    p.addOptions({mappa, setup, minta, tulajFajl, atvesz, regiIni, proba});
    QStringList nevek;
    for (const KotegeltMunka& m : KotegeltMunkak())
        for (const QCommandLineOption& o : QList{m.kapcsolo} + m.opciok)
            if (!nevek.contains(o.names().constFirst())) {
                nevek << o.names().constFirst();
                p.addOption(o);
            }
    p.process(*app);
    if (p.isSet(sugo)) p.showHelp(0);

    ProgramUtvonalBeallit(p.isSet(mappa) ? p.value(mappa) : AlapProgramMappa());

    if (p.isSet(tulajFajl) && !p.isSet(setup)) {
        std::fprintf(stderr, "%s\n", "Az --owner-file csak a --setup mellett használható; "
                                      "egy meglévő üzlet adatai a Beállítások ablak „Üzlet” lapján módosíthatók.");
        return 2;
    }
    if (p.isSet(QStringLiteral("customers")) && !p.isSet(QStringLiteral("labels"))) {
        std::fprintf(stderr, "%s\n", "A --customers csak a --labels mellett használható: "
                                      "--labels TÓL IG --customers [--no-number] --pdf FÁJL.");
        return 2;
    }
    if ((p.isSet(regiIni) || p.isSet(proba)) && !p.isSet(atvesz)) {
        std::fprintf(stderr, "%s\n", "Az --ini és a --dry-run csak a --migrate mellett használható.");
        return 2;
    }
    if (p.isSet(atvesz)) {
        if (p.isSet(setup)) {
            std::fprintf(stderr, "%s\n", "A --migrate maga készíti el a telepítést; a --setup nem kell mellé.");
            return 2;
        }
        return AtvetelParancs(ProgramUtvonal(), p.value(atvesz), p.value(regiIni), p.isSet(proba));
    }
    if (p.isSet(setup)) {
        QString hiba;
        TulajdonosAdat tulajdonos;
        if (p.isSet(tulajFajl) && !Tulajdonos::fajlbol(p.value(tulajFajl), &tulajdonos, &hiba)) {
            std::fprintf(stderr, "%s\n", qPrintable(hiba));
            return 1;
        }
        if (!Telepites::telepit(ProgramUtvonal(), p.isSet(minta), &hiba, p.isSet(tulajFajl) ? &tulajdonos : nullptr)) {
            std::fprintf(stderr, "%s\n", qPrintable(hiba));
            return 1;
        }
        std::printf("Az új adatbázis elkészült: %s/Data/kazettora.db\n", qPrintable(ProgramUtvonal()));
        return 0;
    }

    if (munka) return KotegeltFuttat(*munka, p);

    auto* gui = static_cast<QApplication*>(app.get());
    AlkalmazasBeallit(*gui);
    static AblakParbeszed ablakParbeszed;
    parbeszedBeallit(&ablakParbeszed);
    // The main window asks for the take-over of earlier data by closing
    // itself (with its lists and the session); the start then runs again on
    // the data taken over, settings file included.
    for (;;) {
        const std::optional<Munkamenet> munkamenet = Indulas();
        if (!munkamenet) return 1;
        int kod = 0;
        bool atvetel = false;
        {
            Tfrm_Main ablak(*munkamenet);
            if (!ablak.indult()) return 1;
            ablak.show();
            kod = gui->exec();
            atvetel = ablak.atvetelKell();
        }
        if (!atvetel) return kod;
        RegiAdatokAtvetele(nullptr);
    }
}
