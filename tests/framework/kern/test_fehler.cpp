// Error records: the error file and its path, type words, copies and passing a record on.
#include "kern_hilfe.h"

#include <QRegularExpression>

#include <cstdio>

namespace {

// QRegularExpression rather than std::regex: GCC's <regex> trips its own warnings in the sanitizer build.
const QRegularExpression zeitstempel(QStringLiteral(R"(\d\d\.\d\d\.\d{4} - \d\d:\d\d:\d\d\n)"));

// The file with every time-stamp line written as "@".
std::string ohne_zeit(const std::string& pfad)
{
    return QString::fromLatin1(kern::lies(pfad).c_str()).replace(zeitstempel, "@\n").toLatin1().toStdString();
}

using Fehler = kern::Umgebung;

TEST_F(Fehler, DreiZeilenJeSatzAngehaengt)
{
    std::ofstream("fehler.txt") << "alt\n";
    const CFehler a(PROGRAMMIERFEHLER, klasse_freie_funktion(), "ergaenze_geaendert", "Text A");
    const CFehler c(WARNUNG, nullptr, "egal", "Text C");  // null class: empty class line
    // The time stamps in form 2 became "@"; that they read the clock is CZeit's test.
    EXPECT_EQ(ohne_zeit("fehler.txt"), "alt\n@\nPROGRAMMIERFEHLER: in Methode oder Funktion  ergaenze_geaendert: \n"
                                       "Text A\n@\n\nText C\n");

    // Type words, an invalid type on either side, and translated pieces.
    const char* const woerter[] = {"KEIN GUELTIGER FEHLERTYP", "FATALER FEHLER", "PROGRAMMIERFEHLER", "SYNTAXFEHLER",
                                   "EINGABEFEHLER", "WARNUNG", "INFO", "DEBUG", "KEIN GUELTIGER FEHLERTYP"};
    for (int typ = -1; typ <= 7; ++typ) {
        std::remove("fehler.txt");
        const CFehler f(static_cast<EFehlerTyp>(typ), klasse_cklasse(), "m", "t");
        EXPECT_EQ(ohne_zeit("fehler.txt"), "@\n" + std::string(woerter[typ + 1]) + ": in Klasse CKlasse, Methode m: \nt\n");
    }
    i18n().setze_eintrag("SYNTAXFEHLER", "SYNTAX ERROR");
    i18n().setze_eintrag("in Klasse %1, Methode %2: ", "in class %1, method %2: ");
    std::remove("fehler.txt");
    const CFehler f(syntaxfehler, klasse_czeit(), "m", "t");
    EXPECT_EQ(ohne_zeit("fehler.txt"), "@\nSYNTAX ERROR: in class CZeit, method m: \nt\n");
}

TEST_F(Fehler, KopienUndAbgeschalteterSchalterSchreibenNichts)
{
    setze_schalter(ESchalter::debug_ausgabe_in_fehler_txt, nein);
    const CFehler still(info, nullptr, "", "");
    EXPECT_FALSE(QFile::exists("fehler.txt"));
    setze_schalter(ESchalter::debug_ausgabe_in_fehler_txt, ja);
    const CFehler original(syntaxfehler, klasse_czeit(), "m", "t");
    const CFehler kopie(original);
    const std::unique_ptr<CFehler> heap(original.kopie());
    EXPECT_EQ(ohne_zeit("fehler.txt"), "@\nSYNTAXFEHLER: in Klasse CZeit, Methode m: \nt\n");

    // Each copy carries every field, and melde hands them on unchanged.
    installiere_meldungsempfaenger(&empfaenger);
    for (const CFehlerBasis* f : std::vector<const CFehlerBasis*>{&original, &kopie, heap.get()})
        f->melde();
    EXPECT_EQ(empfaenger.meldungen, std::vector<std::string>(3, "2 CZeit m: t"));
}

TEST_F(Fehler, PfadAusVerzeichnisUndName)
{
    const char* const faelle[][3] = {{"", "", "fehler.txt"}, {"dir", "", "dir/fehler.txt"},
                                     {"dir/", "", "dir/fehler.txt"}, {"dir\\", "", "dir\\fehler.txt"},
                                     {"/", "log.txt", "/log.txt"}};
    for (const auto& f : faelle) {
        Anwenderverzeichnis() = f[0];
        Fehlerdateiname() = f[1];
        EXPECT_EQ(fehlerdateipfad(), f[2]);
    }
    ASSERT_TRUE(QDir().mkdir("unter"));
    Anwenderverzeichnis() = "unter";
    Fehlerdateiname() = "eigene.txt";
    { const CFehler f(info, nullptr, "m", "im Unterverzeichnis"); }
    EXPECT_EQ(ohne_zeit("unter/eigene.txt"), "@\n\nim Unterverzeichnis\n");

    // A file that cannot be opened is skipped without a word.
    installiere_meldungsempfaenger(&empfaenger);
    Anwenderverzeichnis() = "fehlt/auch";
    { const CFehler g(fataler_fehler, klasse_czeit(), "m", "t"); }
    EXPECT_FALSE(QDir("fehlt").exists());
    EXPECT_TRUE(empfaenger.meldungen.empty());
}

}  // namespace
