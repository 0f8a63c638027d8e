// The files a drag onto a window carries.
#pragma once

#include <QMimeData>
#include <QStringList>

// The local files of data, in their order; none for a null data or other kinds of drop.
QStringList DroppedLocalFiles(const QMimeData* data);
