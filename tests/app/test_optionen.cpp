// The option walk, case by case.
#include "optionen.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct Fall {
    const char* beschreibung;
    QStringList argumente;  // without the program path
    ELaufmodus modus;
    bool version;
    const char* ziel;
    const char* name;
    const char* back;
    const char* interfacedatei;
};

void PrintTo(const Fall& f, std::ostream* os)
{
    *os << f.beschreibung << ": " << f.argumente.join(QLatin1Char(' ')).toStdString();
}

class Optionslauf : public ::testing::TestWithParam<Fall> {};

TEST_P(Optionslauf, LegtModusUndWerteFest)
{
    const Fall& f = GetParam();
    const Optionen o = lies_optionen(QStringList{QStringLiteral("/usr/bin/telvorin")} + f.argumente);
    EXPECT_EQ(o.version, f.version);
    if (f.version)
        return;
    EXPECT_EQ(static_cast<int>(o.laufmodus), static_cast<int>(f.modus));
    EXPECT_EQ(o.zielverzeichnis, QString::fromUtf8(f.ziel));
    EXPECT_EQ(o.dateiname, QString::fromUtf8(f.name));
    EXPECT_EQ(o.ergebnisdatei, QString::fromUtf8(f.back));
    EXPECT_EQ(o.interfacedatei, QString::fromUtf8(f.interfacedatei));
}

using M = ELaufmodus;

const Fall faelle[] = {
    {"nothing", {}, M::ms_mapi, false, "", "", "", ""},
    {"bare file", {"a.txt"}, M::ms_mapi, false, "", "", "", "a.txt"},
    {"-mapi file", {"-mapi", "a.txt"}, M::ms_mapi, false, "", "", "", "a.txt"},
    {"-mapi last", {"-mapi"}, M::ms_mapi, false, "", "", "", ""},
    {"-mapi takes a dash value", {"-mapi", "-x"}, M::ms_mapi, false, "", "", "", "-x"},
    {"mail then version", {"-mail", "-version"}, M::mail, true, "", "", "", ""},
    {"version then mail", {"-version", "-mail"}, M::mail, true, "", "", "", ""},
    {"last mode wins", {"-mail", "-anlage"}, M::anlage, false, "", "", "", ""},
    {"anlage then mapi file", {"-anlage", "-mapi", "f.txt"}, M::ms_mapi, false, "", "", "", "f.txt"},
    {"dest last", {"-mail", "-dest"}, M::mail, false, "", "", "", ""},
    {"mail dest dir", {"-mail", "-dest", "out"}, M::mail, false, "out", "", "", ""},
    {"dest value is bare in mode 2", {"-dest", "out"}, M::ms_mapi, false, "out", "", "", "out"},
    {"back then bare file", {"-back", "r.csv", "m.txt"}, M::ms_mapi, false, "", "", "r.csv", "m.txt"},
    {"name value also bare", {"-name", "n.pdf"}, M::ms_mapi, false, "", "n.pdf", "", "n.pdf"},
    {"bare before mail stays", {"m.txt", "-mail"}, M::mail, false, "", "", "", "m.txt"},
    {"bare after mail ignored", {"-mail", "m.txt"}, M::mail, false, "", "", "", ""},
    {"capitals", {"-MAIL", "-DeSt", "o"}, M::mail, false, "o", "", "", ""},
    {"capital version", {"-VERSION"}, M::ms_mapi, true, "", "", "", ""},
    {"prefix is no option", {"-mailx", "-destination", "d"}, M::ms_mapi, false, "", "", "", "d"},
    {"dash alone ignored", {"-", "-xyz", "f"}, M::ms_mapi, false, "", "", "", "f"},
    {"repeated value keeps last", {"-mail", "-dest", "a", "-dest", "b", "-name", "x", "-name", "y"}, M::mail, false, "b", "y", "", ""},
    {"value option eats an option name", {"-dest", "-mail"}, M::mail, false, "-mail", "", "", ""},
    {"later bare replaces mapi value", {"-mapi", "a", "b"}, M::ms_mapi, false, "", "", "", "b"},
    {"back in mode 0", {"-anlage", "-back", "r.csv", "-name", "x.pdf"}, M::anlage, false, "", "x.pdf", "r.csv", ""},
};

INSTANTIATE_TEST_SUITE_P(Table, Optionslauf, ::testing::ValuesIn(faelle));

}  // namespace
