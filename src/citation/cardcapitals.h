// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora::citation {

// Text as the cards are written: capitals without accents, Greek and Latin alike
// ("Ιστορία του ελληνικού έθνους" is "ΙΣΤΟΡΙΑ ΤΟΥ ΕΛΛΗΝΙΚΟΥ ΕΘΝΟΥΣ", "Dörpfeld" "DORPFELD",
// "Straße" "STRASSE"). The searches upper-case what is typed and
// compare it exactly, so text in small letters or with accents would never be found. Qt
// (ICU underneath) takes the accents off and upper-cases; ICU's Latin-ASCII transform
// writes the Latin letters that have no accent to take off.
QString inCardCapitals(const QString &text);

} // namespace velmora::citation
