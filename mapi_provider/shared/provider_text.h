// Text and path conventions at the provider's 8-bit and 16-bit borders.
#pragma once

#include <QByteArray>
#include <QString>

#include <glib.h>

#include <memory>

namespace telvorin::mapi {

// 8-bit text from a caller: UTF-8 when the bytes are valid UTF-8, otherwise
// Latin-1 (callers hand us titles in Latin-1). A null pointer reads as "".
QString decode_8bit(const char* text);

// 8-bit text for a caller: Latin-1 when every character fits, otherwise
// UTF-8. Callers of the 8-bit entry points read what we hand out in the
// Windows ANSI code page, and decode_8bit() reads both forms back.
QByteArray encode_8bit(const QString& text);

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

// A path as a Windows caller writes it, for this system: every "\" becomes "/".
QByteArray posix_path(const QByteArray& windows_path);

// The last component of a path in which "/" and "\" both separate; "" when
// the path ends with a separator.
QString last_component(const QString& path);

// `path` made absolute against the current working directory.
QByteArray absolute_path(const QByteArray& path);

}  // namespace telvorin::mapi
