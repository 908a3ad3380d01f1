// An HTML body as stored: its plain-text rendition for readers that show no HTML, and its charset declaration.
#pragma once

#include <QString>

namespace telvorin::standin {

// The text that `html` shows, as a plain body with CR LF line ends: blanks
// collapsed as a browser collapses them (kept inside <pre>); <br> ends a
// line; p, h1-h6, ul, ol, dl, pre, blockquote and table stand apart by one
// empty line, other blocks (div, li, tr, ...) on lines of their own; cells
// of a row are separated by a blank; head, script and style leave nothing.
// Images, links and forms give their text only. Nothing is fetched or read:
// no URL, file or style sheet the HTML names. The time is linear in the size
// of `html`; nesting beyond what the HTML parser allows ends the text there.
QString html_as_text(const QString& html);

// `html` with the charset that each <meta> declares (charset=, or within
// http-equiv's content) named "utf-8", in time linear in its size; nothing
// else of it changes.
QString html_declaring_utf8(const QString& html);

}  // namespace telvorin::standin
