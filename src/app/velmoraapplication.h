#pragma once

#include <QApplication>

#include <functional>

namespace velmora {

class CardFileError;

// The application object. Every handler runs inside notify(), so a card file failure
// thrown from any of them, however deeply nested in modal loops, is caught here and
// never crosses Qt's event loop.
class VelmoraApplication : public QApplication
{
    Q_OBJECT

public:
    VelmoraApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // What a caught failure leads to. Until it is set, the failure is written to the
    // standard error and the program leaves with a non-zero status.
    std::function<void(const CardFileError &)> onCardFileError;

private:
    bool m_failing = false;
};

} // namespace velmora
