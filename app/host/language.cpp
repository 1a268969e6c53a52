#include "app/host/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kubisto::app {

namespace {

Language g_language = Language::kJapanese;
bool g_installed = false;

bool IsJapanese(const QString& tag) {
  return tag == QLatin1String("ja") || tag.startsWith(QLatin1String("ja-")) ||
         tag.startsWith(QLatin1String("ja_"));
}

// Adds a translator to the application, owned by it; false when the file cannot be loaded.
bool AddTranslator(const QString& name, const QString& folder) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(name, folder)) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace

Language LanguageFor(const QString& asked, const QStringList& uiLanguages) {
  if (asked == QLatin1String("en")) return Language::kEnglish;
  if (asked == QLatin1String("ja")) return Language::kJapanese;
  const QString first = uiLanguages.isEmpty() ? QString() : uiLanguages.front();
  if (first.isEmpty() || first == QLatin1String("C") || first == QLatin1String("POSIX") ||
      IsJapanese(first))
    return Language::kJapanese;
  return Language::kEnglish;
}

void InstallLanguage(Language language) {
  if (g_installed || QCoreApplication::instance() == nullptr) return;
  g_installed = true;
  g_language = language;
  if (language == Language::kEnglish) {
    // Built into the program by qt_add_translations; Qt's own texts are English already.
    AddTranslator(QStringLiteral("kubisto_en"), QStringLiteral(":/i18n"));
    return;
  }
  // Without Qt's translation files installed, Qt's own buttons stay English, as before.
  AddTranslator(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void InstallLanguageFor(const QString& asked) {
  InstallLanguage(LanguageFor(asked, QLocale::system().uiLanguages()));
}

Language CurrentLanguage() { return g_language; }

QString HelpFileName() {
  return g_language == Language::kEnglish ? QStringLiteral("help/kubisto_en.hlp")
                                          : QStringLiteral("help/kubisto.hlp");
}

}  // namespace kubisto::app
