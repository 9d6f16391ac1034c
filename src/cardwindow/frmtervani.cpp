// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The card window put together: its controls in tab order, their looks, the layout and
// the status bar.

#include "frmtervani.h"

#include "handlerguard.h"

#include "captions.h"
#include "titleedit.h"
#include "windowcolours.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

QLineEdit *makeField(QWidget *parent, const char *name, int maxLength)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(maxLength);
    return edit;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption,
                        const QString &toolTip = {})
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(toolTip);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmTervani::frmTervani(Platform &platform, Forms &forms, CardWindowSession &session)
    : MainWindow(platform, forms, 7), PrintCount(session.PrintCount), m_session(session)
{
    setObjectName(QStringLiteral("frmTervani"));
    // A fixed single border: no maximise button, no resizing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon(QStringLiteral(":/cardwindow/velmora.png")));
    setWindowTitle(AppTitle);

    createControls();
    createMenus();
    createStatusBar();

    adjustSize();
    setFixedSize(sizeHint());
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    txtEpo->setFocus();
    installKeyMap();
}

frmTervani::~frmTervani() = default;

void frmTervani::createControls()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    setBackground(central, LightOrange);
    setCentralWidget(central);

    // Created in tab order, so that the focus chain is the window's tab order.
    QFont fieldFont = QApplication::font();
    fieldFont.setBold(true);
    QLabel **labels[] = {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6};
    const char *labelNames[] = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"};
    QWidget *fields[FieldCount];
    for (int i = 0; i < FieldCount; ++i) {
        QLabel *label = new QLabel(fieldLabel(AllFields[i]), central);
        label->setObjectName(QLatin1String(labelNames[i]));
        *labels[i] = label;
        const Field field = AllFields[i];
        QWidget *edit = nullptr;
        switch (field) {
        case Field::Isbn:
            edit = txtEpo = makeField(central, "txtEpo", widthOf(field));
            break;
        case Field::Author:
            edit = txtOno = makeField(central, "txtOno", widthOf(field));
            break;
        case Field::Title:
            edit = txtTitlos = new TitleEdit(widthOf(field), central);
            edit->setObjectName(QStringLiteral("txtTitlos"));
            break;
        case Field::OtherName:
            edit = txtAlloi = makeField(central, "txtAlloi", widthOf(field));
            break;
        case Field::Publication:
            edit = txtEkdot = makeField(central, "txtEkdot", widthOf(field));
            break;
        case Field::PagesNotes:
            edit = txtSp = makeField(central, "txtSp", widthOf(field));
            break;
        }
        edit->setFont(fieldFont);
        edit->setAccessibleName(label->text());
        label->setBuddy(edit);
        fields[i] = edit;
    }

    cmdNext = makeButton(central, "cmdNext", QStringLiteral("EΠΟΜΕΝ&Η"), QStringLiteral("Επόμενη Καρτέλλα"));
    cmdPrevious = makeButton(central, "cmdPrevious", QStringLiteral("&ΠΡΟΗΓΟΎΜΕΝΗ"),
                             QStringLiteral("Προηγούμενη Καρτέλλα"));
    cmdNew = makeButton(central, "cmdNew", QStringLiteral("&ΝΕΑ ΕΓΓΡΑΦΗ"));
    cmdDelete = makeButton(central, "cmdDelete", QStringLiteral("ΔΙAΓΡΑΦΗ"));
    cmdFindcode = makeButton(central, "cmdFindcode", QStringLiteral("Α&Ρ. ΚΑΡΤΕΛΛΑΣ"),
                             QStringLiteral("Δείτε μια συγκεκριμένη Καρτέλλα"));
    cmdFindAuthor = makeButton(central, "cmdFindAuthor", QStringLiteral("&ΣΥΓΓΡΑΦΕΑΣ"),
                               QStringLiteral("Βρείτε τον Συγγραφέα"));
    cmdFindTitle =
        makeButton(central, "cmdFindTitle", QStringLiteral("&ΤΙΤΛΟΣ"), QStringLiteral("Βρείτε τον Τίτλο"));
    cmdFindAlloi = makeButton(central, "cmdFindAlloi", QStringLiteral("Α&ΛΛΟ ΟΝΟΜΑ"),
                              QStringLiteral("Βρείτε το Όνομα Άλλου Συντελεστή"));
    cmdExit = makeButton(central, "cmdExit", QStringLiteral("ΕΞΟΔΟΣ"),
                         QStringLiteral("Κλείστε την Βιβλιογραφία Βελμόρα"));
    cmdFindISBN = makeButton(central, "cmdFindISBN", QStringLiteral("ΑΡΙΘΜ. &ΙSBN"),
                             QStringLiteral("Βρείτε ένα βιβλίο από τον Αριθμό ISBN"));
    cmdFindEkdot = makeButton(central, "cmdFindEkdot", QStringLiteral("ΕΚΔ&ΟΤΙΚΑ"),
                              QStringLiteral("Βρείτε ένα βιβλίο από τα Εκδοτικά Στοιχεία"));
    cmdCorrect = makeButton(central, "cmdCorrect", QStringLiteral("&ΚΑΤΑΧΩΡΙΣΗ"));
    cmdPrint = makeButton(central, "cmdPrint", QStringLiteral("ΠΡΟΣ ΕΚΤΥΠΩΣΗ"),
                          QStringLiteral("Επιλέξτε την Καρτέλλα για Εκτύπωση"));
    cmdEndPrint = makeButton(central, "cmdEndPrint", QStringLiteral("ΕΚΤΥΠΩΣΗ"),
                             QStringLiteral("Εκτυπώστε τις Επιλεγμένες Καρτέλες"));

    Picture1 = new QToolButton(central);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setToolTip(QStringLiteral("Κάνε κλικ με το ποντίκι ..."));
    // A picture button says nothing of itself to a screen reader.
    Picture1->setAccessibleName(Picture1->toolTip());
    Picture1->setAccessibleDescription(QStringLiteral("Δείχνει ξανά την εικόνα έναρξης του προγράμματος"));
    Picture1->setIcon(windowIcon());
    Picture1->setIconSize(QSize(48, 48));
    Picture1->setAutoRaise(true);

    Frame1 = new QFrame(central);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::HLine | QFrame::Plain);
    Frame1->setLineWidth(1);
    Frame1->setFixedHeight(1);

    cmdMulti = makeButton(central, "cmdMulti", QStringLiteral("ΠΟΛΛΑΠΛΕΣ"),
                          QStringLiteral("Δείτε πολλές Καρτέλλες ταυτοχρόνως"));

    Label7 = new QLabel(central);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    for (QPushButton *b : {cmdNext, cmdPrevious, cmdFindcode, cmdFindAuthor, cmdFindTitle, cmdFindAlloi,
                           cmdFindISBN, cmdFindEkdot})
        setButtonColour(b, PaleOrange);
    setButtonColour(cmdPrint, Pink);
    setButtonColour(cmdEndPrint, Pink);
    setButtonColour(cmdMulti, Salmon);

    // The editing controls exist with their handlers, but the window is built for browsing.
    for (QPushButton *b : {cmdNew, cmdDelete, cmdCorrect}) {
        b->setVisible(false);
        b->setEnabled(false);
    }

    QWidget *tabOrder[] = {fields[0],    fields[1],    fields[2], fields[3],   fields[4],    fields[5],
                           cmdNext,      cmdPrevious,  cmdNew,    cmdDelete,   cmdFindcode,  cmdFindAuthor,
                           cmdFindTitle, cmdFindAlloi, cmdExit,   cmdFindISBN, cmdFindEkdot, cmdCorrect,
                           cmdPrint,     cmdEndPrint,  Picture1,  cmdMulti};
    for (size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    // The fields, one under the other, wide enough for the longest of them.
    const int fieldWidth = QFontMetrics(fieldFont).averageCharWidth() * (widthOf(Field::Publication) + 4);
    auto *fieldGrid = new QGridLayout;
    for (int i = 0; i < FieldCount; ++i) {
        fieldGrid->addWidget(*labels[i], i, 0, Qt::AlignLeft | Qt::AlignVCenter);
        fieldGrid->addWidget(fields[i], i, 1);
        fields[i]->setMinimumWidth(fieldWidth);
    }
    const QFontMetrics titleMetrics(fieldFont);
    txtTitlos->setFixedHeight(2 * titleMetrics.lineSpacing() +
                              2 * int(txtTitlos->document()->documentMargin()) + 2 * txtTitlos->frameWidth());

    auto *printRow = new QHBoxLayout;
    for (QPushButton *b : {cmdEndPrint, cmdDelete, cmdCorrect, cmdNew, cmdPrint})
        printRow->addWidget(b);
    auto *moveRow = new QHBoxLayout;
    moveRow->addWidget(cmdPrevious);
    moveRow->addWidget(cmdNext);
    auto *buttonRows = new QVBoxLayout;
    buttonRows->addLayout(printRow);
    buttonRows->addLayout(moveRow);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Picture1, 0, Qt::AlignVCenter);
    bottom->addLayout(buttonRows, 1);

    auto *left = new QVBoxLayout;
    left->addLayout(fieldGrid);
    left->addSpacing(4);
    left->addWidget(Label7);
    left->addSpacing(4);
    left->addLayout(bottom);

    auto *right = new QVBoxLayout;
    for (QPushButton *b :
         {cmdFindcode, cmdFindISBN, cmdFindAuthor, cmdFindTitle, cmdFindAlloi, cmdFindEkdot, cmdMulti})
        right->addWidget(b);
    right->addStretch(1);
    right->addWidget(cmdExit);

    auto *grid = new QGridLayout(central);
    grid->addWidget(Frame1, 0, 0, 1, 2);
    grid->addLayout(left, 1, 0);
    grid->addLayout(right, 1, 1);

    connect(cmdNext, &QPushButton::clicked, this, guarded([this] { cmdNext_Click(); }));
    connect(cmdPrevious, &QPushButton::clicked, this, guarded([this] { cmdPrevious_Click(); }));
    connect(cmdNew, &QPushButton::clicked, this, guarded([this] { cmdNew_Click(); }));
    connect(cmdDelete, &QPushButton::clicked, this, guarded([this] { cmdDelete_Click(); }));
    connect(cmdCorrect, &QPushButton::clicked, this, guarded([this] { cmdCorrect_Click(); }));
    connect(cmdFindcode, &QPushButton::clicked, this, guarded([this] { cmdFindcode_Click(); }));
    connect(cmdFindISBN, &QPushButton::clicked, this, guarded([this] { cmdFindISBN_Click(); }));
    connect(cmdFindAuthor, &QPushButton::clicked, this, guarded([this] { cmdFindAuthor_Click(); }));
    connect(cmdFindTitle, &QPushButton::clicked, this, guarded([this] { cmdFindTitle_Click(); }));
    connect(cmdFindAlloi, &QPushButton::clicked, this, guarded([this] { cmdFindAlloi_Click(); }));
    connect(cmdFindEkdot, &QPushButton::clicked, this, guarded([this] { cmdFindEkdot_Click(); }));
    connect(cmdPrint, &QPushButton::clicked, this, guarded([this] { cmdPrint_Click(); }));
    connect(cmdEndPrint, &QPushButton::clicked, this, guarded([this] { cmdEndPrint_Click(); }));
    connect(cmdMulti, &QPushButton::clicked, this, guarded([this] { cmdMulti_Click(); }));
    connect(cmdExit, &QPushButton::clicked, this, guarded([this] { cmdExit_Click(); }));
    connect(Picture1, &QToolButton::clicked, this, guarded([this] { Picture1_Click(); }));
}

void frmTervani::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setSizeGripEnabled(false);
    for (int i = 1; i <= StatusBar1.count(); ++i)
        StatusBar1.panel(i)->setMinimumWidth(i == StatusPanels::MessagePanel ? 0 : 16);
    // The message area takes what is left, and a long message is cut rather than
    // widening the fixed window.
    QLabel *message = StatusBar1.panel(StatusPanels::MessagePanel);
    message->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    for (int i = 1; i <= StatusBar1.count(); ++i)
        bar->addPermanentWidget(StatusBar1.panel(i), i == StatusPanels::MessagePanel ? 1 : 0);
    StatusBar1.panel(DatePanel)->setText(m_platform.clock.today().toString(QStringLiteral("d/M/yyyy")));
    updateLockPanels();
}

void frmTervani::updateLockPanels()
{
    StatusBar1.showLight(CapsPanel, QStringLiteral("CAPS"), m_platform.keyboard,
                         KeyboardState::Light::CapsLock);
    StatusBar1.showLight(NumPanel, QStringLiteral("NUM"), m_platform.keyboard, KeyboardState::Light::NumLock);
}

} // namespace velmora
