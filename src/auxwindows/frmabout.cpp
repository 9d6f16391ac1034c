// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmabout.h"

#include "handlerguard.h"

#include "auxlook.h"
#include "cardfile.h"
#include "numbertext.h"
#include "platform.h"
#include "version.h"

#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

const QString LineBreak = QStringLiteral("\r\n");

QLabel *makeLabel(QWidget *parent, const char *name, const QString &designCaption)
{
    auto *label = new QLabel(designCaption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QFrame *makeLine(QWidget *parent, const char *name)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// Cards in the file by its length alone, without opening it: 0 for an empty or missing
// file, unlike the card window, which always offers at least one card.
qint32 cardsByLength(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return 0;
    return roundedCardCount(qMin(info.size(), MaxFileLength));
}

} // namespace

QString programVersionText()
{
    return QStringLiteral("%1.%2.%3").arg(version::Major).arg(version::Minor).arg(version::Patch);
}

frmAbout::frmAbout(Platform &platform, Forms &forms, QWidget *parent)
    : QDialog(parent), m_platform(platform), m_forms(forms)
{
    setObjectName(QStringLiteral("frmAbout"));
    setBackground(this, LightOrange);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(
        QPixmap(ProgramIconPath).scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picIcon->setFixedSize(48, 48);

    lblTitle = makeLabel(this, "lblTitle", QStringLiteral("Application Title"));
    lblTitle->setFont(boldSansFont(12));
    lblVersion = makeLabel(this, "lblVersion", QStringLiteral("Version"));
    lblBiblio = makeLabel(this, "lblBiblio", QStringLiteral("Bibliography Version"));
    lblDescription = makeLabel(this, "lblDescription", QStringLiteral("App Description"));
    lblDisclaimer = makeLabel(this, "lblDisclaimer", QStringLiteral("Warning: ..."));
    Line1 = makeLine(this, "Line1");
    Line2 = makeLine(this, "Line2");

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, guarded([this] { cmdOK_Click(); }));
    connect(cmdSysInfo, &QPushButton::clicked, this, guarded([this] { cmdSysInfo_Click(); }));

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(16);
    grid->addWidget(picIcon, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1, 1, 2);
    grid->addWidget(lblVersion, 1, 1, 1, 2);
    grid->addWidget(lblBiblio, 2, 1, 1, 2);
    grid->addWidget(lblDescription, 3, 1, 1, 2);
    grid->addWidget(Line1, 4, 0, 1, 3);
    grid->addWidget(lblDisclaimer, 5, 0, 2, 2, Qt::AlignTop);
    grid->addWidget(cmdOK, 5, 2);
    grid->addWidget(cmdSysInfo, 6, 2, Qt::AlignTop);
    grid->addWidget(Line2, 7, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    cmdOK->setFocus();
}

frmAbout::~frmAbout() = default;

void frmAbout::Form_Load()
{
    const qint32 cards = cardsByLength(m_platform.paths.cardFile());
    setWindowTitle(QStringLiteral("Περί του ..."));
    lblVersion->setText(QStringLiteral("Έκδοση Προγράμματος:  ") + programVersionText());
    lblBiblio->setText(QStringLiteral("Έκδοση Βιβλιογραφίας : ") + NumberText(cards));
    lblTitle->setText(QStringLiteral("Βελμόρα - Σερβαλίνη") + LineBreak +
                      QStringLiteral("© 2026 Velmora. Με επιφύλαξη παντός δικαιώματος."));
    lblDescription->setText(QStringLiteral("Σερβαλίνη") + LineBreak +
                            QStringLiteral("Πολιτική, Οικονομική, Πολιτιστική Ιστορία") + LineBreak +
                            QStringLiteral("και Αρχαιολογία (Βιβλία και Ψηφιακοί Δίσκοι)"));
    lblDisclaimer->setText(QStringLiteral("Η Βιβλιογραφία Βελμόρα διατίθεται ΔΩΡΕΑΝ. Πληροφορίες:") +
                           LineBreak + QStringLiteral("E-mail: velmora@example.org") + LineBreak +
                           QStringLiteral("URL: https://velmora.example.org"));
}

void frmAbout::cmdOK_Click()
{
    m_forms.unload(FormName::frmAbout);
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::reject()
{
    cmdOK->click();
}

} // namespace velmora
