// CZeit (clock, forms, dump); error records and file; melde (suppression, dressing, distribution, echo, groups).
#include "tests/framework/framework_hilfe.h"
#include "framework/diagnostics/zeit.h"
#include <cstdio>
#include <ctime>
#include <optional>
namespace {
using Zeit = MitEmpfaenger;
using Fehler = Umgebung;
TEST_F(Zeit, FormenBereichsersatzUndJetztInOrtszeit)
{
    const struct { int jahr, monat, tag, stunde, minute, sekunde; unsigned form; const char* erwartet; } faelle[] = {
        {0, 0, 0, 0, 0, 0, 0, "00.00.   0"}, {0, 0, 0, 0, 0, 0, 1, "00:00:00"},
        {0, 0, 0, 0, 0, 0, 4, "0000-00-00 00:00:00"}, {7, 1, 1, 0, 0, 0, 4, "0007-01-01 00:00:00"},
        {2026, 12, 3, 2, 5, 9, 2, "03.12.2026 - 02:05:09"}, {2026, 13, 3, 2, 5, 9, 4, "2026-00-03 02:05:09"},
        {9999, 12, 31, 23, 59, 59, 4, "9999-12-31 23:59:59"}, {10000, 12, 32, 24, 60, 60, 4, "0000-12-00 00:00:00"},
        {10000, 12, 32, 24, 60, 60, 3, "32.12.10000 - 24:60:60"},
        {2026, 1, 2, 3, -100, 5, 4, "2026-01-02 03:-100:05"},  // too wide for form 4: kept whole, with itoa's warning
    };
    for (const auto& f : faelle) {
        CZeit zeit;
        zeit.setze(f.jahr, f.monat, f.tag, f.stunde, f.minute, f.sekunde);
        std::string text = "alter Inhalt";
        EXPECT_EQ(zeit.formatiere(text, f.form), f.erwartet);
    }
    empfaenger.erwarte_warnungen("itoa", {"Ausgabe einer Zahl (-100) uebersteigt angegebene Breite (2)"});
    ::setenv("TZ", "XYZ-3", 1);  // three hours east of UTC; the POSIX form needs no zone database
    ::tzset();
    CZeit zeit;
    zeit.setze_mikrosekunden(7.0);
    std::time_t vorher;
    do {  // read again when the second changed in between
        vorher = std::time(nullptr);
        zeit.setze_jetzt();
    } while (vorher != std::time(nullptr));
    const std::time_t ort = vorher + 3 * 3600;
    std::tm utc{};
    ::gmtime_r(&ort, &utc);
    char erwartet[32];
    std::strftime(erwartet, sizeof erwartet, "%Y-%m-%d %H:%M:%S", &utc);
    std::string text;
    EXPECT_EQ(zeit.formatiere(text, 4), erwartet);
    EXPECT_EQ(std::vector<double>({1.0 * zeit.gib_wochentag(), 1.0 * zeit.gib_tag_im_jahr(), zeit.gib_mikrosekunden()}),
              std::vector<double>({utc.tm_wday + 1.0, utc.tm_yday + 1.0, 7.0}));
}
TEST_F(Fehler, DreiZeilenJeSatzAngehaengtNurMitEingeschaltetemSchalter)
{
    setze_schalter(ESchalter::debug_ausgabe_in_fehler_txt, nein);
    const CFehler still(info, nullptr, "", "");
    EXPECT_FALSE(QFile::exists("fehler.txt"));
    setze_schalter(ESchalter::debug_ausgabe_in_fehler_txt, ja);  // its default: the records below are written
    std::ofstream("fehler.txt") << "alt\n";
    const CFehler a(PROGRAMMIERFEHLER, klasse_freie_funktion(), "ergaenze_geaendert", "Text A");
    const CFehler c(WARNUNG, nullptr, "egal", "Text C");  // null class: empty class line
    EXPECT_EQ(ohne_zeit("fehler.txt"), "alt\n@\nPROGRAMMIERFEHLER: in Methode oder Funktion  ergaenze_geaendert: \n"
                                       "Text A\n@\n\nText C\n");
    const std::string woerter[] = {"KEIN GUELTIGER FEHLERTYP", "FATALER FEHLER", "PROGRAMMIERFEHLER", "SYNTAXFEHLER",
                                   "EINGABEFEHLER", "WARNUNG", "INFO", "DEBUG", "KEIN GUELTIGER FEHLERTYP"};
    for (int typ = -1; typ <= 7; ++typ) {  // an invalid type on either side
        std::remove("fehler.txt");
        const CFehler f(static_cast<EFehlerTyp>(typ), klasse_cklasse(), "m", "t");
        EXPECT_EQ(ohne_zeit("fehler.txt"), "@\n" + woerter[typ + 1] + ": in Klasse CKlasse, Methode m: \nt\n");
    }
}
TEST_F(Fehler, PfadAusVerzeichnisUndName)
{
    const char* const pfade[][3] = {{"", "", "fehler.txt"}, {"dir", "", "dir/fehler.txt"}, {"/", "log.txt", "/log.txt"},
                                    {"dir/", "", "dir/fehler.txt"}, {"dir\\", "", "dir\\fehler.txt"}};
    for (const auto& f : pfade) {
        std::tie(Anwenderverzeichnis(), Fehlerdateiname()) = std::make_pair(f[0], f[1]);
        EXPECT_EQ(fehlerdateipfad(), f[2]);
    }
    ASSERT_TRUE(QDir().mkdir("unter"));
    std::tie(Anwenderverzeichnis(), Fehlerdateiname()) = std::make_pair("unter", "eigene.txt");
    { const CFehler f(info, nullptr, "m", "im Unterverzeichnis"); }
    EXPECT_EQ(ohne_zeit("unter/eigene.txt"), "@\n\nim Unterverzeichnis\n");
    installiere_meldungsempfaenger(&empfaenger);
    Anwenderverzeichnis() = "fehlt/auch";  // a file that cannot be opened is skipped without a word
    { const CFehler g(fataler_fehler, klasse_czeit(), "m", "t"); }
    EXPECT_FALSE(QDir("fehlt").exists());
    EXPECT_TRUE(empfaenger.meldungen.empty());
}
std::string farbig(std::string c, const std::string& t) { return "<span style=\"color:" + c + "\">" + t + "</span>"; }
std::string rot(const std::string& t) { return farbig("#123456", t); }  // the table sets the error colour
std::string braun(const std::string& t) { return farbig("#b36b3f", t); }
std::string schwarz(const std::string& t) { return farbig("#000000", t); }
struct Melde : Umgebung {
    std::vector<Aufruf> protokoll;
    Texte empfangen()  // what the sinks received, in order; forgets it
    {
        Texte t;
        for (const Aufruf& a : std::exchange(protokoll, {}))
            t.push_back(a.operation_text);
        return t;
    }
};
TEST_F(Melde, KlartextUndHtmlJeTypModusUndSchalter)
{
    const std::string pk = "in Klasse CZeit, Methode m: ", pf = "in Methode oder Funktion  m: ";
    const CKlasse *const zeit = klasse_czeit(), *const kurz = klasse_kurze_ausgabe();
    const auto warnungen = ESchalter::unterdruecke_warnungen, infos = ESchalter::unterdruecke_infos;
    const struct {  // klartext empty: nothing reaches any sink; the mode picks html's operation; konsole: stderr
        int typ; bool debugmodus; const CKlasse* klasse; std::string klartext, html; int ebene;
        std::optional<ESchalter> gesetzt = {}; int modus = 0; const char* konsole = "";
    } faelle[] = {
        {0, false, zeit, "T", rot("T") + "<br><p>", 2}, {4, false, zeit, "T", braun("T") + "<br><p>", 1},
        {5, false, zeit, "T", schwarz("T") + "<br><p>", 0}, {6, false, zeit, "", "", 3},  // normal mode: T alone
        {1, true, zeit, "FEHLER: " + pk + "\nT", "FEHLER: " + pk + "<br>T<p>", 2},  // debug: prefix, line end, text
        {2, true, kurz, "FEHLER: \nT", "FEHLER: T", 2}, {4, true, kurz, "WARNING: \nT", braun("WARNING: T"), 1},
        {4, true, zeit, "WARNING: " + pk + "\nT", braun("WARNING: " + pk + "<br>T") + "<br><p>", 1},
        {5, true, klasse_freie_funktion(), "INFO: " + pf + "\nT", "INFO: " + pf + "<br>T<p>", 0},
        {5, true, nullptr, "INFO: " + pf + "\nT", "INFO: " + pf + "<br>T<p>", 0}, {5, true, kurz, "\nT", "T", 0},
        {6, true, zeit, "DEBUG: " + pk + "\nT", farbig("#999999", "DEBUG: " + pk + "<br>T") + "<br><p>", 3},
        {6, true, kurz, "DEBUG: \nT", "DEBUG: T", 3},  // only warnings and debug are coloured
        {4, false, zeit, "", "", 1, warnungen}, {5, false, zeit, "", "", 0, infos},  // each switch: its own type only
        {5, false, kurz, "T", schwarz("T"), 0, warnungen}, {4, false, kurz, "T", braun("T"), 1, infos},
        {5, false, kurz, "T", schwarz("T"), 0, {}, 1}, {5, false, kurz, "T", schwarz("T"), 0, {}, -1},
        {7, true, zeit, pk + "\nT", pk + "<br>T<p>", 2, {}, 0, "\nKEIN GUELTIGER FEHLERTYP\n"},
        {-1, false, kurz, "T", rot("T"), 2, {}, 0, "\nKEIN GUELTIGER FEHLERTYP\n"},  // invalid: says so, is an error
    };
    i18n().setze_eintrag("WARNUNG: ", "WARNING: ");  // prefixes are translated, colours read at each message
    fehlerfarbe() = "#123456";
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << "Zeile " << &f - faelle);
        setze_schalter(ESchalter::debug_ausgabe, f.debugmodus ? ja : nein);
        for (ESchalter s : {warnungen, infos})
            setze_schalter(s, f.gesetzt == s ? ja : nein);
        Senke klar(false, protokoll), html(true, protokoll);
        testing::internal::CaptureStderr();
        melde(static_cast<EFehlerTyp>(f.typ), f.klasse, "m", "T", f.modus);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), f.konsole);
        const char* operation = f.modus == 1 ? "variante_1:" : f.modus == -1 ? "variante_2:" : "schreibe:";
        const Texte erwartet = f.klartext.empty() ? Texte{} : Texte{"schreibe:" + f.klartext, operation + f.html};
        ASSERT_EQ(protokoll.size(), erwartet.size());
        EXPECT_TRUE(erwartet.empty() || (protokoll[0].senke == &klar && protokoll[1].senke == &html &&
                                         protokoll[0].ebene == f.ebene && protokoll[1].ebene == f.ebene));
        EXPECT_EQ(empfangen(), erwartet);
    }
}
TEST_F(Melde, EmpfaengerNimmtAllesSonstKlartextVorHtmlUndKonsolenecho)
{
    Senke html(true, protokoll), klar(false, protokoll);  // made HTML first: plain sinks still come first
    installiere_meldungsempfaenger(&empfaenger);  // it takes suppressed types too, and nothing reaches a sink
    setze_schalter(ESchalter::unterdruecke_warnungen, ja);
    for (int typ : {4, 6, 7})
        melde(static_cast<EFehlerTyp>(typ), klasse_czeit(), "m", "T");
    EXPECT_EQ(empfaenger.meldungen, (Texte{"4 CZeit m: T", "6 CZeit m: T", "7 CZeit m: T"}));
    EXPECT_TRUE(protokoll.empty());
    EXPECT_EQ(installiere_meldungsempfaenger(nullptr), &empfaenger);
    setze_schalter(ESchalter::ascii_ausgabe, ja);  // the echo belongs to the plain distribution, info to stdout
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    melde(fataler_fehler, klasse_czeit(), "m", "Fehler");
    melde(info, klasse_kurze_ausgabe(), "m", "Info");
    EXPECT_EQ(testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr(), "Info\nFehler\n");
    ASSERT_EQ(protokoll.size(), 4u);
    EXPECT_TRUE(protokoll[0].senke == &klar && protokoll[1].senke == &html && protokoll[2].senke == &klar);
}
TEST_F(Melde, GruppenReichenWeiterUndSindBereitWennJedesMitgliedEsIst)
{
    CLogGruppe stumm(false, false);
    EXPECT_EQ(logsenken().count(&stumm), 0u);  // made without registering
    auto nicht_bereit = std::make_unique<Senke>(false, protokoll, false);
    stumm.ergaenze(nicht_bereit.get());
    EXPECT_FALSE(stumm.ist_bereit());
    nicht_bereit.reset();
    EXPECT_TRUE(stumm.gib_mitglieder().empty() && stumm.ist_bereit());
    auto gruppe = std::make_unique<CLogGruppe>(true);
    Senke mitglied(true, protokoll);
    gruppe->ergaenze(&mitglied);
    melde(WARNUNG, klasse_kurze_ausgabe(), "m", "T", -1);  // once directly (registered itself), once via the group
    EXPECT_EQ(empfangen(), (Texte{"variante_2:" + braun("T"), "variante_2:" + braun("T")}));
    gruppe.reset();
    EXPECT_EQ(logsenken().size(), 1u);
}
}  // namespace
