#include "windows/reports/listanyomtatas.h"
#include "print/common/uzenet.h"
#include "windows/reports/tfrm_nyomtatastipus.h"

int ListaKiad(QWidget* szulo, TqrListaAlap& qr, const ListaExportHorog& csvExport)
{
    int valasztas = Tfrm_NyomtatasTipus::Megsem;
    Vedett(
        [&] {
            // The statement runs before anything is asked: a list that
            // cannot be made is not offered.
            qr.megnyit();
            valasztas = NyomtatasTipusValaszt(szulo);
            switch (valasztas) {
            case Tfrm_NyomtatasTipus::Nyomtatas: qr.nyomtat(szulo); break;
            case Tfrm_NyomtatasTipus::NyomtatasiKep: qr.elonezet(szulo); break;
            case Tfrm_NyomtatasTipus::CsvExport:
                if (csvExport)
                    csvExport(szulo, qr.sql(), qr.parameterek(), qr.cim() + QStringLiteral(".csv"));
                break;
            default: break;
            }
        },
        szulo);
    return valasztas;
}

void TetelListaNyomtat(QWidget* szulo, TetelLista lista, const ListaExportHorog& csvExport)
{
    const std::unique_ptr<TqrListaAlap> qr = TetelListaJelentes(lista);
    ListaKiad(szulo, *qr, csvExport);
}

void KeresesEredmenyeNyomtat(QWidget* szulo, const QString& sql, const QVariantList& param,
                             const ListaExportHorog& csvExport)
{
    TqrLista qr;
    qr.keresesEredmenye(sql, param);
    ListaKiad(szulo, qr, csvExport);
}
