// Error records: types, prefixes and the error file.
#include "framework/diagnostics/fehler.h"

#include "framework/text/i18n.h"
#include "framework/diagnostics/melde.h"
#include "framework/variables/schalter.h"
#include "framework/diagnostics/zeit.h"

#include <fstream>

namespace {

constexpr const char* kein_gueltiger_fehlertyp = "KEIN GUELTIGER FEHLERTYP";

bool ist_gueltig(EFehlerTyp typ)
{
    return typ >= fataler_fehler && typ <= debug;
}

}  // namespace

const char* fehlertyp_wort(EFehlerTyp typ)
{
    static const char* const woerter[] = {"FATALER FEHLER", "PROGRAMMIERFEHLER", "SYNTAXFEHLER",
                                          "EINGABEFEHLER",  "WARNUNG",           "INFO",
                                          "DEBUG"};
    return ist_gueltig(typ) ? woerter[typ] : kein_gueltiger_fehlertyp;
}

const char* fehlertyp_praefix(EFehlerTyp typ)
{
    static const char* const praefixe[] = {"FEHLER: ",  "FEHLER: ", "FEHLER: ", "FEHLER: ",
                                           "WARNUNG: ", "INFO: ",   "DEBUG: "};
    return ist_gueltig(typ) ? praefixe[typ] : nullptr;
}

CString methodenpraefix(const CKlasse* klasse, const std::string& methode,
                        const CKlasse* uebersetzungsklasse)
{
    if (klasse == nullptr || klasse == klasse_freie_funktion())
        return uebersetze_("in Methode oder Funktion  %1: ", uebersetzungsklasse).arg(methode);
    return uebersetze_("in Klasse %1, Methode %2: ", uebersetzungsklasse)
        .arg(klasse->gib_name())
        .arg(methode);
}

CString meldungspraefix(EFehlerTyp typ, const CKlasse* klasse, const std::string& methode)
{
    const bool kurz = klasse == klasse_kurze_ausgabe();
    CString praefix;
    const char* typpraefix = fehlertyp_praefix(typ);
    if (typpraefix != nullptr && !(typ == info && kurz))
        praefix += uebersetze_(typpraefix, klasse_cobjekt());
    if (!kurz)
        praefix += methodenpraefix(klasse, methode, klasse_cobjekt());
    return praefix;
}

std::string& Anwenderverzeichnis()
{
    static std::string verzeichnis;
    return verzeichnis;
}

std::string& Fehlerdateiname()
{
    static std::string name;
    return name;
}

std::string fehlerdateipfad()
{
    const std::string& verzeichnis = Anwenderverzeichnis();
    std::string pfad = verzeichnis;
    if (!verzeichnis.empty() && verzeichnis.back() != '/' && verzeichnis.back() != '\\')
        pfad += '/';
    pfad += Fehlerdateiname().empty() ? std::string("fehler.txt") : Fehlerdateiname();
    return pfad;
}

CFehlerBasis::~CFehlerBasis() = default;

CFehler::CFehler(EFehlerTyp typ, const CKlasse* klasse, const std::string& methode,
                 const std::string& text)
    : m_text(text), m_methode(methode), m_klasse(klasse), m_typ(typ)
{
    if (schalter_gesetzt(ESchalter::debug_ausgabe_in_fehler_txt))
        schreibe_fehlerdatei();
}

CFehler::CFehler(const CFehler& anderer)
    : CFehlerBasis(anderer), CBasis(anderer), m_text(anderer.m_text), m_methode(anderer.m_methode),
      m_klasse(anderer.m_klasse), m_typ(anderer.m_typ)
{
}

CFehler::~CFehler() = default;

void CFehler::melde() const
{
    ::melde(m_typ, m_klasse, m_methode, m_text, 0);
}

CFehler* CFehler::kopie() const
{
    return new CFehler(*this);
}

void CFehler::schreibe_fehlerdatei() const
{
    // Appending in text mode: other processes may read or append meanwhile,
    // and a record must never be lost to a failing file, so a file that does
    // not open is simply skipped.
    std::ofstream datei(fehlerdateipfad(), std::ios::out | std::ios::app);
    if (!datei.good())
        return;

    CZeit zeit;
    zeit.setze_jetzt();
    std::string zeitstempel;
    zeit.formatiere(zeitstempel, 2);

    CString klassenzeile;
    if (m_klasse != nullptr) {
        klassenzeile = uebersetze_(fehlertyp_wort(m_typ), klasse_cfehler());
        klassenzeile += ": ";
        klassenzeile += methodenpraefix(m_klasse, m_methode, klasse_cfehler());
    }

    datei << zeitstempel << std::endl;
    datei << klassenzeile << std::endl;
    datei << m_text << std::endl;
}
