// The help document's section on scripting the program from Python.
#include "pictures.h"

namespace assetgen {

std::string helpScriptingSection() {
  return R"html(
<h2><a name="scripting" id="scripting"></a>Python でつくる（スクリプト）</h2>
<p>Python のプログラムから、ブロックを置いたり動かしたりできます。使うのはモジュール <code>kubisto</code> です。
ウィンドウのない部屋（<code>kubisto.Room()</code>）で作って保存することも、
動いている Oh!Kubisto!! のウィンドウ（<code>kubisto.connect()</code>）に一つずつ積むこともできます。
ウィンドウに積むときは、ボタンを押したときと同じように音が鳴り、画面とステータスバーが変わります。</p>
<pre>
import kubisto
room = kubisto.connect()      # ウィンドウのない部屋なら kubisto.Room()
for i in range(5):
    room.add(i, i, 0, "赤")    # (x, y, z) のマスに赤いブロック
room.save("kaidan.kbs")
</pre>
<table>
<tr><th>命令</th><th>すること</th></tr>
<tr><td>room.add(x, y, z, 色)</td><td>マスにブロックを置いて選びます。もうブロックがあるときは False</td></tr>
<tr><td>room.delete(x, y, z)</td><td>マスのブロックを消します</td></tr>
<tr><td>room.select(x, y, z)</td><td>マスのブロックを選びます（クリックと同じ）</td></tr>
<tr><td>room.move("x")</td><td>選んだブロックを動かします："x" "-x" "y" "-y" "z" "-z"</td></tr>
<tr><td>room.current ／ room.blocks()</td><td>選んでいるブロック ／ 全部のブロック (x, y, z, 色)</td></tr>
<tr><td>room.clear() ／ room.divide = 4</td><td>全部消します ／ 辺の分割数を変えます</td></tr>
<tr><td>room.load(名前) ／ room.save(名前)</td><td>データを読み込みます ／ 保存します</td></tr>
<tr><td>room.view("bird") ／ room.turn("left")</td><td>見る方向を変えます ／ 部屋を回します</td></tr>
<tr><td>room.render("e.png")</td><td>ウィンドウのない部屋の絵を PNG で書きます</td></tr>
</table>
<p>色は「赤」「青」「黄」「緑」「マゼンタ」「シアン」（red, blue, yellow, green, magenta, cyan）、
"#RRGGBB"、または数 0xBBGGRR で指定します。くわしくは Python で <code>help(kubisto)</code> を見てください。</p>
<p>メニューやファイルのウィンドウが開いているあいだ、スクリプトの命令は閉じるまで待ちます。
スクリプトを受け付けたくないときは、<code>kubisto --no-script-server</code> で起動します。</p>
<p><a href="#contents">もくじへ戻る</a></p>
)html";
}

}  // namespace assetgen
