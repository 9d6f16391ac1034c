#pragma once

#include "cardrecord.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace velmora::cards {

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

} // namespace velmora::cards
