// Object base of the framework and its class descriptors, kept in a registry by name.
#pragma once

#include "framework/base/ebool.h"

#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>

class CKlasse;

// The descriptors that exist before main, in the order of their serial
// numbers (1 for the first), each with the lower-case form its accessor takes.
// The list is the single source of that order.
#define TELVORIN_STARTKLASSEN(X)  \
    X(CQString, cqstring) X(CSprache, csprache) X(CQCat, cqcat) X(CSystemBasis, csystembasis) \
    X(CQLogBase, cqlogbase) X(CQHtml, cqhtml) X(CObjekt, cobjekt) X(CKlasse, cklasse) \
    X(CBasis, cbasis) X(CString, cstring) X(CI18n, ci18n) X(CVariableSteuer, cvariablesteuer) \
    X(CVariableBasis, cvariablebasis) X(CFehler, cfehler) X(CZeit, czeit) X(CLogBase, clogbase) \
    X(CHtml, chtml) X(CVariableBasisTemplate, cvariablebasistemplate) X(COStream, costream) \
    X(CIOZeile, ciozeile) X(CVariableBeschrTemplate, cvariablebeschrtemplate) \
    X(CVariableBeschr, cvariablebeschr) X(CSteuerPlausi, csteuerplausi) X(CKalender, ckalender) \
    X(CBaum, cbaum) X(CBlatt, cblatt) X(CIOElement, cioelement) X(CProfil, cprofil) \
    X(CWerteProfile, cwerteprofile) X(CIOZeileExcel, ciozeileexcel) X(CSystemAllg, csystemallg)

// One accessor per start-up descriptor, named after the class in lower case:
// klasse_czeit(), klasse_cfehler(), ...
// Each returns the same descriptor for the whole run, never null. The first
// call of any of them (or the making of any descriptor) makes all start-up
// descriptors at once, in the listed order, so that their serial numbers do
// not depend on the order in which the linker runs static initialisers.
#define TELVORIN_KLASSE_ACCESSOR(name, klein) const CKlasse* klasse_##klein();
TELVORIN_STARTKLASSEN(TELVORIN_KLASSE_ACCESSOR)
#undef TELVORIN_KLASSE_ACCESSOR

// The two pseudo-descriptors, made right after the list above.
// "Funktion oder nicht von CObjekt abgeleitete Klasse": the raiser of a
// message is a free function or a class without a descriptor.
const CKlasse* klasse_freie_funktion();
// "Dummy: fuer kurze Ausgaben": a short message without method prefix.
const CKlasse* klasse_kurze_ausgabe();

// Root of all framework classes. Every class answers with its own descriptor
// and says whether it derives from the class of a given descriptor.
class CBasis {
public:
    virtual ~CBasis();
    // The descriptor of the object's most derived framework class; never null.
    virtual const CKlasse* gib_klasse() const;
    // True when `klasse` is the descriptor of this object's class or of one of
    // its framework bases. Compares descriptors by identity; null gives false.
    virtual bool ist_abgeleitet_von(const CKlasse* klasse) const;
};

// Framework classes that can describe themselves in readable form.
class CObjekt : public CBasis {
public:
    const CKlasse* gib_klasse() const override;
    bool ist_abgeleitet_von(const CKlasse* klasse) const override;
    // Writes a readable dump of the object; no line end unless the class says so.
    virtual void gib_aus(std::ostream& strom) const = 0;
};

// Declares the two descriptor operations of a framework class inside its
// body, answered from the accessor `beschreiber` (one of the klasse_...()
// functions below). `Basis` is the base that derives from CBasis; a class with
// two bases names that one. Leaves the access at public.
#define TELVORIN_KLASSE(Basis, beschreiber)                                          \
public:                                                                              \
    const CKlasse* gib_klasse() const override { return beschreiber(); }             \
    bool ist_abgeleitet_von(const CKlasse* klasse) const override                    \
    {                                                                                \
        return (klasse != nullptr && klasse == beschreiber()) || Basis::ist_abgeleitet_von(klasse); \
    }

// The descriptor of one class. Every descriptor takes the next serial number
// when made and enters itself in the registry under its name, replacing a
// descriptor of the same name; destroying it removes that name from the
// registry, whichever descriptor the entry pointed to. Descriptors are neither
// copied nor moved, because the registry holds their addresses.
class CKlasse : public CObjekt {
public:
    CKlasse(const std::string& name, std::uint32_t version, const std::string& text4,
            const void* referenz, const std::string& text1, const std::string& text2,
            std::uint32_t zahl1, const std::string& text3, std::uint32_t zahl2);
    CKlasse(const std::string& name, const void* referenz);
    ~CKlasse() override;

    CKlasse(const CKlasse&) = delete;
    CKlasse& operator=(const CKlasse&) = delete;

    TELVORIN_KLASSE(CObjekt, klasse_cklasse)

    // Writes "Klassenbeschreibungsobjekt: Klasse:" directly followed by the name.
    void gib_aus(std::ostream& strom) const override;

    const std::string& gib_name() const { return m_name; }
    std::uint32_t gib_seriennummer() const { return m_seriennummer; }
    std::uint32_t gib_version() const { return m_version; }
    const void* gib_referenz() const { return m_referenz; }
    const std::string& gib_text1() const { return m_text1; }
    const std::string& gib_text2() const { return m_text2; }
    const std::string& gib_text3() const { return m_text3; }
    const std::string& gib_text4() const { return m_text4; }
    std::uint32_t gib_zahl1() const { return m_zahl1; }
    std::uint32_t gib_zahl2() const { return m_zahl2; }
    std::int32_t gib_flag() const { return m_flag; }
    const void* gib_reserviert() const { return m_reserviert; }

private:
    void trage_ein();

    std::string m_name;
    std::string m_text1;
    const void* m_referenz = nullptr;
    std::uint32_t m_zahl1 = fehlwert_unsigned;
    std::string m_text2;
    std::uint32_t m_zahl2 = fehlwert_unsigned;
    std::string m_text3;
    std::int32_t m_flag = 0;
    std::uint32_t m_seriennummer = 0;
    std::uint32_t m_version = fehlwert_unsigned;
    std::string m_text4;
    const void* m_reserviert = nullptr;
};

// The registry: class name to descriptor, not owning. Made by the first
// descriptor; looking at it never makes descriptors.
using CKlassenverzeichnis = std::map<std::string, CKlasse*>;
const CKlassenverzeichnis& klassenverzeichnis();

// The descriptor registered under `name`, or null.
const CKlasse* finde_klasse(const std::string& name);

// Makes all start-up descriptors if they are not made yet.
void erzeuge_startklassen();
