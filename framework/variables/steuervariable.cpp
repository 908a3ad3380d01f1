// Typed control variables: reading values from text, checking them and giving them back.
#include "framework/variables/steuervariable.h"

#include "framework/diagnostics/fehler.h"
#include "framework/text/i18n.h"
#include "framework/diagnostics/melde.h"
#include "framework/variables/schalter.h"
#include "framework/text/zahlen.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <type_traits>

namespace {

template <typename T>
constexpr bool ist_zahlentyp = std::is_same_v<T, int> || std::is_same_v<T, unsigned> || std::is_same_v<T, double>;

CString text_basis(const char* vorlage)
{
    return uebersetze_(CString(vorlage), klasse_cvariablebasis());
}

CString text_template(const char* vorlage)
{
    return uebersetze_(CString(vorlage), klasse_cvariablebasistemplate());
}

[[noreturn]] void wirf_programmierfehler(const CKlasse* klasse, const char* methode, const CString& text)
{
    throw CFehler(PROGRAMMIERFEHLER, klasse, methode, text.str());
}

[[noreturn]] void wirf_eingabefehler(const CString& text)
{
    throw CFehler(EINGABEFEHLER, klasse_cvariablebasistemplate(), "setze_wert_str", text.str());
}

// The value as a settings file shows it.
std::string als_text(int wert)
{
    return ist_fehlwert(wert) ? "---" : itoa(wert, 0);
}

std::string als_text(unsigned wert)
{
    return ist_fehlwert(wert) ? "---" : itoa(wert, 0);
}

std::string als_text(double wert)
{
    if (ist_fehlwert(wert)) {
        return "---";
    }
    // Fixed notation with only the decimals a value needs suits what users
    // type; it would print tiny values as zero and refuses huge ones, which
    // therefore go out in exponential notation.
    const double betrag = std::fabs(wert);
    const bool fix = betrag == 0.0 || (betrag >= 1e-6 && betrag < 1e15);
    return ftoa_getrimmt(wert, 0, 12, fix ? zahl_fixkomma : zahl_exponential);
}

std::string als_text(EBool wert)
{
    if (wert == ja) {
        return text_template("Ja").str();
    }
    if (wert == nein) {
        return text_template("Nein").str();
    }
    return "---";
}

std::string als_text(const std::string& wert)
{
    return wert;
}

// The leading integer of the text by atoi's rules (blanks, sign, digits; 0
// when there are none). strtoll saturates instead of overflowing, so the
// callers can clamp to their type's range.
long long fuehrende_ganzzahl(const std::string& text)
{
    return std::strtoll(text.c_str(), nullptr, 10);
}

std::string grossbuchstaben(std::string text)
{
    for (char& zeichen : text) {
        if (zeichen >= 'a' && zeichen <= 'z') {
            zeichen = static_cast<char>(zeichen - 'a' + 'A');
        }
    }
    return text;
}

// The allowed bounds that setze_wert_str enforces when asked to check.
template <typename T>
void pruefe_beim_setzen(const std::string& text, const T& wert, const CVariableBeschrTemplate<T>* beschr)
{
    if (beschr == nullptr || ist_fehlwert(wert)) {
        return;
    }
    const T& unten = beschr->gib_untergrenze();
    if (!ist_fehlwert(unten) && wert < unten) {
        wirf_eingabefehler(text_template("Wert %1 ist zu klein - Untergrenze = %2").arg(text).arg(als_text(unten)));
    }
    const T& oben = beschr->gib_obergrenze();
    if (!ist_fehlwert(oben) && wert > oben) {
        wirf_eingabefehler(text_template("Wert %1 ist zu gross - Obergrenze = %2").arg(text).arg(als_text(oben)));
    }
}

int lies_int(const std::string& text)
{
    if (text.empty()) {
        return fehlwert_int;
    }
    const long long zahl = fuehrende_ganzzahl(text);
    if (zahl < INT_MIN) {
        return INT_MIN;
    }
    if (zahl > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(zahl);
}

unsigned lies_unsigned(const std::string& text, bool pruefen)
{
    if (text.empty()) {
        return fehlwert_unsigned;
    }
    const long long zahl = fuehrende_ganzzahl(text);
    if (zahl < 0) {
        if (pruefen) {
            wirf_eingabefehler(text_template("Wert %1 darf nicht negativ sein").arg(text));
        }
        // Unchecked, a negative number wraps as an int assigned to unsigned does.
        return static_cast<unsigned>(static_cast<int>(zahl < INT_MIN ? INT_MIN : zahl));
    }
    return zahl > static_cast<long long>(UINT_MAX) ? UINT_MAX : static_cast<unsigned>(zahl);
}

double lies_double(const std::string& text)
{
    if (text.empty()) {
        return fehlwert_double;
    }
    return dezimaltrennzeichen() == ',' ? string_zu_double(text) : lies_mit_punkt(text);
}

EBool lies_ebool(const std::string& text)
{
    if (text.empty()) {
        return fehlwert_ebool;
    }
    const std::string gross = grossbuchstaben(text);
    if (gross == "JA" || gross == "TRUE" || gross == "1") {
        return ja;
    }
    if (gross == "NEIN" || gross == "FALSE" || gross == "0") {
        return nein;
    }
    wirf_eingabefehler(text_template("%1 ist unzulaessiger Wert fuer boolsche Variable").arg(text));
}

// The bound as the range messages print it.
template <typename T>
std::string grenze_als_text(const T& grenze)
{
    return ist_fehlwert(grenze) ? text_template("unbegrenzt").str() : als_text(grenze);
}

}  // namespace

// --- CVariableBasis ---------------------------------------------------------

CVariableBasis::CVariableBasis(const std::string& schluessel, const CVariableBeschr* beschr)
    : m_schluessel(schluessel), m_beschreiber(beschr)
{
}

CVariableBasis::~CVariableBasis() = default;

void CVariableBasis::gib_aus(std::ostream& strom) const
{
    strom << m_schluessel << " = " << gib_wert_str();
}

bool CVariableBasis::ist_geaendert() const
{
    wirf_programmierfehler(klasse_cvariablebasis(), "ist_geaendert", text_basis("Methode muss ueberladen werden"));
}

void CVariableBasis::ergaenze_geaendert()
{
    wirf_programmierfehler(klasse_cvariablebasis(), "ergaenze_geaendert",
                           text_basis("Aufruf der Methode bei dieser Variablenklasse nich zul\xE4ssig"));
}

bool CVariableBasis::ungleich_defaultwert() const
{
    wirf_programmierfehler(klasse_cvariablebasis(), "ungleich_defaultwert",
                           text_basis("Methode ungleich_defaultwert wurde bei dieser Variablenklasse nicht ueberladen"));
}

void CVariableBasis::setze_id(int id)
{
    // Plain decimal: the number formatting would print 99999999 as "-".
    wirf_programmierfehler(klasse_cvariablebasis(), "setze_id",
                           text_basis("Id in dieser Variable nicht unterst\xFCtzt: %1").arg(std::to_string(id)));
}

CDBObjekt* CVariableBasis::gib_dbobjekt() const
{
    wirf_programmierfehler(klasse_cvariablebasis(), "gib_dbobjekt",
                           text_basis("Diese Variableart kann kennt ihr DBObjekt nicht"));
}

void CVariableBasis::ergaenze_steuervar(CSteuerVarInterface* variable)
{
    for (const CSteuerVarInterface* vorhanden : m_steuervariablen) {
        if (vorhanden == variable || vorhanden->gib_schluessel() == variable->gib_schluessel()) {
            wirf_programmierfehler(klasse_cvariablebasis(), "ergaenze_steuervar",
                                   text_basis("Steuervariable %1 bereits in Liste").arg(variable->gib_schluessel()));
        }
    }
    m_steuervariablen.push_back(variable);
}

void CVariableBasis::ergaenze_steuervar_vorlage(CSteuerVarInterface* vorlage)
{
    if (m_vorlage != nullptr) {
        wirf_programmierfehler(klasse_cvariablebasis(), "ergaenze_steuervar_vorlage",
                               text_basis("Vorlage wurde bereits aufgenommen"));
    }
    m_vorlage = vorlage;
}

int CVariableBasis::pruefe(CPruefmeldungen& meldungen) const
{
    if (m_muss_belegt && !hat_wert()) {
        meldungen.push_back(
            {3, text_basis("Variable %1 muss im aktuellen Berechnungsverfahren belegt sein und hat keinen Wert")
                    .arg(m_schluessel)
                    .str()});
        return 3;
    }
    return 0;
}

// --- CVariableBasisTemplate<T> -----------------------------------------------

template <typename T>
CVariableBasisTemplate<T>::CVariableBasisTemplate(const std::string& schluessel, const CVariableBeschr* beschr)
    : CVariableBasis(schluessel, beschr), m_wert(CSteuerTyp<T>::fehlwert())
{
    if (const auto* typisiert = gib_typbeschreiber()) {
        m_wert = typisiert->gib_vorgabe();
    }
}

template <typename T>
std::string CVariableBasisTemplate<T>::gib_typname() const
{
    return CSteuerTyp<T>::name();
}

template <typename T>
const CVariableBeschrTemplate<T>* CVariableBasisTemplate<T>::gib_typbeschreiber() const
{
    return dynamic_cast<const CVariableBeschrTemplate<T>*>(gib_beschreiber());
}

template <typename T>
void CVariableBasisTemplate<T>::setze_wert_str(const std::string& text, bool pruefen)
{
    if constexpr (std::is_same_v<T, int>) {
        const int neu = lies_int(text);
        if (pruefen) {
            pruefe_beim_setzen(text, neu, gib_typbeschreiber());
        }
        setze_wert(neu);
    } else if constexpr (std::is_same_v<T, unsigned>) {
        const unsigned neu = lies_unsigned(text, pruefen);
        if (pruefen) {
            pruefe_beim_setzen(text, neu, gib_typbeschreiber());
        }
        setze_wert(neu);
    } else if constexpr (std::is_same_v<T, double>) {
        const double neu = lies_double(text);
        // A value that stays the same within rounding was accepted before;
        // re-reading a file must not reject it because the bounds changed.
        if (pruefen && !ist_gleich(neu, gib_wert(), 0.001)) {
            pruefe_beim_setzen(text, neu, gib_typbeschreiber());
        }
        setze_wert(neu);
    } else if constexpr (std::is_same_v<T, EBool>) {
        setze_wert(lies_ebool(text));
    } else {
        setze_wert(text);
    }
}

template <typename T>
std::string CVariableBasisTemplate<T>::gib_wert_str() const
{
    return als_text(gib_wert());
}

template <typename T>
std::string CVariableBasisTemplate<T>::gib_db_string() const
{
    const T& wert = gib_wert();
    if constexpr (std::is_same_v<T, int> || std::is_same_v<T, unsigned>) {
        return std::to_string(wert);
    } else if constexpr (std::is_same_v<T, double>) {
        // to_chars is printf's "%g" without the locale's point.
        char puffer[64];
        const auto ergebnis = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::general, 6);
        return std::string(puffer, ergebnis.ptr);
    } else if constexpr (std::is_same_v<T, std::string>) {
        return "\"" + wert + "\"";
    } else {
        melde(PROGRAMMIERFEHLER, klasse_cvariablebasistemplate(), "gib_db_string",
              text_template("unbekannter Typ %1").arg(gib_typname()).str());
        return std::string();
    }
}

template <typename T>
int CVariableBasisTemplate<T>::pruefe(CPruefmeldungen& meldungen) const
{
    const int stufe = CVariableBasis::pruefe(meldungen);
    if (stufe > 2) {
        return stufe;
    }
    if constexpr (ist_zahlentyp<T>) {
        const auto* beschr = gib_typbeschreiber();
        if (beschr == nullptr || !hat_wert()) {
            return 0;
        }
        const T& wert = gib_wert();
        const auto befund = [&](const T& unten, const T& oben, int stufe_befund, const char* vorlage) {
            meldungen.push_back({stufe_befund, text_template(vorlage)
                                                   .arg(als_text(wert))
                                                   .arg(gib_schluessel())
                                                   .arg(grenze_als_text(unten))
                                                   .arg(grenze_als_text(oben))
                                                   .str()});
            return stufe_befund;
        };
        const struct {
            const T& unten;
            const T& oben;
            int stufe;
            const char* unterhalb;
            const char* oberhalb;
        } bereiche[] = {
            {beschr->gib_untergrenze(), beschr->gib_obergrenze(), 3,
             "Wert %1 der Variablen %2 liegt unterhalb des zul\xE4ssigen Wertebereichs (%3 - %4)",
             "Wert %1 der Variablen %2 liegt oberhalb des zul\xE4ssigen Wertebereichs (%3 - %4)"},
            {beschr->gib_plausibel_unten(), beschr->gib_plausibel_oben(), 2,
             "Wert %1 der Variablen %2 liegt unterhalb des plausiblen Wertebereichs (%3 - %4)",
             "Wert %1 der Variablen %2 liegt oberhalb des plausiblen Wertebereichs (%3 - %4)"},
        };
        for (const auto& bereich : bereiche) {
            if (!ist_fehlwert(bereich.unten) && wert < bereich.unten) {
                return befund(bereich.unten, bereich.oben, bereich.stufe, bereich.unterhalb);
            }
            if (!ist_fehlwert(bereich.oben) && wert > bereich.oben) {
                return befund(bereich.unten, bereich.oben, bereich.stufe, bereich.oberhalb);
            }
        }
    }
    return 0;
}

// --- CVariableSteuer<T> ------------------------------------------------------

template <typename T>
CVariableSteuer<T>::CVariableSteuer(const std::string& schluessel, const CVariableBeschr* beschr)
    : CVariableBasisTemplate<T>(schluessel, beschr)
{
}

template <typename T>
CVariableSteuer<T>::CVariableSteuer(const CVariableBeschrTemplate<T>& beschr)
    : CVariableBasisTemplate<T>(beschr.gib_pfad(), &beschr)
{
}

template <typename T>
void CVariableSteuer<T>::setze_wert(const T& wert)
{
    if (!(wert == this->m_wert)) {
        this->m_geaendert = true;
    }
    CVariableBasisTemplate<T>::setze_wert(wert);
}

template <typename T>
const T& CVariableSteuer<T>::gib_wert(int zeile) const
{
    wirf_programmierfehler(klasse_cvariablesteuer(), "gib_wert",
                           uebersetze_(CString("Zeile: %1 - Methode nicht implementiert! - nichts passiert"),
                                       klasse_cvariablesteuer())
                               .arg(std::to_string(zeile)));
}

template <typename T>
void CVariableSteuer<T>::setze_wert(int zeile, const T&)
{
    wirf_programmierfehler(klasse_cvariablesteuer(), "setze_wert",
                           uebersetze_(CString("Zeile: %1 - Methode nicht implementiert! - nichts passiert"),
                                       klasse_cvariablesteuer())
                               .arg(std::to_string(zeile)));
}

template <typename T>
bool CVariableSteuer<T>::ungleich_defaultwert() const
{
    const auto* beschr = this->gib_typbeschreiber();
    const T vorgabe = beschr != nullptr ? beschr->gib_vorgabe() : CSteuerTyp<T>::fehlwert();
    if constexpr (std::is_same_v<T, double>) {
        return !ist_gleich(this->gib_wert(), vorgabe, 0.001);
    } else {
        return !(this->gib_wert() == vorgabe);
    }
}

// --- Creation ---------------------------------------------------------------

const std::vector<std::string>& ui_gruppen()
{
    static const std::vector<std::string> gruppen = {
        "/Allgemein", "/Datenbankeinstellungen", "/Dockwindow", "/Druckereinstellungen",
        "/ErgebnisVariable", "/Grafik", "/GruppenProfil", "/NetzSchemaGrafik",
        "/NGGrafik", "/NSGrafik", "/Tabelle", "/WertGruppenProfil"};
    return gruppen;
}

bool ist_ui_gruppe(const std::string& schluessel)
{
    for (const std::string& gruppe : ui_gruppen()) {
        if (schluessel.compare(0, gruppe.size(), gruppe) == 0) {
            return true;
        }
    }
    return false;
}

template <typename T>
std::unique_ptr<CVariableSteuer<T>> erzeuge_steuervariable(const std::string& schluessel, int modus,
                                                           const CVariableBeschr* beschr)
{
    const bool ui = modus == steuervar_ui || (modus != steuervar_einfach && ist_ui_gruppe(schluessel));
    if (ui) {
        return std::make_unique<CVariableSteuerUI<T>>(schluessel, beschr);
    }
    return std::make_unique<CVariableSteuer<T>>(schluessel, beschr);
}

bool ist_gleich(double a, double b, double prozent, double absolut)
{
    const bool a_winzig = std::fabs(a) < 1e-100;
    const bool b_winzig = std::fabs(b) < 1e-100;
    if (a_winzig && b_winzig) {
        return true;
    }
    if (a_winzig || b_winzig) {
        return false;
    }
    const double abstand = std::fabs(a - b);
    if (abstand / std::fmax(std::fabs(a), std::fabs(b)) <= prozent / 100.0) {
        return true;
    }
    return absolut != 0.0 && abstand <= absolut;
}

#define TELVORIN_STEUERTYPEN(T)                                                           \
    template class CVariableBasisTemplate<T>;                                           \
    template class CVariableSteuer<T>;                                                  \
    template class CVariableSteuerUI<T>;                                                \
    template std::unique_ptr<CVariableSteuer<T>> erzeuge_steuervariable<T>(const std::string&, int, \
                                                                           const CVariableBeschr*);
TELVORIN_STEUERTYPEN(int)
TELVORIN_STEUERTYPEN(unsigned)
TELVORIN_STEUERTYPEN(double)
TELVORIN_STEUERTYPEN(std::string)
TELVORIN_STEUERTYPEN(EBool)
#undef TELVORIN_STEUERTYPEN
