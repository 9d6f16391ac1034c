#pragma once

#include "inputbox.h"

namespace velmora {

// The search input box as QInputDialog, with Greek button texts.
class QtInputBox final : public InputBox
{
public:
    QString ask(const QString &title, const QString &prompt) override;
};

} // namespace velmora
