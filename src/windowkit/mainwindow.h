// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "captionflush.h"
#include "cardfile.h"
#include "cardrecord.h"
#include "forms.h"
#include "keymap.h"
#include "platform.h"
#include "probe.h"
#include "scancaption.h"
#include "statuspanels.h"

#include <QMainWindow>

#include <optional>

namespace velmora {

// What the card window and the exploration window both are: a window over a card file of
// its own, with a caption that follows its scans, a key map that sees every key first, a
// status bar of numbered panels, and the outside world reached through boxes that keep
// the caption exact.
class MainWindow : public QMainWindow, public Form
{
    Q_OBJECT

public:
    ~MainWindow() override;

    // Closes the card file the moment the window is unloaded.
    void Form_Unload() override;

    // The caption during a scan, for every card it examines: exact for SearchCard, but it
    // reaches the window system only at a steady rate, and at once before any box opens.
    void ShowSRN() { m_caption.examining(SearchCard); }
    // The latest scan caption, at once.
    void flushCaption() { m_caption.flush(); }

    // The window's key handler: `keyCode` is Qt's key code, a letter key given as its
    // Latin capital whatever the layout; `shift` the mask 1 Shift, 2 Ctrl, 4 Alt. Returns
    // true when the key ran a command.
    bool Form_KeyDown(int keyCode, int shift) { return m_keyMap.run(keyCode, shift); }

    // State both windows keep, each its own, named as the rest of the program knows it.
    CardRecord Card;
    CardFile File; // the window's own handle on the card file
    qint32 RecordLength = 0;
    qint32 CurrentCard = 0;
    qint32 SearchCard = 0;
    qint32 CardCount = 0;

    StatusPanels StatusBar1;
    QString statusText() const { return StatusBar1.message(); } // panel 2, the message area

protected:
    MainWindow(Platform &platform, Forms &forms, int statusPanels);

    // Opens the card file and starts at card 1 with a fresh count; a file that cannot be
    // used ends the program (CardFileError).
    // Only an editing session's window opens it for writing: a browsing window's handle
    // cannot write, whatever button or key reaches it.
    void openCardFile(bool forEditing = false);
    // The key map, handed every key of this window before its controls see it.
    void installKeys(KeyMap map, bool autoRepeat, std::function<void()> locksChanged);
    // The caption of a card shown (ShowCR).
    void showCardCaption();
    // Asks for the texts of a search or exploration, every box even when an earlier one
    // was left empty. Nothing when a text is missing: a combined search then says so.
    std::optional<SearchProbe> askForTexts(const Search &search);

    // Ends the program at once, without a question.
    void endProgram();
    void showShortcutKeys();
    void showAbout();
    // The program's help file, TERVANI.HLP, and the bibliography's, BIBLIOGRAPHY.HLP, each
    // at its contents page.
    void showProgramHelp();
    void showBibliographyHelp();

    ScanCaption m_caption;

private:
    CaptionFlushingMessageBox m_messages;
    CaptionFlushingInputBox m_input;

protected:
    Platform m_platform; // the outside world, its boxes keeping the caption exact
    Forms &m_forms;

private:
    KeyMap m_keyMap{{}};
    WindowKeys *m_keys = nullptr;
};

} // namespace velmora
