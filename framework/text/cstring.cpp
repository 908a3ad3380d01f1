// CString: placeholder substitution and the EBool argument.
#include "framework/text/cstring.h"

#include "framework/text/i18n.h"
#include "framework/diagnostics/melde.h"

#include <ostream>

CString::~CString() = default;

CString& CString::arg(const std::string& text)
{
    std::string::size_type beste = std::string::npos;
    char beste_ziffer = '9' + 1;
    // The last "%" can have no digit after it, so the scan stops one short.
    for (std::string::size_type i = 0; i + 1 < m_text.size(); ++i) {
        const char z = m_text[i + 1];
        if (m_text[i] == '%' && z >= '0' && z <= '9' && z < beste_ziffer) {
            beste = i;
            beste_ziffer = z;
        }
    }
    if (beste == std::string::npos) {
        melde(WARNUNG, klasse_freie_funktion(), "arg()",
              uebersetze_("Argument kann nicht zugeordnet werden", klasse_cstring()).str());
        return *this;
    }
    m_text.replace(beste, 2, text);
    return *this;
}

CString& CString::arg(EBool wert)
{
    if (wert == ja)
        return arg(uebersetze_("Ja", klasse_cstring()));
    if (wert == nein)
        return arg(uebersetze_("Nein", klasse_cstring()));
    return arg(std::string());
}

std::ostream& operator<<(std::ostream& strom, const CString& text)
{
    return strom << text.str();
}
