// A plain-text rendition of an HTML body, with libxml2's HTML parser and a walk over its tree.
#include "standin_outlook/html_text.h"

#include <libxml/HTMLparser.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>

namespace telvorin::standin {

namespace {

struct DocumentDeleter {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

bool one_of(const xmlChar* name, std::initializer_list<const char*> names)
{
    for (const char* n : names)
        if (std::strcmp(reinterpret_cast<const char*>(name), n) == 0)
            return true;
    return false;
}

enum class Layout { inline_text, line, paragraph };

Layout layout_of(const xmlChar* name)
{
    if (one_of(name, {"p", "h1", "h2", "h3", "h4", "h5", "h6", "ul", "ol", "dl", "pre", "blockquote", "table"}))
        return Layout::paragraph;
    if (one_of(name, {"div", "li", "dt", "dd", "tr", "caption", "address", "center", "hr", "form", "fieldset",
                      "section", "article", "header", "footer", "nav", "aside", "main", "figure", "figcaption"}))
        return Layout::line;
    return Layout::inline_text;
}

// Collects UTF-8 text as the parser hands it over; a blank seen is written
// only when more text follows on the same line.
class Rendition {
public:
    void text(const char* bytes, bool pre)
    {
        for (; *bytes != '\0'; ++bytes) {
            const char c = *bytes;
            if (pre && c == '\n') {
                end_line();
            } else if (pre && c != '\r') {
                m_text += c;
            } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
                m_blank = true;
            } else {
                if (m_blank && !at_line_start())
                    m_text += ' ';
                m_blank = false;
                m_text += c;
            }
        }
    }
    void blank() { m_blank = true; }
    void end_line()
    {
        m_text += "\r\n";
        m_blank = false;
    }
    void block(Layout layout)
    {
        if (!at_line_start())
            end_line();
        m_blank = false;
        if (layout == Layout::paragraph && !m_text.isEmpty() && !m_text.endsWith("\r\n\r\n"))
            m_text += "\r\n";
    }
    QString result()
    {
        block(Layout::line);
        while (m_text.endsWith("\r\n\r\n"))
            m_text.chop(2);
        return QString::fromUtf8(m_text);
    }

private:
    bool at_line_start() const { return m_text.isEmpty() || m_text.endsWith('\n'); }

    QByteArray m_text;
    bool m_blank = false;
};

// The parser limits the depth of its tree, so the recursion is bounded too.
void walk(const xmlNode* node, Rendition& text, bool pre)
{
    for (; node != nullptr; node = node->next) {
        if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
            text.text(reinterpret_cast<const char*>(node->content), pre);
            continue;
        }
        if (node->type != XML_ELEMENT_NODE || one_of(node->name, {"head", "script", "style", "template", "title"}))
            continue;
        if (one_of(node->name, {"br"})) {
            text.end_line();
            continue;
        }
        if (one_of(node->name, {"td", "th"}))
            text.blank();
        const Layout layout = layout_of(node->name);
        if (layout != Layout::inline_text)
            text.block(layout);
        walk(node->children, text, pre || one_of(node->name, {"pre"}));
        if (layout != Layout::inline_text)
            text.block(layout);
    }
}

}  // namespace

QString html_as_text(const QString& html)
{
    const QByteArray utf8 = html.toUtf8();
    // The text is UTF-8 already, whatever charset a <meta> names; NONET keeps
    // the parser off the network, and it loads no resource of its own.
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET
                         | HTML_PARSE_IGNORE_ENC;
    const std::unique_ptr<xmlDoc, DocumentDeleter> document(
        htmlReadMemory(utf8.constData(), utf8.size(), nullptr, "UTF-8", options));
    Rendition text;
    if (document)
        walk(xmlDocGetRootElement(document.get()), text, false);
    return text.result();
}

QString html_declaring_utf8(const QString& html)
{
    QString result;
    result.reserve(html.size());
    int copied = 0;
    for (int meta = html.indexOf(QLatin1String("<meta"), 0, Qt::CaseInsensitive); meta >= 0;
         meta = html.indexOf(QLatin1String("<meta"), meta + 5, Qt::CaseInsensitive)) {
        int end = html.indexOf(QLatin1Char('>'), meta);
        if (end < 0)
            end = html.size();
        const int name = html.indexOf(QLatin1String("charset"), meta, Qt::CaseInsensitive);
        if (name < 0 || name >= end)
            continue;
        int value = name + 7;
        while (value < end && html[value].isSpace())
            ++value;
        if (value >= end || html[value] != QLatin1Char('='))
            continue;
        ++value;
        while (value < end && html[value].isSpace())
            ++value;
        if (value < end && (html[value] == QLatin1Char('"') || html[value] == QLatin1Char('\'')))
            ++value;
        int stop = value;
        while (stop < end && !QStringLiteral("\"'; \t\r\n/").contains(html[stop]))
            ++stop;
        result += html.midRef(copied, value - copied);
        result += QLatin1String("utf-8");
        copied = stop;
        meta = std::max(meta, stop - 5);
    }
    return result + html.midRef(copied);
}

}  // namespace telvorin::standin
