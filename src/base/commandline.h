#pragma once

#include <QStringList>

namespace tarvello {

// The image paths named on the command line (everything after the program path), decoded the
// way the platform encodes file names so that non-ASCII names still name their files.
QStringList argumentPaths(int argc, const char *const *argv);

// The files to queue for these paths: a folder stands for the images in it, found as a dropped
// folder's are; anything else stays, so that what cannot be used still shows why.
QStringList queuedPaths(const QStringList &paths);

} // namespace tarvello
