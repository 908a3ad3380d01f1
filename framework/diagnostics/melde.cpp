// The message function: filtering by the switches, HTML dressing and distribution to the sinks.
#include "framework/diagnostics/melde.h"

#include "framework/text/i18n.h"
#include "framework/variables/schalter.h"

#include "boundary/console.h"

#include <ostream>

namespace {

std::set<CLogBase*>& senken()
{
    static std::set<CLogBase*> s;
    return s;
}

// Constant-initialised: valid before any dynamic initialiser runs.
CMeldungsempfaenger* g_empfaenger = nullptr;

bool debugmodus()
{
    return schalter_gesetzt(ESchalter::debug_ausgabe);
}

void schreibe_konsole(telvorin::boundary::Console ziel, const std::string& text)
{
    telvorin::boundary::write_console_bytes(ziel, text.data(), text.size());
}

std::string farbig(const std::string& farbe, const std::string& x)
{
    return "<span style=\"color:" + farbe + "\">" + x + "</span>";
}

std::string grau(const std::string& x) { return farbig("#999999", x); }
std::string schwarz(const std::string& x) { return farbig("#000000", x); }
std::string rot(const std::string& x) { return farbig(fehlerfarbe(), x); }
std::string braun(const std::string& x) { return farbig(warnfarbe(), x); }

using CHtmlVerteilung = void (*)(const std::string&, const int&);

// Each sink operation of the HTML distribution, on the HTML sinks only.
template <void (CLogBase::*operation)(const std::string&, const int&)>
void an_html_senken(const std::string& text, const int& ebene)
{
    if (ebene == ausgabe_debug && !debugmodus())
        return;
    for (CLogBase* senke : senken()) {
        if (senke->ist_html())
            (senke->*operation)(text, ebene);
    }
}

bool unterdrueckt(EFehlerTyp typ)
{
    switch (typ) {
    case WARNUNG:
        return schalter_gesetzt(ESchalter::unterdruecke_warnungen);
    case info:
        return schalter_gesetzt(ESchalter::unterdruecke_infos);
    case debug:
        return !debugmodus();
    default:
        return false;
    }
}

std::string html_normal(EFehlerTyp typ, int ebene, bool kurz, const std::string& t)
{
    if (typ == WARNUNG)
        return kurz ? braun(t) : braun(t) + "<br><p>";
    if (typ == info)
        return kurz ? schwarz(t) : schwarz(t) + "<br><p>";
    if (ebene == ausgabe_fehler)
        return kurz ? rot(t) : rot(t) + "<br><p>";
    return t + "<p>";
}

std::string html_debug(EFehlerTyp typ, bool kurz, const std::string& p, const std::string& t)
{
    if (typ == WARNUNG)
        return kurz ? braun(p + t) : braun(p + "<br>" + t) + "<br><p>";
    if (typ == debug)
        return kurz ? p + t : grau(p + "<br>" + t) + "<br><p>";
    return kurz ? p + t : p + "<br>" + t + "<p>";
}

}  // namespace

int ausgabeebene(EFehlerTyp typ)
{
    switch (typ) {
    case WARNUNG:
        return ausgabe_warnung;
    case info:
        return ausgabe_normal;
    case debug:
        return ausgabe_debug;
    default:
        return ausgabe_fehler;
    }
}

CLogBase::CLogBase(bool anmelden) : m_angemeldet(anmelden)
{
    if (m_angemeldet)
        senken().insert(this);
}

CLogBase::~CLogBase()
{
    // Copy first: leaving a group changes m_gruppen through the group.
    const std::set<CLogGruppe*> gruppen = m_gruppen;
    for (CLogGruppe* gruppe : gruppen)
        gruppe->entferne(this);
    if (m_angemeldet)
        senken().erase(this);
}

void CLogBase::schreibe_variante_2(const std::string&, const int&) {}
void CLogBase::schreibe_variante_1(const std::string&, const int&) {}
bool CLogBase::ist_html() const { return false; }
bool CLogBase::ist_bereit() const { return true; }

void CLogBase::gib_aus(std::ostream& strom) const
{
    strom << (ist_html() ? "CLogBase (HTML)" : "CLogBase");
}

CLogGruppe::CLogGruppe(bool html, bool anmelden) : CLogBase(anmelden), m_html(html) {}

CLogGruppe::~CLogGruppe()
{
    for (CLogBase* mitglied : m_mitglieder)
        mitglied->m_gruppen.erase(this);
}

void CLogGruppe::ergaenze(CLogBase* mitglied)
{
    if (mitglied == nullptr || mitglied == this)
        return;
    m_mitglieder.insert(mitglied);
    mitglied->m_gruppen.insert(this);
}

void CLogGruppe::entferne(CLogBase* mitglied)
{
    if (m_mitglieder.erase(mitglied) != 0)
        mitglied->m_gruppen.erase(this);
}

void CLogGruppe::schreibe(const std::string& text, const int& ebene)
{
    for (CLogBase* mitglied : m_mitglieder)
        mitglied->schreibe(text, ebene);
}

void CLogGruppe::schreibe_variante_2(const std::string& text, const int& ebene)
{
    for (CLogBase* mitglied : m_mitglieder)
        mitglied->schreibe_variante_2(text, ebene);
}

void CLogGruppe::schreibe_variante_1(const std::string& text, const int& ebene)
{
    for (CLogBase* mitglied : m_mitglieder)
        mitglied->schreibe_variante_1(text, ebene);
}

bool CLogGruppe::ist_bereit() const
{
    for (const CLogBase* mitglied : m_mitglieder) {
        if (!mitglied->ist_bereit())
            return false;
    }
    return true;
}

CMeldungsempfaenger::~CMeldungsempfaenger() = default;

CMeldungsempfaenger* installiere_meldungsempfaenger(CMeldungsempfaenger* empfaenger)
{
    CMeldungsempfaenger* vorher = g_empfaenger;
    g_empfaenger = empfaenger;
    return vorher;
}

CMeldungsempfaenger* gib_meldungsempfaenger()
{
    return g_empfaenger;
}

const std::set<CLogBase*>& logsenken()
{
    return senken();
}

std::string& fehlerfarbe()
{
    static std::string farbe = "#b20000";
    return farbe;
}

std::string& warnfarbe()
{
    static std::string farbe = "#b36b3f";
    return farbe;
}

void verteile_text(const std::string& text, const int& ebene)
{
    if (senken().empty())
        return;
    if (ebene == ausgabe_debug && !debugmodus())
        return;
    for (CLogBase* senke : senken()) {
        if (!senke->ist_html())
            senke->schreibe(text, ebene);
    }
    if (schalter_gesetzt(ESchalter::ascii_ausgabe))
        schreibe_konsole(ebene == ausgabe_fehler ? telvorin::boundary::Console::error
                                                 : telvorin::boundary::Console::output,
                         text);
}

void verteile_html(const std::string& text, const int& ebene)
{
    an_html_senken<&CLogBase::schreibe>(text, ebene);
}

void verteile_html_variante_1(const std::string& text, const int& ebene)
{
    an_html_senken<&CLogBase::schreibe_variante_1>(text, ebene);
}

void verteile_html_variante_2(const std::string& text, const int& ebene)
{
    an_html_senken<&CLogBase::schreibe_variante_2>(text, ebene);
}

void melde(const EFehlerTyp& typ, const CKlasse* const& klasse, const std::string& methode,
           const std::string& text, const int& modus)
{
    if (g_empfaenger != nullptr) {
        g_empfaenger->empfange(typ, klasse, methode, text);
        return;
    }

    if (fehlertyp_praefix(typ) == nullptr) {
        const CString hinweis = uebersetze_("KEIN GUELTIGER FEHLERTYP", klasse_cobjekt());
        schreibe_konsole(telvorin::boundary::Console::error, std::string());
        schreibe_konsole(telvorin::boundary::Console::error, hinweis.str());
    }
    const std::string praefix = meldungspraefix(typ, klasse, methode).str();
    const int ebene = ausgabeebene(typ);
    const bool kurz = klasse == klasse_kurze_ausgabe();

    const CHtmlVerteilung html = modus == 1    ? &verteile_html_variante_1
                                 : modus == -1 ? &verteile_html_variante_2
                                               : &verteile_html;

    if (unterdrueckt(typ))
        return;

    if (!debugmodus()) {
        verteile_text(text, ebene);
        html(html_normal(typ, ebene, kurz, text), ebene);
    } else {
        verteile_text(praefix + "\n" + text, ebene);
        html(html_debug(typ, kurz, praefix, text), ebene);
    }
}

void erzeuge_meldewerte()
{
    senken();
    fehlerfarbe();
    warnfarbe();
}
