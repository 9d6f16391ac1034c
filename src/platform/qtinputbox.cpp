#include "qtinputbox.h"

#include "dialogowner.h"

#include <QInputDialog>

namespace velmora {

QString QtInputBox::ask(const QString &title, const QString &prompt)
{
    QInputDialog dialog;
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(QString());
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Άκυρο"));
    detachFromActiveWindow(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

} // namespace velmora
