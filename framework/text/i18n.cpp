// The translation object and the uebersetze_ functions.
#include "framework/text/i18n.h"

#include <ostream>

CUebersetzer::~CUebersetzer() = default;

void CI18n::gib_aus(std::ostream& strom) const
{
    strom << "CI18n: " << m_tabelle.size() << " Eintraege";
}

void CI18n::setze_eintrag(const std::string& quelle, const std::string& uebersetzung)
{
    m_tabelle[quelle] = uebersetzung;
}

void CI18n::leere_tabelle()
{
    m_tabelle.clear();
}

CUebersetzer* CI18n::setze_uebersetzer(CUebersetzer* uebersetzer)
{
    CUebersetzer* vorher = m_uebersetzer;
    m_uebersetzer = uebersetzer;
    return vorher;
}

CString CI18n::uebersetze(const CString& text, const std::string& kontextname) const
{
    if (m_uebersetzer != nullptr) {
        CString ergebnis;
        m_uebersetzer->uebersetze(ergebnis, text, CString("uebersetze_" + kontextname), 0);
        return ergebnis;
    }
    const auto it = m_tabelle.find(text.str());
    return it == m_tabelle.end() ? text : CString(it->second);
}

CI18n& i18n()
{
    static CI18n objekt;
    return objekt;
}

CString uebersetze_(const CString& text, const CKlasse* klasse)
{
    return i18n().uebersetze(text, klasse != nullptr ? klasse->gib_name() : std::string());
}

CString uebersetze_(const CString& text, const CString& kontext)
{
    return i18n().uebersetze(text, kontext.str());
}
