// Fixture of the settings tests: the framework's fixture with the general settings at their defaults.
#pragma once

#include "allgemein.h"
#include "kern_hilfe.h"

#include <QByteArray>
#include <QFile>

#include <optional>
#include <utility>

namespace variablentest {

// Runs `aufruf` and returns the error record it threw, or nothing.
template <typename F>
std::optional<CFehler> gefangen(F&& aufruf)
{
    try {
        std::forward<F>(aufruf)();
    } catch (const CFehler& fehler) {
        return fehler;
    }
    return std::nullopt;
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
    static QByteArray fehlerdatei()
    {
        QFile datei("fehler.txt");
        return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
    }
};

}  // namespace variablentest
