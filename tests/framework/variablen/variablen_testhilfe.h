// Test fixture for the settings: pinned locale and translation, own error-file directory, recorded messages.
#pragma once

#include "allgemein.h"
#include "fehler.h"
#include "i18n.h"
#include "melde.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace variablentest {

struct Meldung {
    EFehlerTyp typ;
    const CKlasse* klasse;
    std::string methode;
    std::string text;
};

class Aufzeichnung : public CMeldungsempfaenger {
public:
    void empfange(const EFehlerTyp& typ, const CKlasse* const& klasse, const std::string& methode,
                  const std::string& text) override
    {
        meldungen.push_back({typ, klasse, methode, text});
    }
    std::vector<Meldung> meldungen;
};

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

// Each test gets the general settings at their defaults, the C locale, an
// empty translation table and a fresh directory for the error file.
class VariablenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_verzeichnis.isValid());
        std::setlocale(LC_ALL, "C");
        i18n().leere_tabelle();
        allgemeine_einstellungen().setze_vorgaben();
        m_anwenderverzeichnis = Anwenderverzeichnis();
        Anwenderverzeichnis() = m_verzeichnis.path().toStdString();
        if (m_aufzeichnen) {
            m_vorher = installiere_meldungsempfaenger(&m_aufzeichnung);
        }
    }

    void TearDown() override
    {
        if (m_aufzeichnen) {
            installiere_meldungsempfaenger(m_vorher);
        }
        Anwenderverzeichnis() = m_anwenderverzeichnis;
        allgemeine_einstellungen().setze_vorgaben();
        i18n().leere_tabelle();
    }

    // The error file's bytes; empty when it does not exist.
    QByteArray fehlerdatei() const
    {
        QFile datei(m_verzeichnis.filePath("fehler.txt"));
        return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
    }

    std::vector<Meldung>& meldungen() { return m_aufzeichnung.meldungen; }

    // Tests of the sinks install no handler, since a handler takes every message.
    bool m_aufzeichnen = true;

private:
    QTemporaryDir m_verzeichnis;
    Aufzeichnung m_aufzeichnung;
    CMeldungsempfaenger* m_vorher = nullptr;
    std::string m_anwenderverzeichnis;
};

}  // namespace variablentest
