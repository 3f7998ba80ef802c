#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

namespace tarvello {

class DestinationStore;
class HistoryStore;

// The commands that run without a window, for scripts: each writes its results on `out`, its
// reasons on `err`, and returns the process's exit status. They need an application object;
// uploading needs a QGuiApplication (on the offscreen platform, no display is needed).

// One name a line, the built-in destination first.
int listDestinations(DestinationStore &store, FILE *out);

// Imports a custom-uploader file without asking and prints the destination's name; 0, or 1 with
// the reason.
int importDestination(DestinationStore &store, const QString &file, FILE *out, FILE *err);

// Uploads each file in order to the destination called `destination` (any case; empty for the
// one chosen in the window), prints each link on a line, writes "FILE: reason" for each failure,
// and returns 0 when all were uploaded, 1 when any failed, 2 for a destination that is not
// there. "-" is an image read from `in`. The built-in destination sends the login remembered in
// tarvello.ini of the working folder, as the window does. Each outcome is kept in `history`, when
// given; a history that cannot be used is said once on `err`, and changes nothing else.
int uploadFiles(DestinationStore &store, const QString &destination, const QStringList &files, FILE *in, FILE *out,
                FILE *err, HistoryStore *history = nullptr);

// The newest `count` links of the history at `path`, a line each (time, link, file name and
// destination, separated by tabs); 0, or 1 with the reason when the history cannot be read.
int printHistory(const QString &path, int count, FILE *out, FILE *err);

} // namespace tarvello
