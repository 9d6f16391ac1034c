// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmhelp.h"

#include "handlerguard.h"

#include "auxlook.h"
#include "platform.h"

#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace velmora {

namespace {

// The grid, in pixels.
constexpr int Margin = 12;
constexpr int Padding = 8;    // inside a panel
constexpr int ColumnGap = 12; // between the panels
constexpr int RowGap = 4;

} // namespace

const QList<frmHelp::Entry> &frmHelp::entries()
{
    // The runs of dots and blanks are part of each text.
    static const QList<Entry> table = {
        {"Label2", 0, 0, QStringLiteral("ΚΥΡΙΟΤΕΡΑ ΠΛΗΚΤΡΑ ΣΥΝΤΟΜΕΥΣΕΩΣ")},
        {"Label20", 0, 1, QStringLiteral("ΣΥΝΤΟΜΟΓΡΑΦΙΕΣ ΒΙΒΛΙΟΓΡΑΦΙΑΣ")},
        {"Label3", 1, 0, QStringLiteral("F1 ......... Επόμενη Καρτέλλα")},
        {"Label23", 1, 1, QStringLiteral("8 ΑΛ. ........... και Άλλοι")},
        {"Label15", 2, 0, QStringLiteral("PgDwn .. Επόμενη Καρτέλλα")},
        {"Label21", 2, 1, QStringLiteral("ΑΝΑΤ. ......... Ανατύπωση")},
        {"Label4", 3, 0, QStringLiteral("F2 ......... Προγούμενη Καρτέλλα")},
        {"Label22", 3, 1, QStringLiteral("ΑΠΟΔ. ......... Απόδοση")},
        {"Label16", 4, 0, QStringLiteral("PgUp .... Προγούμενη Καρτέλλα")},
        {"Label24", 4, 1, QStringLiteral("ΕΙΣ. ............. Εισαγωγή")},
        {"Label25", 5, 1, QStringLiteral("ΕΚΔ. ............ Έκδοση")},
        {"Label6", 6, 0, QStringLiteral("F4 ......... Αναζήτηση Αριθμ. Καρτέλλας")},
        {"Label26", 6, 1, QStringLiteral("ΕΠΙΛ. ........... Επιλογή")},
        {"Label7", 7, 0, QStringLiteral("F5 ......... Αναζήτηση Αριθμ. ISBN")},
        {"Label27", 7, 1, QStringLiteral("ΕΠΙΜ. ........... Επιμελητής")},
        {"Label8", 8, 0, QStringLiteral("F6 ......... Αναζήτηση Συγγραφέα")},
        {"Label28", 8, 1, QStringLiteral("ΜΕΤ. ............ Μεταφραστής/ές")},
        {"Label9", 9, 0, QStringLiteral("F7 ......... Αναζήτηση Τίτλου")},
        {"Label29", 9, 1, QStringLiteral("ΠΡΟΛ. .......... Πρόλογος")},
        {"Label10", 10, 0, QStringLiteral("F8 ......... Αναζήτηση Άλλου Ονόματος")},
        {"Label30", 10, 1, QStringLiteral("ΣΗΜ.  ........... Σημειώσεις")},
        {"Label11", 11, 0, QStringLiteral("F9 ......... Αναζήτηση Εκδοτικού Στοιχείου")},
        {"Label31", 11, 1, QStringLiteral("ΣΧΟΛ.  ......... Σχόλια")},
        {"Label32", 12, 1, QStringLiteral("ΤΟΜ. ........... Τόμοι")},
        {"Label12", 13, 0, QStringLiteral("F10 ....... Μενού Επιλογών")},
        {"Label5", 13, 1, QStringLiteral("Χ. Τ.  ............ Χωρίς Τόπο Εκδόσεως")},
        {"Label13", 14, 0, QStringLiteral("F11 ....... Πλήκτρα Συντομεύσεως")},
        {"Label14", 14, 1, QStringLiteral("χ. σ.  ............ χωρίς αριθμούς σελίδων")},
        {"Label17", 15, 0, QStringLiteral("Ctrl+F1.. Βοήθεια")},
        // Set apart from the keys by half a row.
        {"Label18", 16, 0, QStringLiteral("Δες πλήρη Κατάλογο σε Βοήθεια Προγ/τος")},
    };
    return table;
}

frmHelp::frmHelp(Platform &platform, Forms &forms, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint), m_platform(platform), m_forms(forms)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Βελμόρα 2.2 W32:  Πλήκτρα Συντομεύσεως/Συντομογραφίες Βιβλιογραφίας"));
    setFont(boldSansFont(9.75));
    setBackground(this, LightOrange);

    const auto makePanel = [this](const char *name) {
        auto *panel = new QLabel(this);
        panel->setObjectName(QString::fromLatin1(name));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        setBackground(panel, QColor(255, 236, 216));
        return panel;
    };
    Label1 = makePanel("Label1");
    Label19 = makePanel("Label19");

    for (const Entry &e : entries()) {
        auto *label = new QLabel(e.text, this);
        label->setObjectName(QString::fromLatin1(e.name));
        label->setTextFormat(Qt::PlainText);
        texts << label;
    }

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, guarded([this] { Command1_Click(); }));

    // Both columns share one grid of equal rows, each as wide as its widest text.
    const QFontMetrics metrics(font());
    const int rowHeight = metrics.height() + RowGap;
    int widths[2] = {0, 0};
    for (const Entry &e : entries())
        widths[e.column] = std::max(widths[e.column], metrics.horizontalAdvance(e.text));
    const int left[2] = {Margin + Padding, Margin + 2 * Padding + widths[0] + ColumnGap + Padding};
    const int panelHeight = RowCount * rowHeight + rowHeight / 2 + 2 * Padding;

    Label1->setGeometry(Margin, Margin, widths[0] + 2 * Padding, panelHeight);
    Label19->setGeometry(left[1] - Padding, Margin, widths[1] + 2 * Padding, panelHeight);
    for (int i = 0; i < entries().size(); ++i) {
        const Entry &e = entries().at(i);
        const int halfRow = (qstrcmp(e.name, "Label18") == 0) ? rowHeight / 2 : 0;
        texts[i]->setGeometry(left[e.column], Margin + Padding + e.row * rowHeight + halfRow,
                              widths[e.column] + Padding, metrics.height());
    }

    const QSize button = Command1->sizeHint().expandedTo(QSize(88, 0));
    const int right = left[1] + widths[1] + Padding;
    const int buttonTop = Margin + panelHeight + Margin;
    Command1->setGeometry(right - button.width(), buttonTop, button.width(), button.height());
    setFixedSize(right + Margin, buttonTop + button.height() + Margin);
}

frmHelp::~frmHelp() = default;

void frmHelp::Form_Load()
{
    Command1->setFocus();
}

void frmHelp::Command1_Click()
{
    m_forms.unload(FormName::frmHelp);
}

} // namespace velmora
