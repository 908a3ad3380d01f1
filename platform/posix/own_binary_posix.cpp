// Our own binary's folder from the dynamic loader's record of it.
#include "platform/own_binary.h"

#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>
#include <link.h>

namespace telvorin::platform {
namespace {

// Internal, so that its address lies in the binary that holds this copy of platform/, whatever another binary of
// the process exports.
void anchor() {}

}  // namespace

QString own_binary_folder()
{
    Dl_info info {};
    link_map* object = nullptr;
    if (::dladdr1(reinterpret_cast<void*>(&anchor), &info, reinterpret_cast<void**>(&object), RTLD_DL_LINKMAP) == 0
        || object == nullptr)
        return QString();
    // The executable's record names no file (dladdr would offer argv[0], which any caller chooses); the kernel
    // knows it. A library's record keeps the path it was opened by, a full one whenever the loader searched.
    const QString path = object->l_name[0] == '\0' ? QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()
                                                   : QFile::decodeName(object->l_name);
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

LibraryHandle load_simple_mapi()
{
    QByteArray path = qgetenv("TELVORIN_MAPI_LIBRARY");
    if (path.isEmpty()) {
        const QString folder = own_binary_folder();
        if (folder.isEmpty())  // never the working directory's
            return nullptr;
        path = QFile::encodeName(folder) + TELVORIN_MAPI_LIBRARY_PATH;
    }
    return load_library(path.constData());
}

}  // namespace telvorin::platform
