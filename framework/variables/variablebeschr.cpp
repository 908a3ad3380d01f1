// Descriptors of settings and their registry.
#include "framework/variables/variablebeschr.h"

#include "framework/variables/variablebeschr_liste_p.h"

#include "framework/diagnostics/fehler.h"
#include "framework/text/i18n.h"

#include <algorithm>
#include <new>

std::vector<CVariableBeschr*>& variablenbeschreiber_liste()
{
    // Built in static storage and never destroyed, so that a descriptor that
    // is destroyed late at program end (held by an object that was made
    // before the list) still finds it.
    using CListe = std::vector<CVariableBeschr*>;
    alignas(CListe) static unsigned char speicher[sizeof(CListe)];
    static CListe* const liste = new (speicher) CListe();
    return *liste;
}

const std::vector<CVariableBeschr*>& variablenbeschreiber()
{
    return variablenbeschreiber_liste();
}

CVariableBeschr* finde_variablenbeschreiber(const std::string& pfad)
{
    for (CVariableBeschr* beschr : variablenbeschreiber_liste()) {
        if (beschr->gib_pfad() == pfad) {
            return beschr;
        }
    }
    return nullptr;
}

CVariableBeschr::CVariableBeschr(const std::string& pfad, const std::string& beschreibung,
                                 const std::string& text2)
    : m_pfad(pfad), m_beschreibung(beschreibung), m_text2(text2)
{
    variablenbeschreiber_liste().push_back(this);
}

CVariableBeschr::~CVariableBeschr()
{
    auto& liste = variablenbeschreiber_liste();
    const auto it = std::find(liste.begin(), liste.end(), this);
    if (it != liste.end()) {
        liste.erase(it);
        return;
    }
    // Making the record puts it on file; melde hands it to whoever listens.
    try {
        const CFehler fehler(PROGRAMMIERFEHLER, klasse_cvariablebeschr(), "~CVariableBeschr",
                             uebersetze_(CString("unplausibel: Variablenbeschreiber nicht in Liste"),
                                         klasse_cvariablebeschr())
                                 .str());
        fehler.melde();
    } catch (...) {
        // A sink that throws must not turn a destructor into std::terminate.
    }
}

template <typename T>
CVariableBeschrTemplate<T>::CVariableBeschrTemplate(const std::string& pfad, const T& vorgabe,
                                                    const std::string& beschreibung, const std::string& text2)
    : CVariableBeschr(pfad, beschreibung, text2), m_vorgabe(vorgabe)
{
}

template <typename T>
std::string CVariableBeschrTemplate<T>::gib_typname() const
{
    return CSteuerTyp<T>::name();
}

template class CVariableBeschrTemplate<int>;
template class CVariableBeschrTemplate<unsigned>;
template class CVariableBeschrTemplate<float>;
template class CVariableBeschrTemplate<double>;
template class CVariableBeschrTemplate<std::string>;
template class CVariableBeschrTemplate<EBool>;
