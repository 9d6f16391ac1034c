#pragma once

#include "dialogs.h"

namespace velmora {

// The search input box as QInputDialog, with Greek button texts.
class QtInputBox : public InputBox
{
public:
    QString ask(const QString &title, const QString &prompt) override;
};

} // namespace velmora
