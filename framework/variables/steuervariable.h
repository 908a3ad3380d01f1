// Typed control variables: settings that take their values from text, check them and give them back.
#pragma once

#include "framework/base/klasse.h"
#include "framework/variables/steuertyp.h"
#include "framework/variables/variablebeschr.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class CDBObjekt;

// One finding of a range check: its level (2 implausible, 3 not allowed or
// missing) and the finished message text.
struct CPruefmeldung {
    int stufe = 0;
    std::string text;
};
using CPruefmeldungen = std::vector<CPruefmeldung>;

// How other modules reach a control variable without knowing its type.
class CSteuerVarInterface : public CObjekt {
public:
    // The key path; unique among the settings of a program.
    virtual const std::string& gib_schluessel() const = 0;
    // "int", "unsigned", "double", "bool" or "text".
    virtual std::string gib_typname() const = 0;
    // The value as text, as a settings file or dialog shows it.
    virtual std::string gib_wert_str() const = 0;
    // Sets the value from text; throws CFehler (type 3, method
    // "setze_wert_str") for text it cannot take, leaving the value unchanged.
    // With `pruefen` the allowed bounds of the descriptor are enforced.
    virtual void setze_wert_str(const std::string& text, bool pruefen) = 0;
    // Checks the value against the descriptor; appends at most one finding to
    // `meldungen` and returns its level, 0 when there is none.
    virtual int pruefe(CPruefmeldungen& meldungen) const = 0;
    virtual bool ist_geaendert() const = 0;
    virtual bool ungleich_defaultwert() const = 0;
};

// The untyped part of every variable: its key, the link to its descriptor,
// the changed flag and the lists of control variables that belong to it.
// The operations that a concrete class must provide throw CFehler of type 1
// here, so that a call on the wrong class is found rather than ignored.
class CVariableBasis : public CSteuerVarInterface {
public:
    // `beschr` is not owned and must outlive the variable; it may be null
    // (then nothing is range-checked).
    CVariableBasis(const std::string& schluessel, const CVariableBeschr* beschr);
    ~CVariableBasis() override;

    CVariableBasis(const CVariableBasis&) = delete;
    CVariableBasis& operator=(const CVariableBasis&) = delete;

    TELVORIN_KLASSE(CObjekt, klasse_cvariablebasis)

    // Writes the key, " = " and the value as text.
    void gib_aus(std::ostream& strom) const override;

    const std::string& gib_schluessel() const override { return m_schluessel; }
    const CVariableBeschr* gib_beschreiber() const { return m_beschreiber; }

    // Throw type 1; see the class comment.
    bool ist_geaendert() const override;
    virtual void ergaenze_geaendert();
    bool ungleich_defaultwert() const override;
    virtual void setze_id(int id);
    virtual CDBObjekt* gib_dbobjekt() const;

    // Adds `variable` (not owned) to this variable's control variables. One
    // whose key is already in the list throws type 1 "Steuervariable %1
    // bereits in Liste" and is not added.
    void ergaenze_steuervar(CSteuerVarInterface* variable);
    // Takes `vorlage` (not owned) as the template variable; a second one
    // throws type 1 "Vorlage wurde bereits aufgenommen".
    void ergaenze_steuervar_vorlage(CSteuerVarInterface* vorlage);
    const std::vector<CSteuerVarInterface*>& gib_steuervariablen() const { return m_steuervariablen; }
    CSteuerVarInterface* gib_vorlage() const { return m_vorlage; }

    // Whether the current calculation method needs a value here. The
    // calculation methods live in modules outside the framework; they say so
    // through this flag, which is off unless they set it.
    void setze_muss_belegt(bool muss) { m_muss_belegt = muss; }
    bool muss_belegt() const { return m_muss_belegt; }

    virtual bool hat_wert() const = 0;

    // The check shared by all types: a variable that must be set and has no
    // value gives level 3 with "Variable %1 muss im aktuellen
    // Berechnungsverfahren belegt sein und hat keinen Wert".
    int pruefe(CPruefmeldungen& meldungen) const override;

protected:
    bool m_geaendert = false;

private:
    std::string m_schluessel;
    const CVariableBeschr* m_beschreiber;
    bool m_muss_belegt = false;
    std::vector<CSteuerVarInterface*> m_steuervariablen;
    CSteuerVarInterface* m_vorlage = nullptr;
};

// A variable holding a value of type T: int, unsigned, double, std::string or
// EBool. A new variable starts with the default of its typed descriptor, or
// with the missing value when it has none.
template <typename T>
class CVariableBasisTemplate : public CVariableBasis {
public:
    CVariableBasisTemplate(const std::string& schluessel, const CVariableBeschr* beschr);

    TELVORIN_KLASSE(CVariableBasis, klasse_cvariablebasistemplate)

    std::string gib_typname() const override;

    virtual const T& gib_wert() const { return m_wert; }
    // The typed setter; no checks.
    virtual void setze_wert(const T& wert) { m_wert = wert; }

    // Reads the value from text:
    // - int, unsigned: empty text is the missing value, else the leading
    //   integer (atoi rules; beyond the type's range it is clamped). With
    //   `pruefen`, unsigned rejects a negative number, then both reject values
    //   beyond the allowed bounds.
    // - double: empty text is the missing value; with the decimal separator ","
    //   the text is read by string_zu_double, else by atof. With `pruefen` the
    //   bounds are tested unless the value equals the current one within
    //   0.001 percent.
    // - EBool: "ja"/"true"/"1" and "nein"/"false"/"0" in any case; empty text
    //   is the missing value; anything else is rejected.
    // - text: taken as it is.
    // A missing value is never tested against bounds: it means "not given".
    // Rejection throws CFehler type 3, method "setze_wert_str", value unchanged.
    void setze_wert_str(const std::string& text, bool pruefen) override;

    // Numbers as short as they need ("---" for the missing value), EBool as
    // "Ja"/"Nein", text as it is.
    std::string gib_wert_str() const override;

    // The value for a database statement: int "%d", unsigned "%u", double
    // "%g", text in double quotes. Other types have no database form: that is
    // reported (type 1, "unbekannter Typ %1") and the result is empty.
    virtual std::string gib_db_string() const;

    bool hat_wert() const override { return !ist_fehlwert(m_wert); }

    // After the base check: allowed range (level 3), then plausible range
    // (level 2), each lower bound before upper; the first finding ends the
    // check. Only int, unsigned and double are range-checked, and only
    // against a descriptor of their own type.
    int pruefe(CPruefmeldungen& meldungen) const override;

    // The descriptor when it is one of this type, else null.
    const CVariableBeschrTemplate<T>* gib_typbeschreiber() const;

protected:
    T m_wert;
};

// A control variable bound to a key path. Setting a value that differs from
// the current one marks the variable as changed.
template <typename T>
class CVariableSteuer : public CVariableBasisTemplate<T> {
public:
    CVariableSteuer(const std::string& schluessel, const CVariableBeschr* beschr = nullptr);
    // Bound to the descriptor's key path, starting with its default.
    explicit CVariableSteuer(const CVariableBeschrTemplate<T>& beschr);

    TELVORIN_KLASSE(CVariableBasisTemplate<T>, klasse_cvariablesteuer)

    using CVariableBasisTemplate<T>::gib_wert;
    void setze_wert(const T& wert) override;
    // Rows are not supported by a single variable: both throw type 1
    // "Zeile: %1 - Methode nicht implementiert! - nichts passiert".
    virtual const T& gib_wert(int zeile) const;
    virtual void setze_wert(int zeile, const T& wert);

    bool ist_geaendert() const override { return this->m_geaendert; }
    void ergaenze_geaendert() override { this->m_geaendert = true; }
    // Compared with the typed descriptor's default (doubles within 0.001
    // percent); without one, with the missing value.
    bool ungleich_defaultwert() const override;
};

// A control variable of one of the user-interface setting groups.
template <typename T>
class CVariableSteuerUI : public CVariableSteuer<T> {
public:
    using CVariableSteuer<T>::CVariableSteuer;
};

// Whether a key path belongs to a user-interface setting group ("/Allgemein",
// "/Tabelle", ...): a plain byte-wise prefix test.
bool ist_ui_gruppe(const std::string& schluessel);
// The twelve group paths, made on first use.
const std::vector<std::string>& ui_gruppen();

// Creation modes of control variables.
enum : int { steuervar_nach_gruppe = 0, steuervar_einfach = 1, steuervar_ui = 2 };

// Makes a control variable for `schluessel`: mode 2 a CVariableSteuerUI,
// mode 1 a CVariableSteuer, mode 0 (and any other) a CVariableSteuerUI
// exactly when the key is in a user-interface group.
template <typename T>
std::unique_ptr<CVariableSteuer<T>> erzeuge_steuervariable(const std::string& schluessel, int modus,
                                                           const CVariableBeschr* beschr = nullptr);

// Value-holders for the same five types, for code that needs a typed value
// without key or descriptor.
class CWert {
public:
    virtual ~CWert() = default;
    virtual std::string gib_typname() const = 0;
};

template <typename T>
class CWertT : public CWert {
public:
    CWertT() = default;
    explicit CWertT(const T& wert) : m_wert(wert) {}

    std::string gib_typname() const override { return CSteuerTyp<T>::name(); }
    const T& gib_wert() const { return m_wert; }
    void setze_wert(const T& wert) { m_wert = wert; }
    bool hat_wert() const { return !ist_fehlwert(m_wert); }

private:
    T m_wert = CSteuerTyp<T>::fehlwert();
};

// A typed value that remembers its default and starts with it.
template <typename T>
class CWertDT : public CWertT<T> {
public:
    CWertDT() = default;
    explicit CWertDT(const T& vorgabe) : CWertT<T>(vorgabe), m_vorgabe(vorgabe) {}

    const T& gib_vorgabe() const { return m_vorgabe; }
    void setze_vorgabe(const T& vorgabe) { m_vorgabe = vorgabe; }
    bool ist_vorgabe() const { return this->gib_wert() == m_vorgabe; }
    void setze_auf_vorgabe() { this->setze_wert(m_vorgabe); }

private:
    T m_vorgabe = CSteuerTyp<T>::fehlwert();
};

#define TELVORIN_STEUERTYPEN_EXTERN(T)                                                     \
    extern template class CVariableBasisTemplate<T>;                                     \
    extern template class CVariableSteuer<T>;                                            \
    extern template class CVariableSteuerUI<T>;                                          \
    extern template std::unique_ptr<CVariableSteuer<T>> erzeuge_steuervariable<T>(       \
        const std::string&, int, const CVariableBeschr*);
TELVORIN_STEUERTYPEN_EXTERN(int)
TELVORIN_STEUERTYPEN_EXTERN(unsigned)
TELVORIN_STEUERTYPEN_EXTERN(double)
TELVORIN_STEUERTYPEN_EXTERN(std::string)
TELVORIN_STEUERTYPEN_EXTERN(EBool)
#undef TELVORIN_STEUERTYPEN_EXTERN
