// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora {

// Where the program keeps the files it makes of a card file (the backups, the journal, the
// recovery file), by one rule. Beside the card file they are its name followed by a
// suffix, "Filis.dat.bak"; in the user's data folder, when the card file's own folder
// cannot take them, "Filis.dat.<8 hex digits>.bak", the digits drawn from the card file's
// real path, so that bibliographies of the same name in different folders never take each
// other's files. Both follow links to the card file itself: every name of one card file
// finds the same files.

// The user's data folder, "Velmora" in the freedesktop data folder (~/.local/share, or
// $XDG_DATA_HOME): where the files of a card file go when its own folder cannot take them.
QString userDataFolder();

// The card file's path with its links resolved; as given, made absolute, when it does not
// exist (yet).
QString realCardPath(const QString &cardPath);
QString besideCardFile(const QString &cardPath, const QString &suffix);
QString inDataFolder(const QString &cardPath, const QString &folder, const QString &suffix);

// The name a file of the program's own is first written under, hidden beside `target` so
// that renaming it over the target is atomic: "." + the target's name + "." + six letters
// or digits. A kill leaves it behind; isTemporaryOf() tells such a leftover by its name.
QString temporaryNameFor(const QString &target);
bool isTemporaryOf(const QString &candidateName, const QString &targetName);

} // namespace velmora
