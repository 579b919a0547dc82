#pragma once
// The maker's contact details and the program's version: the one place they
// are written, for the read-me, the about window, the help menu's links and
// the footer of every printed list.
// KZ_VALTOZAT comes from the build (the project's version in CMakeLists.txt).
#ifndef KZ_VALTOZAT
#error "KZ_VALTOZAT: the version is set by the build"
#endif

namespace Keszito {

inline constexpr const char* Nev = "Zubolka Szoftver Bt.";
inline constexpr const char* Verzio = "V" KZ_VALTOZAT;
// The home page as printed, and as the browser opens it.
inline constexpr const char* Honlap = "www.kazettora.hu";
inline constexpr const char* HonlapUrl = "https://www.kazettora.hu/";
// There is no separate news program: the news are a page of the home page.
inline constexpr const char* UjdonsagUrl = "https://www.kazettora.hu/ujdonsagok.html";
inline constexpr const char* Level = "zubolka@kazettora.hu";
inline constexpr const char* LevelTargy = "Kazettora V" KZ_VALTOZAT " – észrevétel";
inline constexpr const char* Ugyfelfogadas = "hétfőtől péntekig 9–17 óráig";
inline constexpr const char* Telefon = "(06-1) 555-0142";
inline constexpr const char* Mobil = "(06-30) 555-0142";

} // namespace Keszito
