#pragma once

#include "messagebox.h"

namespace velmora {

// The program's message boxes as QMessageBox, with Greek button texts. Escape and the
// close box give the box's way out: Cancel, No, or OK.
class QtMessageBox final : public MessageBox
{
public:
    Answer show(const QString &prompt, const QString &title, Buttons buttons, Icon icon,
                Answer defaultButton = Answer::Ok) override;
};

} // namespace velmora
