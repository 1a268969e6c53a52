#include "app/host/host_messages.h"

#include <QCoreApplication>

namespace kubisto::app {

namespace {

constexpr const char* kContext = "kubisto::app::HostMessages";

// Listed for the translation tools: the lower layers pass these texts as they are, and the shell
// looks them up when it shows them.
[[maybe_unused]] const char* const kTexts[] = {
    QT_TRANSLATE_NOOP("kubisto::app::HostMessages", "ファイルが読めません。"),
    QT_TRANSLATE_NOOP("kubisto::app::HostMessages", "保存すべき頂点がありません。"),
    QT_TRANSLATE_NOOP("kubisto::app::HostMessages", "Direct3Dの初期化に失敗しました。終了します"),
    QT_TRANSLATE_NOOP("kubisto::app::HostMessages", "予期しないエラーが発生しました。"),
};

}  // namespace

QString HostText(const std::string& text) {
  // A text with a zero byte in it is none of the listed ones, and would be cut short as a C string.
  if (text.find('\0') != std::string::npos) return QString::fromStdString(text);
  return QCoreApplication::translate(kContext, text.c_str());
}

}  // namespace kubisto::app
