#include "app/host/file_messages.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <cstring>
#include <string>

#include "platform/read_file.h"
#include "platform/replace_file.h"
#include "workroom/layout_file.h"

namespace kubisto::app {

namespace {

// The workroom and the file calls word their failures in English for the command line and for
// scripts; the windows translate them by their kind and their fixed wording. A wording not known
// here is shown as it is.
class FileMessages {
  Q_DECLARE_TR_FUNCTIONS(kubisto::app::FileMessages)

 public:
  static QString Field(const QString& what) {
    if (what == QLatin1String("the cell count")) return tr("分割数");
    if (what == QLatin1String("the colour")) return tr("色");
    if (what == QLatin1String("the title")) return tr("タイトル");
    return what;  // x, y, z
  }

  // The reason of a layout error on a given line (workroom/layout_file.cpp).
  static QString LayoutReason(const QString& reason) {
    static const QRegularExpression ends(QStringLiteral("^the file ends where (.+) is expected$"));
    static const QRegularExpression notNumber(
        QStringLiteral("^(the cell count|the colour|x|y|z) (.+) is not a number$"));
    static const QRegularExpression outOfRange(
        QStringLiteral("^(the cell count|the colour|x|y|z) (.+) is out of range$"));
    static const QRegularExpression badCount(
        QStringLiteral("^the cell count (-?\\d+) is outside 1\\.\\.(\\d+)$"));
    static const QRegularExpression outside(
        QStringLiteral("^the block (-?\\d+,-?\\d+,-?\\d+) lies outside 0\\.\\.(\\d+)$"));
    QRegularExpressionMatch m;
    if ((m = ends.match(reason)).hasMatch())
      return tr("%1があるはずの所でファイルが終わっています").arg(Field(m.captured(1)));
    if ((m = notNumber.match(reason)).hasMatch())
      return tr("%1の %2 が数ではありません").arg(Field(m.captured(1)), m.captured(2));
    if ((m = badCount.match(reason)).hasMatch())
      return tr("分割数 %1 が 1～%2 の範囲にありません").arg(m.captured(1), m.captured(2));
    if ((m = outOfRange.match(reason)).hasMatch())
      return tr("%1の %2 が大きすぎるか小さすぎます").arg(Field(m.captured(1)), m.captured(2));
    if ((m = outside.match(reason)).hasMatch())
      return tr("ブロック %1 が 0～%2 のマスの外にあります").arg(m.captured(1), m.captured(2));
    return reason;
  }

  // A cause of the system (strerror), for the common ones.
  static QString SystemCause(const QString& cause) {
    struct Known {
      int error;
      const char* text;
    };
    static const Known kKnown[] = {
        {ENOENT, QT_TR_NOOP("ファイルかフォルダーがありません")},
        {EACCES, QT_TR_NOOP("許可がありません")},
        {EPERM, QT_TR_NOOP("許可がありません")},
        {ENOSPC, QT_TR_NOOP("ディスクに空きがありません")},
        {EROFS, QT_TR_NOOP("書き込めないファイルシステムです")},
        {EISDIR, QT_TR_NOOP("フォルダーです")},
        {ENOTDIR, QT_TR_NOOP("フォルダーではないものが途中にあります")},
        {ENAMETOOLONG, QT_TR_NOOP("名前が長すぎます")},
        {ELOOP, QT_TR_NOOP("リンクが多すぎます")},
        {EIO, QT_TR_NOOP("入出力エラーです")},
    };
    for (const Known& known : kKnown)
      if (cause == QString::fromLocal8Bit(std::strerror(known.error))) return tr(known.text);
    return cause;
  }

  // The cause of a file that could not be read (line 0 of a layout error).
  static QString ReadCause(const QString& cause) {
    if (cause == QLatin1String("not a file")) return tr("ふつうのファイルではありません");
    if (cause == QLatin1String("too large to be a layout"))
      return tr("大きすぎて積み木の配置ではありません");
    return SystemCause(cause);
  }

  // A .vox model's reason (workroom/vox_file.cpp).
  static QString VoxReason(const QString& reason) {
    static const QRegularExpression tooBig(QStringLiteral(
        "^the model is (\\d+) x (\\d+) x (\\d+) cells; a layout holds at most (\\d+) "
        "a side$"));
    QRegularExpressionMatch m;
    if (reason.startsWith(QLatin1String("not a readable .vox model")))
      return tr("モデルのファイルが壊れています");
    if (reason == QLatin1String("the file holds no model"))
      return tr("ファイルにモデルがありません");
    if (reason == QLatin1String("the model has no palette of its own"))
      return tr("モデルに色の表（パレット）がありません");
    if ((m = tooBig.match(reason)).hasMatch())
      return tr("モデルが %1×%2×%3 マスあります（一辺 %4 マスまで）")
          .arg(m.captured(1), m.captured(2), m.captured(3), m.captured(4));
    return reason;
  }

  // A save refused before anything was written (platform/replace_file.cpp).
  static QString Refusal(const QString& reason) {
    if (reason == QLatin1String("it is a folder")) return tr("フォルダーです");
    if (reason == QLatin1String("it is not a regular file"))
      return tr("ふつうのファイルではありません");
    if (reason.startsWith(QLatin1String("it is a link in a shared folder")))
      return tr("共有のフォルダーにある、ほかのユーザーのリンクです");
    return reason;
  }

  // A save that failed partway: "<step>: <system cause>" (platform/replace_file.cpp).
  static QString SaveStep(const QString& detail) {
    static const QRegularExpression stepAndCause(QStringLiteral("^(.+): ([^:]+)$"));
    const QRegularExpressionMatch m = stepAndCause.match(detail);
    if (!m.hasMatch()) return SystemCause(detail);
    const QString step = m.captured(1);
    if (step == QLatin1String("the file is read-only")) return tr("読み取り専用のファイルです");
    QString doing = tr("書き込めません");
    if (step == QLatin1String("creating a temporary file beside it"))
      doing = tr("同じフォルダーに一時ファイルを作れません");
    return tr("%1（%2）").arg(doing, SystemCause(m.captured(2)));
  }

  static QString Cause(const std::exception& error) {
    if (const auto* layout = dynamic_cast<const LayoutError*>(&error)) {
      const QString reason = QString::fromStdString(layout->Reason());
      if (layout->Line() == 0) return ReadCause(reason);
      return tr("%1行目: %2").arg(layout->Line()).arg(LayoutReason(reason));
    }
    if (const auto* refused = dynamic_cast<const platform::SaveRefused*>(&error))
      return Refusal(QString::fromStdString(refused->Reason()));
    if (const auto* read = dynamic_cast<const platform::ReadFileError*>(&error))
      return ReadCause(QString::fromStdString(read->what()));
    const QString text = QString::fromStdString(error.what());
    static const QRegularExpression model(QStringLiteral("^Model file \".*\": (.*)$"),
                                          QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression save(QStringLiteral("^Cannot save \".*\": (.*)$"),
                                         QRegularExpression::DotMatchesEverythingOption);
    QRegularExpressionMatch m;
    if ((m = model.match(text)).hasMatch()) return VoxReason(m.captured(1));
    if ((m = save.match(text)).hasMatch()) return SaveStep(m.captured(1));
    return text;
  }

  static QString Load(const QString& path, const std::exception& error) {
    return tr("「%1」を読み込めませんでした。").arg(path) + u'\n' + Cause(error);
  }
  static QString Save(const QString& path, const std::exception& error) {
    return tr("「%1」に保存できませんでした。").arg(path) + u'\n' + Cause(error);
  }
};

}  // namespace

QString LoadFailureText(const QString& path, const std::exception& error) {
  return FileMessages::Load(path, error);
}

QString SaveFailureText(const QString& path, const std::exception& error) {
  return FileMessages::Save(path, error);
}

}  // namespace kubisto::app
