// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardrecord.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace velmora::citation {

// A person as the bibliography writes one: "ΤΡΙΚΟΥΠΗΣ Σ." is family ΤΡΙΚΟΥΠΗΣ and given
// "Σ.", "ΘΟΥΚΥΔΙΔΗΣ" a family name alone. A name in neither form ("ΑΝΝΑ ΚΟΜΝΗΝΗ") is kept
// whole as `literal`, since which of its words is the family name would be a guess.
struct PersonName
{
    QString family;
    QString given;
    QString literal;
};

// A card read as the book it describes, for the citation formats. Every word of the six
// fields lands somewhere: what fits none of the bibliography's patterns is a note.
struct Book
{
    QString title;
    QList<PersonName> authors;
    QList<PersonName> editors;
    QList<PersonName> translators;
    QString publisher;
    QString place;
    QString year; // four digits
    QString volumes;
    QString pages;
    QString isbn;
    QStringList notes;
    // "el" for a Greek title, so that citation processors leave its case alone and LaTeX
    // hyphenates it as Greek; empty when the title does not say.
    QString language;
};

Book bookOf(const CardRecord &card);
PersonName personNameOf(const QString &text);

// The publishing field split as the bibliography writes it: "ΕΣΤΙΑ, ΑΘΗΝΑ 1992",
// "ΑΘΗΝΑ: ΚΑΡΔΑΜΙΤΣΑ, 1990", "ΛΟΝΔΙΝΟ 1853" ...; false when it fits none of them.
bool splitPublication(const QString &text, Book *book);

// The other name read by its abbreviation ("ΜΕΤ. ΒΛΑΧΟΣ Α.": a translator): the person is
// added to its role, and a text that says more than the role ("ΜΕΤ.-ΣΧΟΛ. ...") to the
// notes as well; false, with nothing added, when it begins with none of them.
bool readOtherName(const QString &text, Book *book);

// Cards with no personal author say so in the author field.
bool isNoPersonalAuthor(const QString &author);

// A title with a Greek letter anywhere in it is Greek.
bool isGreek(const QString &text);

// The inverse of the patterns above: a book's parts written as the cards write them.
enum class Role { Author, Editor, Translator };
// "ΤΡΙΚΟΥΠΗΣ Σ.", "ΘΟΥΚΥΔΙΔΗΣ", or the name kept whole.
QString personText(const PersonName &person);
// "ΜΕΤ. ΒΛΑΧΟΣ Α.", "ΕΠΙΜ. ...", "ΚΑΙ ..." before a Greek name; "TRANS.", "ED.", "AND" before
// a foreign one. The first author has no abbreviation.
QString roleText(Role role, const PersonName &person);
// True when one of the notes is an other name ("ΜΕΤ.-ΣΧΟΛ. ΠΑΠΑΧΑΤΖΗΣ Ν.") naming `person`.
bool namedInNotes(const QStringList &notes, const PersonName &person);
// "PUBLISHER, PLACE YEAR", or as much of it as is known.
QString publicationText(const QString &publisher, const QString &place, const QString &year);
// "2 ΤΟΜ.", "4 VOL." for a book whose title and publishing data are foreign; "Σ. 101".
QString volumesText(const Book &book);
QString pagesText(const QString &pages);

} // namespace velmora::citation
