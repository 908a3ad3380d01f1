// The process's standard output and standard error: each line written whole and flushed at once.
#pragma once

#include <QStringView>

#include <cstddef>
#include <initializer_list>

namespace telvorin::boundary {

enum class Console { output, error };

// Writes `size` bytes as they are and one "\n". The line is out when the
// call returns, so lines of the tool, of its framework and of a library it
// loaded keep the order in which they were written, whoever wrote them.
void write_console_bytes(Console console, const char* bytes, std::size_t size);

// Writes the pieces one after another and one "\n", in Latin-1 (a character
// beyond it as "?"), out when the call returns like the above. A long piece
// is converted a part at a time, so a text of hundreds of megabytes is never
// held a second time.
void write_console_latin1(Console console, std::initializer_list<QStringView> pieces);

}  // namespace telvorin::boundary
