// Variable descriptors: fields, type names, the registry in creation order, and removal.
#include "variablebeschr.h"
#include "variablebeschr_liste_p.h"

#include "steuervariable.h"
#include "variablen_testhilfe.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace {

using variablentest::gefangen;
using variablentest::VariablenTest;

using BeschreiberTest = VariablenTest;

TEST_F(BeschreiberTest, TypnamenUndAbwesendeGrenzen)
{
    CVariableBeschrTemplate<int> i("/Test/int", 4, "Zeile 1\nZeile 2", "zweiter Text");
    CVariableBeschrTemplate<unsigned> u("/Test/unsigned", 5u, "", "");
    CVariableBeschrTemplate<float> f("/Test/float", 1.5f, "", "");
    CVariableBeschrTemplate<double> d("/Test/double", 2.5, "", "");
    CVariableBeschrTemplate<std::string> s("/Test/text", "abc", "", "");
    CVariableBeschrTemplate<EBool> b("/Test/bool", Ja, "", "");
    const std::pair<const CVariableBeschr*, const char*> typen[] = {
        {&i, "int"}, {&u, "unsigned"}, {&f, "float"}, {&d, "double"}, {&s, "text"}, {&b, "bool"}};
    for (const auto& [beschr, name] : typen) {
        EXPECT_EQ(beschr->gib_typname(), name) << beschr->gib_pfad();
    }
    EXPECT_EQ(i.gib_untergrenze(), 99999999);
    EXPECT_EQ(u.gib_obergrenze(), 99999999u);
    EXPECT_EQ(f.gib_plausibel_unten(), 99999999.0f);
    EXPECT_EQ(d.gib_plausibel_oben(), 99999999.0);
}

TEST_F(BeschreiberTest, RegisterHaeltErzeugungsreihenfolgeUndWirdBeimZerstoerenZurueckgesetzt)
{
    const std::vector<CVariableBeschr*> vorher = variablenbeschreiber();
    auto a = std::make_unique<CVariableBeschrTemplate<int>>("/Test/a", 1, "", "");
    auto b = std::make_unique<CVariableBeschrTemplate<std::string>>("/Test/b", "", "", "");
    auto c = std::make_unique<CVariableBeschrTemplate<EBool>>("/Test/c", Nein, "", "");

    std::vector<CVariableBeschr*> erwartet = vorher;
    erwartet.insert(erwartet.end(), {a.get(), b.get(), c.get()});
    EXPECT_EQ(variablenbeschreiber(), erwartet);
    EXPECT_EQ(finde_variablenbeschreiber("/Test/b"), b.get());
    EXPECT_EQ(finde_variablenbeschreiber("/Test/B"), nullptr);

    b.reset();
    erwartet.erase(erwartet.begin() + static_cast<std::ptrdiff_t>(vorher.size()) + 1);
    EXPECT_EQ(variablenbeschreiber(), erwartet);
    EXPECT_EQ(finde_variablenbeschreiber("/Test/b"), nullptr);

    a.reset();
    c.reset();
    EXPECT_EQ(variablenbeschreiber(), vorher);
    EXPECT_TRUE(meldungen().empty());
    EXPECT_TRUE(fehlerdatei().isEmpty());
}

TEST_F(BeschreiberTest, ZerstoerterBeschreiberAusserhalbDerListeIstEinProgrammierfehler)
{
    const std::vector<CVariableBeschr*> vorher = variablenbeschreiber();
    {
        CVariableBeschrTemplate<double> verloren("/Test/verloren", 0.0, "", "");
        auto& liste = variablenbeschreiber_liste();
        liste.erase(std::find(liste.begin(), liste.end(), &verloren));
    }
    EXPECT_EQ(variablenbeschreiber(), vorher);

    ASSERT_EQ(meldungen().size(), 1u);
    EXPECT_EQ(meldungen()[0].typ, FT_PROGRAMMIERFEHLER);
    EXPECT_EQ(meldungen()[0].klasse, klasse_CVariableBeschr());
    EXPECT_EQ(meldungen()[0].methode, "~CVariableBeschr");
    EXPECT_EQ(meldungen()[0].text, "unplausibel: Variablenbeschreiber nicht in Liste");

    const QList<QByteArray> zeilen = fehlerdatei().split('\n');
    ASSERT_EQ(zeilen.size(), 4) << fehlerdatei().toStdString();
    EXPECT_TRUE(QRegularExpression("^\\d\\d\\.\\d\\d\\.\\d{4} - \\d\\d:\\d\\d:\\d\\d$").match(zeilen[0]).hasMatch())
        << zeilen[0].toStdString();
    EXPECT_EQ(zeilen[1], "PROGRAMMIERFEHLER: in Klasse CVariableBeschr, Methode ~CVariableBeschr: ");
    EXPECT_EQ(zeilen[2], "unplausibel: Variablenbeschreiber nicht in Liste");
    EXPECT_EQ(zeilen[3], "");
}

TEST_F(BeschreiberTest, OhneGrenzenNimmtDieVariableJedenWertIhresTyps)
{
    CVariableBeschrTemplate<int> i("/Test/int", 0, "", "");
    CVariableBeschrTemplate<unsigned> u("/Test/unsigned", 0u, "", "");
    CVariableBeschrTemplate<double> d("/Test/double", 0.0, "", "");
    CVariableSteuer<int> vi(i);
    CVariableSteuer<unsigned> vu(u);
    CVariableSteuer<double> vd(d);
    const std::pair<CVariableBasis*, const char*> faelle[] = {
        {&vi, "-2147483648"}, {&vi, "2147483647"}, {&vi, "100000000"}, {&vu, "0"},
        {&vu, "4294967295"},  {&vd, "-1e300"},     {&vd, "1e300"}};
    for (const auto& fall : faelle) {
        CVariableBasis* variable = fall.first;
        SCOPED_TRACE(fall.second);
        EXPECT_FALSE(gefangen([&] { variable->setze_wert_str(fall.second, true); }));
        CPruefmeldungen befunde;
        EXPECT_EQ(variable->pruefe(befunde), 0);
        EXPECT_TRUE(befunde.empty());
    }
}

}  // namespace
