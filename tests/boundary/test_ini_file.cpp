// INI files as people write them: comments, quotes, line ends and encodings, and the first problem by its line.
#include "boundary/ini_file.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace telvorin::boundary;

namespace {
// Sections as "[name]", entries as "key=<value>" and, when it differs, the list as "{a|b}".
QString shown(const IniFile& file)
{
    if (!file.error.isEmpty())
        return file.error;
    QString text;
    for (const IniSection& section : file.sections) {
        text += QLatin1Char('[') + section.name + QLatin1Char(']');
        for (const IniEntry& entry : section.entries) {
            text += QStringLiteral(" %1=<%2>").arg(entry.key, entry.value);
            if (entry.list() != QStringList{entry.value})
                text += QLatin1Char('{') + entry.list().join(QLatin1Char('|')) + QLatin1Char('}');
        }
    }
    return text;
}
}  // namespace

TEST(IniFile, ReadsWhatAPersonMeans)
{
    const struct { const char* description; QByteArray content; QString read; } cases[] = {
        {"comments and blanks", "; top\n# also\n\n  [ Buero ] ; c\n Outbox = ~/Mail/outbox   ; later\n",
         "[Buero] Outbox=<~/Mail/outbox>"},
        {"keys before a section", "DefaultProfile=B\n[B]\n", "[General] DefaultProfile=<B>[B]"},
        {"an empty section is one", "[Explorer]\n[Inspector]\nCurrentItem=\n", "[Explorer][Inspector] CurrentItem=<>"},
        {"quotes keep blanks, ; and ,", "P=\"  a;b, \\\"c\\\" \\\\ \"  ; c\n", "[General] P=<  a;b, \"c\" \\ >"},
        {"pieces join", "F=Doe \"x, y\" <a@b>\n", "[General] F=<Doe x, y <a@b>>"},
        {"commas cut the list only", "S= a.eml, \"b,c.eml\" ,, d\n", "[General] S=<a.eml, b,c.eml ,, d>{a.eml|b,c.eml||d}"},
        {"a backslash is literal", "P=C:\\temp\nQ=\"a\\nb\"\n", "[General] P=<C:\\temp> Q=<a\\nb>"},
        {"CR LF, a byte-order mark, no last line end", "\xef\xbb\xbf[S]\r\nk=v\r\nl=w", "[S] k=<v> l=<w>"},
        {"UTF-8", "[S\xc3\xa4]\nk\xc3\xa4=\xe2\x82\xac\n", u8"[S\u00e4] k\u00e4=<\u20ac>"},
        {"else Latin-1", "[S]\nk=\xe4\x80\n", u8"[S] k=<\u00e4\u0080>"},
        {"a line without =", "[S]\nk=v\nnur Text\n", "Syntaxfehler in Zeile 3"},
        {"an open quote", "[S]\nk=\"v\nl=w\n", "Syntaxfehler in Zeile 2"},
        {"a NUL", QByteArray("[S]\nk=a\0b\n", 10), "Syntaxfehler in Zeile 2"},
        {"a lone CR", "[S]\nk=a\rb\n", "Syntaxfehler in Zeile 2"},
        {"a section twice", "[a]\nk=1\n[b]\n[a]\n", "doppelter Abschnitt [a]"},
        {"a key twice in any case", "[S]\nDelivery=smtp\ndelivery=outbox\n", "doppelter Eintrag 'delivery' in [S]"},
        {"the first problem wins", "[S]\nk=1\nK=2\nnur Text\n", "doppelter Eintrag 'K' in [S]"},
        {"the same key in two sections", "[a]\nk=1\n[b]\nk=2\n", "[a] k=<1>[b] k=<2>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shown(parse_ini(c.content)).toStdString(), c.read.toStdString()) << c.description;
}

TEST(IniFile, AFileTooLargeOrUnreadableIsNotRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("[S]\nk=v\n") == 8 && file.flush());
    EXPECT_EQ(shown(read_ini_file(path, 8)), "[S] k=<v>");
    EXPECT_EQ(shown(read_ini_file(path, 7)), "zu gross");
    EXPECT_EQ(shown(read_ini_file(dir.filePath(QStringLiteral("fehlt.ini")))), "nicht lesbar");
}
