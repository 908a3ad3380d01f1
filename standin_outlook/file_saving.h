// Saving a file so that no link is followed and a failed save leaves nothing behind.
#pragma once

#include <QString>

#include <cstdio>
#include <functional>

namespace telvorin::standin {

// Writes through `write` into a new temporary file beside `path`, then moves
// it to `path`. An existing regular file there is replaced, as Outlook
// replaces it; a symlink (dangling or not) or anything else that is no
// regular file is left alone and the save fails. On failure nothing of this
// save remains. `write` returns false when it could not write everything.
[[nodiscard]] bool save_file(const QString& path, const std::function<bool(std::FILE*)>& write);

}  // namespace telvorin::standin
