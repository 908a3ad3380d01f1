// Names and English texts of Simple MAPI result codes.
#pragma once

#include <QString>
#include <QtGlobal>

// How far loading the Simple MAPI library got; set by the mailer.
enum ELadestatus : quint32 {
    geladen = 0,
    bibliothek_fehlt = 2,
    funktion_fehlt = 4,
};

// Number of Simple MAPI functions the mailer resolves, and the name of the
// one at `ladeschritt` 1..mapi_funktionen_anzahl in load order; nullptr
// outside that range.
constexpr int mapi_funktionen_anzahl = 13;
const char* mapi_funktionsname(int ladeschritt);

// The name of result `code`. Code 19 says how loading failed, which needs
// the mailer's `ladestatus` and `ladeschritt`; codes without a name give
// "Errorcode:<code>" in unsigned decimal.
QString fehlername(quint32 code, quint32 ladestatus, int ladeschritt);

// The untranslated English text that explains a failed send with `code`, or
// nullptr when the code has none.
const char* sende_fehlertext(quint32 code);
