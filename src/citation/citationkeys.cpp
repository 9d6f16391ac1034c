// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "citationkeys.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>

namespace velmora::citation {

namespace {

std::unique_ptr<icu::Transliterator> makeTransliterator()
{
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    std::unique_ptr<icu::Transliterator> t(icu::Transliterator::createFromRules(
        "velmora-key", icu::UnicodeString(u"::Any-Lower; ::Greek-Latin/UNGEGN; ::Latin-ASCII; [^a-z] > ;"),
        UTRANS_FORWARD, parseError, status));
    if (U_FAILURE(status))
        throw std::runtime_error(std::string("ICU cannot transliterate Greek: ") + u_errorName(status));
    return t;
}

// The letters of a key part: a, b ... z, ba, bb ... (never beginning with a, so all differ).
QString suffixOf(qint64 n)
{
    QString letters;
    do {
        letters.prepend(QChar(char16_t(u'a' + n % 26)));
        n /= 26;
    } while (n > 0);
    return letters;
}

} // namespace

QString latinName(const QString &text)
{
    // A bibliography names the same authors again and again; the transform costs microseconds.
    static QHash<QString, QString> known;
    if (const auto found = known.constFind(text); found != known.constEnd())
        return found.value();
    if (known.size() >= 4096)
        known.clear();
    static const std::unique_ptr<icu::Transliterator> transliterator = makeTransliterator();
    icu::UnicodeString s(reinterpret_cast<const char16_t *>(text.utf16()), int32_t(text.size()));
    transliterator->transliterate(s);
    QString latin(reinterpret_cast<const QChar *>(s.getBuffer()), s.length());
    if (!latin.isEmpty())
        latin[0] = latin[0].toUpper();
    known.insert(text, latin);
    return latin;
}

QString CitationKeys::next(const Book &book)
{
    QString name;
    if (!book.authors.isEmpty()) {
        const PersonName &first = book.authors.first();
        name = latinName(first.family.isEmpty() ? first.literal : first.family);
    }
    if (name.isEmpty()) // a collective work: its title's first word
        name = latinName(book.title.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty));
    if (name.isEmpty())
        name = QStringLiteral("Card");
    const QString base = name + (book.year.isEmpty() ? QStringLiteral("-nd") : book.year);
    const qint64 seen = m_used[base]++;
    return seen == 0 ? base : base + suffixOf(seen);
}

} // namespace velmora::citation
