// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "outputfile.h"

#include "fileops.h"
#include "pathwalk.h"
#include "terminaltext.h"
#include "trust.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::cards {

std::optional<FileIdentity> identityOf(const QString &path)
{
    const Result<struct stat> st = statusAt(path);
    if (!st)
        return std::nullopt;
    return velmora::identityOf(*st);
}

OutputFile::~OutputFile()
{
    discard();
}

void OutputFile::discard()
{
    m_file.reset();
    m_stream.reset();
    m_terminal.reset();
    m_lock.release();
}

Result<void> OutputFile::open(const QString &path, Accept accept, std::optional<FileIdentity> input)
{
    discard();
    m_path = path;
    m_writeFailure.reset();
    if (isStandardOutput()) {
        Result<FileDescriptor> out = duplicated(STDOUT_FILENO);
        if (!out)
            return systemFailure(out.error().error, path);
        m_stream = std::move(*out);
        if (::isatty(m_stream.get()))
            m_terminal.emplace(QStringDecoder::Utf8);
        return {};
    }

    // Links of the user's own are followed as a shell's redirection would, on every step of
    // the path; a stranger's link is not.
    Result<OpenedParent> target = openParent(path, LastLink::Followed);
    if (!target)
        return tl::unexpected(target.error());
    const Result<struct stat> folder = statusOf(target->folder.get());
    if (!folder)
        return systemFailure(folder.error().error, path);
    const Result<struct stat> stored = statusIn(target->folder.get(), target->name);
    const std::optional<struct stat> status = stored ? std::optional(*stored) : std::nullopt;
    const QByteArray final = QFile::encodeName(target->resolved);
    if (const auto &st = status) {
        // Whoever could add names to the folder could have put it there for the user to
        // write into.
        if (!ownedByUser(*st) && othersMayAddNames(*folder))
            return failure(Failure{Fault::SharedFolder, EPERM, path, kindOfMode(st->st_mode)});
        if (input && *input == velmora::identityOf(*st))
            return failure(Fault::IsInput, path);
        if (S_ISDIR(st->st_mode))
            return failure(Fault::System, path, EISDIR);
        if (!S_ISREG(st->st_mode)) {
            if (accept == Accept::RegularFile)
                return failure(Failure{Fault::NotRegular, 0, path, kindOfMode(st->st_mode)});
            // A device or a FIFO takes the stream as it comes, as a shell's redirection does.
            Result<FileDescriptor> stream = openForWriting(final);
            if (!stream)
                return failure(Failure{Fault::System, stream.error().error, path});
            m_stream = std::move(*stream);
            return {};
        }
        // The editor's lock: while it is held, replacing the file would leave the editor
        // filing into a file no longer at the path.
        if (const Result<void> locked = m_lock.acquire(QFile::decodeName(final));
            !locked && heldByAnother(locked.error()))
            return failure(Fault::Locked, path);
    }
    // A file replaced keeps its permissions, as it would had it been written in place.
    const std::optional<mode_t> mode = status ? std::optional(mode_t(status->st_mode & 07777)) : std::nullopt;
    Result<AtomicFile> file =
        AtomicFile::create(QFile::decodeName(final), mode, AtomicFile::Replacing::Anything);
    if (!file) {
        file.error().path = path;
        return tl::unexpected(file.error());
    }
    m_file.emplace(std::move(*file));
    return {};
}

void OutputFile::write(QByteArrayView bytes)
{
    if (m_writeFailure)
        return;
    QByteArray shown;
    if (m_terminal) {
        shown = shownOnTerminalByLine(m_terminal->decode(bytes)).toUtf8();
        bytes = shown;
    }
    Result<void> written = m_file ? m_file->write(bytes.data(), bytes.size())
                                  : writeAll(m_stream.get(), bytes.data(), bytes.size());
    if (!written)
        m_writeFailure = written.error();
}

Result<void> OutputFile::commit()
{
    Result<void> done = m_writeFailure ? failure(*m_writeFailure) : Result<void>();
    if (done && m_file)
        done = m_file->commit();
    if (!done)
        done.error().path = m_path;
    discard();
    return done;
}

} // namespace velmora::cards
