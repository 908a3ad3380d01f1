// Saving through a new file beside the target, moved into place once complete.
#include "standin_outlook/file_saving.h"

#include "boundary/new_file.h"

#include <QFile>

namespace telvorin::standin {

bool save_file(const QString& path, const std::function<bool(std::FILE*)>& write)
{
    const QByteArray target = QFile::encodeName(path);
    const int slash = target.lastIndexOf('/');
    // Outlook's files get the mode a plain create would give them.
    boundary::NewFile file(slash < 0 ? QByteArray(".") : target.left(slash), boundary::NewFile::Access::as_plain_create);
    std::FILE* stream = file.stream();
    return stream != nullptr && write(stream) && file.finish() == 0
        && file.place(target, boundary::NewFile::Existing::replace_regular_file);
}

}  // namespace telvorin::standin
