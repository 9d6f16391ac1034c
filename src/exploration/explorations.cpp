// The twelve explorations of the exploration window. They differ only in the texts they
// ask for, the fields they look in and what they say; one procedure runs them all.

#include "frmmulti.h"

#include "cardscan.h"
#include "exploration.h"
#include "matching.h"
#include "pageview.h"
#include "platform.h"

#include <QAction>

#include <algorithm>

namespace velmora {

namespace {

const QString PageQuestion = QStringLiteral("Θέλετε να Εκτυπώσω τις Καρτέλλες;");
const QString FinalQuestion = QStringLiteral("Να Εκτυπώσω τις Τελευταίες Καρτέλλες;");
const QString NotFoundOne = QStringLiteral(" δεν Βρέθηκε");
const QString NotFoundTwo = QStringLiteral(" δεν Βρέθηκαν");

// The explorations on one field, or on several fields for one text.

const Exploration Epo{
    .texts = {{QStringLiteral("Βελμόρα 3.0: Αναζήτηση Αριθμού ISBN"),
               QStringLiteral("Βρες Αριθμό ISBN:"),
               {Field::Isbn}}},
    .heading = QStringLiteral("Διερεύνηση Αρ. ISBN:"),
    .notFound = {QStringLiteral("Ο Αριθμός ISBN "), NotFoundOne},
};

const Exploration Ono{
    .texts = {{QStringLiteral("Βελμόρα 3.0: Αναζήτηση Συγγραφέα"),
               QStringLiteral("Βρες Συγγραφέα:"),
               {Field::Author}}},
    .heading = QStringLiteral("Διερεύνηση Συγγραφέα:"),
    .notFound = {QStringLiteral("Ο Συγγραφέας "), NotFoundOne},
};

const Exploration Titlos{
    .texts = {{QStringLiteral("Βελμόρα 3.0: Αναζήτηση Τίτλου"),
               QStringLiteral("Βρες Κείμενο:"),
               {Field::Title}}},
    .heading = QStringLiteral("Διερεύνηση Τίτλου:"),
    .notFound = {QStringLiteral("Το Κείμενο "), NotFoundOne},
};

const Exploration Alloi{
    .texts = {{QStringLiteral("Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος"),
               QStringLiteral("Βρες Άλλο Όνομα:"),
               {Field::OtherName}}},
    .heading = QStringLiteral("Διερεύνηση Άλλου Ονόματος:"),
    .notFound = {QStringLiteral("Το Άλλο Όνομα "), NotFoundOne},
    .clearsHeadingAtStart = true,
};

const Exploration Ekdot{
    .texts = {{QStringLiteral("Βελμόρα 3.0: Αναζήτηση Εκδοτικών"),
               QStringLiteral("Βρες Εκδοτικό Στοιχείο:"),
               {Field::Publication}}},
    .heading = QStringLiteral("Διερεύνηση Εκδοτικών:"),
    .notFound = {QStringLiteral("Το Εκδοτικό Στοιχείο "), NotFoundOne},
    .pagePrintDisablesPrint = true,
};

const Exploration AnyAuthorTitle{
    .texts = {{QStringLiteral("Βελμόρα 3.0: Αναζήτηση Κειμένου"),
               QStringLiteral("Βρες Κείμενο σε Συγγραφέα/Τίτλο/Άλλο Όνομα:"),
               {Field::Isbn, Field::Author, Field::Title, Field::OtherName}}},
    .heading = QStringLiteral("Διερεύνηση Συγγραφέα/Τίτλου/Άλλου Ονόματος:"),
    .notFound = {QStringLiteral("Το Κείμενο "), NotFoundOne},
};

// The explorations on two fields: a card must hold the first text in the first field and
// the second text in the second.

const Exploration AuthorTitle{
    .texts = {{QStringLiteral("Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Τίτλου"),
               QStringLiteral("Βρες Συγγραφέα:"),
               {Field::Author}},
              {QStringLiteral("Βελμόρα 3.0: Αναζήτηση Τίτλου και Συγγραφέα"),
               QStringLiteral("Βρες Κείμενο σε Τίτλο:"),
               {Field::Title}}},
    .heading = QStringLiteral("Διερεύνηση Συγγραφέα και Τίτλου:"),
    .notFound = {QStringLiteral("Ο Συγγραφέας "), QStringLiteral(" και το κείμενο Τίτλου "), NotFoundTwo},
    .missingText = QStringLiteral("Πρέπει να γράψετε και Συγγραφέα και κείμενο απο τον Τίτλο"),
};

const Exploration TitleAlloi{
    .texts = {{QStringLiteral("Βελμόρα 3.0: Αναζήτηση Τίτλου και Άλλου Ονόματος"),
               QStringLiteral("Βρες Κείμενο σε Τίτλο:"),
               {Field::Title}},
              {QStringLiteral("Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Τίτλου"),
               QStringLiteral("Βρες Άλλο Όνομα:"),
               {Field::OtherName}}},
    .heading = QStringLiteral("Διερεύνηση Τίτλου και Άλλου Ονόματος:"),
    // The first letter of "Tο" is a Latin T, as the program has always shown it.
    .notFound = {QStringLiteral("Tο κείμενο Τίτλου "), QStringLiteral(" και το Άλλο Όνομα "), NotFoundTwo},
    .missingText = QStringLiteral("Πρέπει να γράψετε και κείμενο από Τίτλο και Άλλο Όνομα"),
};

const Exploration AlloiEkdot{
    .texts = {{QStringLiteral("Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Εκδοτικών"),
               QStringLiteral("Βρες Άλλο Όνομα:"),
               {Field::OtherName}},
              {QStringLiteral("Βελμόρα 3.0: Αναζήτηση Εκδοτικών και Άλλου Ονόματος"),
               QStringLiteral("Βρες Εκδοτικό Στοιχείο:"),
               {Field::Publication}}},
    .heading = QStringLiteral("Διερεύνηση Άλλου Ονόματος και Εκδοτικών:"),
    .notFound = {QStringLiteral("Το Άλλο Όνομα "), QStringLiteral(" και το Εκδοτικό Στοιχείο "), NotFoundTwo},
    .missingText = QStringLiteral("Πρέπει να γράψετε και Άλλο Όνομα και κάποιο Εκδοτικό Στοιχείο"),
    .keepsPrintAfterLastCardPage = true,
};

const Exploration TitleEkdot{
    .texts = {{QStringLiteral("Βελμόρα 3.0: Αναζήτηση Τίτλου και Εκδοτικών"),
               QStringLiteral("Βρες Κείμενο σε Τίτλο:"),
               {Field::Title}},
              {QStringLiteral("Βελμόρα 3.0: Αναζήτηση Ελδοτικού και Τίτλου"),
               QStringLiteral("Βρες Εκδοτικό Στοιχείο:"),
               {Field::Publication}}},
    .heading = QStringLiteral("Διερεύνηση Τίτλου και Εκδοτικών:"),
    // The first letter of "Tο" is a Latin T, as the program has always shown it.
    .notFound = {QStringLiteral("Tο κείμενο Τίτλου "), QStringLiteral(" και το Εκδοτικό Στοιχείο "),
                 NotFoundTwo},
    .missingText = QStringLiteral("Πρέπει να γράψετε και κείμενο απο τον Τίτλο και κάποιο Εκδοτικό Στοιχείο"),
};

const Exploration AuthorAlloi{
    .texts = {{QStringLiteral("Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Άλλου Ονόματος"),
               QStringLiteral("Βρες Συγγραφέα:"),
               {Field::Author}},
              {QStringLiteral("Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Συγγραφέα"),
               QStringLiteral("Βρες Άλλο Όνομα:"),
               {Field::OtherName}}},
    .heading = QStringLiteral("Διερεύνηση Συγγραφέα και Άλλου Ονόματος:"),
    .notFound = {QStringLiteral("Ο Συγγραφέας "), QStringLiteral(" και το Άλλο Όνομα "), NotFoundTwo},
    .missingText = QStringLiteral("Πρέπει να γράψετε και Συγγραφέα και Άλλο Όνομα"),
    .keepsPrintAfterLastCardPage = true,
};

const Exploration AuthorEkdot{
    .texts = {{QStringLiteral("Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Εκδοτικά"),
               QStringLiteral("Βρες Συγγραφέα:"),
               {Field::Author}},
              {QStringLiteral("Βελμόρα 3.0: Αναζήτηση Εκδοτικών και Συγγραφέα"),
               QStringLiteral("Βρες Εκδοτικό Στοιχείο:"),
               {Field::Publication}}},
    .heading = QStringLiteral("Διερεύνηση Συγγραφέα και Εκδοτικών:"),
    .notFound = {QStringLiteral("Ο Συγγραφέας "), QStringLiteral(" και το Εκδοτικό Στοιχείο "), NotFoundTwo},
    .missingText = QStringLiteral("Πρέπει να γράψετε και Συγγραφέα και Εκδοτικό Στοιχείο"),
};

// One typed text ready for the scan: a card holds it when one of its fields does.
struct Probe
{
    SearchText text;
    QList<Field> fields;

    bool heldBy(const CardRecord &card) const
    {
        for (Field f : fields)
            if (text.foundIn(card, f))
                return true;
        return false;
    }
};

QString notFoundMessage(const Exploration &exploration, const QList<Probe> &probes)
{
    QString message;
    for (qsizetype i = 0; i < probes.size(); ++i)
        message += exploration.notFound.at(i) + probes.at(i).text.text();
    return message + exploration.notFound.last();
}

} // namespace

void frmMulti::explore(const Exploration &exploration)
{
    // Everything is made ready before anything is asked, so a cancelled run still leaves
    // an empty export file and an empty page behind.
    m_platform.files.removeFile(m_platform.paths.exportFile());
    setStatusText(QString());
    m_platform.files.createEmpty(m_platform.paths.exportFile());
    mnuPrint->setEnabled(true);
    mnuExport->setEnabled(true);
    ClearArrays();
    page->clear();
    PageNumber = 0;
    if (exploration.clearsHeadingAtStart)
        SearchHeading.clear();
    SearchCard = 0;

    // Every box is asked even when an earlier one was left empty.
    flushCaption();
    QList<Probe> probes;
    for (const ExplorationText &text : exploration.texts)
        probes.append({SearchText::fromTyped(m_platform.input.ask(text.boxTitle, text.prompt)), text.fields});
    const bool textMissing =
        std::any_of(probes.cbegin(), probes.cend(), [](const Probe &p) { return p.text.isEmpty(); });
    if (textMissing) {
        if (probes.size() > 1) {
            flushCaption();
            m_platform.messages.show(exploration.missingText, AppTitle, Buttons::Ok, Icon::Exclamation);
        }
        mnuPrint->setEnabled(false);
        mnuExport->setEnabled(false);
        return;
    }
    const auto matches = [&probes](const CardRecord &card) {
        return std::all_of(probes.cbegin(), probes.cend(),
                           [&card](const Probe &p) { return p.heldBy(card); });
    };

    // A question is asked with the caption of the moment on the screen.
    const auto ask = [this](const QString &question) {
        flushCaption();
        const Answer answer =
            m_platform.messages.show(question, AppTitle, Buttons::YesNoCancel, Icon::Question);
        return answer == Answer::Yes || answer == Answer::No ? answer : Answer::Cancel;
    };
    const auto printPage = [&] {
        SearchHeading = exploration.heading;
        PrintRecords();
        ClearArrays();
        // A page that does not reach the printer is reported by the renderer; nothing
        // here may hide that.
        flushCaption();
        m_platform.printer.endDoc();
        page->clear();
    };
    const auto exportPage = [this] {
        // The notice tells the user the page is in the file: only when it is.
        if (Export())
            writeExportNotice();
    };
    // The question about the cards still on the page, once the whole file is scanned.
    // `rightAfterLastCard`: the last card of the file has just been placed on the page.
    const auto finish = [&](bool rightAfterLastCard) {
        switch (ask(FinalQuestion)) {
        case Answer::Yes:
            printPage();
            if (!(exploration.keepsPrintAfterLastCardPage && rightAfterLastCard))
                mnuPrint->setEnabled(false);
            break;
        case Answer::No:
            exportPage();
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
        const qint32 found = findNextCard(
            reader, startCard, CardCount, candidate,
            [this](qint32) {
                ++SearchCard;
                ShowSRN();
            },
            matches);

        if (found == 0) {
            // Past the last card: SearchCard has reached CardCount and stays there.
            ShowSRN();
            if (foundOnce) {
                finish(false);
            } else {
                flushCaption();
                m_platform.messages.show(notFoundMessage(exploration, probes), AppTitle, Buttons::Ok,
                                         Icon::Information);
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
            const Answer answer = ask(PageQuestion);
            if (answer == Answer::Cancel)
                break; // the full page stays, ready for the menu's print or save
            if (answer == Answer::Yes) {
                printPage();
                if (exploration.pagePrintDisablesPrint)
                    mnuPrint->setEnabled(false);
            } else {
                exportPage();
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
    flushCaption();
}

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
