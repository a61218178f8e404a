#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

#include "base/replace_file.h"

class QObject;

namespace orvanel {

// Writes `bytes` in the place of the file at `path` (WriteWholeFile: only a
// regular file is ever replaced) on a helper thread, so that a file system that
// hangs, or a name that is a FIFO, never holds up the window. `done` runs on
// the window's thread once the write has ended (with why it failed; nothing
// when it held), unless `context` is gone by then. Nothing here waits for the
// helper.
using WriteDone = std::function<void(const std::optional<FileFailure>& failure)>;
void WriteInTheBackground(QObject& context, const QString& path, QByteArray bytes, WriteDone done);

}  // namespace orvanel
