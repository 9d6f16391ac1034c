// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

class QPushButton;
class QWidget;

namespace velmora {

// The program's colours: its windows light orange; the card window's search and move
// buttons pale orange, its print buttons pink and the exploration button salmon.
inline const QColor LightOrange{255, 192, 128};
inline const QColor PaleOrange{255, 224, 192};
inline const QColor Pink{255, 192, 192};
inline const QColor Salmon{255, 128, 128};

// A widget's background in `colour`, painted by the widget itself.
void setBackground(QWidget *widget, const QColor &colour);
void setButtonColour(QPushButton *button, const QColor &colour);

} // namespace velmora
