// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "outputfile.h"

#include "fileops.h"
#include "terminaltext.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
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
    m_output.release();
}

Result<void> OutputFile::open(const QString &path, std::optional<FileIdentity> input)
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
    if (Result<void> judged = m_output.lookAt(path, input); !judged)
        return judged;
    if (m_output.status() && !m_output.isRegularFile()) {
        // A device or a FIFO takes the stream as it comes, as a shell's redirection does.
        Result<FileDescriptor> stream = openForWriting(QFile::encodeName(m_output.resolved()));
        if (!stream)
            return failure(Failure{Fault::System, stream.error().error, path});
        m_stream = std::move(*stream);
        return {};
    }
    if (Result<void> kept = m_output.keepEditorsOut(); !kept)
        return kept;
    Result<AtomicFile> file = m_output.createReplacement();
    if (!file)
        return tl::unexpected(file.error());
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
