// The card window's searches: the card-number jump and the text searches, which all run
// through one scan-and-offer procedure driven by the descriptions in cardsearch.h.

#include "frmtervani.h"

#include "cardnumber.h"
#include "cardscan.h"
#include "cardsearch.h"
#include "matching.h"
#include "numbertext.h"
#include "platform.h"

namespace velmora {

namespace {

const QString PrintQuestionStart = QStringLiteral("Θέλετε να Εκτυπώσω την Καρτέλλα ");
const QString PrintQuestionEnd = QStringLiteral(" ;");
const QString NoOtherCard = QStringLiteral("Δεν Υπάρχει Άλλη Όμοια Καρτέλλα");

const QString CardNumberTitle = QStringLiteral("Βελμόρα 3.0: Αναζήτηση Αριθμού Καρτέλλας");
const QString CardNumberPrompt = QStringLiteral("Βρες Κωδικό Καρτέλλας:");
const QString CardNumberNotFoundStart = QStringLiteral("Ο Αριθμός Καρτέλλας ");
const QString CardNumberNotFoundEnd = QStringLiteral(" δεν Βρέθηκε");
const QString CardNumberRange = QStringLiteral("Γράψτε έναν αριθμό από 1 έως ");

// One search text and the fields it is looked for in, ready for the scan loop: the test
// of a card is a few byte comparisons, with nothing built per card.
struct Probe
{
    SearchText text;
    Field fields[FieldCount];
    int fieldCount = 0;

    Probe(const SearchText &searchText, FieldSet set) : text(searchText)
    {
        for (Field f : AllFields)
            if (set.contains(f))
                fields[fieldCount++] = f;
    }

    bool heldBy(const CardRecord &card, MatchRule rule) const
    {
        for (int i = 0; i < fieldCount; ++i) {
            const bool found =
                rule == MatchRule::Prefix ? text.prefixOf(card, fields[i]) : text.foundIn(card, fields[i]);
            if (found)
                return true;
        }
        return false;
    }
};

QString notFoundMessage(const CardSearch &search, const SearchText &first, const SearchText &second)
{
    QString message = search.notFoundBefore.toString();
    message += first.text();
    if (search.isCombined()) {
        message += search.notFoundMiddle;
        message += second.text();
    }
    message += search.notFoundAfter;
    return message;
}

} // namespace

void frmTervani::runSearch(const CardSearch &search)
{
    SearchCard = 0;

    // A combined search asks for both texts before it looks at either.
    const SearchText first = SearchText::fromTyped(
        m_platform.input.ask(search.first.title.toString(), search.first.prompt.toString()));
    SearchText second;
    if (search.isCombined()) {
        second = SearchText::fromTyped(
            m_platform.input.ask(search.second.title.toString(), search.second.prompt.toString()));
        if (first.isEmpty() || second.isEmpty()) {
            m_platform.messages.show(search.missingText.toString(), AppTitle, Buttons::Ok, Icon::Exclamation);
            return;
        }
    } else if (first.isEmpty()) {
        return;
    }

    const Probe firstProbe(first, search.first.fields);
    const Probe secondProbe(second, search.second.fields);
    const auto matches = [&](const CardRecord &card) {
        return firstProbe.heldBy(card, search.rule) &&
               (!search.isCombined() || secondProbe.heldBy(card, search.rule));
    };

    // The candidates go into a buffer of the search's own: `Card` keeps the card on screen.
    CardRecord candidate;
    CardReader reader(File);
    bool foundOnce = false;
    qint32 next = 1;
    for (;;) {
        const qint32 found = findNextCard(
            reader, next, CardCount, candidate,
            [this](qint32) {
                if (SearchCard < CardCount)
                    ++SearchCard;
                ShowSRN();
            },
            matches);

        if (found == 0) {
            if (foundOnce)
                m_platform.messages.show(NoOtherCard, AppTitle, Buttons::Ok, Icon::Exclamation);
            else
                m_platform.messages.show(notFoundMessage(search, first, second), AppTitle, Buttons::Ok,
                                         Icon::Information);
            ShowCR();
            return;
        }

        foundOnce = true;
        CurrentCard = found;
        ShowCR();
        const Answer answer =
            m_platform.messages.show(PrintQuestionStart + NumberText(found) + PrintQuestionEnd, AppTitle,
                                     Buttons::YesNoCancel, Icon::Question);
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
    for (;;) {
        SearchCard = 0;
        const QString typed = m_platform.input.ask(CardNumberTitle, CardNumberPrompt);
        if (typed.isEmpty())
            return;

        const CardNumberEntry entry = readCardNumber(typed, CardCount);
        switch (entry.kind) {
        case CardNumberEntry::TooLarge:
            return;
        case CardNumberEntry::NotFound:
            m_platform.messages.show(CardNumberNotFoundStart + typed + CardNumberNotFoundEnd, AppTitle,
                                     Buttons::Ok, Icon::Information);
            ShowCR();
            return;
        case CardNumberEntry::Card:
            CurrentCard = entry.card;
            ShowCR();
            return;
        case CardNumberEntry::Range:
            break;
        }
        m_platform.messages.show(CardNumberRange + NumberText(CardCount), AppTitle, Buttons::Ok,
                                 Icon::Information);
    }
}

void frmTervani::cmdFindISBN_Click()
{
    runSearch(searches::ISBN);
}

void frmTervani::cmdFindAuthor_Click()
{
    runSearch(searches::Author);
}

void frmTervani::cmdFindTitle_Click()
{
    runSearch(searches::Title);
}

void frmTervani::cmdFindAlloi_Click()
{
    runSearch(searches::OtherName);
}

void frmTervani::cmdFindEkdot_Click()
{
    runSearch(searches::Publication);
}

void frmTervani::mnuAnyAuthorTitle_Click()
{
    runSearch(searches::AnyAuthorTitle);
}

void frmTervani::mnuAuthorTitle_Click()
{
    runSearch(searches::AuthorTitle);
}

void frmTervani::mnuTitleAlloi_Click()
{
    runSearch(searches::TitleAlloi);
}

void frmTervani::mnuAlloiEkdot_Click()
{
    runSearch(searches::AlloiEkdot);
}

void frmTervani::mnuTitleEkdot_Click()
{
    runSearch(searches::TitleEkdot);
}

void frmTervani::mnuAuthorAlloi_Click()
{
    runSearch(searches::AuthorAlloi);
}

void frmTervani::mnuAuthorEkdot_Click()
{
    runSearch(searches::AuthorEkdot);
}

} // namespace velmora
