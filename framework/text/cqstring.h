// CQString: the bridge between the framework's texts and QString.
#pragma once

#include "framework/base/klasse.h"

#include <QString>

#include <iosfwd>

class CQString : public CObjekt {
public:
    CQString() = default;
    explicit CQString(const QString& text) : m_text(text) {}
    // The bytes are read as Latin-1; null reads as empty.
    explicit CQString(const char* latin1);

    TELVORIN_KLASSE(CObjekt, klasse_cqstring)

    // Writes the text as UTF-8, no line end.
    void gib_aus(std::ostream& strom) const override;

    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// Framework-wide values made at start-up, for the code-page and decimal-point
// handling of framework modules: "???", the empty text, "system" and ".".
const CQString& cqstring_unbekannt();
const CQString& cqstring_leer();
const CQString& cqstring_system();
const CQString& cqstring_punkt();

// The framework's two language codes (source texts and current language),
// both "de".
const CQString& sprache_quelltexte();
const CQString& sprache_aktuell();

// Makes the values above if they are not made yet.
void erzeuge_cqstring_werte();
