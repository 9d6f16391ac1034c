#pragma once

#include "cardrecord.h"

#include <QStringView>

#include <initializer_list>

namespace velmora {

// The fields a search text is looked for in; a card holds the text when any of them does.
class FieldSet
{
public:
    constexpr FieldSet() = default;
    constexpr FieldSet(std::initializer_list<Field> fields)
    {
        for (Field f : fields)
            m_bits |= quint8(1u << int(f));
    }
    constexpr bool contains(Field f) const { return (m_bits >> int(f)) & 1u; }
    constexpr bool isEmpty() const { return m_bits == 0; }

private:
    quint8 m_bits = 0;
};

// One input box of a search, and where its text is looked for.
struct SearchInput
{
    QStringView title;
    QStringView prompt;
    FieldSet fields{};
};

enum class MatchRule {
    Containment, // anywhere in the field, fill blanks included
    Prefix,      // the first characters of the field: the ISBN search alone
};

// A text search of the card window, described by what it asks, where it looks and what it
// says; one procedure runs them all. A search with a second input is a combined search:
// a card is found only when it holds both texts.
struct CardSearch
{
    SearchInput first;
    SearchInput second{};
    MatchRule rule = MatchRule::Containment;
    // Nothing found: before + first text [+ middle + second text] + after.
    QStringView notFoundBefore;
    QStringView notFoundMiddle{};
    QStringView notFoundAfter;
    // A combined search given only one of its two texts.
    QStringView missingText{};

    constexpr bool isCombined() const { return !second.fields.isEmpty(); }
};

namespace searches {

inline constexpr CardSearch ISBN{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Αριθμού ISBN", u"Βρες Αριθμό ISBN:", {Field::Isbn}},
    .rule = MatchRule::Prefix,
    .notFoundBefore = u"Ο Αριθμός ISBN ",
    .notFoundAfter = u" δεν Βρέθηκε",
};

inline constexpr CardSearch Author{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Συγγραφέα", u"Βρες Συγγραφέα:", {Field::Author}},
    .notFoundBefore = u"Ο Συγγραφέας ",
    .notFoundAfter = u" δεν Bρέθηκε", // Latin B
};

inline constexpr CardSearch Title{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Τίτλου", u"Βρες Κείμενο σε Τίτλο:", {Field::Title}},
    .notFoundBefore = u"Το Κείμενο ",
    .notFoundAfter = u" δεν Βρέθηκε",
};

inline constexpr CardSearch OtherName{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος", u"Βρες Άλλο Όνομα:", {Field::OtherName}},
    .notFoundBefore = u"Το Όνομα ",
    .notFoundAfter = u" δεν Βρέθηκε",
};

inline constexpr CardSearch Publication{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Εκδοτικού Στοιχείου",
              u"Βρες Εκδοτικό Στοιχείο:",
              {Field::Publication}},
    .notFoundBefore = u"Το Εκδοτικό Στοιχείο ",
    .notFoundAfter = u" δεν Βρέθηκε",
};

inline constexpr CardSearch AnyAuthorTitle{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Συγγραφέα/Τίτλου/Ονόματος",
              u"Βρες Συγγραφέα ή Τίτλο ή Άλλο Όνομα:",
              {Field::Title, Field::OtherName, Field::Author}},
    .notFoundBefore = u"Το Όνομα/Κείμενο ",
    .notFoundAfter = u" δεν Bρέθηκε", // Latin B
};

inline constexpr CardSearch AuthorTitle{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Τίτλου", u"Βρες Συγγραφέα:", {Field::Author}},
    .second = {u"Βελμόρα 3.0: Αναζήτηση Τίτλου και Συγγραφέα", u"Βρες Κείμενο σε Τίτλο:", {Field::Title}},
    .notFoundBefore = u"Ο Συγγραφέας ",
    .notFoundMiddle = u" και το κείμενο Τίτλου ",
    .notFoundAfter = u" δεν Βρέθηκαν",
    .missingText = u"Πρέπει να γράψετε και Συγγραφέα και κείμενο απο τον Τίτλο",
};

inline constexpr CardSearch TitleAlloi{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Τίτλου και Άλλου Ονόματος", u"Βρες Κείμενο σε Τίτλο:", {Field::Title}},
    .second = {u"Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Τίτλου", u"Βρες Άλλο Όνομα:", {Field::OtherName}},
    .notFoundBefore = u"Tο κείμενο Τίτλου ", // Latin T
    .notFoundMiddle = u" και το Άλλο Όνομα ",
    .notFoundAfter = u" δεν Βρέθηκαν",
    .missingText = u"Πρέπει να γράψετε και κείμενο απο τον Τίτλο και Άλλο Όνομα",
};

inline constexpr CardSearch AlloiEkdot{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Εκδοτικών",
              u"Βρες Άλλο Όνομα:",
              {Field::OtherName}},
    .second = {u"Βελμόρα 3.0: Αναζήτηση Εκδοτικών και Άλλου Ονόματος",
               u"Βρες Εκδοτικά:",
               {Field::Publication}},
    .notFoundBefore = u"Tο Άλλο Όνομα ", // Latin T
    .notFoundMiddle = u" και το Εκδοτικό Στοιχείο ",
    .notFoundAfter = u" δεν Βρέθηκαν",
    .missingText = u"Πρέπει να γράψετε και Άλλο Όνομα και κάποιο Εκδοτικό Στοιχείο",
};

inline constexpr CardSearch TitleEkdot{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Τίτλου και Εκδοτικού Στοιχείου",
              u"Βρες Κείμενο σε Τίτλο:",
              {Field::Title}},
    .second = {u"Βελμόρα 3.0: Αναζήτηση Εκδοτικού Στοιχείου και Τίτλου",
               u"Βρες Εκδοτικό Στοιχείο:",
               {Field::Publication}},
    .notFoundBefore = u"Tο κείμενο Τίτλου ", // Latin T
    .notFoundMiddle = u" και το Εκδοτικό Στοιχείο ",
    .notFoundAfter = u" δεν Βρέθηκαν",
    .missingText = u"Πρέπει να γράψετε και κείμενο απο τον Τίτλο και κάποιο Εκδοτικό Στοιχείο",
};

inline constexpr CardSearch AuthorAlloi{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Άλλου Ονόματος", u"Βρες Συγγραφέα:", {Field::Author}},
    .second = {u"Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Συγγραφέα",
               u"Βρες Άλλο Όνομα:",
               {Field::OtherName}},
    .notFoundBefore = u"Ο Συγγραφέας ",
    .notFoundMiddle = u" και το Άλλο Όνομα ",
    .notFoundAfter = u" δεν Βρέθηκαν",
    .missingText = u"Πρέπει να γράψετε και Συγγραφέα και Άλλο Όνομα",
};

inline constexpr CardSearch AuthorEkdot{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Εκδοτικού Στοιχείου",
              u"Βρες Συγγραφέα:",
              {Field::Author}},
    .second = {u"Βελμόρα 3.0: Αναζήτηση Εκδοτικού Στοιχείου και Συγγραφέα",
               u"Βρες Εκδοτικό Στοιχείο:",
               {Field::Publication}},
    .notFoundBefore = u"Ο Συγγραφέας ",
    .notFoundMiddle = u" και το Εκδοτικό Στοιχείο ",
    .notFoundAfter = u" δεν Βρέθηκαν",
    .missingText = u"Πρέπει να γράψετε και Συγγραφέα και Εκδοτικό Στοιχείο",
};

} // namespace searches

} // namespace velmora
