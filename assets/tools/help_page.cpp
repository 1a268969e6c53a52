// The help document: an HTML page in Japanese, opened at its contents.
#include "pictures.h"

namespace assetgen {

std::string helpPageHead(const std::string& lang, const std::string& title) {
  return "<!DOCTYPE html>\n<html lang=\"" + lang +
         "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + title + R"html(</title>
<style>
body { font-family: sans-serif; line-height: 150%; }
h1 { color: #8a3c0e; }
h2 { color: #8a3c0e; border-bottom: 1px solid #d0a070; }
td, th { padding: 2px 8px; vertical-align: top; }
th { background: #f0e0c8; text-align: left; }
.key { font-weight: bold; }
</style>
</head>
<body>
)html";
}

namespace {

// The title, the introduction and the contents.
std::string introAndContents() {
  return R"html(<h1><a name="contents" id="contents"></a>超簡易3D積み木「Oh!Kubisto!!」のヘルプ</h1>
<p>Oh!Kubisto!! は、小さな部屋の中のテーブルの上で、色とりどりの立方体のブロックを積んで遊ぶ3Dの積み木です。</p>

<h2>もくじ</h2>
<ul>
<li><a href="#screen">画面の見かた</a></li>
<li><a href="#add">ブロックをふやす</a></li>
<li><a href="#select">ブロックを選ぶ</a></li>
<li><a href="#color">ブロックの色を変える</a></li>
<li><a href="#move">ブロックを動かす</a></li>
<li><a href="#delete">ブロックを消す</a></li>
<li><a href="#turn">部屋を回す</a></li>
<li><a href="#view">見る方向を変える</a></li>
<li><a href="#divide">辺の分割数（マスの数）</a></li>
<li><a href="#sound">効果音</a></li>
<li><a href="#file">新規作成・読み込み・保存</a></li>
<li><a href="#open">どこのフォルダーでも：開く・上書き保存・名前を付けて保存</a></li>
<li><a href="#copy">画面をクリップボードにコピー</a></li>
<li><a href="#undo">元に戻す・やり直し</a></li>
<li><a href="#keys">キーボードでの操作</a></li>
<li><a href="#toolbar">ツールバーのボタン</a></li>
<li><a href="#menu">メニューの一覧</a></li>
<li><a href="#version">バージョン情報と終了</a></li>
<li><a href="#scripting">Python でつくる（スクリプト）</a></li>
</ul>

)html";
}

// What the window shows and what is done with a block.
std::string blockSections() {
  return R"html(<h2><a name="screen" id="screen"></a>画面の見かた</h2>
<p>ウィンドウの左側が3Dの部屋です。部屋には四方の壁、天井と床があり、まん中に茶色のテーブルがあります。
テーブルの上には、ブロックを置けるマス目が立方体の形にならんでいて、それぞれのマスの中心に小さな赤い玉が見えます。
いちばん高い角のマスだけは玉が緑色です。ここが新しいブロックの出てくるマスです。</p>
<p>右側の木目のパネルには、ブロックをふやす・消す・動かすボタンと、部屋を回すボタンがあります。
ボタンの上にマウスを置くと、そのボタンの説明が出ます。</p>
<p>上はツールバー、下はステータスバーです。ステータスバーの右側には選んでいるブロックのマス
（たとえば「(4,0,2)を選択」）が、何も選んでいないときは「選択中のブロックはないよ」と出ます。
左側には、読み込んだり保存したりしたファイルの場所と名前（たとえば「/home/you/積み木/tower.kbs」）が出ます。「新規作成」で消えます。</p>
<p>方角は、正面から見たとき、窓のある奥の壁が南、手前が北です。東は左、西は右になります。</p>
<p>ウィンドウは、ふちをドラッグして広げたり、最大化したりできます。広げた分はすべて部屋の絵が大きくなり、右のパネルは同じ大きさのまま部屋のすぐ右にあります。
はじめの大きさより小さくはなりません。ウィンドウの大きさと場所は、次に起動したときもそのままです。</p>

<h2><a name="add" id="add"></a>ブロックをふやす</h2>
<p>パネルのいちばん上の左のボタン（赤い光の前の水色の立方体）を押すと、青いブロックがひとつ、
緑の玉のマス（いちばん高い角）にあらわれ、そのブロックが選ばれた状態になります。</p>
<p>そのマスにもうブロックがあるときは「カシャ」と音がして、何も起こりません。
続けてふやしたいときは、先にブロックを動かしてマスを空けてください。</p>

<h2><a name="select" id="select"></a>ブロックを選ぶ</h2>
<p>部屋の中のブロックをマウスでクリックすると、そのブロックが選ばれます。
ステータスバーに選んだマスが出ます。ブロックのない所（壁、床、テーブル、赤い玉など）をクリックすると、選択は解除されます。</p>

<h2><a name="color" id="color"></a>ブロックの色を変える</h2>
<p>ブロックを<span class="key">右クリック</span>すると、そのブロックが選ばれて「色の変更」のメニューが出ます。
「赤」「青」「黄」「緑」「マゼンタ」「シアン」から選ぶと、ブロックがその色になります。</p>
<p>ほかの色にしたいときは、メニューのいちばん下の「その他の色…」を選びます。色を選ぶウィンドウが、いまのブロックの色で開きます。
好きな色を選んで「OK」を押すと、ブロックがその色になります。どんな色でも、保存したファイルにそのまま記録されます。</p>

<h2><a name="move" id="move"></a>ブロックを動かす</h2>
<p>選んでいるブロックを、パネルのまん中の六つのボタンで一マスずつ動かします。</p>
<table>
<tr><th>ボタン</th><th>動く向き</th></tr>
<tr><td>X</td><td>東に動かします</td></tr>
<tr><td>-X</td><td>西に動かします</td></tr>
<tr><td>Y</td><td>上に動かします</td></tr>
<tr><td>-Y</td><td>下に動かします</td></tr>
<tr><td>Z</td><td>北に動かします</td></tr>
<tr><td>-Z</td><td>南に動かします</td></tr>
</table>
<p>マス目の外には出られません。行き先に別のブロックがあるときも動きません。どちらのときも「カシャ」と音がします。
重力はないので、ブロックは宙に浮かせておくこともできます。</p>

<h2><a name="delete" id="delete"></a>ブロックを消す</h2>
<p>ブロックを選んでから、パネルのいちばん上の右のボタン（星の出ている立方体）を押すと、選んでいるブロックが消えます。</p>

)html";
}

// Turning the room, the views and the cell count.
std::string roomSections() {
  return R"html(<h2><a name="turn" id="turn"></a>部屋を回す</h2>
<p>パネルの下の十字にならんだ四つの矢印のボタンで、部屋を少しずつ回せます。</p>
<table>
<tr><th>ボタン</th><th>はたらき</th></tr>
<tr><td>上向きの矢印</td><td>上から見下ろします</td></tr>
<tr><td>下向きの矢印</td><td>下から見上げます</td></tr>
<tr><td>左向きの矢印</td><td>左に回ります</td></tr>
<tr><td>右向きの矢印</td><td>右に回ります</td></tr>
</table>
<p>メニューの「表示」→「回転（回転方向変更）」かツールバーの回転のボタンで、部屋が回り続けます。
回っているあいだにもう一度選ぶと、回る向きが「上→下→右→左→上…」の順に変わります。
止めるときは「回転停止」（ツールバーの赤い進入禁止のボタン）です。</p>

<h2><a name="view" id="view"></a>見る方向を変える</h2>
<p>メニューの「表示」かツールバーで、決まった四つの方向から部屋を見られます。回した向きは元に戻ります。</p>
<table>
<tr><th>メニュー</th><th>ツールバー</th><th>見えかた</th></tr>
<tr><td>正面から</td><td>前</td><td>正面から見たところ（はじめの向き）</td></tr>
<tr><td>上から</td><td>上</td><td>上から見たところ</td></tr>
<tr><td>右側面から</td><td>右</td><td>右から見たところ</td></tr>
<tr><td>ななめうえから</td><td>鳥</td><td>ななめうえから見たところ</td></tr>
</table>

<h2><a name="divide" id="divide"></a>辺の分割数（マスの数）</h2>
<p>メニューの「オプション」→「辺の分割数」で、一辺のマスの数を「3」「4」「5」から選べます。
はじめは5（5×5×5のマス）です。分割数を変えると、置いてあったブロックはすべて消え、新しいマス目が作られます。</p>
<p>区切り線の下の「6」「8」「10」「12」「16」を選ぶと、もっと大きな部屋になります（いちばん大きくて16×16×16のマス）。
ファイルを読み込むと、そのファイルの分割数に印が付きます（一覧にない数のときは、どれにも印は付きません）。</p>

<h2><a name="sound" id="sound"></a>効果音</h2>
<p>「オプション」→「効果音」で、ブロックを置いたり動かしたり部屋を回したりするときの音を出すかどうかを選べます。はじめは音が出ます（印が付いています）。
音が出るときは、音が鳴り終わってから次の操作に移ります。音を消すと何も待たないので、大きな配置もすぐに読み込めます。
選んだ設定は、次に起動したときもそのままです。</p>

)html";
}

// Files, the clipboard, undo and redo.
std::string fileSections() {
  return R"html(<h2><a name="file" id="file"></a>新規作成・読み込み・保存</h2>
<p><b>新規作成</b>：「ファイル」→「新規作成」で、ブロックをすべて消して最初からやり直します。</p>
<p><b>保存</b>：「ファイル」→「保存」かツールバーのフロッピーディスクのボタンで、保存のウィンドウが開きます。
「保存ﾌｧｲﾙ名」の欄に名前を入れて「cmdOK」を押すと、プログラムのフォルダーの中の「data」フォルダーに保存されます。
名前の最後に「.kbs」がなければ自動で付きます（たとえば「room」は「room.kbs」になります）。
一覧の名前をクリックすると、その名前が欄に入ります。</p>
<p>保存のウィンドウが開くと、「保存ﾌｧｲﾙ名」の欄にすぐ文字を打てます。<span class="key">Enter</span> キーは「cmdOK」、<span class="key">Esc</span> キーは「cmdCancel」と同じです（もとのプログラムのウィンドウでは、どちらのキーも効きませんでした）。
読み込みのウィンドウでも同じです。</p>
<p>すでにあるファイルの名前で保存しようとすると、「上書きしますか？」と聞かれます。「はい」で上書きし、「いいえ」ならファイルはそのままで、名前を選び直せます。</p>
<p><b>読み込み</b>：「ファイル」→「読み込み」かツールバーのフォルダーのボタンで、「data」フォルダーのファイルの一覧が出ます。
ファイルを選んで「cmdOK」を押すか、ダブルクリックすると、その配置が読み込まれます。ファイルに記録された分割数も元に戻ります。</p>
<p>名前を選ばずに「cmdOK」を押すと「ファイル名を入力してください」と出ます。やめるときは「cmdCancel」を押してください。</p>
<p><b>保存していない変更があるとき</b>：最後に保存したり読み込んだりしたあとでブロックを変えたまま、「新規作成」「読み込み」「辺の分割数」の変更や終了をしようとすると、
「変更を保存しますか？」と聞かれます。「はい」を押すと保存のウィンドウが開き、保存してから続けます（保存をやめたときや保存できなかったときは、そこで止まります）。
「いいえ」を押すと保存せずに続け、「キャンセル」を押すと何もしません。変更がないときは何も聞かれません。
ブロックがひとつもなく、まだどのファイルにも保存していない部屋（「新規作成」のあとなど）も、聞かれません。</p>
<p><b>読み込めないとき・保存できないとき</b>：ファイルが積み木の配置でなかったり壊れていたりすると、「「…」を読み込めませんでした。」と、その理由（たとえば「2行目: zの "zero" が数ではありません」）が出ます。部屋はそのままです。
保存できないとき（フォルダーの名前を選んだ、書き込みが許可されていないなど）も、理由といっしょに知らせます。前のファイルはこわれません。</p>

<h2><a name="open" id="open"></a>どこのフォルダーでも：開く・上書き保存・名前を付けて保存</h2>
<p>「読み込み」と「保存」は「data」フォルダーだけを使います。ほかのフォルダーのファイルは、「ファイル」メニューの次の項目で扱います。</p>
<table>
<tr><th>項目</th><th>キー</th><th>はたらき</th></tr>
<tr><td>開く…</td><td><span class="key">Ctrl＋O</span></td><td>ファイルを選ぶウィンドウで、どこのフォルダーからでも積み木の配置（.kbs）を読み込みます。ボクセルモデル（.vox、一辺16マスまで）も開けます。</td></tr>
<tr><td>上書き保存</td><td><span class="key">Ctrl＋S</span></td><td>いまの配置を、読み込んだ（または最後に保存した）ファイルにそのまま書き戻します。まだファイルがないとき、または .vox から開いたときは、「名前を付けて保存」と同じく名前を聞きます。</td></tr>
<tr><td>名前を付けて保存…</td><td><span class="key">Ctrl＋Shift＋S</span></td><td>ファイルを選ぶウィンドウで、どこのフォルダーにでも名前を付けて保存します。「.kbs」は自動で付きます。すでにあるファイルを選ぶと「上書きしますか？」と聞かれ、「いいえ」ならもう一度名前を選べます。</td></tr>
<tr><td>最近使ったファイル</td><td><span class="key">Alt＋F</span>、<span class="key">R</span></td><td>最近読み込んだり保存したりしたファイルを、新しい順に8つまで出します。選ぶとそのファイルを開きます（なくなったファイルは一覧から消えます）。</td></tr>
</table>

<h2><a name="copy" id="copy"></a>画面をクリップボードにコピー</h2>
<p>「編集」→「画面をクリップボードにコピー」で、いま見えている部屋の絵をクリップボードにコピーします。
ほかのお絵かきソフトなどに貼り付けられます。</p>

<h2><a name="undo" id="undo"></a>元に戻す・やり直し</h2>
<p>「編集」→「元に戻す」（<span class="key">Ctrl＋Z</span>）で、ブロックへの最後の変更を取り消します。
取り消した変更は「編集」→「やり直し」（<span class="key">Ctrl＋Y</span> または <span class="key">Ctrl＋Shift＋Z</span>）でもう一度おこなえます。</p>
<p>取り消せるのは、ブロックをふやす・消す・動かす・色を変える、「新規作成」、読み込み、「辺の分割数」の変更です。
分割数の変更を取り消すと、前の分割数と、そのとき置いてあったブロックがすべて戻ります。部屋を回したり見る方向を変えたりするのは変更ではないので、取り消しの対象になりません。</p>
<p>取り消しややり直しのあとは、その変更で動いたブロックが選ばれた状態になります（消えたときは何も選ばれません）。
変更の記録は、プログラムを終えるまでいくつでも残ります。取り消すものがないときは「元に戻す」が、やり直すものがないときは「やり直し」が選べなくなります。</p>

)html";
}

// The keys, the toolbar, the menus, the version and the end.
std::string referenceSections() {
  return R"html(<h2><a name="keys" id="keys"></a>キーボードでの操作</h2>
<p>メインウィンドウで、次のキーが使えます（ファイルのウィンドウを開いているあいだは使えません）。</p>
<table>
<tr><th>キー</th><th>はたらき</th><th>同じボタン</th></tr>
<tr><td><span class="key">Insert</span></td><td>ひとつブロックをふやします</td><td>ブロックをふやすボタン</td></tr>
<tr><td><span class="key">Delete</span></td><td>選択中のブロックを消します</td><td>ブロックを消すボタン</td></tr>
<tr><td><span class="key">←</span></td><td>東に動かします</td><td>X</td></tr>
<tr><td><span class="key">→</span></td><td>西に動かします</td><td>-X</td></tr>
<tr><td><span class="key">Page Up</span></td><td>上に動かします</td><td>Y</td></tr>
<tr><td><span class="key">Page Down</span></td><td>下に動かします</td><td>-Y</td></tr>
<tr><td><span class="key">↓</span></td><td>北（手前）に動かします</td><td>Z</td></tr>
<tr><td><span class="key">↑</span></td><td>南（奥）に動かします</td><td>-Z</td></tr>
<tr><td><span class="key">Ctrl＋Z</span></td><td>元に戻す</td><td>編集 → 元に戻す</td></tr>
<tr><td><span class="key">Ctrl＋Y</span>、<span class="key">Ctrl＋Shift＋Z</span></td><td>やり直し</td><td>編集 → やり直し</td></tr>
<tr><td><span class="key">Ctrl＋C</span></td><td>画面をクリップボードにコピー</td><td>編集 → 画面をクリップボードにコピー</td></tr>
<tr><td><span class="key">Ctrl＋N</span></td><td>新規作成</td><td>ファイル → 新規作成</td></tr>
<tr><td><span class="key">Ctrl＋O</span></td><td>開く</td><td>ファイル → 開く…</td></tr>
<tr><td><span class="key">Ctrl＋S</span></td><td>上書き保存</td><td>ファイル → 上書き保存</td></tr>
<tr><td><span class="key">Ctrl＋Shift＋S</span></td><td>名前を付けて保存</td><td>ファイル → 名前を付けて保存…</td></tr>
<tr><td><span class="key">Ctrl＋Q</span></td><td>終了</td><td>ファイル → 終了</td></tr>
<tr><td><span class="key">F1</span></td><td>このヘルプ</td><td>ヘルプ → Kubisto!!のヘルプ</td></tr>
<tr><td><span class="key">Alt＋F</span>、<span class="key">Alt＋E</span>、<span class="key">Alt＋V</span>、<span class="key">Alt＋O</span>、<span class="key">Alt＋H</span></td><td>メニューを開きます</td><td>ファイル(F) ／ 編集(E) ／ 表示(V) ／ オプション(O) ／ ヘルプ(H)</td></tr>
</table>
<p>メニューの項目の右に、その項目のキーが出ています。</p>
<p>矢印の向きは、正面から見たときの画面の向きに合わせてあります（東は左、南は奥）。部屋を回すのは、これまでどおりパネルの矢印のボタンです。</p>

<h2><a name="toolbar" id="toolbar"></a>ツールバーのボタン</h2>
<p>左から順に、次のボタンがならんでいます。</p>
<table>
<tr><th>絵</th><th>キー</th><th>説明</th><th>同じメニュー</th></tr>
<tr><td><img src="../images/tb_fin.png" alt="×"></td><td>Fin</td><td>アプリケーションを終了します。</td><td>ファイル → 終了</td></tr>
<tr><td><img src="../images/tb_load.png" alt="フォルダー"></td><td>Load</td><td>データを読み込みます。</td><td>ファイル → 読み込み</td></tr>
<tr><td><img src="../images/tb_save.png" alt="フロッピー"></td><td>Save</td><td>データを保存します。</td><td>ファイル → 保存</td></tr>
<tr><td><img src="../images/tb_turn.png" alt="回転"></td><td>ViewTurn</td><td>連続回転（回転方向変更）</td><td>表示 → 回転（回転方向変更）</td></tr>
<tr><td><img src="../images/tb_stop.png" alt="停止"></td><td>StopTurn</td><td>回転停止</td><td>表示 → 回転停止</td></tr>
<tr><td><img src="../images/tb_front.png" alt="前"></td><td>FrontView</td><td>正面から見たところ</td><td>表示 → 正面から</td></tr>
<tr><td><img src="../images/tb_top.png" alt="上"></td><td>TopView</td><td>上から見たところ</td><td>表示 → 上から</td></tr>
<tr><td><img src="../images/tb_side.png" alt="右"></td><td>SideView</td><td>右から見たところ</td><td>表示 → 右側面から</td></tr>
<tr><td><img src="../images/tb_bird.png" alt="鳥"></td><td>BirdView</td><td>ななめうえから見たところ</td><td>表示 → ななめうえから</td></tr>
</table>

<h2><a name="menu" id="menu"></a>メニューの一覧</h2>
<table>
<tr><th>メニュー</th><th>項目</th></tr>
<tr><td>ファイル</td><td>新規作成 ／ 読み込み ／ 保存 ／ 開く… ／ 上書き保存 ／ 名前を付けて保存… ／ 最近使ったファイル ／ 終了</td></tr>
<tr><td>編集</td><td>元に戻す ／ やり直し ／ 画面をクリップボードにコピー</td></tr>
<tr><td>表示</td><td>回転（回転方向変更） ／ 回転停止 ／ 正面から ／ 上から ／ 右側面から ／ ななめうえから</td></tr>
<tr><td>オプション</td><td>辺の分割数 → 3 ／ 4 ／ 5 ／ 6 ／ 8 ／ 10 ／ 12 ／ 16 ／ 効果音</td></tr>
<tr><td>ヘルプ</td><td>Kubisto!!のヘルプ ／ バージョン情報</td></tr>
</table>
<p>ブロックを右クリックしたときに出る「色の変更」メニュー：赤 ／ 青 ／ 黄 ／ 緑 ／ マゼンタ ／ シアン ／ その他の色…</p>

<h2><a name="version" id="version"></a>バージョン情報と終了</h2>
<p>「ヘルプ」→「バージョン情報」で、タイトルの絵とバージョンが出ます。絵をクリックすると閉じます。</p>
<p>終わるときは「ファイル」→「終了」、ツールバーの×のボタン、またはウィンドウの閉じるボタンを使います。
保存していない変更があるときは、終わる前に「変更を保存しますか？」と聞かれます（<a href="#file">新規作成・読み込み・保存</a>を見てください）。</p>
<p><a href="#contents">もくじへ戻る</a></p>
)html";
}

}  // namespace

std::string helpDocument() {
  return helpPageHead("ja", "Oh!Kubisto!! のヘルプ") + introAndContents() + blockSections() +
         roomSections() + fileSections() + referenceSections() + helpScriptingSection() +
         R"html(</body>
</html>
)html";
}

}  // namespace assetgen
