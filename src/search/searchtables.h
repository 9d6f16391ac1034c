// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Every search of the card window and every exploration of the exploration window, as
// data, with the texts they show written out in full.

#include "search.h"

namespace velmora {

namespace searches {

// The text searches of the card window; the card-number search is below.

inline constexpr Search ISBN{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Αριθμού ISBN", u"Βρες Αριθμό ISBN:", {Field::Isbn}},
    .rule = MatchRule::Prefix,
    .notFoundBefore = u"Ο Αριθμός ISBN ",
    .notFoundAfter = u" δεν Βρέθηκε",
};

inline constexpr Search Author{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Συγγραφέα", u"Βρες Συγγραφέα:", {Field::Author}},
    .notFoundBefore = u"Ο Συγγραφέας ",
    .notFoundAfter = u" δεν Bρέθηκε", // Latin B
};

inline constexpr Search Title{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Τίτλου", u"Βρες Κείμενο σε Τίτλο:", {Field::Title}},
    .notFoundBefore = u"Το Κείμενο ",
    .notFoundAfter = u" δεν Βρέθηκε",
};

inline constexpr Search OtherName{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος", u"Βρες Άλλο Όνομα:", {Field::OtherName}},
    .notFoundBefore = u"Το Όνομα ",
    .notFoundAfter = u" δεν Βρέθηκε",
};

inline constexpr Search Publication{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Εκδοτικού Στοιχείου",
              u"Βρες Εκδοτικό Στοιχείο:",
              {Field::Publication}},
    .notFoundBefore = u"Το Εκδοτικό Στοιχείο ",
    .notFoundAfter = u" δεν Βρέθηκε",
};

inline constexpr Search AnyAuthorTitle{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Συγγραφέα/Τίτλου/Ονόματος",
              u"Βρες Συγγραφέα ή Τίτλο ή Άλλο Όνομα:",
              {Field::Title, Field::OtherName, Field::Author}},
    .notFoundBefore = u"Το Όνομα/Κείμενο ",
    .notFoundAfter = u" δεν Bρέθηκε", // Latin B
};

inline constexpr Search AuthorTitle{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Τίτλου", u"Βρες Συγγραφέα:", {Field::Author}},
    .second = {u"Βελμόρα 3.0: Αναζήτηση Τίτλου και Συγγραφέα", u"Βρες Κείμενο σε Τίτλο:", {Field::Title}},
    .notFoundBefore = u"Ο Συγγραφέας ",
    .notFoundMiddle = u" και το κείμενο Τίτλου ",
    .notFoundAfter = u" δεν Βρέθηκαν",
    .missingText = u"Πρέπει να γράψετε και Συγγραφέα και κείμενο απο τον Τίτλο",
};

inline constexpr Search TitleAlloi{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Τίτλου και Άλλου Ονόματος", u"Βρες Κείμενο σε Τίτλο:", {Field::Title}},
    .second = {u"Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Τίτλου", u"Βρες Άλλο Όνομα:", {Field::OtherName}},
    .notFoundBefore = u"Tο κείμενο Τίτλου ", // Latin T
    .notFoundMiddle = u" και το Άλλο Όνομα ",
    .notFoundAfter = u" δεν Βρέθηκαν",
    .missingText = u"Πρέπει να γράψετε και κείμενο απο τον Τίτλο και Άλλο Όνομα",
};

inline constexpr Search AlloiEkdot{
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

inline constexpr Search TitleEkdot{
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

inline constexpr Search AuthorAlloi{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Άλλου Ονόματος", u"Βρες Συγγραφέα:", {Field::Author}},
    .second = {u"Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Συγγραφέα",
               u"Βρες Άλλο Όνομα:",
               {Field::OtherName}},
    .notFoundBefore = u"Ο Συγγραφέας ",
    .notFoundMiddle = u" και το Άλλο Όνομα ",
    .notFoundAfter = u" δεν Βρέθηκαν",
    .missingText = u"Πρέπει να γράψετε και Συγγραφέα και Άλλο Όνομα",
};

inline constexpr Search AuthorEkdot{
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

// The card window's jump to a card number: it asks as a search does, but reads a number.
inline constexpr Search CardNumber{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Αριθμού Καρτέλλας", u"Βρες Κωδικό Καρτέλλας:", {}},
    .notFoundBefore = u"Ο Αριθμός Καρτέλλας ",
    .notFoundAfter = u" δεν Βρέθηκε",
};
// Followed by NumberText of the card count.
inline constexpr QStringView CardNumberRange = u"Γράψτε έναν αριθμό από 1 έως ";

// Asked at each card a search finds: the start, NumberText of the card, the end.
inline constexpr QStringView PrintQuestionStart = u"Θέλετε να Εκτυπώσω την Καρτέλλα ";
inline constexpr QStringView PrintQuestionEnd = u" ;";
inline constexpr QStringView NoOtherCard = u"Δεν Υπάρχει Άλλη Όμοια Καρτέλλα";

} // namespace searches

namespace explorations {

// The explorations of the exploration window on one field, or on several fields for one
// text. The ISBN exploration, unlike the card window's ISBN search, looks anywhere in the field.

inline constexpr Search Epo{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Αριθμού ISBN", u"Βρες Αριθμό ISBN:", {Field::Isbn}},
    .notFoundBefore = u"Ο Αριθμός ISBN ",
    .notFoundAfter = u" δεν Βρέθηκε",
    .heading = u"Διερεύνηση Αρ. ISBN:",
};

inline constexpr Search Ono{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Συγγραφέα", u"Βρες Συγγραφέα:", {Field::Author}},
    .notFoundBefore = u"Ο Συγγραφέας ",
    .notFoundAfter = u" δεν Βρέθηκε",
    .heading = u"Διερεύνηση Συγγραφέα:",
};

inline constexpr Search Titlos{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Τίτλου", u"Βρες Κείμενο:", {Field::Title}},
    .notFoundBefore = u"Το Κείμενο ",
    .notFoundAfter = u" δεν Βρέθηκε",
    .heading = u"Διερεύνηση Τίτλου:",
};

inline constexpr Search Alloi{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος", u"Βρες Άλλο Όνομα:", {Field::OtherName}},
    .notFoundBefore = u"Το Άλλο Όνομα ",
    .notFoundAfter = u" δεν Βρέθηκε",
    .heading = u"Διερεύνηση Άλλου Ονόματος:",
    .clearsHeadingAtStart = true,
};

inline constexpr Search Ekdot{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Εκδοτικών", u"Βρες Εκδοτικό Στοιχείο:", {Field::Publication}},
    .notFoundBefore = u"Το Εκδοτικό Στοιχείο ",
    .notFoundAfter = u" δεν Βρέθηκε",
    .heading = u"Διερεύνηση Εκδοτικών:",
    .pagePrintDisablesPrint = true,
};

inline constexpr Search AnyAuthorTitle{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Κειμένου",
              u"Βρες Κείμενο σε Συγγραφέα/Τίτλο/Άλλο Όνομα:",
              {Field::Isbn, Field::Author, Field::Title, Field::OtherName}},
    .notFoundBefore = u"Το Κείμενο ",
    .notFoundAfter = u" δεν Βρέθηκε",
    .heading = u"Διερεύνηση Συγγραφέα/Τίτλου/Άλλου Ονόματος:",
};

// The explorations on two fields: a card must hold the first text in the first field and
// the second text in the second.

inline constexpr Search AuthorTitle{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Τίτλου", u"Βρες Συγγραφέα:", {Field::Author}},
    .second = {u"Βελμόρα 3.0: Αναζήτηση Τίτλου και Συγγραφέα", u"Βρες Κείμενο σε Τίτλο:", {Field::Title}},
    .notFoundBefore = u"Ο Συγγραφέας ",
    .notFoundMiddle = u" και το κείμενο Τίτλου ",
    .notFoundAfter = u" δεν Βρέθηκαν",
    .missingText = u"Πρέπει να γράψετε και Συγγραφέα και κείμενο απο τον Τίτλο",
    .heading = u"Διερεύνηση Συγγραφέα και Τίτλου:",
};

inline constexpr Search TitleAlloi{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Τίτλου και Άλλου Ονόματος", u"Βρες Κείμενο σε Τίτλο:", {Field::Title}},
    .second = {u"Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Τίτλου", u"Βρες Άλλο Όνομα:", {Field::OtherName}},
    .notFoundBefore = u"Tο κείμενο Τίτλου ", // Latin T
    .notFoundMiddle = u" και το Άλλο Όνομα ",
    .notFoundAfter = u" δεν Βρέθηκαν",
    .missingText = u"Πρέπει να γράψετε και κείμενο από Τίτλο και Άλλο Όνομα",
    .heading = u"Διερεύνηση Τίτλου και Άλλου Ονόματος:",
};

inline constexpr Search AlloiEkdot{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Εκδοτικών",
              u"Βρες Άλλο Όνομα:",
              {Field::OtherName}},
    .second = {u"Βελμόρα 3.0: Αναζήτηση Εκδοτικών και Άλλου Ονόματος",
               u"Βρες Εκδοτικό Στοιχείο:",
               {Field::Publication}},
    .notFoundBefore = u"Το Άλλο Όνομα ",
    .notFoundMiddle = u" και το Εκδοτικό Στοιχείο ",
    .notFoundAfter = u" δεν Βρέθηκαν",
    .missingText = u"Πρέπει να γράψετε και Άλλο Όνομα και κάποιο Εκδοτικό Στοιχείο",
    .heading = u"Διερεύνηση Άλλου Ονόματος και Εκδοτικών:",
    .keepsPrintAfterLastCardPage = true,
};

inline constexpr Search TitleEkdot{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Τίτλου και Εκδοτικών", u"Βρες Κείμενο σε Τίτλο:", {Field::Title}},
    .second = {u"Βελμόρα 3.0: Αναζήτηση Ελδοτικού και Τίτλου",
               u"Βρες Εκδοτικό Στοιχείο:",
               {Field::Publication}},
    .notFoundBefore = u"Tο κείμενο Τίτλου ", // Latin T
    .notFoundMiddle = u" και το Εκδοτικό Στοιχείο ",
    .notFoundAfter = u" δεν Βρέθηκαν",
    .missingText = u"Πρέπει να γράψετε και κείμενο απο τον Τίτλο και κάποιο Εκδοτικό Στοιχείο",
    .heading = u"Διερεύνηση Τίτλου και Εκδοτικών:",
};

inline constexpr Search AuthorAlloi{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Άλλου Ονόματος", u"Βρες Συγγραφέα:", {Field::Author}},
    .second = {u"Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Συγγραφέα",
               u"Βρες Άλλο Όνομα:",
               {Field::OtherName}},
    .notFoundBefore = u"Ο Συγγραφέας ",
    .notFoundMiddle = u" και το Άλλο Όνομα ",
    .notFoundAfter = u" δεν Βρέθηκαν",
    .missingText = u"Πρέπει να γράψετε και Συγγραφέα και Άλλο Όνομα",
    .heading = u"Διερεύνηση Συγγραφέα και Άλλου Ονόματος:",
    .keepsPrintAfterLastCardPage = true,
};

inline constexpr Search AuthorEkdot{
    .first = {u"Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Εκδοτικά", u"Βρες Συγγραφέα:", {Field::Author}},
    .second = {u"Βελμόρα 3.0: Αναζήτηση Εκδοτικών και Συγγραφέα",
               u"Βρες Εκδοτικό Στοιχείο:",
               {Field::Publication}},
    .notFoundBefore = u"Ο Συγγραφέας ",
    .notFoundMiddle = u" και το Εκδοτικό Στοιχείο ",
    .notFoundAfter = u" δεν Βρέθηκαν",
    .missingText = u"Πρέπει να γράψετε και Συγγραφέα και Εκδοτικό Στοιχείο",
    .heading = u"Διερεύνηση Συγγραφέα και Εκδοτικών:",
};

// After each full page, and once more at the end of the file.
inline constexpr QStringView PageQuestion = u"Θέλετε να Εκτυπώσω τις Καρτέλλες;";
inline constexpr QStringView FinalQuestion = u"Να Εκτυπώσω τις Τελευταίες Καρτέλλες;";

} // namespace explorations

} // namespace velmora
