// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qtinputbox.h"

#include "dialogowner.h"

#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>

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
    // The window manager cuts the title short where the box is narrower than the title in
    // its frame's font, often bold, beside the frame's icon and buttons. The box's layout
    // sizes it by its controls: the entry is made that wide.
    QFont frameFont = dialog.font();
    frameFont.setBold(true);
    if (auto *entry = dialog.findChild<QLineEdit *>())
        entry->setMinimumWidth(QFontMetrics(frameFont).horizontalAdvance(title) +
                               6 * dialog.fontMetrics().height());
    detachFromActiveWindow(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

} // namespace velmora
