// Fixture of the settings tests: the framework's fixture with the general settings at their defaults.
#pragma once

#include "allgemein.h"
#include "kern_hilfe.h"

#include <QByteArray>
#include <QFile>

#include <string>
#include <utility>
#include <vector>

namespace variablentest {

// Type, class, method and text of a record in one line, so that one assertion shows all four.
inline std::string bild(int typ, const CKlasse* klasse, const std::string& methode, const std::string& text)
{
    return std::to_string(typ) + ' ' + (klasse != nullptr ? klasse->gib_name() : "-") + ' ' + methode + ": " + text;
}

// What `aufruf` threw, as bild() renders it; empty when it threw nothing.
template <typename F>
std::string geworfen(F&& aufruf)
{
    try {
        std::forward<F>(aufruf)();
    } catch (const CFehler& f) {
        return bild(f.gib_typ(), f.gib_ausloeser(), f.gib_methode(), f.gib_text());
    }
    return "";
}

// Messages go to `empfaenger`; the error file lands in the test's working directory.
class VariablenTest : public kern::MitEmpfaenger {
protected:
    void SetUp() override
    {
        MitEmpfaenger::SetUp();
        allgemeine_einstellungen().setze_vorgaben();
    }
    void TearDown() override
    {
        allgemeine_einstellungen().setze_vorgaben();
        MitEmpfaenger::TearDown();
    }
    // The messages received so far, as bild() renders them.
    std::vector<std::string> gemeldet() const
    {
        std::vector<std::string> bilder;
        for (const auto& m : empfaenger.meldungen) {
            bilder.push_back(bild(m.typ, m.klasse, m.methode, m.text));
        }
        return bilder;
    }
    static QByteArray fehlerdatei()
    {
        QFile datei("fehler.txt");
        return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
    }
};

}  // namespace variablentest
