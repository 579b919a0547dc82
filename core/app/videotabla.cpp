#include "core/app/videotabla.h"
#include "core/data/konverzio.h"

namespace {

ListaDef videoDef()
{
    using T = Sema::Tipus;
    ListaDef d;
    d.tabla = "video";
    d.alias = "v";
    d.kulcs = "video";
    const Sema::Tabla* t = Sema::tabla("video");
    QStringList sel;
    auto mezo = [&](const QString& n) {
        d.mezok << n;
        d.tipusok << Sema::mezo("video", n)->tipus;
        sel << "v." + n;
    };
    auto keres = [&](const QString& n, const QString& kif) {
        d.mezok << n;
        d.tipusok << T::Szoveg;
        sel << kif;
    };
    Q_UNUSED(t);
    mezo("video"); mezo("azon"); mezo("tipus"); keres("tipus_nev", "t.tipus_nev");
    mezo("arkat"); keres("arkat_nev", "a.arkat_nev"); mezo("video_nev"); mezo("szoveg");
    mezo("ugyfel"); keres("ugyfel_nev", "u.ugyfel_nev"); mezo("fiztip"); keres("fiztip_nev", "f.fiztip_nev");
    mezo("dat_kiadva"); mezo("ido_kiadva"); mezo("dat_visszakell"); mezo("ido_visszakell");
    mezo("dat_vissza"); mezo("ido_vissza"); mezo("ar"); mezo("kint"); mezo("torolve"); mezo("dat_besz");
    mezo("dat_selejt"); mezo("kolcsid"); mezo("kolcsonozve"); mezo("mufaj"); keres("mufaj_nev", "m.mufaj_nev");
    mezo("beszar");
    d.select = sel.join(", ");
    // A missing type, customer or genre shows an empty name.
    d.joinok = "LEFT JOIN tipus t ON (t.tipus = v.tipus) LEFT JOIN arkat a ON (a.arkat = v.arkat) "
               "LEFT JOIN ugyfel u ON (u.ugyfel = v.ugyfel) LEFT JOIN fiztip f ON (f.fiztip = v.fiztip) "
               "LEFT JOIN mufaj m ON (m.mufaj = v.mufaj)";
    return d;
}

} // namespace

VideoTabla::VideoTabla() : m_lista(videoDef()) {}

const QStringList& VideoTabla::mezok()
{
    static const QStringList m = videoDef().mezok;
    return m;
}

QString VideoTabla::felirat(const QString& mezo)
{
    static const QHash<QString, QString> f{
        {"azon", "kód"}, {"tipus_nev", "típus"}, {"arkat_nev", "árkat."}, {"video_nev", "cím"},
        {"szoveg", "szöveg"}, {"ugyfel_nev", "ügyfél"}, {"fiztip_nev", "fizkat."}, {"dat_kiadva", "kiadva"},
        {"ido_kiadva", "idő.k"}, {"dat_visszakell", "vissza kell"}, {"ido_visszakell", "idő.vk"},
        {"dat_vissza", "visszaérk"}, {"ido_vissza", "idő.v"}, {"ar", "ár"}, {"dat_besz", "besz.dátum"},
        {"dat_selejt", "selejt dátum"}, {"kolcsonozve", "kölcs."}};
    return f.value(mezo.toLower(), mezo);
}

void VideoTabla::alkalmaz()
{
    m_lista.rendezes(m_rend == Rend::Kod ? QStringLiteral("v.azon") : QStringLiteral("v.video_nev COLLATE HU"));
    m_lista.szures(m_csakKint ? QStringLiteral("v.kint = 'I'") : QString());
    m_lista.betolt();
}

void VideoTabla::nyit()
{
    m_rend = Rend::Kod;
    m_csakKint = false;
    alkalmaz();
    m_aktualis = m_lista.sorok() > 0 ? 0 : -1;
}

void VideoTabla::aktualisBeallit(int sor)
{
    m_aktualis = (sor >= 0 && sor < m_lista.sorok()) ? sor : (m_lista.sorok() > 0 ? 0 : -1);
}

void VideoTabla::rendBeallit(Rend r)
{
    const qint64 k = aktualisKulcs();
    m_rend = r;
    alkalmaz();
    const int s = m_lista.sor(k);
    aktualisBeallit(s);
}

void VideoTabla::csakKintBeallit(bool be)
{
    m_csakKint = be;
    alkalmaz();
    aktualisBeallit(0);
}

void VideoTabla::frissit()
{
    const qint64 k = aktualisKulcs();
    const int regi = m_aktualis;
    alkalmaz();
    const int s = m_lista.sor(k);
    aktualisBeallit(s >= 0 ? s : std::min(regi, m_lista.sorok() - 1));
}

bool VideoTabla::keresKod(int azon)
{
    const int s = m_lista.elso(QStringLiteral("v.azon = ?"), {azon});
    if (s < 0) return false;
    m_aktualis = s;
    return true;
}

bool VideoTabla::keresCim(const QString& eleje)
{
    if (m_lista.sorok() == 0) return false;
    if (eleje.isEmpty()) {
        m_aktualis = 0;
        return true;
    }
    // The nearest title not before the text, in the HU order, among those
    // that begin with it there (a probe of the title index per range).
    const int s = m_lista.elsoKezdodo(QStringLiteral("v.video_nev"), eleje);
    if (s < 0) return false;
    m_aktualis = s;
    return true;
}

bool VideoTabla::keresKulcs(qint64 video)
{
    const int s = m_lista.sor(video);
    if (s < 0) return false;
    m_aktualis = s;
    return true;
}
