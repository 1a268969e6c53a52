// The English help document's section on scripting the program from Python.
#include "pictures.h"

namespace assetgen {

std::string englishHelpScriptingSection() {
  return R"html(
<h2><a name="scripting" id="scripting"></a>Building with Python (scripts)</h2>
<p>A Python program can place and move blocks. It uses the module <code>kubisto</code>.
You can build in a room without a window (<code>kubisto.Room()</code>) and save it,
or stack blocks one at a time in the window of a running Oh!Kubisto!! (<code>kubisto.connect()</code>).
When you build in the window, the sounds play just as when you press the buttons, and the view and the status bar change.</p>
<pre>
import kubisto
room = kubisto.connect()      # or kubisto.Room() for a room without a window
for i in range(5):
    room.add(i, i, 0, "red")  # a red block in the cell (x, y, z)
room.save("stairs.kbs")
</pre>
<table>
<tr><th>Command</th><th>What it does</th></tr>
<tr><td>room.add(x, y, z, colour)</td><td>Places a block in the cell and selects it. False if the cell already holds a block</td></tr>
<tr><td>room.delete(x, y, z)</td><td>Deletes the block in the cell</td></tr>
<tr><td>room.select(x, y, z)</td><td>Selects the block in the cell (like clicking it)</td></tr>
<tr><td>room.move("x")</td><td>Moves the selected block: "x" "-x" "y" "-y" "z" "-z"</td></tr>
<tr><td>room.current / room.blocks()</td><td>The selected block / all the blocks (x, y, z, colour)</td></tr>
<tr><td>room.clear() / room.divide = 4</td><td>Deletes them all / changes the cells per side</td></tr>
<tr><td>room.load(name) / room.save(name)</td><td>Loads a layout / saves it</td></tr>
<tr><td>room.view("bird") / room.turn("left")</td><td>Changes the direction you look from / turns the room</td></tr>
<tr><td>room.render("e.png")</td><td>Writes the picture of a room without a window as a PNG</td></tr>
</table>
<p>Give a colour by name (red, blue, yellow, green, magenta, cyan, or the same six names in Japanese),
as "#RRGGBB", or as a number 0xBBGGRR. For more, see <code>help(kubisto)</code> in Python.</p>
<p>While a menu or a file window is open, script commands wait until it closes.
If you do not want the program to take scripts, start it with <code>kubisto --no-script-server</code>.</p>
<p><a href="#contents">Back to the contents</a></p>
)html";
}

}  // namespace assetgen
