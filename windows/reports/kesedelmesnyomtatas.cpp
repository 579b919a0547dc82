#include "windows/reports/kesedelmesnyomtatas.h"
#include "print/common/parbeszed.h"
#include "print/common/uzenet.h"
#include "print/rental/tqrkesedelmes.h"
#include "windows/reports/tfrm_nyomtatastipus.h"

#include <QRadioButton>
#include <memory>

void KesedelmesNyomtat(QWidget* szulo, KesedelmesFajta fajta)
{
    Vedett(
        [&] {
            std::unique_ptr<Jelentes> qr;
            if (fajta == KesedelmesFajta::Lista) {
                auto l = std::make_unique<TqrKesedelmes>();
                l->megnyit();
                qr = std::move(l);
            } else {
                auto l = std::make_unique<TqrFelszolito>();
                l->megnyit();
                qr = std::move(l);
            }
            if (qr->sorokSzama() == 0) {
                UzenetAblak(QStringLiteral("Nincs késedelmes ügyfél: egy kint lévő tétel határideje sem járt le."),
                            szulo);
                return;
            }
            // The chooser of the item lists, its third choice a PDF file here.
            Tfrm_NyomtatasTipus d(szulo);
            d.Tipus[Tfrm_NyomtatasTipus::CsvExport]->setText(QStringLiteral("PDF fájl"));
            if (d.exec() != QDialog::Accepted) return;
            switch (d.valasztas()) {
            case Tfrm_NyomtatasTipus::Nyomtatas: qr->nyomtat(szulo); break;
            case Tfrm_NyomtatasTipus::NyomtatasiKep: qr->elonezet(szulo); break;
            case Tfrm_NyomtatasTipus::CsvExport: {
                const QString fajl = parbeszed().mentendoFajl(szulo, QStringLiteral("Mentés PDF fájlba"),
                                                              qr->cim() + QStringLiteral(".pdf"),
                                                              QStringLiteral("PDF fájlok (*.pdf)"));
                if (fajl.isEmpty()) return;
                QString hiba;
                if (!qr->pdfbe(fajl, &hiba)) HibaAblak(hiba, szulo);
                break;
            }
            default: break;
            }
        },
        szulo);
}
