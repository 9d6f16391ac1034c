// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "referenceimport.h"

#include "cp1253.h"
#include "isbn.h"
#include "referencecards.h"

#include <QCoreApplication>

namespace velmora::citation {

namespace {

// The card tool's names of the fields, as the CSV header has them.
QString nameOf(Field field)
{
    static const char *names[] = {"Isbn", "Author", "Title", "OtherName", "Publication", "PagesNotes"};
    return QString::fromLatin1(names[int(field)]);
}

QString describe(char32_t ch)
{
    return QStringLiteral("U+%1 '%2'")
        .arg(QString::number(uint(ch), 16).toUpper().rightJustified(4, QLatin1Char('0')))
        .arg(QString::fromUcs4(&ch, 1));
}

// Control characters, and the control pictures that the code page stores as control bytes,
// have no place in a card made from a reference.
bool isStorable(char32_t ch)
{
    if (ch < 0x20 || (ch >= 0x7F && ch < 0xA0) || (ch >= 0x2400 && ch <= 0x241F) || ch > 0xFFFF)
        return false;
    return cp1253::isEncodable(char16_t(ch));
}

} // namespace

QString CardMaker::stored(Field field, const QString &text, QStringList *reports)
{
    QString value;
    const QString composed = cp1253::composed(text);
    value.reserve(composed.size());
    for (char32_t ch : composed.toUcs4()) {
        if (isStorable(ch)) {
            value += QChar(char16_t(ch));
            continue;
        }
        if (!m_told.contains(ch)) {
            m_told.insert(ch);
            *reports << QCoreApplication::translate("Citation",
                                                    "%1: %2 is not in Windows-1253, stored as '?'")
                            .arg(nameOf(field), describe(ch));
        }
        value += QLatin1Char(cp1253::Replacement);
    }
    const int width = widthOf(field);
    if (value.size() > width) {
        *reports << QCoreApplication::translate("Citation", "%1: %2 characters, at most %3 fit; cut: \"%4\"")
                        .arg(nameOf(field))
                        .arg(value.size())
                        .arg(width)
                        .arg(value.mid(width));
        value.truncate(width);
    }
    return trimBlanks(value);
}

ImportedEntry CardMaker::entryOf(const Reference &reference)
{
    ImportedEntry entry;
    entry.line = reference.line;
    entry.name = reference.name;
    entry.definition = reference.definition;
    if (!reference.failure.isEmpty()) {
        entry.reports << QCoreApplication::translate("Citation", "left out: ") + reference.failure;
        return entry;
    }
    entry.reports << reference.problems;
    if (reference.definition)
        return entry;
    const CardTexts texts = cardTextsOf(m_keepCase ? reference : inCardCapitals(reference));
    CardRecord card;
    for (Field f : AllFields)
        card.setField(f, stored(f, texts[int(f)], &entry.reports));
    if (card == CardRecord::newCard()) {
        entry.reports = QStringList{QCoreApplication::translate(
                            "Citation", "left out: nothing in it that a card holds")} +
                        entry.reports;
        return entry;
    }
    if (const std::optional<QString> finding = wrongCheckDigit(card.shown(Field::Isbn)))
        entry.reports << QStringLiteral("Isbn: ") + *finding;
    if (!reference.notKept.isEmpty())
        entry.reports << QCoreApplication::translate("Citation", "not kept: ") +
                             reference.notKept.join(QStringLiteral(", "));
    entry.card = card;
    return entry;
}

ReadOutcome importReferences(const ReferenceFormat &format, QIODevice &input, bool keepCase,
                             const ImportedEntrySink &sink)
{
    CardMaker maker(keepCase);
    return format.read(input, [&](const Reference &r) { sink(maker.entryOf(r)); });
}

} // namespace velmora::citation
