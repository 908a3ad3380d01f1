// Translation of the framework's fixed texts: a table or an installed translator.
#pragma once

#include "framework/text/cstring.h"
#include "framework/base/klasse.h"

#include <map>
#include <string>

// An object that answers all translations while installed.
class CUebersetzer {
public:
    virtual ~CUebersetzer();
    // Fills `ergebnis` with the translation of `text`. `kontext` is
    // "uebersetze_" followed by the class name or the caller's context;
    // `reserviert` is always 0.
    virtual void uebersetze(CString& ergebnis, const CString& text, const CString& kontext,
                            int reserviert) = 0;
};

// The one translation object of the program (see i18n()).
class CI18n : public CObjekt {
public:
    CI18n() = default;
    CI18n(const CI18n&) = delete;
    CI18n& operator=(const CI18n&) = delete;

    TELVORIN_KLASSE(CObjekt, klasse_ci18n)

    void gib_aus(std::ostream& strom) const override;

    // The table maps a whole source text (exact, case-sensitive bytes) to its
    // translation; it ignores classes and contexts.
    void setze_eintrag(const std::string& quelle, const std::string& uebersetzung);
    void leere_tabelle();
    const std::map<std::string, std::string>& gib_tabelle() const { return m_tabelle; }

    // Installs `uebersetzer` (not owned; null removes it) and returns the one
    // installed before. The caller keeps it alive while it is installed.
    CUebersetzer* setze_uebersetzer(CUebersetzer* uebersetzer);
    CUebersetzer* gib_uebersetzer() const { return m_uebersetzer; }

    // The translator when installed (key "uebersetze_" + kontextname), else
    // the table, else the text unchanged.
    CString uebersetze(const CString& text, const std::string& kontextname) const;

private:
    std::map<std::string, std::string> m_tabelle;
    CUebersetzer* m_uebersetzer = nullptr;
};

// The program's CI18n, made on first use and the same ever after.
CI18n& i18n();

// Every fixed framework text passes through one of these before its
// placeholders are filled. A null class counts as an empty class name.
CString uebersetze_(const CString& text, const CKlasse* klasse);
CString uebersetze_(const CString& text, const CString& kontext);
