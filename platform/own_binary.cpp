// Loading a module beside our own binary, on every platform.
#include "platform/own_binary.h"

#include "boundary/outside_text.h"

#include <QDir>
#include <QFile>

namespace telvorin::platform {

void* load_entry_beside_us(const QString& path, const char* entry, const QString& what)
{
    const QString folder = own_binary_folder();
    // Without our folder a relative name would be looked up from the working directory, which anybody may fill.
    if (folder.isEmpty() && QDir::isRelativePath(path)) {
        boundary::write_error_line(QStringLiteral("%1 nicht ladbar: %2: Programmordner unbekannt").arg(what, path));
        return nullptr;
    }
    const QString file = QDir(folder).filePath(path);
    const LibraryHandle module = load_library(QFile::encodeName(QDir::toNativeSeparators(file)).constData());
    void* address = module != nullptr ? resolve_function(module, entry) : nullptr;
    if (address == nullptr)
        boundary::write_error_line(
            QStringLiteral("%1 nicht ladbar: %2").arg(what, QString::fromLocal8Bit(last_load_error().c_str())));
    return address;
}

}  // namespace telvorin::platform
