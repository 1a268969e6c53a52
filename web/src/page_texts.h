// The texts that only the web page shows (web/ts/ uses them by their Japanese text). Listed here
// so that the translation tools find them: scripts/translations.sh keeps their English in
// translations/kubisto_en.ts, from which the page's English texts are generated at build time.
// Every other text of the page is one of the desktop program's.
#pragma once

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, text) text
#endif

namespace kubisto::web {

inline constexpr const char* kPageTexts[] = {
    QT_TRANSLATE_NOOP("kubisto::web::Page", "ファイルを開く…"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "ファイルに保存（ダウンロード）"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "効果音"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "言語 (Language)"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "はい"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "いいえ"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "キャンセル"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "削除"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "ブラウザの保存場所が使えません。"),
    QT_TRANSLATE_NOOP("kubisto::web::Page",
                      "ブラウザの保存場所がいっぱいで、保存できませんでした。"),
    QT_TRANSLATE_NOOP("kubisto::web::Page",
                      "「ファイルに保存（ダウンロード）」でなら保存できます。"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "%1: ファイルが大きすぎます"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "画面をクリップボードにコピーできませんでした。"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "共有リンクをコピー"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "共有リンクをクリップボードにコピーできませんでした。"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "共有リンクのレイアウトが読めません。"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "リンクにレイアウトがありません。"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "リンクが壊れています。"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "リンクのレイアウトが大きすぎます。"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "エクスポート"),
    QT_TRANSLATE_NOOP("kubisto::web::Page", "モデルを書き出せませんでした。"),
};

}  // namespace kubisto::web
