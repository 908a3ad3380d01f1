// The key table of the framework's settings.
#include "framework/variables/schluesseltabelle.h"

namespace {

// Every setting that a module of this program owns, whether or not it is
// made as a control variable here: the general settings, the HTML output's
// settings and the translation directory. A module that adds a setting adds
// its path here; the order of this list does not matter.
const char* const schluessel[] = {
    "/Allgemein/Ausgabeverzeichnis",
    "/Allgemein/Dezimaltrennzeichen",
    "/Allgemein/Dezimaltrennzeichen Excel",
    "/Allgemein/Ausgabeverzeichnis Grafik",
    "/Allgemein/Debug Ausgabe",
    "/Allgemein/Debug Ausgabe in fehler.txt",
    "/Allgemein/Zusatzdaten",
    "/Allgemein/Unterdruecke Infos",
    "/Allgemein/Unterdruecke Warnungen",
    "/Allgemein/ASCII-Ausgabe",
    "/Allgemein/Fehler bei Syntaxverletzung",
    "/Html/Vorlagedatei",
    "/Html/Pfad Grafiken",
    "/Html/URL Grafiken",
    "/Internationalisierung/Verzeichnis",
};

CSchluesseltabelle baue_tabelle()
{
    // std::string orders by char_traits<char>::lt, which compares as unsigned
    // char: byte-wise, as the ids require.
    CSchluesseltabelle tabelle;
    for (const char* pfad : schluessel) {
        tabelle.emplace(pfad, 0);
    }
    std::int32_t id = 0;
    for (auto& eintrag : tabelle) {
        eintrag.second = ++id;
    }
    return tabelle;
}

}  // namespace

const CSchluesseltabelle& schluesseltabelle()
{
    static const CSchluesseltabelle tabelle = baue_tabelle();
    return tabelle;
}

std::optional<std::int32_t> schluessel_id(const std::string& pfad)
{
    const CSchluesseltabelle& tabelle = schluesseltabelle();
    const auto it = tabelle.find(pfad);
    if (it == tabelle.end()) {
        return std::nullopt;
    }
    return it->second;
}
