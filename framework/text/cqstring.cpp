// CQString and the framework-wide text values.
#include "framework/text/cqstring.h"

#include <ostream>

CQString::CQString(const char* latin1) : m_text(QString::fromLatin1(latin1 != nullptr ? latin1 : "")) {}

void CQString::gib_aus(std::ostream& strom) const
{
    strom << m_text.toStdString();
}

namespace {

struct CQStringWerte {
    CQString unbekannt{"???"};
    CQString leer{""};
    CQString system{"system"};
    CQString punkt{"."};
    CQString sprache_quelltexte{"de"};
    CQString sprache_aktuell{"de"};
};

CQStringWerte& werte()
{
    static CQStringWerte w;
    return w;
}

}  // namespace

const CQString& cqstring_unbekannt() { return werte().unbekannt; }
const CQString& cqstring_leer() { return werte().leer; }
const CQString& cqstring_system() { return werte().system; }
const CQString& cqstring_punkt() { return werte().punkt; }
const CQString& sprache_quelltexte() { return werte().sprache_quelltexte; }
const CQString& sprache_aktuell() { return werte().sprache_aktuell; }

void erzeuge_cqstring_werte()
{
    werte();
}
