// Opening files for writing without following a symbolic link.
#pragma once

class QFile;
class QString;

namespace telvorin::platform {

// Opens `file` write-only on `path`, creating the file when it is missing and
// emptying it when it exists, unless the last component of `path` is a
// symbolic link (on Windows any reparse point), dangling or not: then, as on
// any other failure, `file` stays closed and the result is false. Where others
// can write the folder (the shared temporary directory), this keeps them from
// redirecting our writes to a file of their choice.
bool open_for_writing_no_follow(QFile& file, const QString& path);

}  // namespace telvorin::platform
