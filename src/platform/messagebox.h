#pragma once

#include <QString>

namespace velmora {

// The four forms of message box the windows use, and the box without an icon that the
// About window's system-information step shows.
enum class Buttons { Ok, YesNoCancel, YesNo };
enum class Icon { None, Information, Exclamation, Question };
enum class Answer { Ok, Yes, No, Cancel };

class MessageBox
{
public:
    // Modal. `defaultButton` Ok means the form's usual default (the first button).
    virtual Answer show(const QString &prompt, const QString &title, Buttons buttons, Icon icon,
                        Answer defaultButton = Answer::Ok) = 0;

protected:
    ~MessageBox() = default;
};

} // namespace velmora
