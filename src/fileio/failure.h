// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <tl/expected.hpp>

#include <cerrno>
#include <vector>

namespace velmora {

// What stands at a path that was to be opened or written.
enum class FileKind { Missing, Regular, Folder, Link, Fifo, Socket, CharDevice, BlockDevice, Other };

// What went wrong, as the layer that saw it knows it. The words come at the edges, from
// src/wording: Greek in the windows, the locale's language in the card tool.
enum class Fault {
    System,         // the system refused: `error` says why
    NotRegular,     // something other than a regular file stands at the path: `kind`
    Link,           // a symbolic link stands at a name the program only writes as its own
    NotOwn,         // a file or folder of another user stands there
    StrangersFile,  // at a card file's name, a file of `owner`, who may not write the card file
    SpentJournal,   // another keeper's journal of a filing that is over, which only `owner` may remove
    SharedFolder,   // a link or file of another user in a folder others can write
    OthersCanWrite, // a folder of the program's own that others can write into
    TooManyLinks,   // a file the program writes that has another name too (a hard link)
    Removed,        // the file opened is no longer at its path
    Replaced,       // another file now stands at the path of the one opened
    TooLong,        // longer than the 2,147,483,647 bytes the program counts
    ReadOnly,       // opened for reading only; `error` says why, 0 when asked to
    Locked,         // another editor holds the card file
    CannotLock,     // the file system cannot lock it
    IsInput,        // an output that is the very file being read
    Changed,        // the card file changed since a journal or a recovery file was written
    UnknownJournal, // what stands at a journal's name is no journal this version can read
    Shortened,      // the file grew shorter while it was read
    StandardStream, // the system gave a file descriptor 0, 1 or 2: a standard stream was closed
    StrangersLock,  // a lock file whose owner may not write the file it locks
    OpenLock,       // a lock file that users who may not write the file it locks can open
};

// The part of a larger job that failed, for the words that tell it.
enum class Stage {
    None,
    Backup,         // the copy of the card file before a session's first filing
    Journal,        // the journal that makes a filing all or nothing
    Card,           // the card itself
    JournalRemoval, // the journal of a filing that is over
    Undo,           // putting back what an interrupted filing changed
    LockFile,       // the keepers' lock file, not used: the card file itself is locked instead
};

// Why an expected failure happened. `also` holds the same job tried in another place (the
// user's data folder after the card file's own), which failed too.
struct Failure
{
    Failure(Fault fault_ = Fault::System, int error_ = 0, QString path_ = QString(),
            FileKind kind_ = FileKind::Missing)
        : fault(fault_), error(error_), path(std::move(path_)), kind(kind_)
    {
    }

    Fault fault = Fault::System;
    int error = 0; // the system's error number, when it gave one
    QString path;  // what it concerns
    QString owner; // whose file stands at `path`, where that is part of why
    FileKind kind = FileKind::Missing;
    Stage stage = Stage::None;
    QString place;              // the folder a staged job was tried in
    qint64 length = -1;         // the file's length, when that is what is wrong (Fault::TooLong)
    bool cardMayBeTorn = false; // even putting the old card back failed: the journal stays
    std::vector<Failure> also;

    Failure &at(Stage s)
    {
        stage = s;
        return *this;
    }
};

// The one way every layer reports what can go wrong in normal use (a lock held, a full
// disk, a file replaced): a value or a Failure. Exceptions are kept for programming faults
// and for the card file failures that end the program, and never leave a handler (see
// runGuarded()).
template<typename T = void> using Result = tl::expected<T, Failure>;

inline tl::unexpected<Failure> failure(Failure f)
{
    return tl::unexpected<Failure>(std::move(f));
}

inline tl::unexpected<Failure> failure(Fault fault, QString path = QString(), int error = 0)
{
    return failure(Failure{fault, error, std::move(path)});
}

// What the system refused, with its error number (EIO when it gave none).
inline tl::unexpected<Failure> systemFailure(int error, QString path = QString())
{
    return failure(Failure{Fault::System, error != 0 ? error : EIO, std::move(path)});
}

} // namespace velmora
