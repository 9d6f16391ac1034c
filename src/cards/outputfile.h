// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "atomicfile.h"
#include "filedescriptor.h"
#include "namedfile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <optional>

namespace velmora::cards {

// An export's output (CSV, RIS, BibTeX, CSL-JSON), written as a file of the user's own: a new
// file created exclusively beside the output under a temporary name, written, synced and
// renamed over the name, so that a failure leaves an earlier file as it was and a link
// standing at the name is replaced, not written through. A link the user owns is followed, as
// a shell's redirection would; a link or a file of another user in a folder others can write
// is not written to (namedfile.h). While an editor has the file at the output, nothing is
// written. A device or a FIFO takes the stream as it comes, since it cannot be replaced; "-"
// is standard output; a terminal there is written by the one terminal rule
// (terminaltext.h), so that a card's DEL or C1 control cannot act on it. Card files are written by the
// editing library alone (importing.h).
class OutputFile
{
public:
    OutputFile() = default;
    // Removes the temporary file when commit() was never reached.
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // `input`: the file the command reads, which the output may not be. The Failure names
    // the path.
    Result<void> open(const QString &path, std::optional<FileIdentity> input = {});
    bool isStandardOutput() const { return m_path == QLatin1String("-"); }
    // Failures are kept and reported by commit().
    void write(QByteArrayView bytes);
    // Nothing is left behind when it fails.
    Result<void> commit();

private:
    void discard();

    QString m_path;
    std::optional<AtomicFile> m_file; // none when written directly
    FileDescriptor m_stream;          // standard output, a device or a FIFO
    // Standard output that is a terminal: a character may come in two writes.
    std::optional<QStringDecoder> m_terminal;
    NamedOutput m_output;
    std::optional<velmora::Failure> m_writeFailure;
};

// The identity of the file at `path`, links followed; none when it cannot be looked at.
std::optional<FileIdentity> identityOf(const QString &path);

} // namespace velmora::cards
