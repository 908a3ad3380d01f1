// Descriptors of settings: key path, texts, default, bounds and unit, kept in one registry.
#pragma once

#include "framework/variables/einheit.h"
#include "framework/base/klasse.h"
#include "framework/variables/steuertyp.h"

#include <string>
#include <vector>

// What a setting is, independent of any value it holds. A descriptor enters
// the registry when it is made and leaves it when it is destroyed; it is
// neither copied nor moved, since the registry and the variables hold its
// address. Descriptors are meant to live as long as the variables that point
// to them, normally for the whole run.
class CVariableBeschr : public CBasis {
public:
    // `pfad` is the key path ("/Allgemein/Dezimaltrennzeichen"), `beschreibung`
    // the text shown to users (may hold line feeds), `text2` a further text.
    CVariableBeschr(const std::string& pfad, const std::string& beschreibung, const std::string& text2);
    // A descriptor that is not in the registry any more is a programming
    // error: it is recorded as an error record of type 1 (error file and
    // melde) rather than thrown, since a destructor must not throw.
    ~CVariableBeschr() override;

    CVariableBeschr(const CVariableBeschr&) = delete;
    CVariableBeschr& operator=(const CVariableBeschr&) = delete;

    TELVORIN_KLASSE(CBasis, klasse_cvariablebeschr)

    const std::string& gib_pfad() const { return m_pfad; }
    const std::string& gib_beschreibung() const { return m_beschreibung; }
    const std::string& gib_text2() const { return m_text2; }

    EEinheit gib_einheit() const { return m_einheit; }
    void setze_einheit(EEinheit einheit) { m_einheit = einheit; }

    // "int", "unsigned", "float", "double", "bool" or "text".
    virtual std::string gib_typname() const = 0;

private:
    std::string m_pfad;
    std::string m_beschreibung;
    std::string m_text2;
    EEinheit m_einheit = einheit_keine;
};

// All live descriptors in the order they were made.
const std::vector<CVariableBeschr*>& variablenbeschreiber();

// The first live descriptor with this key path, or null.
CVariableBeschr* finde_variablenbeschreiber(const std::string& pfad);

// The descriptor of a setting of type T (int, unsigned, float, double,
// std::string or EBool): default and the allowed and plausible bounds. All
// bounds start absent (the type's missing-value marker); an absent bound
// limits nothing. Text and EBool settings carry bounds for uniformity, but
// nothing checks them.
template <typename T>
class CVariableBeschrTemplate : public CVariableBeschr {
public:
    CVariableBeschrTemplate(const std::string& pfad, const T& vorgabe, const std::string& beschreibung,
                            const std::string& text2);

    TELVORIN_KLASSE(CVariableBeschr, klasse_cvariablebeschrtemplate)

    std::string gib_typname() const override;

    const T& gib_vorgabe() const { return m_vorgabe; }

    // Values outside the allowed range are rejected when set with checking.
    void setze_zulaessig(const T& untergrenze, const T& obergrenze)
    {
        m_untergrenze = untergrenze;
        m_obergrenze = obergrenze;
    }
    // Values outside the plausible range are reported but kept.
    void setze_plausibel(const T& untergrenze, const T& obergrenze)
    {
        m_plausibel_unten = untergrenze;
        m_plausibel_oben = obergrenze;
    }

    const T& gib_untergrenze() const { return m_untergrenze; }
    const T& gib_obergrenze() const { return m_obergrenze; }
    const T& gib_plausibel_unten() const { return m_plausibel_unten; }
    const T& gib_plausibel_oben() const { return m_plausibel_oben; }

private:
    T m_vorgabe;
    T m_untergrenze = CSteuerTyp<T>::fehlwert();
    T m_obergrenze = CSteuerTyp<T>::fehlwert();
    T m_plausibel_unten = CSteuerTyp<T>::fehlwert();
    T m_plausibel_oben = CSteuerTyp<T>::fehlwert();
};

extern template class CVariableBeschrTemplate<int>;
extern template class CVariableBeschrTemplate<unsigned>;
extern template class CVariableBeschrTemplate<float>;
extern template class CVariableBeschrTemplate<double>;
extern template class CVariableBeschrTemplate<std::string>;
extern template class CVariableBeschrTemplate<EBool>;
