#pragma once

#include "failure.h"

#include <QString>

namespace velmora::cards {

// A failure as the card tool tells it on the terminal, "PATH: reason": in English, or in the
// user's language where the tool has a translation (main.cpp installs it).
QString englishText(const velmora::Failure &failure);

} // namespace velmora::cards
