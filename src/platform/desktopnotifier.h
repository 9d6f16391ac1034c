#pragma once

#include "printedfilenotice.h"

#include <memory>

namespace velmora {

class NotificationsClient;

// A desktop notification naming the PDF file, with an action that opens it in the
// desktop's viewer, through the freedesktop notification service on the session bus.
// Without a bus or a service nothing is shown and nothing else changes; the program never
// waits for the service.
class DesktopNotifier final : public PrintedFileNotice
{
public:
    DesktopNotifier();
    ~DesktopNotifier();

    void printedTo(const QString &file) override;

private:
    std::unique_ptr<NotificationsClient> m_client; // made at the first notice
};

} // namespace velmora
