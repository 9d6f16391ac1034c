#pragma once

#include <QString>

namespace velmora {

// `text` as it can be written to a terminal: control characters, line breaks and the marks
// that reorder text are written as \xHH or \uHHHH, so that a file name cannot act on the
// terminal that shows it.
QString shownOnTerminal(const QString &text);

} // namespace velmora
