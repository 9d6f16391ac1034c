// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "failurewords.h"

#include <QCoreApplication>
#include <QGlobalStatic>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <iterator>

// A static library's resources are linked into a program only where something calls on
// them, and the macro cannot be used inside a namespace.
static void initFailureWordsResources()
{
    Q_INIT_RESOURCE(velmora_wording_translations);
}

namespace velmora {

namespace {

constexpr const char *Context = "Failure";
constexpr int AnyDetail = INT_MIN;
constexpr int LengthKnown = 1;

// What fills the placeholders of a reason.
enum class Fill { Nothing, Path, ErrorNumber, Length, PathAndOwner };

// What went wrong, without the job it stopped. The first row of the failure's fault whose
// detail is the failure's (its error number; its kind for Fault::NotRegular; for
// Fault::TooLong whether its length is known) or any.
struct Reason
{
    Fault fault;
    int detail;
    const char *text;
    Fill fill = Fill::Nothing;
};

// clang-format off
constexpr Reason Reasons[] = {
    {Fault::System, ENOENT, QT_TRANSLATE_NOOP("Failure", "The file or folder does not exist.")},
    {Fault::System, EACCES, QT_TRANSLATE_NOOP("Failure", "Access to the file is not permitted.")},
    {Fault::System, EPERM, QT_TRANSLATE_NOOP("Failure", "Access to the file is not permitted.")},
    {Fault::System, EISDIR, QT_TRANSLATE_NOOP("Failure", "It is a folder, not a file.")},
    {Fault::System, ENOTDIR, QT_TRANSLATE_NOOP("Failure", "Part of the path is not a folder.")},
    {Fault::System, EROFS, QT_TRANSLATE_NOOP("Failure", "The storage medium is read-only.")},
    {Fault::System, ENOSPC, QT_TRANSLATE_NOOP("Failure", "There is no free space on the storage medium.")},
    {Fault::System, EDQUOT, QT_TRANSLATE_NOOP("Failure", "The user's disk space quota is used up.")},
    {Fault::System, EIO, QT_TRANSLATE_NOOP("Failure", "Input/output error while reading or writing.")},
    {Fault::System, EFBIG, QT_TRANSLATE_NOOP("Failure",
        "The file has reached the size limit the system has set for the program.")},
    {Fault::System, EBADF, QT_TRANSLATE_NOOP("Failure", "The file is open for reading only.")},
    {Fault::System, EMFILE, QT_TRANSLATE_NOOP("Failure", "There are already too many open files.")},
    {Fault::System, ENFILE, QT_TRANSLATE_NOOP("Failure", "There are already too many open files.")},
    {Fault::System, ENAMETOOLONG, QT_TRANSLATE_NOOP("Failure", "The name of the file is too long.")},
    {Fault::System, ELOOP, QT_TRANSLATE_NOOP("Failure", "There are too many symbolic links in the path.")},
    {Fault::System, ETXTBSY, QT_TRANSLATE_NOOP("Failure", "The file is in use by another program.")},
    {Fault::System, ESTALE, QT_TRANSLATE_NOOP("Failure",
        "The file no longer exists on the network computer that holds it.")},
    {Fault::System, ENOLCK, QT_TRANSLATE_NOOP("Failure", "The system cannot lock any more files.")},
    {Fault::System, AnyDetail, QT_TRANSLATE_NOOP("Failure", "System error %1 (%2)."), Fill::ErrorNumber},

    {Fault::NotRegular, int(FileKind::Fifo), QT_TRANSLATE_NOOP("Failure",
        "It is not a regular file but a FIFO (a named pipe).")},
    {Fault::NotRegular, int(FileKind::Socket), QT_TRANSLATE_NOOP("Failure",
        "It is not a regular file but a socket.")},
    {Fault::NotRegular, int(FileKind::CharDevice), QT_TRANSLATE_NOOP("Failure",
        "It is not a regular file but a character device.")},
    {Fault::NotRegular, int(FileKind::BlockDevice), QT_TRANSLATE_NOOP("Failure",
        "It is not a regular file but a block device.")},
    {Fault::NotRegular, AnyDetail, QT_TRANSLATE_NOOP("Failure", "It is not a regular file.")},

    {Fault::Link, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "A symbolic link stands in the place of «%1»; the program does not write through links."),
        Fill::Path},
    {Fault::NotOwn, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "«%1» belongs to another user; the program does not write to it."), Fill::Path},
    {Fault::StrangersFile, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "«%1» belongs to %2, who may not write the card file; the program leaves it alone."),
        Fill::PathAndOwner},
    {Fault::SpentJournal, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "«%1» is the journal of a filing by %2 that is over; in this folder only %2 may remove it, so "
        "it was emptied and can undo nothing any more."), Fill::PathAndOwner},
    {Fault::SharedFolder, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "«%1» is a link or a file of another user in a folder others can write into too; the "
        "program does not follow it."), Fill::Path},
    {Fault::OthersCanWrite, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "Other users can write into the folder «%1» too; the program does not put files of its own "
        "there."), Fill::Path},
    {Fault::TooManyLinks, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "«%1» has another name too (a hard link); the program does not write to it."), Fill::Path},
    {Fault::Removed, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "The file was removed or moved since it was opened.")},
    {Fault::Replaced, AnyDetail, QT_TRANSLATE_NOOP("Failure", "Another file now stands in its place.")},
    {Fault::TooLong, LengthKnown, QT_TRANSLATE_NOOP("Failure",
        "The file is %1 bytes, larger than 2,147,483,647 bytes, the program's limit."), Fill::Length},
    {Fault::TooLong, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "The file is larger than 2,147,483,647 bytes, the program's limit.")},
    {Fault::ReadOnly, 0, QT_TRANSLATE_NOOP("Failure", "The file was opened for reading only.")},
    {Fault::ReadOnly, EROFS, QT_TRANSLATE_NOOP("Failure",
        "The file was opened for reading only: the storage medium does not accept writing.")},
    {Fault::ReadOnly, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "The file was opened for reading only: writing to it is not permitted.")},
    {Fault::Locked, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "The card file is being edited already by another program or another user. You can read "
        "it, but not edit it at the same time.")},
    {Fault::CannotLock, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "The file system the card file is on cannot lock it, and without a lock two programs could "
        "edit it together.")},
    {Fault::IsInput, AnyDetail, QT_TRANSLATE_NOOP("Failure", "It is the very file being read.")},
    {Fault::Changed, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "The card file changed after the journal «%1» was recorded (perhaps a backup copy was "
        "copied over it), and the journal no longer applies to it. If the file is as you want it, "
        "delete the journal."), Fill::Path},
    {Fault::UnknownJournal, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "«%1» stands where the card file's journal is kept, but this version of the program cannot "
        "read it. If it is the journal of another version of the program, edit the card file with "
        "that version, which finishes the filing; otherwise delete «%1» once the card file is as it "
        "should be."), Fill::Path},
    {Fault::Shortened, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "The file became shorter while it was being read.")},
    {Fault::StandardStream, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "The program's standard input, output or error is closed; the program opens no file in its "
        "place.")},
    {Fault::StrangersLock, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "Its owner may not write the card file.")},
    {Fault::OpenLock, AnyDetail, QT_TRANSLATE_NOOP("Failure",
        "Users who may not write the card file can open it too.")},
};
// clang-format on

// How the job a failure stopped frames what went wrong.
struct Frame
{
    Stage stage;
    const char *text = nullptr; // %1 what went wrong, after the path where it names it; none: that alone
    bool namesPath = false;
    bool withOwner = false; // after the path, when the failure knows whose file it is
    bool eachPlace = false; // what went wrong in each folder the job was tried in
    bool mayBeTorn = false; // followed by the card that may be torn, when it may be
};

// clang-format off
constexpr Frame Frames[] = {
    {.stage = Stage::None},
    {.stage = Stage::Backup, .text = QT_TRANSLATE_NOOP("Failure",
        "No backup copy of the card file was made, so nothing was written.\n%1"), .eachPlace = true},
    {.stage = Stage::Journal, .text = QT_TRANSLATE_NOOP("Failure",
        "The journal that protects the card was not written, so nothing was written.\n%1"),
        .eachPlace = true},
    {.stage = Stage::Card, .mayBeTorn = true},
    {.stage = Stage::JournalRemoval, .text = QT_TRANSLATE_NOOP("Failure",
        "The journal «%1» was not removed: %2"), .namesPath = true, .mayBeTorn = true},
    {.stage = Stage::Undo, .text = QT_TRANSLATE_NOOP("Failure",
        "An interrupted filing of a card was not undone: %1")},
    {.stage = Stage::LockFile, .text = QT_TRANSLATE_NOOP("Failure",
        "The lock file «%1» of the user «%2» was not used: %3 The card file itself is locked instead, "
        "as earlier versions did, and a reader's lock of it keeps its keepers out."), .namesPath = true,
        .withOwner = true},
    {.stage = Stage::LockFile, .text = QT_TRANSLATE_NOOP("Failure",
        "The lock file «%1» was not used: %2 The card file itself is locked instead, as earlier "
        "versions did, and a reader's lock of it keeps its keepers out."), .namesPath = true},
};
// clang-format on

const char *const InPlace = QT_TRANSLATE_NOOP("Failure", "In the folder «%1»: %2");
const char *const Torn =
    QT_TRANSLATE_NOOP("Failure", "The card may have been left half written in the file.");

struct GreekWords
{
    QTranslator translator;

    GreekWords()
    {
        initFailureWordsResources();
        // Only a build without its resources gets here: the windows would speak English.
        if (!translator.load(QStringLiteral(":/i18n/velmora-wording_el.qm")))
            qWarning("velmora: the Greek texts of failures are missing from this build");
    }
};

Q_GLOBAL_STATIC(GreekWords, greekWords)

QString reason(const Failure &f, Language language)
{
    const int detail = f.fault == Fault::NotRegular ? int(f.kind)
                       : f.fault == Fault::TooLong  ? (f.length >= 0 ? LengthKnown : 0)
                                                    : f.error;
    const auto row = std::find_if(std::begin(Reasons), std::end(Reasons), [&](const Reason &r) {
        return r.fault == f.fault && (r.detail == detail || r.detail == AnyDetail);
    });
    if (row == std::end(Reasons))
        return reason(Failure{Fault::System, f.error}, language);
    const QString text = failureWords(row->text, language);
    switch (row->fill) {
    case Fill::Nothing:
        return text;
    case Fill::Path:
        return text.arg(f.path);
    case Fill::ErrorNumber:
        return text.arg(f.error).arg(QString::fromLocal8Bit(std::strerror(f.error)));
    case Fill::Length:
        return text.arg(f.length);
    case Fill::PathAndOwner:
        return text.arg(f.path, f.owner);
    }
    return text;
}

QString places(const Failure &f, Language language)
{
    QStringList lines{failureWords(InPlace, language).arg(f.place, reason(f, language))};
    for (const Failure &other : f.also)
        lines << failureWords(InPlace, language).arg(other.place, reason(other, language));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString failureText(const Failure &f, Language language)
{
    const auto found = std::find_if(std::begin(Frames), std::end(Frames), [&](const Frame &frame) {
        return frame.stage == f.stage && (!frame.withOwner || !f.owner.isEmpty());
    });
    const Frame &frame = found != std::end(Frames) ? *found : Frames[0];
    const QString what = frame.eachPlace ? places(f, language) : reason(f, language);
    QString text = !frame.text       ? what
                   : frame.withOwner ? failureWords(frame.text, language).arg(f.path, f.owner, what)
                   : frame.namesPath ? failureWords(frame.text, language).arg(f.path, what)
                                     : failureWords(frame.text, language).arg(what);
    if (frame.mayBeTorn && f.cardMayBeTorn)
        text += QLatin1Char(' ') + failureWords(Torn, language);
    return text;
}

QString failureClause(const Failure &failure, Language language)
{
    QString text = failureText(failure, language);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

QString failureLine(const Failure &failure)
{
    const QString clause = failureClause(failure, Language::Installed);
    return failure.path.isEmpty() ? clause : failure.path + QStringLiteral(": ") + clause;
}

QString failureWords(const char *source, Language language)
{
    if (language == Language::Installed)
        return QCoreApplication::translate(Context, source);
    const QString greek = greekWords()->translator.translate(Context, source);
    return greek.isEmpty() ? QString::fromUtf8(source) : greek;
}

bool loadFailureWords(QTranslator &translator, const QLocale &locale)
{
    initFailureWordsResources();
    return translator.load(locale, QStringLiteral("velmora-wording"), QStringLiteral("_"),
                           QStringLiteral(":/i18n"));
}

} // namespace velmora
