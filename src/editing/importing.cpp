// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "importing.h"

#include "fileops.h"

#include <cerrno>

namespace velmora {

ImportedCardFile::ImportedCardFile(QString fallbackFolder) : m_session(std::move(fallbackFolder)) {}

ImportedCardFile::~ImportedCardFile()
{
    discard();
}

void ImportedCardFile::discard()
{
    m_file.reset();
    m_old.close();
    m_session.end();
    m_output.release();
}

Result<void> ImportedCardFile::open(const QString &cardPath, Existing existing,
                                    std::optional<FileIdentity> input)
{
    discard();
    m_path = cardPath;
    m_written = 0;
    m_writeFailure.reset();
    if (Result<void> judged = m_output.lookAt(cardPath, input); !judged)
        return judged;
    const std::optional<struct stat> &standing = m_output.status();
    if (standing && !m_output.isRegularFile())
        return failure(Failure{Fault::NotRegular, 0, cardPath, kindOfMode(standing->st_mode)});
    if (standing && standing->st_size > 0) {
        if (existing == Existing::Refused) {
            Failure holds(Fault::System, EEXIST, cardPath, FileKind::Regular);
            holds.length = standing->st_size;
            return failure(std::move(holds));
        }
        if (Result<void> begun = m_session.begin(cardPath); !begun)
            return begun;
        if (Result<void> opened = m_old.openForReading(cardPath); !opened)
            return opened;
        const Result<FileIdentity> old = m_old.identity();
        if (!old || *old != m_session.cardFile() || identityOf(*standing) != m_session.cardFile())
            return failure(Fault::Replaced, cardPath);
    } else if (Result<void> kept = m_output.keepEditorsOut(); !kept) {
        return kept;
    }
    Result<AtomicFile> file = m_output.createReplacement();
    if (!file)
        return tl::unexpected(file.error());
    m_file.emplace(std::move(*file));
    return {};
}

void ImportedCardFile::write(QByteArrayView bytes)
{
    if (m_writeFailure || !m_file)
        return;
    if (Result<void> written = m_file->write(bytes.data(), bytes.size()); !written)
        m_writeFailure = written.error();
    m_written += bytes.size();
}

Result<void> ImportedCardFile::commit()
{
    Result<void> done = m_writeFailure   ? failure(*m_writeFailure)
                        : !m_file        ? failure(Fault::System, m_path, EBADF)
                        : m_written == 0 ? failure(Fault::System, m_path, ENODATA)
                                         : Result<void>();
    if (done && replaces())
        done = m_session.backUp(m_old);
    // Written in place, a card file cut off by a full disk, a kill or a power cut would hold
    // part of the old cards and part of the new: a new file, synced whole, then renamed over
    // the name, leaves the one or the other.
    if (done)
        done = m_file->sync();
    if (done && replaces())
        done = m_old.stillAtPath();
    if (done)
        done = m_file->commit();
    if (!done && done.error().path.isEmpty())
        done.error().path = m_path;
    discard();
    return done;
}

} // namespace velmora
