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
        EXPECT_TRUE(inhalt.empty() || inhalt.back() == '\n') << "last line without line end";
        std::vector<std::string> z;
        for (std::size_t anfang = 0, ende; (ende = inhalt.find('\n', anfang)) != std::string::npos; anfang = ende + 1)
            z.push_back(inhalt.substr(anfang, ende - anfang));
        return z;
    }
};

TEST_F(Fehler, DreiZeilenJeSatzAngehaengt)
{
    std::ofstream("fehler.txt") << "alt\n";
    CZeit zeit;
    std::string vorher, nachher;
    zeit.setze_jetzt();
    zeit.formatiere(vorher, 2);
    const CFehler a(FT_PROGRAMMIERFEHLER, klasse_freie_funktion(), "ergaenze_geaendert", "Text A");
    const CFehler b(FT_EINGABEFEHLER, klasse_CZeit(), "setze_jetzt", "Text B");
    const CFehler c(FT_WARNUNG, nullptr, "egal", "Text C");
    zeit.setze_jetzt();
    zeit.formatiere(nachher, 2);

    const std::vector<std::string> z = zeilen("fehler.txt");
    ASSERT_EQ(z.size(), 10u);
    EXPECT_EQ(std::vector<std::string>(z.begin() + 2, z.begin() + 4),
              (std::vector<std::string>{"PROGRAMMIERFEHLER: in Methode oder Funktion  ergaenze_geaendert: ", "Text A"}));
    EXPECT_EQ(std::vector<std::string>(z.begin() + 5, z.begin() + 7),
              (std::vector<std::string>{"EINGABEFEHLER: in Klasse CZeit, Methode setze_jetzt: ", "Text B"}));
    EXPECT_EQ(z[0] + "|" + z[8] + "|" + z[9], "alt||Text C");  // null class: empty class line
    for (const std::size_t i : {1u, 4u, 7u}) {
        EXPECT_TRUE(std::regex_match(z[i], std::regex(R"(\d\d\.\d\d\.\d{4} - \d\d:\d\d:\d\d)"))) << z[i];
        EXPECT_TRUE(z[i] == vorher || z[i] == nachher) << z[i];
    }
}

TEST_F(Fehler, TypwoerterUndUebersetzung)
{
    const char* const woerter[] = {"KEIN GUELTIGER FEHLERTYP", "FATALER FEHLER", "PROGRAMMIERFEHLER", "SYNTAXFEHLER",
                                   "EINGABEFEHLER", "WARNUNG", "INFO", "DEBUG", "KEIN GUELTIGER FEHLERTYP"};
    for (int typ = -1; typ <= 7; ++typ) {
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
    EXPECT_EQ(lies("fehler.txt"), nach_original);

    // Each copy carries every field, and melde hands them on unchanged.
    installiere_meldungsempfaenger(&empfaenger);
    for (const CFehlerBasis* f : std::vector<const CFehlerBasis*>{&original, &kopie, heap.get(), &zugewiesen})
        f->melde();
    ASSERT_EQ(empfaenger.meldungen.size(), 4u);
    for (const auto& m : empfaenger.meldungen)
        EXPECT_TRUE(m.typ == FT_SYNTAXFEHLER && m.klasse == klasse_CZeit() && m.methode == "m" && m.text == "t");
}

TEST_F(Fehler, PfadAusVerzeichnisUndName)
{
    const struct {
        const char *verzeichnis, *name, *pfad;
    } faelle[] = {
        {"", "", "fehler.txt"},           {"dir", "", "dir/fehler.txt"}, {"dir/", "", "dir/fehler.txt"},
        {"dir\\", "", "dir\\fehler.txt"}, {"/", "log.txt", "/log.txt"},  {"", "log.txt", "log.txt"},
    };
    for (const auto& f : faelle) {
        Anwenderverzeichnis() = f.verzeichnis;
        Fehlerdateiname() = f.name;
        EXPECT_EQ(fehlerdateipfad(), f.pfad) << f.verzeichnis << "|" << f.name;
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
