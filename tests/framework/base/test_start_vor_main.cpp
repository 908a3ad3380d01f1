// The class descriptors exist before main, in their documented order, in a binary that uses nothing else.
#include "framework/base/klasse.h"
#include <gtest/gtest.h>
#include <iterator>

TEST(StartVorMain, StartklassenMitSeriennummernInDerFestenFolge)
{
    const CKlassenverzeichnis verzeichnis = klassenverzeichnis();
    const char* const folge[] = {
        "CQString", "CSprache", "CQCat", "CSystemBasis", "CQLogBase", "CQHtml", "CObjekt", "CKlasse", "CBasis",
        "CString", "CI18n", "CVariableSteuer", "CVariableBasis", "CFehler", "CZeit", "CLogBase", "CHtml",
        "CVariableBasisTemplate", "COStream", "CIOZeile", "CVariableBeschrTemplate", "CVariableBeschr",
        "CSteuerPlausi", "CKalender", "CBaum", "CBlatt", "CIOElement", "CProfil", "CWerteProfile", "CIOZeileExcel",
        "CSystemAllg", "Funktion oder nicht von CObjekt abgeleitete Klasse", "Dummy: fuer kurze Ausgaben"};
    ASSERT_EQ(verzeichnis.size(), std::size(folge));
    for (std::uint32_t i = 0; i < std::size(folge); ++i)  // 0: not registered at all
        EXPECT_EQ(verzeichnis.count(folge[i]) ? verzeichnis.at(folge[i])->gib_seriennummer() : 0u, i + 1) << folge[i];
    EXPECT_EQ(klasse_freie_funktion(), verzeichnis.at(folge[31]));
    EXPECT_EQ(klasse_kurze_ausgabe(), verzeichnis.at(folge[32]));
}
