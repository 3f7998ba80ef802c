#include "base/commandline.h"

#include <QFile>

namespace tarvello {

QStringList argumentPaths(int argc, const char *const *argv)
{
    QStringList paths;
    for (int i = 1; i < argc; ++i)
        paths.append(QFile::decodeName(argv[i]));
    return paths;
}

} // namespace tarvello
