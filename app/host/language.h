// The language of the program's windows: Japanese (the texts in the code) or English (the
// translation in translations/kubisto_en.ts, built into the program).
//
// main() chooses it once, before the first window or message, from --lang or the system's first
// user-interface language, and installs its translators on the application.
#pragma once

#include <QString>
#include <QStringList>

namespace kubisto::app {

enum class Language { kJapanese, kEnglish };

// The language for what --lang asked ("ja", "en", or empty for the system's) and the system's
// user-interface languages, first preferred first (QLocale::system().uiLanguages()): English
// unless Japanese is asked for or comes first, or the system has no language (the C locale).
Language LanguageFor(const QString& asked, const QStringList& uiLanguages);

// Installs on the running application what the language needs: for English the program's
// translation, for Japanese Qt's own Japanese texts (buttons of message boxes, the colour window)
// where the system has them. Once, before any window is made; later calls change nothing.
void InstallLanguage(Language language);

// The same for --lang's answer (empty: the system's) and the system's languages.
void InstallLanguageFor(const QString& asked);

// The language installed; Japanese until InstallLanguage has run.
Language CurrentLanguage();

// The help document of the installed language, relative to the program folder.
QString HelpFileName();

}  // namespace kubisto::app
