// Saving through a new file beside the target, moved into place once complete.
#include "standin_outlook/file_saving.h"

#include "boundary/new_file.h"

#include <QFile>

namespace telvorin::standin {

bool save_file(const QString& path, const std::function<bool(std::FILE*)>& write)
{
    const QByteArray ziel = QFile::encodeName(path);
    const int trenner = ziel.lastIndexOf('/');
    // Outlook's files get the mode a plain create would give them.
    boundary::NewFile datei(trenner < 0 ? QByteArray(".") : ziel.left(trenner), ".telvorin-",
                            boundary::NewFile::Access::as_plain_create);
    std::FILE* strom = datei.stream();
    return strom != nullptr && write(strom) && datei.finish() == 0
        && datei.place(ziel, boundary::NewFile::Existing::replace_regular_file);
}

}  // namespace telvorin::standin
