// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora {

struct Platform;
class Forms;
struct CardWindowSession;
class CardEditSession;

// Tells the forms collection how to create each of the program's windows: each factory
// creates the window and runs its load step.
void registerForms(Platform &platform, Forms &forms, CardWindowSession &session);

// A card file failure caught in any handler (see runGuarded()) is reported and ends the
// program with a non-zero status.
void installFailureHandler(Platform &platform);

// Starts the keeper's editing session on the card file: the lock that keeps a second
// editor out, and a filing cut short by a crash undone (and told) before anything is
// shown. The bibliography installed with the program is never edited. False, after
// telling the user, when another editor holds the file: the program then does not start.
// A start that ends up only reading the file says so when an editor was cut short.
// Once at the start: the user's data folder, where the export file, the recovery file and
// backups that do not fit beside the card file go, is another user's or others can write
// into it, so the program writes nothing there.
void tellOfAnUnsafeDataFolder(Platform &platform);

bool beginEditing(Platform &platform, CardEditSession &editing, const QString &cardFile, bool installed);

// For a program that only reads the card file: says, once, that an editing session was
// cut short in the middle of a filing, when it was. The file is shown as it is.
void tellOfInterruptedEditing(Platform &platform, const QString &cardFile);

// Loads the splash window, which loads the card window behind it. When the card file
// cannot be used, tells the user and returns false: there is nothing to run.
bool startProgram(Platform &platform, Forms &forms);

// Shows `text` in the message panel of the main window on the screen, the card window or
// the exploration window; with neither on the screen, nowhere.
void showInMessagePanel(Forms &forms, const QString &text);

// Destroys the windows still open when the event loop has ended, while the platform
// they refer to still exists.
void destroyRemainingWindows();

} // namespace velmora
