// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

namespace velmora::citation {

// The finding, naming the right check digit, when `text` is an ISBN-10 (X included) or an
// ISBN-13, hyphens and blanks aside, whose check digit is wrong. Nothing for anything else:
// an empty field, the bare prefix "960-" of a new card, or text that is no ISBN at all.
std::optional<QString> wrongCheckDigit(const QString &text);

// The digits (and X) of an ISBN, for comparing two cards' ISBNs however hyphenated.
QString isbnDigits(const QString &text);

} // namespace velmora::citation
