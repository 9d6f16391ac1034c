#pragma once

#include "failure.h"

#include <QString>

namespace velmora::cards {

// A failure as the card tool tells it on the terminal, in English: "PATH: reason".
QString englishText(const velmora::Failure &failure);

} // namespace velmora::cards
