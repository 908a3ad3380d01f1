// INI files that people write by hand: the provider's mapi.ini, the stand-in's session.ini and the registration of
// automation servers. One reader, so that a quote, a comment or a repeated key means the same in each of them.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace telvorin::boundary {

struct IniEntry {
    QString key;
    QString value;

    // The value cut at every comma outside quotes, each item trimmed as a value is: for keys that name several
    // things. The items are kept as one text, so that a list of many costs a few bytes an item beside that text.
    int count() const { return int(item_ends.size()); }
    QString at(int i) const { return items.mid(i ? item_ends[i - 1] : 0, item_ends[i] - (i ? item_ends[i - 1] : 0)); }
    QStringList list() const;

    QString items;  // the items one after the other
    std::vector<int> item_ends;  // where each ends in `items`
};

struct IniSection {
    QString name;
    std::vector<IniEntry> entries;

    // The entry whose key is `key` in any letter case, as keys are compared; null when there is none.
    const IniEntry* find(const QString& key) const;
};

// The syntax, line by line (LF or CR LF; a UTF-8 byte-order mark at the start is skipped):
// - blank, or a comment that starts with ";" or "#";
// - "[name]", a section, optionally followed by a ";" comment; keys before the first one belong to [General];
// - "key=value". Blanks and tabs around key and value are dropped. ";" starts a comment outside double quotes;
//   inside them blanks, ";" and "," are kept and \" and \\ stand for a quote and a backslash. Quoted and unquoted
//   pieces may follow one another and are joined.
// The file is UTF-8 when it is valid UTF-8, else Latin-1.
struct IniFile {
    std::vector<IniSection> sections;  // in the order of the file
    // Why the file is not used, as a German phrase for a report; empty when it was read. The first problem in the
    // order of the file: "Syntaxfehler in Zeile N", "doppelter Abschnitt [S]" (names compared exactly), or
    // "doppelter Eintrag 'k' in [S]" (keys compared in any letter case), where otherwise one would silently win.
    QString error;

    const IniSection* find(const QString& name, Qt::CaseSensitivity cs = Qt::CaseSensitive) const;
};

[[nodiscard]] IniFile parse_ini(const QByteArray& content);

// Reads the file at `path`: besides the errors above "nicht lesbar", and "zu gross" beyond `max_size` bytes, which
// keeps a wrong path (a log file, a disk image) from being read into memory.
[[nodiscard]] IniFile read_ini_file(const QString& path, qint64 max_size = 1 << 20);

}  // namespace telvorin::boundary
