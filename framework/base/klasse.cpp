// Class descriptors, the registry and the start-up descriptors in their fixed order.
#include "framework/base/klasse.h"

#include <ostream>

namespace {

// Function-local so that a descriptor made during static initialisation of
// any file finds it; it outlives every descriptor, since the first descriptor
// makes it before that descriptor is complete.
CKlassenverzeichnis& verzeichnis()
{
    static CKlassenverzeichnis v;
    return v;
}

// Constant-initialised, hence valid before any dynamic initialiser runs.
std::uint32_t g_seriennummer = 0;
bool g_startklassen_begonnen = false;

struct CStartklassen {
#define TELVORIN_KLASSE_MITGLIED(name, klein) CKlasse k_##klein{#name, nullptr};
    TELVORIN_STARTKLASSEN(TELVORIN_KLASSE_MITGLIED)
#undef TELVORIN_KLASSE_MITGLIED
    CKlasse freie_funktion{"Funktion oder nicht von CObjekt abgeleitete Klasse", nullptr};
    CKlasse kurze_ausgabe{"Dummy: fuer kurze Ausgaben", nullptr};
};

// Members of one object are built in declaration order, which fixes the
// serial numbers whatever the linker does with the order of files.
CStartklassen& startklassen()
{
    g_startklassen_begonnen = true;
    static CStartklassen s;
    return s;
}

}  // namespace

void erzeuge_startklassen()
{
    startklassen();
}

#define TELVORIN_KLASSE_ACCESSOR(name, klein) \
    const CKlasse* klasse_##klein() { return &startklassen().k_##klein; }
TELVORIN_STARTKLASSEN(TELVORIN_KLASSE_ACCESSOR)
#undef TELVORIN_KLASSE_ACCESSOR

const CKlasse* klasse_freie_funktion()
{
    return &startklassen().freie_funktion;
}

const CKlasse* klasse_kurze_ausgabe()
{
    return &startklassen().kurze_ausgabe;
}

const CKlassenverzeichnis& klassenverzeichnis()
{
    return verzeichnis();
}

const CKlasse* finde_klasse(const std::string& name)
{
    const CKlassenverzeichnis& v = verzeichnis();
    const auto it = v.find(name);
    return it == v.end() ? nullptr : it->second;
}

CBasis::~CBasis() = default;

const CKlasse* CBasis::gib_klasse() const
{
    return klasse_cbasis();
}

bool CBasis::ist_abgeleitet_von(const CKlasse* klasse) const
{
    return klasse != nullptr && klasse == klasse_cbasis();
}

const CKlasse* CObjekt::gib_klasse() const
{
    return klasse_cobjekt();
}

bool CObjekt::ist_abgeleitet_von(const CKlasse* klasse) const
{
    return (klasse != nullptr && klasse == klasse_cobjekt()) || CBasis::ist_abgeleitet_von(klasse);
}

CKlasse::CKlasse(const std::string& name, std::uint32_t version, const std::string& text4,
                 const void* referenz, const std::string& text1, const std::string& text2,
                 std::uint32_t zahl1, const std::string& text3, std::uint32_t zahl2)
    : m_name(name), m_text1(text1), m_referenz(referenz), m_zahl1(zahl1), m_text2(text2),
      m_zahl2(zahl2), m_text3(text3), m_version(version), m_text4(text4)
{
    trage_ein();
}

CKlasse::CKlasse(const std::string& name, const void* referenz) : m_name(name), m_referenz(referenz)
{
    trage_ein();
}

CKlasse::~CKlasse()
{
    verzeichnis().erase(m_name);
}

void CKlasse::trage_ein()
{
    // A descriptor made before the start-up ones (a static object of another
    // file whose initialiser happens to run first) would otherwise take one of
    // their serial numbers; so the start-up set is made first. The flag keeps
    // the start-up descriptors themselves from recursing into this.
    if (!g_startklassen_begonnen)
        startklassen();
    m_seriennummer = ++g_seriennummer;
    verzeichnis()[m_name] = this;
}

void CKlasse::gib_aus(std::ostream& strom) const
{
    strom << "Klassenbeschreibungsobjekt: Klasse:" << m_name;
}
