#pragma once

#include "result.h"

#include <QString>

namespace velmora::cards {

// A failure naming the right check digit when `text` is an ISBN-10 (X included) or an
// ISBN-13, hyphens and blanks aside, whose check digit is wrong. Anything else succeeds:
// an empty field, the bare prefix "960-" of a new card, or text that is no ISBN at all.
Result<> verifyIsbnCheckDigit(const QString &text);

// The digits (and X) of an ISBN, for comparing two cards' ISBNs however hyphenated.
QString isbnDigits(const QString &text);

} // namespace velmora::cards
