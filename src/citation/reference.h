// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "bookfields.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>

namespace velmora::citation {

// What a reference is, as far as a card can tell: a book (or anything published on its own),
// or a part of something else that a card finds it by.
enum class ReferenceKind {
    Book,
    Article, // in a journal, a magazine, a newspaper
    Part,    // a chapter, a paper in proceedings, an entry in a reference work
};

// One entry of a reference manager's file, read into a book's parts as the cards know them.
struct Reference
{
    qint64 line = 0; // where the entry begins, counted from 1
    QString name;    // its key or id, for the reports; may be empty
    // Set when the entry cannot be read: nothing else is then meaningful but line and name.
    QString failure;
    // A definition, no card (BibTeX's @string): only its problems are told.
    bool definition = false;

    ReferenceKind kind = ReferenceKind::Book;
    Book book;               // language and notes as read; the notes in the order they came
    QString container;       // the journal or the book the entry is in
    QString containerVolume; // the journal's volume, and issue
    QString volume;          // which volume of a work in several
    QString edition;
    QString series; // with its number
    // The input's names of the fields a card has no place for.
    QStringList notKept;
    // What the reader found wrong with values it still read: not UTF-8, an undefined macro ...
    QStringList problems;
};

using ReferenceSink = std::function<void(const Reference &)>;

// A file that cannot be read as its format at all, or that a bounded reader refuses: a line,
// a value or an entry without end. Nothing is then imported.
struct ReadOutcome
{
    QString failure;
    qint64 failureLine = 0;
    bool ok() const { return failure.isEmpty(); }
};

// The longest line and the longest entry the readers take: far more than any card holds,
// and a file of one endless line (/dev/zero) must not take all the memory there is.
constexpr qsizetype MaxLineBytes = 1 << 20;
constexpr qsizetype MaxEntryBytes = 1 << 20;

// Helpers the readers share.
// The year of a date as written anywhere ("1992", "1992-05-01", "1992///", "c1992",
// "1850/1852" gives "1850-1852"); empty when it holds no year of four digits.
QString yearIn(const QString &date);
// "FAMILY, GIVEN" as RIS and BibTeX editors write a person; a name without a comma is a
// family name alone when it is one word, and kept whole otherwise.
PersonName personInverted(const QString &text);
// UTF-8 as read, with a problem named after `what` when it is not valid UTF-8.
QString decodedUtf8(QByteArrayView bytes, const QString &what, QStringList *problems);

} // namespace velmora::citation
