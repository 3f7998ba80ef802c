#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tarvello {

// The open dialog's image patterns, "*.png" and so on: every format the image reader has a
// plugin for, each once, sorted.
QStringList imagePatterns(const QList<QByteArray> &formats);

// Where the open dialog starts: the last folder used, else the pictures folder, else home;
// a folder that is not there (any more) is passed over.
QString browseStartFolder(const QString &last, const QString &pictures, const QString &home);

} // namespace tarvello
