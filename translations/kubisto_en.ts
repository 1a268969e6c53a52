<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>kubisto::app::FileMessages</name>
    <message>
        <source>分割数</source>
        <translation>the cell count</translation>
    </message>
    <message>
        <source>色</source>
        <translation>the colour</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>the title</translation>
    </message>
    <message>
        <source>%1があるはずの所でファイルが終わっています</source>
        <translation>the file ends where %1 is expected</translation>
    </message>
    <message>
        <source>%1の %2 が数ではありません</source>
        <translation>%1 %2 is not a number</translation>
    </message>
    <message>
        <source>分割数 %1 が 1～%2 の範囲にありません</source>
        <translation>the cell count %1 is outside 1..%2</translation>
    </message>
    <message>
        <source>%1の %2 が大きすぎるか小さすぎます</source>
        <translation>%1 %2 is out of range</translation>
    </message>
    <message>
        <source>ブロック %1 が 0～%2 のマスの外にあります</source>
        <translation>the block %1 lies outside 0..%2</translation>
    </message>
    <message>
        <source>ファイルかフォルダーがありません</source>
        <translation>no such file or folder</translation>
    </message>
    <message>
        <source>許可がありません</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>ディスクに空きがありません</source>
        <translation>no space left on the disk</translation>
    </message>
    <message>
        <source>書き込めないファイルシステムです</source>
        <translation>a read-only file system</translation>
    </message>
    <message>
        <source>フォルダーです</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>フォルダーではないものが途中にあります</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>名前が長すぎます</source>
        <translation>the name is too long</translation>
    </message>
    <message>
        <source>リンクが多すぎます</source>
        <translation>too many links</translation>
    </message>
    <message>
        <source>入出力エラーです</source>
        <translation>an input/output error</translation>
    </message>
    <message>
        <source>ふつうのファイルではありません</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>大きすぎて積み木の配置ではありません</source>
        <translation>too large to be a layout</translation>
    </message>
    <message>
        <source>モデルのファイルが壊れています</source>
        <translation>the model file is damaged</translation>
    </message>
    <message>
        <source>ファイルにモデルがありません</source>
        <translation>the file holds no model</translation>
    </message>
    <message>
        <source>モデルに色の表（パレット）がありません</source>
        <translation>the model has no palette of its own</translation>
    </message>
    <message>
        <source>モデルが %1×%2×%3 マスあります（一辺 %4 マスまで）</source>
        <translation>the model is %1 x %2 x %3 cells; a layout holds at most %4 a side</translation>
    </message>
    <message>
        <source>共有のフォルダーにある、ほかのユーザーのリンクです</source>
        <translation>it is a link in a shared folder that belongs to another user</translation>
    </message>
    <message>
        <source>読み取り専用のファイルです</source>
        <translation>the file is read-only</translation>
    </message>
    <message>
        <source>書き込めません</source>
        <translation>it cannot be written</translation>
    </message>
    <message>
        <source>同じフォルダーに一時ファイルを作れません</source>
        <translation>no temporary file can be made beside it</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1行目: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>「%1」を読み込めませんでした。</source>
        <translation>Cannot read &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>「%1」に保存できませんでした。</source>
        <translation>Cannot save to &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>kubisto::app::HelpWindow</name>
    <message>
        <source>Kubisto!!のヘルプ</source>
        <translation>Kubisto!! Help</translation>
    </message>
    <message>
        <source>&lt;h3&gt;ヘルプファイルが見つかりません&lt;/h3&gt;&lt;p&gt;%1&lt;/p&gt;</source>
        <translation>&lt;h3&gt;The help file was not found&lt;/h3&gt;&lt;p&gt;%1&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>kubisto::app::HostMessages</name>
    <message>
        <source>ファイルが読めません。</source>
        <translation>The file cannot be read.</translation>
    </message>
    <message>
        <source>保存すべき頂点がありません。</source>
        <translation>There are no vertices to save.</translation>
    </message>
    <message>
        <source>Direct3Dの初期化に失敗しました。終了します</source>
        <translation>Direct3D could not be set up. The program ends.</translation>
    </message>
    <message>
        <source>予期しないエラーが発生しました。</source>
        <translation>An unexpected error occurred.</translation>
    </message>
</context>
<context>
    <name>kubisto::app::Program</name>
    <message>
        <source>超簡易3D積み木「Oh!Kubisto!!forWindows」Ver0.3bβ2</source>
        <translation>Super-Easy 3D Blocks &quot;Oh!Kubisto!!forWindows&quot; Ver0.3bβ2</translation>
    </message>
</context>
<context>
    <name>kubisto::app::ScriptServer</name>
    <message>
        <source>スクリプト機能を開始できませんでした</source>
        <translation>Scripting could not start</translation>
    </message>
</context>
<context>
    <name>kubisto::app::UnsavedWork</name>
    <message>
        <source>変更を保存しますか？</source>
        <translation>Save your changes?</translation>
    </message>
</context>
<context>
    <name>kubisto::app::frmFile</name>
    <message>
        <source>Oh!Kubisto!! データを読み込もう</source>
        <translation>Oh!Kubisto!! Load a layout</translation>
    </message>
    <message>
        <source>Oh!Kubisto!! データを保存しよう</source>
        <translation>Oh!Kubisto!! Save the layout</translation>
    </message>
    <message>
        <source>保存ﾌｧｲﾙ名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>ファイル名を入力してください</source>
        <translation>Please enter a file name.</translation>
    </message>
    <message>
        <source>注意</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>cmdOK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>cmdCancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ファイル名を「.」で始めたり、「/」や「\」を含めたりすることはできません</source>
        <translation>A file name cannot begin with &quot;.&quot; or contain &quot;/&quot; or &quot;\&quot;</translation>
    </message>
</context>
<context>
    <name>kubisto::app::frmMain</name>
    <message>
        <source>積み木の部屋</source>
        <translation>The room of blocks</translation>
    </message>
    <message>
        <source>アプリケーションを終了します。</source>
        <translation>Exits the program.</translation>
    </message>
    <message>
        <source>データを読み込みます。</source>
        <translation>Loads a layout.</translation>
    </message>
    <message>
        <source>データを保存します。</source>
        <translation>Saves the layout.</translation>
    </message>
    <message>
        <source>連続回転（回転方向変更）</source>
        <translation>Turn continuously (change direction)</translation>
    </message>
    <message>
        <source>回転停止</source>
        <translation>Stop Turning</translation>
    </message>
    <message>
        <source>正面から見たところ</source>
        <translation>Seen from the front</translation>
    </message>
    <message>
        <source>上から見たところ</source>
        <translation>Seen from above</translation>
    </message>
    <message>
        <source>右から見たところ</source>
        <translation>Seen from the right</translation>
    </message>
    <message>
        <source>ななめうえから見たところ</source>
        <translation>Seen from above at an angle</translation>
    </message>
    <message>
        <source>ひとつブロックをふやします</source>
        <translation>Adds a block</translation>
    </message>
    <message>
        <source>選択中のブロックを消します</source>
        <translation>Deletes the selected block</translation>
    </message>
    <message>
        <source>東に動かします</source>
        <translation>Moves it east</translation>
    </message>
    <message>
        <source>西に動かします</source>
        <translation>Moves it west</translation>
    </message>
    <message>
        <source>上に動かします</source>
        <translation>Moves it up</translation>
    </message>
    <message>
        <source>下に動かします</source>
        <translation>Moves it down</translation>
    </message>
    <message>
        <source>北に動かします</source>
        <translation>Moves it north</translation>
    </message>
    <message>
        <source>南に動かします</source>
        <translation>Moves it south</translation>
    </message>
    <message>
        <source>上から見下ろします</source>
        <translation>Looks down from above</translation>
    </message>
    <message>
        <source>下から見上げます</source>
        <translation>Looks up from below</translation>
    </message>
    <message>
        <source>左に回ります</source>
        <translation>Turns to the left</translation>
    </message>
    <message>
        <source>右に回ります</source>
        <translation>Turns to the right</translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation>New</translation>
    </message>
    <message>
        <source>読み込み</source>
        <translation>Load…</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save…</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>画面をクリップボードにコピー</source>
        <translation>Copy the View to the Clipboard</translation>
    </message>
    <message>
        <source>回転（回転方向変更）</source>
        <translation>Turn (Change Direction)</translation>
    </message>
    <message>
        <source>正面から</source>
        <translation>From the Front</translation>
    </message>
    <message>
        <source>上から</source>
        <translation>From Above</translation>
    </message>
    <message>
        <source>右側面から</source>
        <translation>From the Right Side</translation>
    </message>
    <message>
        <source>ななめうえから</source>
        <translation>From Above at an Angle</translation>
    </message>
    <message>
        <source>辺の分割数</source>
        <translation>Cells per Side</translation>
    </message>
    <message>
        <source>Kubisto!!のヘルプ</source>
        <translation>Kubisto!! Help</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>Version Information</translation>
    </message>
    <message>
        <source>色の変更</source>
        <translation>Change Colour</translation>
    </message>
    <message>
        <source>赤</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>青</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>黄</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>緑</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>マゼンタ</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>シアン</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>その他の色…</source>
        <translation>Other Colour…</translation>
    </message>
    <message>
        <source>ブロックの追加</source>
        <translation>Add Block</translation>
    </message>
    <message>
        <source>ブロックの削除</source>
        <translation>Delete Block</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>データの読み込み中</source>
        <translation>Loading the layout</translation>
    </message>
    <message>
        <source>データの保存中</source>
        <translation>Saving the layout</translation>
    </message>
    <message>
        <source>選択中のブロックはないよ</source>
        <translation>No block is selected</translation>
    </message>
    <message>
        <source>(%1,%2,%3)を選択</source>
        <translation>(%1,%2,%3) selected</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>オプション(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>開く…</source>
        <translation>Open…</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>名前を付けて保存…</source>
        <translation>Save As…</translation>
    </message>
    <message>
        <source>最近使ったファイル(&amp;R)</source>
        <translation>&amp;Recent Files</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>積み木の配置とボクセルモデル (*.kbs *.KBS *.vox *.VOX)</source>
        <translation>Layouts and voxel models (*.kbs *.KBS *.vox *.VOX)</translation>
    </message>
    <message>
        <source>積み木の配置 (*.kbs *.KBS)</source>
        <translation>Layouts (*.kbs *.KBS)</translation>
    </message>
    <message>
        <source>ボクセルモデル (*.vox *.VOX)</source>
        <translation>Voxel models (*.vox *.VOX)</translation>
    </message>
    <message>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>「%1」はもうあります。上書きしますか？</source>
        <translation>&quot;%1&quot; already exists. Overwrite it?</translation>
    </message>
    <message>
        <source>効果音</source>
        <translation>Sound Effects</translation>
    </message>
    <message>
        <source>ファイルにはモデルが%1個あります。最初のモデルを読み込みました</source>
        <translation>the file holds %1 models; the first is read</translation>
    </message>
</context>
<context>
    <name>kubisto::web::Page</name>
    <message>
        <source>ファイルを開く…</source>
        <translation>Open a file…</translation>
    </message>
    <message>
        <source>ファイルに保存（ダウンロード）</source>
        <translation>Save to a file (download)</translation>
    </message>
    <message>
        <source>効果音</source>
        <translation>Sound Effects</translation>
    </message>
    <message>
        <source>言語 (Language)</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>ブラウザの保存場所が使えません。</source>
        <translation>The browser&apos;s storage cannot be used.</translation>
    </message>
    <message>
        <source>ブラウザの保存場所がいっぱいで、保存できませんでした。</source>
        <translation>The browser&apos;s storage is full: the layout was not saved.</translation>
    </message>
    <message>
        <source>「ファイルに保存（ダウンロード）」でなら保存できます。</source>
        <translation>&quot;Save to a file (download)&quot; can still save it.</translation>
    </message>
    <message>
        <source>%1: ファイルが大きすぎます</source>
        <translation>%1: the file is too large</translation>
    </message>
    <message>
        <source>画面をクリップボードにコピーできませんでした。</source>
        <translation>The picture could not be copied to the clipboard.</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>共有リンクをコピー</source>
        <translation>Copy Share Link</translation>
    </message>
    <message>
        <source>共有リンクをクリップボードにコピーできませんでした。</source>
        <translation>The share link could not be copied to the clipboard.</translation>
    </message>
    <message>
        <source>共有リンクのレイアウトが読めません。</source>
        <translation>The shared link&apos;s layout cannot be read.</translation>
    </message>
    <message>
        <source>リンクにレイアウトがありません。</source>
        <translation>The link carries no layout.</translation>
    </message>
    <message>
        <source>リンクが壊れています。</source>
        <translation>The link is damaged.</translation>
    </message>
    <message>
        <source>リンクのレイアウトが大きすぎます。</source>
        <translation>The link&apos;s layout is too large.</translation>
    </message>
    <message>
        <source>エクスポート</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>モデルを書き出せませんでした。</source>
        <translation>The model could not be exported.</translation>
    </message>
</context>
</TS>
