// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "failure.h"

#include <QString>

class QLocale;
class QTranslator;

namespace velmora {

// The language a failure is told in. Its texts are written in English, in the context
// "Failure", and translated once (translations/velmora-wording_el.ts).
enum class Language {
    Installed, // the application's: what the translators it installed make of the English
    Greek,     // Greek whatever the locale: the windows speak nothing else
};

// The whole text of a failure: the reason, framed by the job it stopped (a backup, the
// journal, an undo), the places it was tried in and whether the card may be torn.
QString failureText(const Failure &failure, Language language);
// The same, made to follow a colon in a sentence of the caller's: lower-case first letter,
// no full stop at the end.
QString failureClause(const Failure &failure, Language language);
// A failure as a line on a terminal tells it, "PATH: clause", in the installed language.
QString failureLine(const Failure &failure);
// A text of the context "Failure", marked with QT_TRANSLATE_NOOP where it is written.
QString failureWords(const char *source, Language language);

// Loads the translation of these texts for `locale`, for a program to install.
bool loadFailureWords(QTranslator &translator, const QLocale &locale);

} // namespace velmora
