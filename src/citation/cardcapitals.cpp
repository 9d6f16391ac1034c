// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardcapitals.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace velmora::citation {

namespace {

// Latin letters that have no decomposition ("ø", "ł", "æ", "ß") as ASCII letters, by ICU's
// transform; Greek and the punctuation of the code page are left alone.
QString latinAscii(const QString &text)
{
    static const std::unique_ptr<icu::Transliterator> ascii = [] {
        UErrorCode status = U_ZERO_ERROR;
        UParseError parseError;
        std::unique_ptr<icu::Transliterator> t(icu::Transliterator::createFromRules(
            "velmora-latin-ascii", icu::UnicodeString(u":: [:Latin:] Latin-ASCII;"), UTRANS_FORWARD,
            parseError, status));
        if (U_FAILURE(status))
            throw std::runtime_error(std::string("ICU cannot write Latin letters in ASCII: ") +
                                     u_errorName(status));
        return t;
    }();
    icu::UnicodeString u(reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()));
    ascii->transliterate(u);
    return QString(reinterpret_cast<const QChar *>(u.getBuffer()), u.length());
}

} // namespace

QString inCardCapitals(const QString &text)
{
    // The accents go first, so that upper-casing is one to one: "ΐ" is "Ι", not three
    // characters.
    QString bare;
    bare.reserve(text.size());
    bool otherLatin = false;
    for (QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        otherLatin = otherLatin || (c.unicode() > 0x7F && c.script() == QChar::Script_Latin);
        bare += c;
    }
    return (otherLatin ? latinAscii(bare) : bare).toUpper().normalized(QString::NormalizationForm_C);
}

} // namespace velmora::citation
