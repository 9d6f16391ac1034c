// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace velmora {

struct Platform;

// The program's version, the bibliography's size and the product's credits, with a
// button that starts the system's information program.
class frmAbout : public QDialog, public Form
{
    Q_OBJECT

public:
    // Open keys for reading and writing, as the system-information lookup always has.
    static constexpr quint32 KeyAccess = 0x2003F;
    static constexpr int ValueBufferSize = 1024;

    frmAbout(Platform &platform, Forms &forms, QWidget *parent = nullptr);
    ~frmAbout() override;

    // Fills the labels; reads only the card file's length.
    void Form_Load();

    void cmdOK_Click();
    void cmdSysInfo_Click();

    void StartSysInfo();
    // Reads the text value `SubKeyRef` of the key `KeyName` under `KeyRoot` into `KeyVal`.
    // False, with `KeyVal` empty, when the key or the value cannot be read.
    bool GetKeyValue(quintptr KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal);

    QLabel *picIcon, *lblTitle, *lblVersion, *lblBiblio, *lblDescription, *lblDisclaimer;
    QPushButton *cmdOK, *cmdSysInfo;
    QFrame *Line1, *Line2; // the two decorative lines

protected:
    // Esc presses the OK button, as Enter does.
    void reject() override;

private:
    Platform &m_platform;
    Forms &m_forms;
};

// The About window's program version: "3.0.0" for version 3.0.0.
QString programVersionText();

} // namespace velmora
