// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms.h"

#include <QList>
#include <QWidget>

class QLabel;
class QPushButton;

namespace velmora {

struct Platform;

// A reference card: the main shortcut keys on the left, the bibliography's
// abbreviations on the right.
class frmHelp : public QWidget, public Form
{
    Q_OBJECT

public:
    // One text of the card: its label, its row on the shared grid (0 is the heading) and
    // its column (0 left, 1 right).
    struct Entry
    {
        const char *name;
        int row;
        int column;
        QString text;
    };
    static const QList<Entry> &entries();
    static constexpr int RowCount = 17;

    frmHelp(Platform &platform, Forms &forms, QWidget *parent = nullptr);
    ~frmHelp() override;

    void Form_Load();
    void Command1_Click();

    QLabel *Label1, *Label19; // the panels behind the two columns
    QList<QLabel *> texts;    // the labels of entries(), in the same order
    QPushButton *Command1;

private:
    Platform &m_platform;
    Forms &m_forms;
};

} // namespace velmora
