#pragma once

#include <QStringList>

namespace tarvello {

// The arguments after the program path, decoded the way the platform encodes file names so that
// non-ASCII names still name their files.
QStringList argumentPaths(int argc, const char *const *argv);

} // namespace tarvello
