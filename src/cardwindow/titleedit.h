// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPlainTextEdit>

namespace velmora {

// The title field: a wrapping text field of two lines that holds at most one fixed-width
// field's worth of characters. A title is one line of text, so Enter starts no new
// line; the text wraps on screen only.
class TitleEdit : public QPlainTextEdit
{
public:
    explicit TitleEdit(int maxLength, QWidget *parent = nullptr);

    int maxLength() const { return m_maxLength; }
    // The text as held, non-breaking blanks included (toPlainText() turns them into blanks).
    QString text() const;
    void setText(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    void cutToMaxLength();

    int m_maxLength;
    bool m_cutting = false;
};

} // namespace velmora
