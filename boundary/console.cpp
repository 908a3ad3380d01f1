// The process's standard output and standard error: each line written whole and flushed at once.
#include "boundary/console.h"

#include <QFile>
#include <QTextCodec>
#include <QTextStream>

#include <cstdio>

namespace telvorin::boundary {

namespace {

// The wrapper must not take over the process's stream: closing it would close
// standard output or error for every later line.
bool open_console(QFile& file, Console console)
{
    return file.open(console == Console::error ? stderr : stdout, QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
}

}  // namespace

void write_console_bytes(Console console, const char* bytes, std::size_t size)
{
    QFile file;
    if (!open_console(file, console))
        return;
    file.write(bytes, static_cast<qint64>(size));
    file.write("\n", 1);
    file.close();
}

void write_console_latin1(Console console, std::initializer_list<QStringView> pieces)
{
    QFile file;
    if (!open_console(file, console))
        return;
    QTextStream stream(&file);
    stream.setCodec(QTextCodec::codecForName("ISO-8859-1"));
    constexpr qsizetype part = 1 << 16;
    for (const QStringView piece : pieces) {
        for (qsizetype i = 0; i < piece.size(); i += part)
            stream << piece.mid(i, part);
    }
    stream << '\n';
    stream.flush();
    file.close();
}

}  // namespace telvorin::boundary
