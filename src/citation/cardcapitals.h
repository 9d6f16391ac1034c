#pragma once

#include <QString>

namespace velmora::cards {

// Text as the cards are written: capitals without accents, Greek and Latin alike
// ("Ιστορία του ελληνικού έθνους" is "ΙΣΤΟΡΙΑ ΤΟΥ ΕΛΛΗΝΙΚΟΥ ΕΘΝΟΥΣ", "Dörpfeld" "DORPFELD",
// "Straße" "STRASSE"), through ICU's transforms. The searches upper-case what is typed and
// compare it exactly, so text in small letters or with accents would never be found.
QString inCardCapitals(const QString &text);

} // namespace velmora::cards
