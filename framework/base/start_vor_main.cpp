// Makes the framework's framework-wide objects before main, in a fixed order.
#include "framework/text/cqstring.h"
#include "framework/diagnostics/fehler.h"
#include "framework/text/i18n.h"
#include "framework/base/klasse.h"
#include "framework/diagnostics/melde.h"
#include "framework/variables/schalter.h"

namespace {

// Everything below is made on first use as well; this only makes sure it all
// exists before main even in a program that never touches it, and in this
// order whatever order the linker gives the files. This file is linked whole
// into every program that links the framework, since nothing refers to it by
// name.
struct CStart {
    CStart()
    {
        erzeuge_startklassen();
        erzeuge_schalter();
        erzeuge_cqstring_werte();
        i18n();
        erzeuge_meldewerte();
        Anwenderverzeichnis();
        Fehlerdateiname();
    }
};

const CStart start;

}  // namespace
