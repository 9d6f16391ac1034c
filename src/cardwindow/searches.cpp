// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The card window's searches: the card-number jump and the text searches, which all run
// through one scan-and-offer procedure over the descriptions in searchtables.h.

#include "frmtervani.h"

#include "cardfileerror.h"
#include "cardnumber.h"
#include "numbertext.h"
#include "probe.h"
#include "scanstep.h"
#include "searchtables.h"

namespace velmora {

void frmTervani::runSearch(const Search &search)
{
    SearchCard = 0;

    // A combined search asks for both texts before it looks at either.
    const std::optional<SearchProbe> asked = askForTexts(search);
    if (!asked)
        return;
    const SearchProbe &probe = *asked;

    // The candidates go into a buffer of the search's own: `Card` keeps the card on screen.
    CardRecord candidate;
    CardReader reader(File);
    bool foundOnce = false;
    qint32 next = 1;
    for (;;) {
        const qint32 found = orEnd(findNextCard(
            reader, next, CardCount, candidate,
            [this](qint32) {
                if (SearchCard < CardCount)
                    ++SearchCard;
                ShowSRN();
            },
            [&probe](const CardRecord &card) { return probe.matches(card); }));

        if (found == 0) {
            if (foundOnce)
                m_platform.messages.show(searches::NoOtherCard.toString(), AppTitle, Buttons::Ok,
                                         Icon::Exclamation);
            else
                m_platform.messages.show(probe.notFoundMessage(), AppTitle, Buttons::Ok, Icon::Information);
            // The card is shown again from the file, and what was typed into it goes.
            if (mayLeaveCard())
                ShowCR();
            return;
        }

        if (!mayLeaveCard())
            return;
        foundOnce = true;
        CurrentCard = found;
        ShowCR();
        const QString question = searches::PrintQuestionStart.toString() + NumberText(found) +
                                 searches::PrintQuestionEnd.toString();
        const Answer answer =
            m_platform.messages.show(question, AppTitle, Buttons::YesNoCancel, Icon::Question);
        if (answer == Answer::Yes)
            cmdPrint_Click();
        else if (answer != Answer::No)
            return; // Cancel, or the box closed: the card found stays shown

        // After the last card the scan finds nothing more and says so at once.
        next = CurrentCard + 1;
    }
}

void frmTervani::cmdFindcode_Click()
{
    const Search &search = searches::CardNumber;
    for (;;) {
        SearchCard = 0;
        const QString typed =
            m_platform.input.ask(search.first.title.toString(), search.first.prompt.toString());
        if (typed.isEmpty())
            return;

        const CardNumberEntry entry = readCardNumber(typed, CardCount);
        switch (entry.kind) {
        case CardNumberEntry::TooLarge:
            return;
        case CardNumberEntry::NotFound:
            // The number as typed, not as read.
            m_platform.messages.show(search.notFoundBefore.toString() + typed +
                                         search.notFoundAfter.toString(),
                                     AppTitle, Buttons::Ok, Icon::Information);
            if (mayLeaveCard())
                ShowCR();
            return;
        case CardNumberEntry::Card:
            if (!mayLeaveCard())
                return;
            CurrentCard = entry.card;
            ShowCR();
            return;
        case CardNumberEntry::Range:
            break;
        }
        m_platform.messages.show(searches::CardNumberRange.toString() + NumberText(CardCount), AppTitle,
                                 Buttons::Ok, Icon::Information);
    }
}

// The searches by the names searchtables.h gives them.
using namespace searches;

void frmTervani::cmdFindISBN_Click()
{
    runSearch(ISBN);
}

void frmTervani::cmdFindAuthor_Click()
{
    runSearch(Author);
}

void frmTervani::cmdFindTitle_Click()
{
    runSearch(Title);
}

void frmTervani::cmdFindAlloi_Click()
{
    runSearch(OtherName);
}

void frmTervani::cmdFindEkdot_Click()
{
    runSearch(Publication);
}

void frmTervani::mnuAnyAuthorTitle_Click()
{
    runSearch(AnyAuthorTitle);
}

void frmTervani::mnuAuthorTitle_Click()
{
    runSearch(AuthorTitle);
}

void frmTervani::mnuTitleAlloi_Click()
{
    runSearch(TitleAlloi);
}

void frmTervani::mnuAlloiEkdot_Click()
{
    runSearch(AlloiEkdot);
}

void frmTervani::mnuTitleEkdot_Click()
{
    runSearch(TitleEkdot);
}

void frmTervani::mnuAuthorAlloi_Click()
{
    runSearch(AuthorAlloi);
}

void frmTervani::mnuAuthorEkdot_Click()
{
    runSearch(AuthorEkdot);
}

} // namespace velmora
