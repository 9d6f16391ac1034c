// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace velmora {

// The exploration window's drawing area. Text is drawn as on a sheet of paper: at the
// current position, advancing to print columns counted in the font's average character
// width, line under line. What is drawn is kept and painted again, so the page survives
// covering, resizing and repainting; only clear() takes it away.
class PageView : public QWidget
{
    Q_OBJECT

public:
    // One text as drawn: on which line and at which pixel. `column` is the print column
    // (counted from 1) it was placed at, or 0 when it simply follows the text before it.
    struct Item
    {
        int line = 0;
        int x = 0;
        int column = 0;
        QString text;
    };

    explicit PageView(QWidget *parent = nullptr);

    // Moves to `x` pixels on the current line; the next text is drawn there.
    void setCurrentX(int x);
    // Draws `text` at the current position; `endLine` goes to the start of the next line.
    void print(const QString &text, bool endLine = true);
    // Advances to print column `column`; text already drawn past it sends the position to
    // that column of the next line.
    void tab(int column);
    // A number that is not negative is drawn as a blank, its digits and a blank.
    void printNumber(qint64 n, bool endLine = false);
    void clear();

    const QList<Item> &items() const;
    // The drawn text, line by line, each text placed at its print column with blanks.
    QStringList drawnLines() const;
    QString drawnText() const { return drawnLines().join(QLatin1Char('\n')); }

    int columnWidth() const; // the font's average character width, at least 1 pixel
    QSize sizeHint() const override;

signals:
    void contentsChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // What was asked of the page, in order. Where a text lands depends on the widths of
    // the texts before it, and measuring text costs far more than reading a card: an
    // exploration fills and empties pages faster than they are painted, so the steps are
    // laid out only when the page is painted or read.
    struct Step
    {
        enum Kind { MoveTo, Text, Tab } kind;
        int value = 0; // MoveTo: pixels; Tab: print column
        QString text{};
        bool endLine = false;
    };

    void add(Step step);
    void layOut() const;
    void changed();

    QList<Step> m_steps;
    mutable QList<Item> m_items;
    mutable bool m_laidOut = true;
    QString m_spokenText; // what assistive technology was last told the page holds
};

} // namespace velmora
