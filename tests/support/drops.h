#pragma once
// Drops as the desktop delivers them: enter, move, then the drop, at one
// point of the target. The real drag between two programs cannot run here.

#include <QMimeData>
#include <QObject>
#include <QPointF>

// True when the target took the drop, as a copy; the events its drop
// queued have run by then.
bool dropOn(QObject *target, const QPointF &at, const QMimeData &data);
