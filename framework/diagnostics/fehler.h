// Error records of the framework, their types and the error file they append to.
#pragma once

#include "framework/text/cstring.h"
#include "framework/base/klasse.h"

#include <cstdint>
#include <string>

// The kind of a message or error record. Values outside 0 to 6 can occur
// (the type is a plain 32-bit number) and are reported as invalid.
enum EFehlerTyp : std::int32_t {
    fataler_fehler = 0,
    PROGRAMMIERFEHLER = 1,  // misuse of an interface
    syntaxfehler = 2,
    EINGABEFEHLER = 3,      // rejected input
    WARNUNG = 4,
    info = 5,
    debug = 6,
};

// Untranslated type word for the error file; "KEIN GUELTIGER FEHLERTYP"
// for a value outside 0 to 6.
const char* fehlertyp_wort(EFehlerTyp typ);
// Untranslated message prefix ("FEHLER: ", "WARNUNG: ", ...); null for a
// value outside 0 to 6.
const char* fehlertyp_praefix(EFehlerTyp typ);

// "in Methode oder Funktion  %1: " for a null class or the free-function
// descriptor, else "in Klasse %1, Methode %2: ", translated for
// `uebersetzungsklasse` and then filled.
CString methodenpraefix(const CKlasse* klasse, const std::string& methode,
                        const CKlasse* uebersetzungsklasse);

// The prefix melde() puts before a message in debug mode: the type's prefix
// (nothing for an info with the short-message descriptor, nothing for an
// invalid type), then the method prefix unless the class is the
// short-message descriptor. Both parts translated for CObjekt.
CString meldungspraefix(EFehlerTyp typ, const CKlasse* klasse, const std::string& methode);

// Framework-wide parts of the error file's path, both empty at start. An
// application may set them before errors occur.
std::string& Anwenderverzeichnis();
std::string& Fehlerdateiname();
// Anwenderverzeichnis, "/" unless it is empty or ends in "/" or "\",
// then Fehlerdateiname or "fehler.txt" when that is empty.
std::string fehlerdateipfad();

// Base of error records: something that can report itself as a message.
class CFehlerBasis {
public:
    virtual ~CFehlerBasis();
    virtual void melde() const = 0;
};

// An error record. Framework code makes one and throws it by value; making it
// appends three lines to the error file when the switch "/Allgemein/Debug
// Ausgabe in fehler.txt" holds Ja at that moment, so every raised record is
// on file whether or not someone catches it. A file that cannot be opened is
// skipped silently. Copies never write the file.
class CFehler : public CFehlerBasis, public CBasis {
public:
    // `klasse` may be null; it is not owned and must outlive the record.
    CFehler(EFehlerTyp typ, const CKlasse* klasse, const std::string& methode,
            const std::string& text);
    CFehler(const CFehler& anderer);
    CFehler& operator=(const CFehler& anderer) = default;
    ~CFehler() override;

    TELVORIN_KLASSE(CBasis, klasse_cfehler)

    // Hands the record to the message function, output mode 0.
    void melde() const override;
    // A heap copy, owned by the caller; it does not write the error file.
    virtual CFehler* kopie() const;

    const std::string& gib_text() const { return m_text; }
    const std::string& gib_methode() const { return m_methode; }
    // The descriptor of the raiser (not of the record itself: see gib_klasse()).
    const CKlasse* gib_ausloeser() const { return m_klasse; }
    EFehlerTyp gib_typ() const { return m_typ; }

private:
    void schreibe_fehlerdatei() const;

    std::string m_text;
    std::string m_methode;
    const CKlasse* m_klasse;
    EFehlerTyp m_typ;
};
