// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms.h"

#include <QWidget>

class QLabel;
class QTimer;

namespace velmora {

struct Platform;

// The window the program starts with: the title picture on screen while the card window
// loads behind it, then, after a fixed time, the card window in its place.
class frmSplash : public QWidget, public Form
{
    Q_OBJECT

public:
    static constexpr int SplashInterval = 3000; // milliseconds

    frmSplash(Platform &platform, Forms &forms, QWidget *parent = nullptr);
    ~frmSplash() override;

    // Shows the splash window, then loads the card window without showing it; throws
    // CardFileError when the card window cannot open the card file.
    void Form_Load();
    // Unloads the splash window and shows the card window, unless the exploration window
    // has taken its place meanwhile. Only the first tick counts.
    void tmrSplash_Timer();

    QLabel *Image1, *Label1, *Label2, *Label3, *Label4;
    QTimer *tmrSplash;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void centreOnScreen();

    Platform &m_platform;
    Forms &m_forms;
    bool m_ticked = false;
};

} // namespace velmora
