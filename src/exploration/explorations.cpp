// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The twelve explorations of the exploration window. They differ only in the texts they
// ask for, the fields they look in and what they say (searchtables.h); one procedure runs
// them all.

#include "frmmulti.h"

#include "cardfileerror.h"
#include "pageview.h"
#include "probe.h"
#include "scanstep.h"
#include "searchtables.h"

#include <QAction>

namespace velmora {

void frmMulti::explore(const Search &exploration)
{
    // Everything is made ready before anything is asked, so a cancelled run still leaves
    // an empty export file and an empty page behind.
    m_platform.files.removeFile(m_platform.paths.exportFile());
    StatusBar1.setMessage(QString());
    m_platform.files.createEmpty(m_platform.paths.exportFile());
    mnuPrint->setEnabled(true);
    mnuExport->setEnabled(true);
    ClearArrays();
    page->clear();
    PageNumber = 0;
    if (exploration.clearsHeadingAtStart)
        SearchHeading.clear();
    SearchCard = 0;

    const std::optional<SearchProbe> asked = askForTexts(exploration);
    if (!asked) {
        mnuPrint->setEnabled(false);
        mnuExport->setEnabled(false);
        return;
    }
    const SearchProbe &probe = *asked;

    const auto ask = [this](QStringView question) {
        const Answer answer =
            m_platform.messages.show(question.toString(), AppTitle, Buttons::YesNoCancel, Icon::Question);
        return answer == Answer::Yes || answer == Answer::No ? answer : Answer::Cancel;
    };
    const auto printPage = [&] {
        SearchHeading = exploration.heading.toString();
        PrintRecords();
        ClearArrays();
        // A page that does not reach the printer is reported by the renderer, in a box of
        // its own: the caption must be exact under it too.
        m_caption.flush();
        m_platform.printer.endDoc();
        page->clear();
    };
    const auto exportPage = [this] {
        // The notice tells the user the page is in the file: only when it is.
        const bool exported = Export();
        if (exported)
            writeExportNotice();
        return exported;
    };
    // The question about the cards still on the page, once the whole file is scanned.
    // `rightAfterLastCard`: the last card of the file has just been placed on the page.
    const auto finish = [&](bool rightAfterLastCard) {
        switch (ask(explorations::FinalQuestion)) {
        case Answer::Yes:
            printPage();
            if (!(exploration.keepsPrintAfterLastCardPage && rightAfterLastCard))
                mnuPrint->setEnabled(false);
            break;
        case Answer::No:
            // A page that was not saved can still be saved from the menu.
            if (exportPage())
                mnuExport->setEnabled(false);
            break;
        default:
            break;
        }
        showCA();
    };

    // The candidates go into a buffer of the run's own: `Card` holds the card last placed.
    CardRecord candidate;
    CardReader reader(File);
    bool foundOnce = false;
    qint16 pageCount = 0;
    qint32 startCard = 1;
    for (;;) {
        const qint32 found = orEnd(findNextCard(
            reader, startCard, CardCount, candidate,
            [this](qint32) {
                ++SearchCard;
                ShowSRN();
            },
            [&probe](const CardRecord &card) { return probe.matches(card); }));

        if (found == 0) {
            // Past the last card: SearchCard has reached CardCount and stays there.
            ShowSRN();
            if (foundOnce) {
                finish(false);
            } else {
                m_platform.messages.show(probe.notFoundMessage(), AppTitle, Buttons::Ok, Icon::Information);
                showCA();
                mnuPrint->setEnabled(false);
                mnuExport->setEnabled(false);
            }
            break;
        }

        foundOnce = true;
        ++pageCount;
        CurrentCard = found;
        ShowCR();
        if (pageCount == SlotsPerPage) {
            const Answer answer = ask(explorations::PageQuestion);
            if (answer == Answer::Cancel)
                break; // the full page stays, ready for the menu's print or save
            if (answer == Answer::Yes) {
                printPage();
                if (exploration.pagePrintDisablesPrint)
                    mnuPrint->setEnabled(false);
            } else {
                // A page that was not saved stays, and the run stops there as after
                // «Άκυρο», so that the menu can still print or save it.
                if (!exportPage())
                    break;
                ClearArrays();
                page->clear();
            }
            pageCount = 0;
        } else if (found == CardCount) {
            finish(true);
            break;
        }
        startCard = CurrentCard + 1;
    }
    // However the run ended, the caption it left is the one on the screen.
    m_caption.flush();
}

// The explorations by the names searchtables.h gives them.
using namespace explorations;

void frmMulti::mnuEpo_Click()
{
    explore(Epo);
}

void frmMulti::mnuOno_Click()
{
    explore(Ono);
}

void frmMulti::mnuTitlos_Click()
{
    explore(Titlos);
}

void frmMulti::mnuAlloi_Click()
{
    explore(Alloi);
}

void frmMulti::mnuEkdot_Click()
{
    explore(Ekdot);
}

void frmMulti::mnuAnyAuthorTitle_Click()
{
    explore(AnyAuthorTitle);
}

void frmMulti::mnuAuthorTitle_Click()
{
    explore(AuthorTitle);
}

void frmMulti::mnuTitleAlloi_Click()
{
    explore(TitleAlloi);
}

void frmMulti::mnuAlloiEkdot_Click()
{
    explore(AlloiEkdot);
}

void frmMulti::mnuTitleEkdot_Click()
{
    explore(TitleEkdot);
}

void frmMulti::mnuAuthorAlloi_Click()
{
    explore(AuthorAlloi);
}

void frmMulti::mnuAuthorEkdot_Click()
{
    explore(AuthorEkdot);
}

} // namespace velmora
