#include "boundary/ini_file.h"

#include "boundary/outside_text.h"

#include <QFile>

#include <tao/pegtl.hpp>

#include <utility>

namespace telvorin::boundary {

namespace {

namespace pegtl = tao::pegtl;

// The grammar, one rule per thing the header comment names. A NUL or a lone CR belongs to no rule, so that binary
// content is a syntax error rather than keys nobody wrote.
namespace grammar {

using line_end_char = pegtl::one<'\r', '\n'>;
struct blanks : pegtl::star<pegtl::one<' ', '\t'>> {};
struct comment_text : pegtl::star<pegtl::not_one<'\r', '\n'>> {};
struct comment_line : pegtl::seq<pegtl::one<';', '#'>, comment_text> {};
struct trailing_comment : pegtl::seq<pegtl::one<';'>, comment_text> {};

struct section_name : pegtl::plus<pegtl::not_one<']', '\r', '\n', '\0'>> {};
struct section_header : pegtl::seq<pegtl::one<'['>, section_name, pegtl::one<']'>, blanks, pegtl::opt<trailing_comment>> {};

struct key : pegtl::seq<pegtl::not_one<'=', ';', '#', '[', '\r', '\n', '\0'>,
                        pegtl::star<pegtl::not_one<'=', ';', '\r', '\n', '\0'>>> {};
struct escaped : pegtl::seq<pegtl::one<'\\'>, pegtl::one<'"', '\\'>> {};
struct quoted_text : pegtl::plus<pegtl::not_one<'"', '\\', '\r', '\n', '\0'>> {};
struct lone_backslash : pegtl::one<'\\'> {};
struct open_quote : pegtl::one<'"'> {};
struct close_quote : pegtl::one<'"'> {};
struct quoted : pegtl::seq<open_quote, pegtl::star<pegtl::sor<escaped, quoted_text, lone_backslash>>, close_quote> {};
struct comma : pegtl::one<','> {};
struct plain : pegtl::plus<pegtl::not_one<'"', ';', ',', '\r', '\n', '\0'>> {};
struct value : pegtl::star<pegtl::sor<quoted, comma, plain>> {};
struct entry : pegtl::seq<key, pegtl::one<'='>, value, pegtl::opt<trailing_comment>> {};

struct line : pegtl::seq<blanks, pegtl::opt<pegtl::sor<comment_line, section_header, entry>>, pegtl::eolf> {};
struct file : pegtl::seq<pegtl::opt<pegtl::utf8::bom>, pegtl::until<pegtl::eof, pegtl::must<line>>> {};

}  // namespace grammar

// A stretch of the value's text that may end in blanks: those outside quotes go, those inside stay. The value
// and each item of its list are stretches of one text, so that a list of many items costs a few bytes an item
// beside the text.
struct Span {
    int begin = 0;
    int end = 0;
    int kept_from = -1;
    int kept_to = -1;

    void extend(int from, int to, bool quoted)
    {
        if (quoted) {
            if (kept_from < 0)
                kept_from = from;
            kept_to = to;
        }
        end = to;
    }
};

class IniError {
public:
    QString reason;
};

struct State {
    bool utf8 = true;
    IniFile file;
    QByteArray section_name;
    QByteArray key;
    QByteArray value_text;
    Span value;
    std::vector<Span> list;
    IniSection* section = nullptr;

    QString text(const char* bytes, int size) const
    {
        return utf8 ? QString::fromUtf8(bytes, size) : QString::fromLatin1(bytes, size);
    }
    QString text(const QByteArray& bytes) const { return text(bytes.constData(), bytes.size()); }

    QString trimmed(const Span& span) const
    {
        const auto blank = [this](int i) { return value_text[i] == ' ' || value_text[i] == '\t'; };
        int begin = span.begin;
        int end = span.end;
        while (begin < end && (span.kept_from < 0 || begin < span.kept_from) && blank(begin))
            ++begin;
        while (end > begin && end > span.kept_to && blank(end - 1))
            --end;
        return text(value_text.constData() + begin, end - begin);
    }

    // Every piece of a value goes into the whole value and into the list's current item.
    void add(std::string_view piece, bool quoted)
    {
        const int from = value_text.size();
        value_text.append(piece.data(), int(piece.size()));
        value.extend(from, value_text.size(), quoted);
        list.back().extend(from, value_text.size(), quoted);
    }

    void next_item()
    {
        value_text.append(',');
        value.extend(value_text.size() - 1, value_text.size(), false);
        list.push_back(Span{value_text.size(), value_text.size()});
    }

    void open_section(const QString& name)
    {
        if (file.find(name))
            throw IniError{QStringLiteral("doppelter Abschnitt [%1]").arg(name)};
        file.sections.push_back(IniSection{name, {}});
        section = &file.sections.back();
    }

    void add_entry()
    {
        if (!section)
            open_section(QStringLiteral("General"));
        IniEntry entry{text(key.trimmed()), trimmed(value), {}, {}};
        if (section->find(entry.key))
            throw IniError{QStringLiteral("doppelter Eintrag '%1' in [%2]").arg(entry.key, section->name)};
        entry.item_ends.reserve(list.size());
        entry.items.reserve(value_text.size());  // no more characters than bytes
        for (const Span& item : list) {
            entry.items += trimmed(item);
            entry.item_ends.push_back(entry.items.size());
        }
        entry.items.squeeze();
        section->entries.push_back(std::move(entry));
        key.clear();
        value_text.clear();
        value = Span();
        list.assign(1, Span());
    }
};

template <typename Rule>
struct action : pegtl::nothing<Rule> {};

template <>
struct action<grammar::section_name> {
    template <typename Input>
    static void apply(const Input& in, State& state)
    {
        state.section_name = QByteArray(in.begin(), int(in.size())).trimmed();
        if (state.section_name.isEmpty())
            throw pegtl::parse_error("empty section name", in);
    }
};

template <>
struct action<grammar::section_header> {
    template <typename Input>
    static void apply(const Input&, State& state)
    {
        state.open_section(state.text(state.section_name));
    }
};

template <>
struct action<grammar::key> {
    template <typename Input>
    static void apply(const Input& in, State& state)
    {
        state.key = QByteArray(in.begin(), int(in.size()));
    }
};

template <bool quoted>
struct add_text {
    template <typename Input>
    static void apply(const Input& in, State& state)
    {
        state.add(in.string_view(), quoted);
    }
};

template <>
struct action<grammar::plain> : add_text<false> {};
template <>
struct action<grammar::quoted_text> : add_text<true> {};
template <>
struct action<grammar::lone_backslash> : add_text<true> {};

template <>
struct action<grammar::escaped> {
    template <typename Input>
    static void apply(const Input& in, State& state)
    {
        state.add(in.string_view().substr(1), true);
    }
};

// "" is a value of its own: the blanks around it are not the value's.
template <>
struct action<grammar::open_quote> {
    template <typename Input>
    static void apply(const Input&, State& state)
    {
        state.add({}, true);
    }
};
template <>
struct action<grammar::close_quote> : action<grammar::open_quote> {};

template <>
struct action<grammar::comma> {
    template <typename Input>
    static void apply(const Input&, State& state)
    {
        state.next_item();
    }
};

template <>
struct action<grammar::entry> {
    template <typename Input>
    static void apply(const Input&, State& state)
    {
        state.add_entry();
    }
};

}  // namespace

QStringList IniEntry::list() const
{
    QStringList result;
    result.reserve(count());
    for (int i = 0; i < count(); ++i)
        result << at(i);
    return result;
}

const IniEntry* IniSection::find(const QString& key) const
{
    for (const IniEntry& entry : entries)
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0)
            return &entry;
    return nullptr;
}

const IniSection* IniFile::find(const QString& name, Qt::CaseSensitivity cs) const
{
    for (const IniSection& section : sections)
        if (section.name.compare(name, cs) == 0)
            return &section;
    return nullptr;
}

IniFile parse_ini(const QByteArray& content)
{
    State state;
    state.utf8 = is_utf8(content);
    state.list.assign(1, Span());
    pegtl::memory_input<pegtl::tracking_mode::eager, pegtl::eol::lf_crlf> in(
        content.constData(), content.constData() + content.size(), "ini");
    try {
        pegtl::parse<grammar::file, action>(in, state);
    } catch (const pegtl::parse_error& error) {
        const std::size_t line = error.positions().empty() ? 1 : error.positions().front().line;
        return IniFile{{}, QStringLiteral("Syntaxfehler in Zeile %1").arg(line)};
    } catch (const IniError& error) {
        return IniFile{{}, error.reason};
    }
    return std::move(state.file);
}

IniFile read_ini_file(const QString& path, qint64 max_size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IniFile{{}, QStringLiteral("nicht lesbar")};
    const QByteArray content = file.read(max_size + 1);
    if (content.size() > max_size)
        return IniFile{{}, QStringLiteral("zu gross")};
    if (file.error() != QFileDevice::NoError)
        return IniFile{{}, QStringLiteral("nicht lesbar")};
    return parse_ini(content);
}

}  // namespace telvorin::boundary
