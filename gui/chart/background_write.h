#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

#include "base/replace_file.h"

class QObject;

namespace orvanel {

// Writes `bytes` in the place of the file at `path` (WriteWholeFile: only a
// regular file is ever replaced) on a helper thread, so that a file system that
// hangs, or a name that is a FIFO, never holds up the window. `done` runs on
// the window's thread once the write has ended, unless `context` is gone by
// then. Nothing here waits for the helper.
void WriteInTheBackground(QObject& context, const QString& path, QByteArray bytes,
                          std::function<void(const FileReplacement&)> done);

}  // namespace orvanel
