// Creating a file that others may look at: written under a unique temporary name, synced, then moved to its name;
// and a file that nobody may look at, which never has a name.
#pragma once

#include "boundary/unique_fd.h"

#include <QByteArray>

#include <cstdio>

namespace telvorin::boundary {

// A new file in `folder`, named ".telvorin-" and six random characters, open for
// writing. It is created with O_EXCL and so never through a link, and it is
// only visible under its final name once it is complete: a reader never
// sees half a file. Until place() succeeds, destroying it removes it.
class NewFile {
public:
    // owner_only keeps mkostemp's 0600; as_plain_create gives the mode that
    // open() with 0666 and the umask would.
    enum class Access { owner_only, as_plain_create };
    enum class Existing { keep, replace_regular_file };

    // fd() < 0, with errno set, when the file cannot be created.
    NewFile(const QByteArray& folder, Access access = Access::owner_only);
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile();

    int fd() const { return m_stream ? ::fileno(m_stream) : m_fd.get(); }
    // The file as a stdio stream, owned by this object; null when it has
    // none or fdopen fails.
    std::FILE* stream();
    // Writes out what is buffered, syncs the file to the disk and closes
    // it: without the sync a crash right after place() could leave an empty
    // file under the final name. Returns 0 or the errno of what failed.
    int finish();
    // Moves the finished file to `target`. With Existing::keep nothing that
    // exists under `target` is ever replaced (false with errno EEXIST); with
    // replace_regular_file a regular file there is replaced, anything else
    // (a link, dangling or not, a folder) is left alone and the move fails.
    bool place(const QByteArray& target, Existing existing = Existing::keep);

private:
    QByteArray m_path;
    UniqueFd m_fd;
    std::FILE* m_stream = nullptr;
    bool m_created = false;
    bool m_placed = false;
};

// A file in `folder` that has no name, open for reading and writing, mode
// 0600: nobody can open it by a path, and it is gone with its last
// descriptor, even when the process is killed. Holds -1, with errno set,
// when it cannot be made.
UniqueFd unnamed_file(const QByteArray& folder);

// Removes the temporary files of ours in `folder` that are surely dead, as a
// writer killed while writing leaves them: named as NewFile names them, owned
// by this user, regular files (never a link), untouched for 15 minutes, and
// not locked. A writer that others may race holds an exclusive lock on its
// file for as long as it writes; the age covers network file systems, where
// another machine's lock may not be seen, and the moment between creating a
// file and locking it.
void remove_stale_temporaries(const QByteArray& folder);

// Moves `from` to `to` unless `to` exists; false with errno set otherwise.
// File systems without RENAME_NOREPLACE get a hard link and an unlink, which
// refuse an existing name just the same.
bool rename_no_replace(const QByteArray& from, const QByteArray& to);

}  // namespace telvorin::boundary
