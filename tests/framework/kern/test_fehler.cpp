// Error records: the error file and its path, type words, copies and passing a record on.
#include "kern_hilfe.h"

#include "zeit.h"

#include <QDir>

#include <cstdio>
#include <fstream>
#include <memory>
#include <regex>

namespace {

class Fehler : public kern::KernTest {
protected:
    // The lines of a file; each must end in a line end.
    static std::vector<std::string> zeilen(const std::string& pfad)
    {
        const std::string inhalt = lies(pfad);
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
    std::ofstream("fehler.txt") << "alt\n";
    const std::string zeit_vorher = jetzt();
    const CFehler a(FT_PROGRAMMIERFEHLER, klasse_freie_funktion(), "ergaenze_geaendert", "Text A");
    const CFehler b(FT_EINGABEFEHLER, klasse_CZeit(), "setze_jetzt", "Text B");
    const CFehler c(FT_WARNUNG, nullptr, "egal", "Text C");
    const std::string zeit_nachher = jetzt();

    const std::vector<std::string> z = zeilen("fehler.txt");
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
}

TEST_F(Fehler, TypwoerterUndUebersetzung)
{
    const char* const woerter[] = {"KEIN GUELTIGER FEHLERTYP", "FATALER FEHLER", "PROGRAMMIERFEHLER", "SYNTAXFEHLER",
                                   "EINGABEFEHLER", "WARNUNG", "INFO", "DEBUG", "KEIN GUELTIGER FEHLERTYP"};
    for (int typ = -1; typ <= 7; ++typ) {
        SCOPED_TRACE(typ);
        std::remove("fehler.txt");
        const CFehler f(static_cast<EFehlerTyp>(typ), klasse_CKlasse(), "m", "t");
        EXPECT_EQ(zeilen("fehler.txt").at(1), std::string(woerter[typ + 1]) + ": in Klasse CKlasse, Methode m: ");
    }
    i18n().setze_eintrag("SYNTAXFEHLER", "SYNTAX ERROR");
    i18n().setze_eintrag("in Klasse %1, Methode %2: ", "in class %1, method %2: ");
    std::remove("fehler.txt");
    const CFehler f(FT_SYNTAXFEHLER, klasse_CZeit(), "m", "t");
    EXPECT_EQ(zeilen("fehler.txt").at(1), "SYNTAX ERROR: in class CZeit, method m: ");
}

TEST_F(Fehler, KopienUndAbgeschalteterSchalterSchreibenNichts)
{
    setze_schalter(ESchalter::DebugAusgabeInFehlerTxt, Nein);
    const CFehler still(FT_INFO, nullptr, "", "");
    EXPECT_FALSE(QFile::exists("fehler.txt"));

    setze_schalter(ESchalter::DebugAusgabeInFehlerTxt, Ja);
    const CFehler original(FT_SYNTAXFEHLER, klasse_CZeit(), "m", "t");
    const std::string nach_original = lies("fehler.txt");
    const CFehler kopie(original);
    const std::unique_ptr<CFehler> heap(original.kopie());
    CFehler zugewiesen(still);
    zugewiesen = original;
    try {
        throw CFehler(still);
    } catch (const CFehler&) {
    }
    EXPECT_EQ(lies("fehler.txt"), nach_original);

    // Each copy carries every field: melde hands them on unchanged.
    installiere_meldungsempfaenger(&empfaenger);
    for (const CFehlerBasis* f : std::vector<const CFehlerBasis*>{&original, &kopie, heap.get(), &zugewiesen})
        f->melde();
    ASSERT_EQ(empfaenger.meldungen.size(), 4u);
    for (const auto& m : empfaenger.meldungen) {
        EXPECT_EQ(m.typ, FT_SYNTAXFEHLER);
        EXPECT_EQ(m.klasse, klasse_CZeit());
        EXPECT_EQ(m.methode + "|" + m.text, "m|t");
    }
}

TEST_F(Fehler, PfadAusVerzeichnisUndName)
{
    const struct {
        const char* verzeichnis;
        const char* name;
        const char* pfad;
    } faelle[] = {
        {"", "", "fehler.txt"},         {"dir", "", "dir/fehler.txt"},   {"dir/", "", "dir/fehler.txt"},
        {"dir\\", "", "dir\\fehler.txt"}, {"/", "log.txt", "/log.txt"}, {"", "log.txt", "log.txt"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.verzeichnis) + "|" + f.name);
        Anwenderverzeichnis() = f.verzeichnis;
        Fehlerdateiname() = f.name;
        EXPECT_EQ(fehlerdateipfad(), f.pfad);
    }
    ASSERT_TRUE(QDir().mkdir("unter"));
    Anwenderverzeichnis() = "unter";
    Fehlerdateiname() = "eigene.txt";
    const CFehler f(FT_INFO, nullptr, "m", "im Unterverzeichnis");
    EXPECT_EQ(zeilen("unter/eigene.txt").at(2), "im Unterverzeichnis");

    // A file that cannot be opened is skipped without a word.
    installiere_meldungsempfaenger(&empfaenger);
    Anwenderverzeichnis() = "fehlt/auch";
    const CFehler g(FT_FATALER_FEHLER, klasse_CZeit(), "m", "t");
    EXPECT_FALSE(QDir("fehlt").exists());
    EXPECT_TRUE(empfaenger.meldungen.empty());
}

}  // namespace
