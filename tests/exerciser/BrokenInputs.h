#pragma once
// The files a lab meets besides good ones, made from good originals: cut-off
// recordings, flipped bytes, side files edited by hand or full of noise,
// comparison runs pointing anywhere, an empty file, a folder, a device or a
// named pipe where a file or a side file should be, names with markup and
// ampersands.

#include "Random.h"

#include <QString>
#include <QStringList>

namespace kurvex::exerciser {

struct Inputs {
    QStringList files;    // regular files to open (originals and broken ones)
    QStringList folders;  // folders named like measurement files
    QStringList missing;  // paths that do not exist
    QStringList devices;  // a device without end, an empty one, a named pipe nobody writes to
};

// Writes the broken inputs into `folder` (which must exist and be empty) from
// the originals and answers them together with the originals.
Inputs MakeInputs(const QString& folder, const QStringList& originals, Random& random);

}  // namespace kurvex::exerciser
