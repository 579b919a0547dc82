#pragma once
// The users of the program and their two rights: the credential check of the
// login, the password change, saving and deleting a user. Passwords are kept
// only as salted, slow digests (Argon2id, crypto_pwhash_str); a row of an
// older data folder that still holds the password as typed is accepted once
// and stored as a digest from then on.
#include <QString>
#include <optional>

namespace Felhasznalok {

// A password is at most this many characters, as typed.
inline constexpr int JelszoHossz = 10;
// How a stored digest begins; anything else is a password kept as typed.
inline constexpr const char* DigestElotag = "$argon2id$";

inline constexpr const char* ErvenytelenBelepes = "Érvénytelen felhasználó, vagy jelszó";
inline constexpr const char* HianyosAdat = "Hiányos adat megadás";
inline constexpr const char* HibasJelszo = "Hibás jelszó megadás";
inline constexpr const char* NemEgyezoJelszavak = "A megadott jelszavak nem egyezőek";
inline constexpr const char* JelszoTulHosszu = "A jelszó legfeljebb 10 karakter lehet.";
inline constexpr const char* UtolsoRendszergazda =
    "Az utolsó rendszergazda nem törölhető, és a rendszergazda joga sem vehető el, amíg a belépés be van kapcsolva.";

// Tests only: digests made at the library's least cost, so that a test of
// the rules does not wait on the hash; a digest records the cost it was
// made with, and each verifies under its own.
void OlcsoDigest(bool olcso);

// The salted digest of a password (interactive limits). Throws
// AdatbazisHiba when the library cannot make one (out of memory).
QString Digest(const QString& jelszo);
// True when `jelszo` is the password of the stored value: a digest is
// verified, a value without the digest's prefix compared as typed (exactly,
// letter case included; an empty field is the empty password).
bool Egyezik(const QString& tarolt, const QString& jelszo);
bool DigestE(const QString& tarolt);

// The user whose name and password matched, with their rights.
struct Belepo {
    QString felhasznalo;
    QString felhasznalo_nev;
    bool rendszergazda = false;
    bool torzsszerkeszt = false;
};

// The credential check: the row whose name equals `nev` exactly and whose
// password is `jelszo`. A password of that row still kept as typed is
// replaced by its digest (its own transaction). No such user or a wrong
// password gives nothing, in about the same time either way.
std::optional<Belepo> Azonosit(const QString& nev, const QString& jelszo);
// Puts the user's rights and name into TBeall.
void JogokBeallit(const Belepo& b);

// Stores the digest of `uj` as the user's password, in one transaction.
// Throws AdatbazisHiba: an empty or too long password, a missing user.
void JelszoCsere(const QString& nev, const QString& uj);

// A user as the edit dialog gives it. `jelszo` and `megerosites` are what
// was typed; both empty on an existing user keeps the stored password.
struct Adatok {
    QString felhasznalo;
    QString jelszo;
    QString megerosites;
    bool rendszergazda = false;
    bool torzsszerkeszt = false;
};

// Checks what the edit dialog holds before anything is written: the
// message to show ("Hiányos adat megadás", "Hibás jelszó megadás", a too
// long password), or empty text. `uj` for a new user.
QString Ellenoriz(const Adatok& a, bool uj);
// Saves a user in one transaction: a new one (`regiNev` empty) or the one
// named `regiNev` (which may get a new name). Throws AdatbazisHiba with the
// reason (what Ellenoriz says, a name already taken, the last administrator
// losing the right while login is on); then nothing has changed.
void Ment(const QString& regiNev, const Adatok& a);
// Deletes a user in one transaction; refuses the last administrator while
// login is on (the beallit row's vanbelep is "I").
void Torol(const QString& nev);

// The number of users with the administrator right.
int RendszergazdaSzam();

} // namespace Felhasznalok
