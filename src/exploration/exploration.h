#pragma once

#include "cardrecord.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace velmora {

// One typed text of an exploration: the box that asks for it and where it is looked for.
struct ExplorationText
{
    QString boxTitle;
    QString prompt;
    QList<Field> fields; // the card has the text when any one of these contains it
};

// What sets one exploration apart from the others. The scan, the pages, the questions and
// their answers are the same for all twelve (frmMulti::explore).
struct Exploration
{
    QList<ExplorationText> texts; // one or two; a card matches when it has every one
    QString heading{};            // the footer of its printed pages
    // The not-found message: notFound[0] + text 1 + notFound[1] (+ text 2 + notFound[2]).
    QStringList notFound{};
    QString missingText{}; // the warning when one of two texts is left out

    // The few ways single explorations have always behaved differently.
    bool clearsHeadingAtStart = false;        // footers stay empty until a page is printed
    bool pagePrintDisablesPrint = false;      // a page printed at the page question
    bool keepsPrintAfterLastCardPage = false; // final page printed right after the last card
};

} // namespace velmora
