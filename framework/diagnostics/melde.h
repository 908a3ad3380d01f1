// The framework's message function and the log sinks it distributes to.
#pragma once

#include "framework/diagnostics/fehler.h"
#include "framework/base/klasse.h"

#include <set>
#include <string>

// Output levels that sinks receive with every text.
constexpr int ausgabe_normal = 0;   // type 5 (info)
constexpr int ausgabe_warnung = 1;  // type 4
constexpr int ausgabe_fehler = 2;   // types 0 to 3, and any invalid type
constexpr int ausgabe_debug = 3;    // type 6

// The level of a type. A type outside 0 to 6 is taken as an error: it can
// only come from a programming mistake, which must not go unseen.
int ausgabeebene(EFehlerTyp typ);

class CLogGruppe;

// A log sink. A sink enters the framework-wide sink set when it is made (unless
// made with `anmelden` false) and leaves it, and every group it belongs to,
// when it is destroyed. Sinks are not copied.
class CLogBase : public CObjekt {
public:
    explicit CLogBase(bool anmelden = true);
    ~CLogBase() override;
    CLogBase(const CLogBase&) = delete;
    CLogBase& operator=(const CLogBase&) = delete;

    TELVORIN_KLASSE(CObjekt, klasse_clogbase)

    // One message. Plain sinks get the plain text here; HTML sinks get the
    // HTML text of output mode 0 here.
    virtual void schreibe(const std::string& text, const int& ebene) = 0;
    // HTML text of output mode -1.
    virtual void schreibe_variante_2(const std::string& text, const int& ebene);
    // HTML text of output mode 1.
    virtual void schreibe_variante_1(const std::string& text, const int& ebene);
    // True for a sink that takes HTML; the default is plain text.
    virtual bool ist_html() const;
    // Whether the sink can take output; a single sink is always ready unless
    // it says otherwise.
    virtual bool ist_bereit() const;

    void gib_aus(std::ostream& strom) const override;

private:
    friend class CLogGruppe;
    std::set<CLogGruppe*> m_gruppen;
    bool m_angemeldet;
};

// A sink made of member sinks (not owned). Every write is passed to every
// member in pointer order, whatever kind the member is; put plain sinks in a
// plain group and HTML sinks in an HTML group. A member that is destroyed
// leaves the group by itself. Groups have no descriptor of their own and
// answer as CLogBase.
class CLogGruppe : public CLogBase {
public:
    explicit CLogGruppe(bool html = false, bool anmelden = true);
    ~CLogGruppe() override;

    void ergaenze(CLogBase* mitglied);
    void entferne(CLogBase* mitglied);
    const std::set<CLogBase*>& gib_mitglieder() const { return m_mitglieder; }

    void schreibe(const std::string& text, const int& ebene) override;
    void schreibe_variante_2(const std::string& text, const int& ebene) override;
    void schreibe_variante_1(const std::string& text, const int& ebene) override;
    bool ist_html() const override { return m_html; }
    // False at the first member (in pointer order) that is not ready; true
    // otherwise, also for an empty group.
    bool ist_bereit() const override;

private:
    std::set<CLogBase*> m_mitglieder;
    bool m_html;
};

// Receives every message instead of the sinks while installed.
class CMeldungsempfaenger {
public:
    virtual ~CMeldungsempfaenger();
    virtual void empfange(const EFehlerTyp& typ, const CKlasse* const& klasse,
                          const std::string& methode, const std::string& text) = 0;
};

// Installs `empfaenger` (not owned; null removes it) and returns the previous
// one. The caller keeps it alive while it is installed.
CMeldungsempfaenger* installiere_meldungsempfaenger(CMeldungsempfaenger* empfaenger);
CMeldungsempfaenger* gib_meldungsempfaenger();

// The framework-wide sink set, in pointer order, not owning.
const std::set<CLogBase*>& logsenken();

// Colours of the HTML wrappers; changeable, read at each message.
std::string& fehlerfarbe();  // "#b20000"
std::string& warnfarbe();    // "#b36b3f"

// Reports a message. An installed handler takes it and nothing else happens.
// Otherwise the message is dropped or passed on according to the general
// switches, dressed as plain text and HTML and handed to the sinks; `modus`
// 1 and -1 pick the HTML operation, anything else (callers pass 0) schreibe.
// `klasse` may be null. Reports nothing about itself.
void melde(const EFehlerTyp& typ, const CKlasse* const& klasse, const std::string& methode,
           const std::string& text, const int& modus = 0);

// Plain distribution: schreibe() of every plain sink, then the console echo
// when "/Allgemein/ASCII-Ausgabe" is Ja. Nothing at all when the set is
// empty, nothing for a debug level outside debug mode.
void verteile_text(const std::string& text, const int& ebene);
// HTML distribution for output mode 0 (schreibe), 1 (schreibe_variante_1) and
// -1 (schreibe_variante_2), to HTML sinks only.
void verteile_html(const std::string& text, const int& ebene);
void verteile_html_variante_1(const std::string& text, const int& ebene);
void verteile_html_variante_2(const std::string& text, const int& ebene);

// Makes the sink set, the handler slot and the colours if they are not made yet.
void erzeuge_meldewerte();
