// Text and path conventions at the provider's 8-bit and 16-bit borders.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <glib.h>

#include <memory>

namespace telvorin::mapi {

// The one rule for 8-bit text across the Simple MAPI border; the entry points
// apply it to every field and nothing behind them converts again.
//
// In: text (names, addresses, subject, body, titles, profile and password) is
// UTF-8 when its bytes are valid UTF-8, otherwise Latin-1. Callers write their
// ANSI code page, which is Latin-1 for the languages this tool serves, or UTF-8
// on POSIX; a Latin-1 text is valid UTF-8 only by an accident no name makes.
// A path stays bytes, "\" read as "/": the file system takes bytes, and only
// the name shown for it is read as text.
//
// Out: text (what MAPIResolveName hands back) is Latin-1 when every character
// fits, otherwise UTF-8. A caller reads it in its ANSI code page and may send
// it on in another 8-bit encoding: our mailer reads it as Latin-1 and writes
// it in the locale's encoding. So a name outside Latin-1 comes back as the
// Latin-1 reading of its UTF-8 bytes, and the session that handed it out
// takes that form for the same entry (handed_back_forms()).
QString decode_8bit(const char* text);
QByteArray encode_8bit(const QString& text);

// The names under which a caller may send back `text` after encode_8bit():
// the text itself, and the Latin-1 reading of its UTF-8 bytes when it did not
// fit into Latin-1.
QStringList handed_back_forms(const QString& text);

// A path as a caller wrote it, for this system: every "\" becomes "/".
QByteArray caller_path(const char* path);
QByteArray caller_path(const char16_t* path);

// A mail's text body: UTF-8 with "\n" line ends (CR LF and lone CR become
// "\n"), held by GLib so that GMime streams it without a copy. Never null.
using TextBytes = std::shared_ptr<GByteArray>;
// From 8-bit caller text, read as decode_8bit() reads it; null reads as "".
TextBytes text_bytes(const char* text);
TextBytes text_bytes(const QString& text);

// `text` for a mail header: every control character but the tab replaced by
// U+FFFD, so that no reader shows a line break or a terminal escape the caller
// slipped in. A tab is white space in a header and reaches readers as one.
QString header_text(const QString& text);

// The last component of a path in which "/" and "\" both separate; "" when
// the path ends with a separator.
QString last_component(const QString& path);

// The name shown for an attachment: its title's last component, else its
// path's, read as text by the rule above.
QString attachment_name(const QString& title, const QByteArray& path);

// `path` made absolute against the current working directory.
QByteArray absolute_path(const QByteArray& path);

}  // namespace telvorin::mapi
