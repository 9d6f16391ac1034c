// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "printedfilenotice.h"

#include <QString>

#include <functional>
#include <memory>

namespace velmora {

class NotificationsClient;

// A desktop notification naming the PDF file, with an action that opens it in the
// desktop's viewer, through the freedesktop notification service on the session bus.
// Without a bus or a service nothing is shown and nothing else changes; the program never
// waits for the service, nor for the viewer.
class DesktopNotifier final : public PrintedFileNotice
{
public:
    // `opener` opens a file's URL with the desktop's own choice of program and tells by its
    // exit status whether it did, as xdg-open does.
    explicit DesktopNotifier(QString opener = QStringLiteral("xdg-open"));
    ~DesktopNotifier();

    void printedTo(const QString &file) override;
    // Given the sentence to show the user when «Άνοιγμα» could not open the file: no
    // viewer for PDF files, or one that failed. Without it, that is not told.
    void whenNotOpened(std::function<void(const QString &)> tell);

private:
    QString m_opener;
    std::function<void(const QString &)> m_tell;
    std::unique_ptr<NotificationsClient> m_client; // made at the first notice
};

} // namespace velmora
