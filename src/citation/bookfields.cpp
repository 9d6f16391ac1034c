// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bookfields.h"

#include <QRegularExpression>

namespace velmora::citation {

namespace {

struct RoleAbbreviation
{
    const char *abbreviation; // UTF-8
    Role role;
    bool alsoNote; // the abbreviation says more than the role can carry
};

// The abbreviations the bibliography puts before the other name, Greek and foreign.
constexpr RoleAbbreviation Roles[] = {
    {"ΜΕΤ.", Role::Translator, false},      {"TRANS.", Role::Translator, false},
    {"ΜΕΤ.-ΣΧΟΛ.", Role::Translator, true}, {"ΕΠΙΜ.", Role::Editor, false},
    {"ED.", Role::Editor, false},           {"ΚΑΙ", Role::Author, false},
    {"AND", Role::Author, false},           {"ET", Role::Author, false},
};

QList<PersonName> &peopleOf(Role role, Book *book)
{
    return role == Role::Author ? book->authors : role == Role::Editor ? book->editors : book->translators;
}

void placeOtherName(const QString &other, Book *book)
{
    if (!readOtherName(other, book))
        book->notes << other;
}

void splitPagesNotes(const QString &text, Book *book)
{
    static const QRegularExpression volumes(QStringLiteral("^(\\d+) (?:ΤΟΜ|VOL|VOLS|BDE)\\.$"));
    static const QRegularExpression pages(QStringLiteral("^Σ\\. ?(\\d+)$"));
    if (const auto m = volumes.match(text); m.hasMatch())
        book->volumes = m.captured(1);
    else if (const auto p = pages.match(text); p.hasMatch())
        book->pages = p.captured(1);
    else
        book->notes << text;
}

} // namespace

bool readOtherName(const QString &text, Book *book)
{
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    const QString first = text.left(blank);
    for (const RoleAbbreviation &r : Roles) {
        if (blank < 0 || first != QString::fromUtf8(r.abbreviation))
            continue;
        peopleOf(r.role, book) << personNameOf(text.mid(blank + 1).trimmed());
        if (r.alsoNote)
            book->notes << text;
        return true;
    }
    return false;
}

bool isNoPersonalAuthor(const QString &author)
{
    return author == QStringLiteral("ΣΥΛΛΟΓΙΚΟ ΕΡΓΟ") || author == QStringLiteral("ΑΝΩΝΥΜΟΣ");
}

bool isGreek(const QString &text)
{
    static const QRegularExpression greek(QStringLiteral("\\p{Greek}"));
    return greek.match(text).hasMatch();
}

QString personText(const PersonName &person)
{
    if (person.family.isEmpty())
        return person.literal;
    return person.given.isEmpty() ? person.family : person.family + QLatin1Char(' ') + person.given;
}

QString roleText(Role role, const PersonName &person)
{
    const bool greek = isGreek(personText(person));
    const char16_t *abbreviation = role == Role::Translator ? (greek ? u"ΜΕΤ. " : u"TRANS. ")
                                   : role == Role::Editor   ? (greek ? u"ΕΠΙΜ. " : u"ED. ")
                                                            : (greek ? u"ΚΑΙ " : u"AND ");
    return QString::fromUtf16(abbreviation) + personText(person);
}

bool namedInNotes(const QStringList &notes, const PersonName &person)
{
    for (const QString &note : notes) {
        Book named;
        if (readOtherName(note, &named)) {
            for (Role role : {Role::Author, Role::Editor, Role::Translator})
                for (const PersonName &p : peopleOf(role, &named))
                    if (personText(p) == personText(person))
                        return true;
        }
    }
    return false;
}

QString publicationText(const QString &publisher, const QString &place, const QString &year)
{
    QString text = publisher;
    if (!place.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral(", ")) + place;
    if (!year.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + year;
    return text;
}

QString volumesText(const Book &book)
{
    if (book.volumes.isEmpty())
        return {};
    const bool foreign = !isGreek(book.title) && !isGreek(book.publisher + book.place);
    return book.volumes + (foreign ? QStringLiteral(" VOL.") : QStringLiteral(" ΤΟΜ."));
}

QString pagesText(const QString &pages)
{
    return pages.isEmpty() ? QString() : QStringLiteral("Σ. ") + pages;
}

PersonName personNameOf(const QString &text)
{
    // Initials: one or two letters and a full stop, joined or hyphenated ("Κ.Θ.", "ΝΤ.", "PH.-E.").
    static const QRegularExpression withInitials(QStringLiteral("^(\\S.*?) ((?:\\p{L}{1,2}\\.-?)+)$"));
    if (const auto m = withInitials.match(text); m.hasMatch())
        return {m.captured(1), m.captured(2), {}};
    if (!text.contains(QLatin1Char(' ')))
        return {text, {}, {}};
    return {{}, {}, text};
}

bool splitPublication(const QString &text, Book *book)
{
    static const QRegularExpression publisherPlaceYear(QStringLiteral("^([^,:]+), ([^,:]+) (\\d{4})$"));
    static const QRegularExpression placePublisherYear(QStringLiteral("^([^,:]+): ([^,:]+), (\\d{4})$"));
    static const QRegularExpression publisherPlace(QStringLiteral("^([^,:]+), ([^,:\\d]+)$"));
    static const QRegularExpression placeYear(QStringLiteral("^(\\S+) (\\d{4})$"));
    // "PRINCETON UNIV. PRESS 1966": a publisher without its place.
    static const QRegularExpression pressYear(QStringLiteral("^([^,:]+ PRESS) (\\d{4})$"));
    if (const auto publisherFirst = publisherPlaceYear.match(text); publisherFirst.hasMatch()) {
        book->publisher = publisherFirst.captured(1);
        book->place = publisherFirst.captured(2);
        book->year = publisherFirst.captured(3);
    } else if (const auto placeFirst = placePublisherYear.match(text); placeFirst.hasMatch()) {
        book->place = placeFirst.captured(1);
        book->publisher = placeFirst.captured(2);
        book->year = placeFirst.captured(3);
    } else if (const auto noYear = publisherPlace.match(text); noYear.hasMatch()) {
        book->publisher = noYear.captured(1);
        book->place = noYear.captured(2);
    } else if (const auto noPublisher = placeYear.match(text); noPublisher.hasMatch()) {
        book->place = noPublisher.captured(1);
        book->year = noPublisher.captured(2);
    } else if (const auto pressOnly = pressYear.match(text); pressOnly.hasMatch()) {
        book->publisher = pressOnly.captured(1);
        book->year = pressOnly.captured(2);
    } else {
        return false;
    }
    return true;
}

Book bookOf(const CardRecord &card)
{
    Book book;
    book.title = card.shown(Field::Title);
    if (isGreek(book.title))
        book.language = QStringLiteral("el");

    const QString author = card.shown(Field::Author);
    if (isNoPersonalAuthor(author))
        book.notes << author;
    else if (!author.isEmpty())
        book.authors << personNameOf(author);

    if (const QString other = card.shown(Field::OtherName); !other.isEmpty())
        placeOtherName(other, &book);

    const QString publication = card.shown(Field::Publication);
    if (!publication.isEmpty() && !splitPublication(publication, &book))
        book.notes << publication;

    if (const QString pagesNotes = card.shown(Field::PagesNotes); !pagesNotes.isEmpty())
        splitPagesNotes(pagesNotes, &book);

    // "960-" is what every new card starts with: no ISBN yet.
    static const QRegularExpression isbnLike(QStringLiteral("^[0-9Xx-]+$"));
    const QString isbn = card.shown(Field::Isbn);
    if (isbnLike.match(isbn).hasMatch() && isbn != QStringLiteral("960-"))
        book.isbn = isbn;
    else if (!isbn.isEmpty() && isbn != QStringLiteral("960-"))
        book.notes << isbn;
    return book;
}

} // namespace velmora::citation
