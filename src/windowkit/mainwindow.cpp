// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow.h"

#include "captions.h"
#include "cardfileerror.h"
#include "editablecardfile.h"

namespace velmora {

MainWindow::MainWindow(Platform &platform, Forms &forms, int statusPanels)
    : StatusBar1(this, statusPanels), m_caption(this, [this] { return scanCaption(SearchCard, CardCount); }),
      m_messages(platform.messages, m_caption),
      m_input(platform.input, m_caption), m_platform{.messages = m_messages,
                                                     .input = m_input,
                                                     .beeper = platform.beeper,
                                                     .clock = platform.clock,
                                                     .printer = platform.printer,
                                                     .help = platform.help,
                                                     .settings = platform.settings,
                                                     .launcher = platform.launcher,
                                                     .files = platform.files,
                                                     .paths = platform.paths,
                                                     .keyboard = platform.keyboard},
      m_forms(forms)
{
}

MainWindow::~MainWindow() = default;

void MainWindow::Form_Unload()
{
    File.close();
}

void MainWindow::openCardFile(bool forEditing)
{
    RecordLength = velmora::RecordLength;
    const QString path = m_platform.paths.cardFile();
    if (m_platform.paths.cardFileIsInstalled())
        orEnd(File.open(path, CardFile::Access::ReadOnly));
    else if (forEditing)
        orEnd(openToEdit(File, path));
    else
        orEnd(File.open(path, CardFile::Access::Browse));
    CurrentCard = 1;
    CardCount = orEnd(File.cardCount());
}

void MainWindow::installKeys(KeyMap map, bool autoRepeat, std::function<void()> locksChanged)
{
    m_keyMap = std::move(map);
    m_keys = new WindowKeys(this, m_keyMap,
                            {.keyDown = [this](int key, int shift) { return Form_KeyDown(key, shift); },
                             .locksChanged = std::move(locksChanged),
                             .autoRepeat = autoRepeat});
}

void MainWindow::showCardCaption()
{
    m_caption.set(cardCaption(CurrentCard, CardCount));
}

std::optional<SearchProbe> MainWindow::askForTexts(const Search &search)
{
    const QString first = m_platform.input.ask(search.first.title.toString(), search.first.prompt.toString());
    const QString second = search.isCombined() ? m_platform.input.ask(search.second.title.toString(),
                                                                      search.second.prompt.toString())
                                               : QString();
    const SearchProbe probe(search, first, second);
    if (!probe.textMissing())
        return probe;
    if (search.isCombined())
        m_platform.messages.show(search.missingText.toString(), AppTitle, Buttons::Ok, Icon::Exclamation);
    return std::nullopt;
}

void MainWindow::endProgram()
{
    File.close();
    m_forms.endProgram();
}

void MainWindow::showShortcutKeys()
{
    m_forms.show(FormName::frmHelp);
}

void MainWindow::showAbout()
{
    m_forms.show(FormName::frmAbout);
}

void MainWindow::showProgramHelp()
{
    m_platform.help.showContents(QStringLiteral("TERVANI.HLP"));
}

void MainWindow::showBibliographyHelp()
{
    m_platform.help.showContents(QStringLiteral("BIBLIOGRAPHY.HLP"));
}

} // namespace velmora
