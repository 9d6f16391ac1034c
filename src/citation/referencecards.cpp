// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "referencecards.h"

#include "cardcapitals.h"

#include <QRegularExpression>

#include <algorithm>

namespace velmora::citation {

namespace {

QString joined(const QString &a, const QString &between, const QString &b)
{
    return a.isEmpty() || b.isEmpty() ? QString(a + b) : a + between + b;
}

// A note that is an other name as the cards write it: an abbreviation and a person's name
// ("ΜΕΤ.-ΣΧΟΛ. ΠΑΠΑΧΑΤΖΗΣ Ν."), not a note that happens to begin like one ("Ed. facs. de la
// realizada en 1948").
bool isOtherName(const QString &note)
{
    Book named;
    if (!readOtherName(note, &named))
        return false;
    const QList<PersonName> people = named.authors + named.editors + named.translators;
    return !people.isEmpty() && std::any_of(people.first().family.cbegin(), people.first().family.cend(),
                                            [](QChar c) { return c.isLetter(); });
}

PersonName abbreviated(PersonName person)
{
    person.given = initialsOf(person.given);
    return person;
}

// "2" as "2Η ΕΚΔ." or "2ND ED.", as the bibliography writes editions; words as they are.
QString editionText(const QString &edition, bool greek)
{
    bool number = false;
    const int n = edition.toInt(&number);
    if (!number)
        return edition;
    if (greek)
        return QStringLiteral("%1Η ΕΚΔ.").arg(n);
    const int tens = n % 100, units = n % 10;
    const char *suffix = tens >= 11 && tens <= 13 ? "TH"
                         : units == 1             ? "ST"
                         : units == 2             ? "ND"
                         : units == 3             ? "RD"
                                                  : "TH";
    return QStringLiteral("%1%2 ED.").arg(n).arg(QLatin1String(suffix));
}

} // namespace

QString initialsOf(const QString &given)
{
    static const QRegularExpression initials(QStringLiteral("^(?:\\p{L}{1,2}\\.-?)+$"));
    static const QStringList digraphs = {QStringLiteral("ΜΠ"), QStringLiteral("ΝΤ"), QStringLiteral("ΓΚ"),
                                         QStringLiteral("ΤΣ"), QStringLiteral("ΤΖ")};
    QString out;
    for (const QString &token : given.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (initials.match(token).hasMatch()) {
            out += token;
            continue;
        }
        QStringList parts;
        for (const QString &part : token.split(QLatin1Char('-'), Qt::SkipEmptyParts)) {
            const qsizetype letter =
                std::find_if(part.cbegin(), part.cend(), [](QChar c) { return c.isLetter(); }) -
                part.cbegin();
            if (letter == part.size())
                continue;
            const QString two = part.mid(letter, 2);
            parts << (digraphs.contains(inCardCapitals(two)) ? two : part.mid(letter, 1)) + QLatin1Char('.');
        }
        out += parts.join(QLatin1Char('-'));
    }
    return out;
}

Reference inCardCapitals(Reference r)
{
    const auto upper = [](QString &text) { text = inCardCapitals(text); };
    const auto people = [&](QList<PersonName> &list) {
        for (PersonName &p : list) {
            upper(p.family);
            upper(p.given);
            upper(p.literal);
        }
    };
    Book &b = r.book;
    for (QString *text : {&b.title, &b.publisher, &b.place, &b.volumes, &b.pages, &b.isbn, &r.container,
                          &r.containerVolume, &r.volume, &r.edition, &r.series})
        upper(*text);
    for (QString &note : b.notes)
        upper(note);
    people(b.authors);
    people(b.editors);
    people(b.translators);
    return r;
}

CardTexts cardTextsOf(const Reference &r)
{
    const Book &b = r.book;
    CardTexts card;
    QStringList notes;
    for (const QString &note : b.notes)
        notes << note.split(QStringLiteral("; "), Qt::SkipEmptyParts);

    // The notes that are other names as the cards write them ("ΜΕΤ.-ΣΧΟΛ. ...", and every
    // other name of a classic BibTeX export) come first for the other name.
    QStringList others;
    for (auto n = notes.begin(); n != notes.end();) {
        if (isOtherName(*n)) {
            others << *n;
            n = notes.erase(n);
        } else {
            ++n;
        }
    }
    QList<std::pair<Role, PersonName>> people;
    for (qsizetype i = 1; i < b.authors.size(); ++i)
        people.append({Role::Author, abbreviated(b.authors[i])});
    for (const PersonName &p : b.translators)
        people.append({Role::Translator, abbreviated(p)});
    for (const PersonName &p : b.editors)
        people.append({Role::Editor, abbreviated(p)});

    if (!b.authors.isEmpty()) {
        card[int(Field::Author)] = personText(abbreviated(b.authors.first()));
    } else if (const auto none = std::find_if(notes.begin(), notes.end(), isNoPersonalAuthor);
               none != notes.end()) {
        card[int(Field::Author)] = *none;
        notes.erase(none);
    } else if (!b.editors.isEmpty()) {
        card[int(Field::Author)] = QStringLiteral("ΣΥΛΛΟΓΙΚΟ ΕΡΓΟ");
    }
    for (const auto &[role, person] : people)
        if (!namedInNotes(others, person))
            others << roleText(role, person);
    if (!others.isEmpty())
        card[int(Field::OtherName)] = others.takeFirst();

    card[int(Field::Title)] = b.title;

    const bool contained = r.kind != ReferenceKind::Book && !r.container.isEmpty();
    if (contained) {
        const QString in = joined(r.container, QStringLiteral(" "), r.containerVolume);
        card[int(Field::Publication)] = b.place.isEmpty() ? joined(in, QStringLiteral(", "), b.year)
                                                          : publicationText(in, b.place, b.year);
        if (!b.publisher.isEmpty())
            notes.prepend(b.publisher);
    } else {
        card[int(Field::Publication)] = publicationText(b.publisher, b.place, b.year);
    }

    // An ISBN as it is written, or the first of a list; what else the value holds ("(pbk.)",
    // a second ISBN) is a note.
    static const QRegularExpression isbnOnly(QStringLiteral("^[0-9Xx -]+$"));
    static const QRegularExpression isbn(QStringLiteral("[0-9][0-9 -]*[0-9Xx]"));
    const QString isbnText = b.isbn.trimmed();
    const QRegularExpressionMatch found = isbn.match(isbnText);
    if (isbnText.isEmpty() || isbnOnly.match(isbnText).hasMatch()) {
        card[int(Field::Isbn)] = isbnText.isEmpty() ? QStringLiteral("960-") : isbnText;
    } else if (found.hasMatch()) {
        card[int(Field::Isbn)] = found.captured().trimmed();
        notes.prepend(QString(isbnText).remove(found.capturedStart(), found.capturedLength()));
    } else {
        card[int(Field::Isbn)] = QStringLiteral("960-");
        notes.prepend(isbnText);
    }

    const bool greek = isGreek(b.title) || isGreek(b.publisher + b.place);
    QStringList pagesNotes = {volumesText(b),
                              r.volume.isEmpty()
                                  ? QString()
                                  : (greek ? QStringLiteral("ΤΟΜ. ") : QStringLiteral("VOL. ")) + r.volume,
                              pagesText(b.pages), editionText(r.edition, greek), r.series};
    pagesNotes << notes << others;
    pagesNotes.removeAll(QString());
    card[int(Field::PagesNotes)] = pagesNotes.join(QStringLiteral("; "));
    for (QString &text : card)
        text = text.simplified();
    return card;
}

} // namespace velmora::citation
