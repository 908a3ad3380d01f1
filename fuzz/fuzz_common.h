// What the fuzz targets share. A broken promise aborts, as a crash is all libFuzzer sees.
#pragma once
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

inline void require(bool condition) { if (!condition) std::abort(); }

// For the readers that take a path: the input as the file `name`, in one folder for the run, and its path.
inline QString written(const QString& name, const void* data, qint64 size)
{
    static QTemporaryDir directory;
    QFile file(directory.filePath(name));
    require(file.open(QIODevice::WriteOnly) && file.write(static_cast<const char*>(data), size) == size);
    return file.fileName();
}
