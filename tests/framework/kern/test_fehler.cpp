// Error records: fields, copies, the error file and its path, type words and prefixes.
#include "kern_hilfe.h"

#include "zeit.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <fstream>

#include <memory>
#include <regex>

namespace {

class Fehler : public kern::KernTest {
protected:
    static std::vector<std::string> zeilen(const std::string& inhalt)
    {
        std::vector<std::string> z;
        std::string::size_type anfang = 0;
        for (std::string::size_type ende; (ende = inhalt.find('\n', anfang)) != std::string::npos; anfang = ende + 1)
            z.push_back(inhalt.substr(anfang, ende - anfang));
        EXPECT_EQ(anfang, inhalt.size()) << "last line without line end";
        return z;
    }
    static std::string jetzt()
    {
        CZeit zeit;
        zeit.setze_jetzt();
        std::string text;
        return zeit.formatiere(text, 2);
    }
};

TEST_F(Fehler, DreiZeilenJeSatzAngehaengt)
{
    {
        std::ofstream vorher("fehler.txt");
        vorher << "alt\n";
    }
    const std::string zeit_vorher = jetzt();
    const CFehler a(FT_PROGRAMMIERFEHLER, klasse_freie_funktion(), "ergaenze_geaendert", "Text A");
    const CFehler b(FT_EINGABEFEHLER, klasse_CZeit(), "setze_jetzt", "Text B");
    const CFehler c(FT_WARNUNG, nullptr, "egal", "Text C");
    const std::string zeit_nachher = jetzt();

    const std::vector<std::string> z = zeilen(lies("fehler.txt"));
    ASSERT_EQ(z.size(), 10u);
    EXPECT_EQ(z[0], "alt");
    EXPECT_EQ(z[2], "PROGRAMMIERFEHLER: in Methode oder Funktion  ergaenze_geaendert: ");
    EXPECT_EQ(z[3], "Text A");
    EXPECT_EQ(z[5], "EINGABEFEHLER: in Klasse CZeit, Methode setze_jetzt: ");
    EXPECT_EQ(z[6], "Text B");
    EXPECT_EQ(z[8], "");  // null class: empty class line
    EXPECT_EQ(z[9], "Text C");
    for (const std::size_t i : {1u, 4u, 7u}) {
        EXPECT_TRUE(std::regex_match(z[i], std::regex(R"(\d\d\.\d\d\.\d{4} - \d\d:\d\d:\d\d)"))) << z[i];
        EXPECT_TRUE(z[i] == zeit_vorher || z[i] == zeit_nachher) << z[i];
    }
    EXPECT_EQ(a.gib_typ(), FT_PROGRAMMIERFEHLER);
    EXPECT_EQ(a.gib_ausloeser(), klasse_freie_funktion());
    EXPECT_EQ(a.gib_methode(), "ergaenze_geaendert");
    EXPECT_EQ(a.gib_text(), "Text A");
}

TEST_F(Fehler, TypwoerterUndUebersetzung)
{
    const std::pair<int, const char*> woerter[] = {
        {0, "FATALER FEHLER"}, {1, "PROGRAMMIERFEHLER"}, {2, "SYNTAXFEHLER"}, {3, "EINGABEFEHLER"},
        {4, "WARNUNG"},        {5, "INFO"},              {6, "DEBUG"},        {7, "KEIN GUELTIGER FEHLERTYP"},
        {-1, "KEIN GUELTIGER FEHLERTYP"},
    };
    for (const auto& [typ, wort] : woerter) {
        SCOPED_TRACE(typ);
        std::remove("fehler.txt");
        const CFehler f(static_cast<EFehlerTyp>(typ), klasse_CKlasse(), "m", "t");
        const std::vector<std::string> z = zeilen(lies("fehler.txt"));
        ASSERT_EQ(z.size(), 3u);
        EXPECT_EQ(z[1], std::string(wort) + ": in Klasse CKlasse, Methode m: ");
    }
    i18n().setze_eintrag("SYNTAXFEHLER", "SYNTAX ERROR");
    i18n().setze_eintrag("in Klasse %1, Methode %2: ", "in class %1, method %2: ");
    std::remove("fehler.txt");
    const CFehler f(FT_SYNTAXFEHLER, klasse_CZeit(), "m", "t");
    EXPECT_EQ(zeilen(lies("fehler.txt")).at(1), "SYNTAX ERROR: in class CZeit, method m: ");
}

TEST_F(Fehler, KopienUndAbgeschalteterSchalterSchreibenNichts)
{
    setze_schalter(ESchalter::DebugAusgabeInFehlerTxt, Nein);
    const CFehler still(FT_EINGABEFEHLER, klasse_CZeit(), "m", "t");
    EXPECT_FALSE(QFile::exists("fehler.txt"));

    setze_schalter(ESchalter::DebugAusgabeInFehlerTxt, Ja);
    const CFehler original(FT_EINGABEFEHLER, klasse_CZeit(), "m", "t");
    const std::string nach_original = lies("fehler.txt");
    const CFehler kopie(original);
    const std::unique_ptr<CFehler> heap(original.kopie());
    CFehler zugewiesen(still);
    zugewiesen = original;
    try {
        throw CFehler(still);
    } catch (const CFehler& gefangen) {
        EXPECT_EQ(gefangen.gib_text(), "t");
    }
    EXPECT_EQ(lies("fehler.txt"), nach_original);
    for (const CFehler* f : std::vector<const CFehler*>{&kopie, heap.get(), &zugewiesen}) {
        EXPECT_EQ(f->gib_typ(), FT_EINGABEFEHLER);
        EXPECT_EQ(f->gib_ausloeser(), klasse_CZeit());
        EXPECT_EQ(f->gib_methode(), "m");
        EXPECT_EQ(f->gib_text(), "t");
    }
}

TEST_F(Fehler, PfadAusVerzeichnisUndName)
{
    struct Fall {
        const char* verzeichnis;
        const char* name;
        const char* pfad;
    };
    const Fall faelle[] = {
        {"", "", "fehler.txt"},
        {"dir", "", "dir/fehler.txt"},
        {"dir/", "", "dir/fehler.txt"},
        {"dir\\", "", "dir\\fehler.txt"},
        {"/", "log.txt", "/log.txt"},
        {"", "log.txt", "log.txt"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.verzeichnis) + "|" + f.name);
        Anwenderverzeichnis() = f.verzeichnis;
        Fehlerdateiname() = f.name;
        EXPECT_EQ(fehlerdateipfad(), f.pfad);
    }
    ASSERT_TRUE(QDir().mkdir("unter"));
    Anwenderverzeichnis() = "unter";
    Fehlerdateiname() = "eigene.txt";
    const CFehler f(FT_INFO, nullptr, "m", "im Unterverzeichnis");
    EXPECT_EQ(zeilen(lies("unter/eigene.txt")).at(2), "im Unterverzeichnis");
}

TEST_F(Fehler, NichtOeffnbareDateiBleibtStill)
{
    kern::Empfaenger empfaenger;
    installiere_meldungsempfaenger(&empfaenger);
    Anwenderverzeichnis() = "fehlt/auch";
    const CFehler f(FT_FATALER_FEHLER, klasse_CZeit(), "m", "t");
    EXPECT_EQ(f.gib_text(), "t");
    EXPECT_FALSE(QDir("fehlt").exists());
    EXPECT_TRUE(empfaenger.meldungen.empty());
}

TEST_F(Fehler, MeldeGibtDenSatzWeiter)
{
    kern::Empfaenger empfaenger;
    installiere_meldungsempfaenger(&empfaenger);
    const CFehler f(FT_SYNTAXFEHLER, klasse_CZeit(), "methode", "text");
    static_cast<const CFehlerBasis&>(f).melde();
    ASSERT_EQ(empfaenger.meldungen.size(), 1u);
    EXPECT_EQ(empfaenger.meldungen[0].typ, FT_SYNTAXFEHLER);
    EXPECT_EQ(empfaenger.meldungen[0].klasse, klasse_CZeit());
    EXPECT_EQ(empfaenger.meldungen[0].methode, "methode");
    EXPECT_EQ(empfaenger.meldungen[0].text, "text");
}

}  // namespace
