#include "cardcapitals.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace velmora::cards {

QString inCardCapitals(const QString &text)
{
    // The accents go first, so that upper-casing is one to one: "ΐ" is "Ι", not three
    // characters. Latin letters without a decomposition ("ø", "ł", "æ", "ß") take their
    // ASCII letters; Greek and the punctuation of the code page are left alone.
    static const std::unique_ptr<icu::Transliterator> capitals = [] {
        UErrorCode status = U_ZERO_ERROR;
        UParseError parseError;
        std::unique_ptr<icu::Transliterator> t(icu::Transliterator::createFromRules(
            "velmora-card-capitals",
            icu::UnicodeString(
                u":: NFD; :: [:Nonspacing Mark:] Remove; :: [:Latin:] Latin-ASCII; :: Upper; :: NFC;"),
            UTRANS_FORWARD, parseError, status));
        if (U_FAILURE(status))
            throw std::runtime_error(std::string("ICU cannot upper-case for the cards: ") +
                                     u_errorName(status));
        return t;
    }();
    if (text.isEmpty())
        return text;
    icu::UnicodeString u(reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()));
    capitals->transliterate(u);
    return QString(reinterpret_cast<const QChar *>(u.getBuffer()), u.length());
}

} // namespace velmora::cards
