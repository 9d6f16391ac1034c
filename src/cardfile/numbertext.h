#pragma once

#include <QString>

namespace velmora {

// A card number or count as the program writes it in captions, messages, notices,
// footers and export lines: one leading blank when not negative, "-" when negative.
QString NumberText(qint64 n);

} // namespace velmora
