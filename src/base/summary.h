#pragma once

#include <QColor>
#include <QString>

class QPalette;
struct imgobj;

namespace tarvello {

// How many entries of the queue stand where.
struct QueueCounts
{
    int uploaded = 0;
    int failed = 0;
    int uploading = 0;
    int waiting = 0;

    void count(const imgobj &entry);
};

// "12 uploaded, 1 failed, 3 waiting": the states that have entries, in that order; empty for an
// empty queue.
QString queueSummary(const QueueCounts &counts);

// The colour of a failure's text: a red that stays readable on the palette's base, light or dark.
QColor errorColour(const QPalette &palette);

} // namespace tarvello
