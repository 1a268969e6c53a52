// The help document in English: the same page as the Japanese one, section by section, with the
// wording of the English interface.
#include "pictures.h"

namespace assetgen {

namespace {

// The title, the introduction and the contents.
std::string introAndContents() {
  return R"html(<h1><a name="contents" id="contents"></a>Super-Easy 3D Blocks “Oh!Kubisto!!”: Help</h1>
<p>Oh!Kubisto!! is a 3D set of building blocks: you stack colourful cube-shaped blocks on a table in a small room.</p>

<h2>Contents</h2>
<ul>
<li><a href="#screen">What you see</a></li>
<li><a href="#add">Adding a block</a></li>
<li><a href="#select">Selecting a block</a></li>
<li><a href="#color">Changing a block's colour</a></li>
<li><a href="#move">Moving a block</a></li>
<li><a href="#delete">Deleting a block</a></li>
<li><a href="#turn">Turning the room</a></li>
<li><a href="#view">Changing the direction you look from</a></li>
<li><a href="#divide">Cells per side (the number of cells)</a></li>
<li><a href="#sound">Sound effects</a></li>
<li><a href="#file">New, Load and Save</a></li>
<li><a href="#open">Any folder: Open, Save and Save As</a></li>
<li><a href="#copy">Copying the view to the clipboard</a></li>
<li><a href="#undo">Undo and Redo</a></li>
<li><a href="#keys">Using the keyboard</a></li>
<li><a href="#toolbar">The toolbar buttons</a></li>
<li><a href="#menu">All the menus</a></li>
<li><a href="#version">Version information and exiting</a></li>
<li><a href="#scripting">Building with Python (scripts)</a></li>
</ul>

)html";
}

// What the window shows and what is done with a block.
std::string blockSections() {
  return R"html(<h2><a name="screen" id="screen"></a>What you see</h2>
<p>The left side of the window is the 3D room. The room has four walls, a ceiling and a floor, and a brown table in the middle.
On the table, the cells where blocks can go are lined up in the shape of a cube, and you can see a small red ball in the centre of each cell.
Only the cell in the highest corner has a green ball. That is the cell where new blocks appear.</p>
<p>The wood-grain panel on the right has buttons to add, delete and move blocks, and buttons to turn the room.
Rest the mouse on a button to see what it does.</p>
<p>At the top is the toolbar, at the bottom the status bar. The right side of the status bar shows the cell of the selected block
(for example “(4,0,2) selected”), or “No block is selected” when nothing is selected.
The left side shows where the file you loaded or saved lies and its name (for example “/home/you/blocks/tower.kbs”); “New” clears it.</p>
<p>Directions: seen from the front, the far wall with the window is south and the near side is north. East is on the left and west on the right.</p>
<p>You can make the window larger by dragging its edges, or maximise it. All the extra room goes to the picture of the room; the panel on the right keeps its size, just right of the room.
The window never gets smaller than at first. Its size and place are the same the next time you start the program.</p>

<h2><a name="add" id="add"></a>Adding a block</h2>
<p>Press the left button at the top of the panel (a light-blue cube in front of a red light): a blue block appears
in the cell with the green ball (the highest corner), and that block is selected.</p>
<p>If that cell already holds a block, you hear a “clack” and nothing happens.
To add more blocks, first move the block away to free the cell.</p>

<h2><a name="select" id="select"></a>Selecting a block</h2>
<p>Click a block in the room with the mouse to select it.
The status bar shows the selected cell. Clicking where there is no block (a wall, the floor, the table, a red ball and so on) clears the selection.</p>

<h2><a name="color" id="color"></a>Changing a block's colour</h2>
<p><span class="key">Right-click</span> a block to select it and open the “Change Colour” menu.
Choose “Red”, “Blue”, “Yellow”, “Green”, “Magenta” or “Cyan”, and the block takes that colour.</p>
<p>For any other colour, choose “Other Colour…” at the bottom of the menu. A window for choosing a colour opens, set to the block's present colour.
Pick the colour you like and press “OK”: the block takes that colour. Whatever the colour, it is recorded just as it is in the file you save.</p>

<h2><a name="move" id="move"></a>Moving a block</h2>
<p>The six buttons in the middle of the panel move the selected block one cell at a time.</p>
<table>
<tr><th>Button</th><th>Direction</th></tr>
<tr><td>X</td><td>Moves it east</td></tr>
<tr><td>-X</td><td>Moves it west</td></tr>
<tr><td>Y</td><td>Moves it up</td></tr>
<tr><td>-Y</td><td>Moves it down</td></tr>
<tr><td>Z</td><td>Moves it north</td></tr>
<tr><td>-Z</td><td>Moves it south</td></tr>
</table>
<p>A block cannot leave the cells. It does not move either when another block is in the way. Both times you hear a “clack”.
There is no gravity, so a block can also float in the air.</p>

<h2><a name="delete" id="delete"></a>Deleting a block</h2>
<p>Select a block, then press the right button at the top of the panel (a cube with stars coming out of it): the selected block disappears.</p>

)html";
}

// Turning the room, the views and the cell count.
std::string roomSections() {
  return R"html(<h2><a name="turn" id="turn"></a>Turning the room</h2>
<p>The four arrow buttons in a cross at the bottom of the panel turn the room a little at a time.</p>
<table>
<tr><th>Button</th><th>What it does</th></tr>
<tr><td>Up arrow</td><td>Looks down from above</td></tr>
<tr><td>Down arrow</td><td>Looks up from below</td></tr>
<tr><td>Left arrow</td><td>Turns to the left</td></tr>
<tr><td>Right arrow</td><td>Turns to the right</td></tr>
</table>
<p>“View” → “Turn (Change Direction)” in the menu, or the turn button on the toolbar, keeps the room turning.
Choose it again while the room turns, and the direction changes in the order “up → down → right → left → up …”.
To stop, use “Stop Turning” (the red no-entry button on the toolbar).</p>

<h2><a name="view" id="view"></a>Changing the direction you look from</h2>
<p>With the “View” menu or the toolbar, you can look at the room from four fixed directions. Any turning you did is reset.</p>
<table>
<tr><th>Menu</th><th>Toolbar</th><th>What you see</th></tr>
<tr><td>From the Front</td><td><img src="../images/tb_front_en.png" alt="Front"></td><td>Seen from the front (the starting view)</td></tr>
<tr><td>From Above</td><td><img src="../images/tb_top_en.png" alt="Top"></td><td>Seen from above</td></tr>
<tr><td>From the Right Side</td><td><img src="../images/tb_side_en.png" alt="Right"></td><td>Seen from the right</td></tr>
<tr><td>From Above at an Angle</td><td><img src="../images/tb_bird.png" alt="Bird"></td><td>Seen from above at an angle</td></tr>
</table>

<h2><a name="divide" id="divide"></a>Cells per side (the number of cells)</h2>
<p>With “Options” → “Cells per Side” in the menu, you can set the number of cells along each side to “3”, “4” or “5”.
It starts at 5 (5×5×5 cells). When you change it, all the blocks in place disappear and a new set of cells is made.</p>
<p>Below the separator, “6”, “8”, “10”, “12” and “16” make larger rooms (at most 16×16×16 cells).
When you load a file, its number of cells is marked (no entry is marked when the number is not in the list).</p>

<h2><a name="sound" id="sound"></a>Sound effects</h2>
<p>With “Options” → “Sound Effects” you choose whether adding, moving and deleting blocks and turning the room make their sounds. At first they do (the entry is checked).
With the sounds on, each step waits until its sound has finished. With them off nothing waits, so even a large layout loads at once.
Your choice is kept for the next time you start the program.</p>

)html";
}

// Files, the clipboard, undo and redo.
std::string fileSections() {
  return R"html(<h2><a name="file" id="file"></a>New, Load and Save</h2>
<p><b>New</b>: “File” → “New” removes all the blocks, so you can start again from the beginning.</p>
<p><b>Save</b>: “File” → “Save…” or the floppy-disk button on the toolbar opens the window for saving.
Type a name in the “File name” box and press “OK”: the layout is saved in the “data” folder inside the program's folder.
If the name does not end in “.kbs”, it is added for you (for example, “room” becomes “room.kbs”).
Clicking a name in the list puts that name in the box.</p>
<p>When the window for saving opens, you can type in the “File name” box at once. The <span class="key">Enter</span> key is “OK” and the <span class="key">Esc</span> key is “Cancel” (in the original program's window neither key did anything).
The same holds in the window for loading.</p>
<p>If you save under the name of a file that is there already, you are asked “Overwrite it?”. “Yes” replaces the file; with “No” the file stays as it is and you can choose another name.</p>
<p><b>Load</b>: “File” → “Load…” or the folder button on the toolbar shows a list of the files in the “data” folder.
Select a file and press “OK”, or double-click it, and its layout is loaded. The cells per side recorded in the file come back too.</p>
<p>If you press “OK” without choosing a name, you see “Please enter a file name.” To give up, press “Cancel”.</p>
<p><b>When there are unsaved changes</b>: if you have changed the blocks since you last saved or loaded, and you choose “New”, “Load…”, change “Cells per Side” or exit,
you are asked “Save your changes?” Press “Yes” to open the window for saving and go on once the layout is saved (if you give up saving, or the layout cannot be saved, it stops there).
Press “No” to go on without saving, or “Cancel” to do nothing. When there are no changes, you are not asked.
Nor are you asked about a room without blocks that has not been saved to any file yet (after “New”, for example).</p>
<p><b>When a file cannot be loaded or saved</b>: if a file is not a layout or is damaged, you see “Cannot read "…".” with the reason (for example “Line 2: z "zero" is not a number”). The room stays as it was.
When a layout cannot be saved (you chose a folder's name, writing is not permitted, …), you are told why as well. The previous file is never damaged.</p>

<h2><a name="open" id="open"></a>Any folder: Open, Save and Save As</h2>
<p>“Load…” and “Save…” use the “data” folder only. Files in any other folder are handled by these items of the “File” menu.</p>
<table>
<tr><th>Item</th><th>Key</th><th>What it does</th></tr>
<tr><td>Open…</td><td><span class="key">Ctrl+O</span></td><td>Loads a layout (.kbs) from any folder, chosen in the file dialog. Voxel models (.vox, at most 16 cells a side) open too.</td></tr>
<tr><td>Save</td><td><span class="key">Ctrl+S</span></td><td>Writes the layout back to the file it was loaded from (or last saved to). When there is no such file yet, or the layout came from a .vox model, it asks for a name as “Save As…” does.</td></tr>
<tr><td>Save As…</td><td><span class="key">Ctrl+Shift+S</span></td><td>Saves the layout under a name in any folder, chosen in the file dialog; “.kbs” is added for you. Choosing a file that is there already asks “Overwrite it?”; with “No” you can choose again.</td></tr>
<tr><td>Recent Files</td><td><span class="key">Alt+F</span>, <span class="key">R</span></td><td>Lists the eight files you loaded or saved last, newest first. Choosing one opens it (a file that has gone is taken off the list).</td></tr>
</table>

<h2><a name="copy" id="copy"></a>Copying the view to the clipboard</h2>
<p>“Edit” → “Copy the View to the Clipboard” copies the picture of the room, as you see it now, to the clipboard.
You can paste it into a paint program and the like.</p>

<h2><a name="undo" id="undo"></a>Undo and Redo</h2>
<p>“Edit” → “Undo” (<span class="key">Ctrl+Z</span>) takes back the last change to the blocks.
A change you took back can be made again with “Edit” → “Redo” (<span class="key">Ctrl+Y</span> or <span class="key">Ctrl+Shift+Z</span>).</p>
<p>You can undo adding, deleting, moving and recolouring a block, “New”, loading a layout, and changing “Cells per Side”.
Undoing a change of the cells per side brings back the earlier number and all the blocks that were in place then. Turning the room and changing the direction you look from are not changes, so Undo does not take them back.</p>
<p>After an undo or a redo, the block that the change moved is selected (if it disappeared, nothing is selected).
Every change is remembered until you exit the program. “Undo” cannot be chosen when there is nothing to undo, and “Redo” cannot be chosen when there is nothing to redo.</p>

)html";
}

// The keys, the toolbar, the menus, the version and the end.
std::string referenceSections() {
  return R"html(<h2><a name="keys" id="keys"></a>Using the keyboard</h2>
<p>In the main window you can use the following keys (not while a file window is open).</p>
<table>
<tr><th>Key</th><th>What it does</th><th>Same button</th></tr>
<tr><td><span class="key">Insert</span></td><td>Adds a block</td><td>The button that adds a block</td></tr>
<tr><td><span class="key">Delete</span></td><td>Deletes the selected block</td><td>The button that deletes a block</td></tr>
<tr><td><span class="key">←</span></td><td>Moves it east</td><td>X</td></tr>
<tr><td><span class="key">→</span></td><td>Moves it west</td><td>-X</td></tr>
<tr><td><span class="key">Page Up</span></td><td>Moves it up</td><td>Y</td></tr>
<tr><td><span class="key">Page Down</span></td><td>Moves it down</td><td>-Y</td></tr>
<tr><td><span class="key">↓</span></td><td>Moves it north (towards you)</td><td>Z</td></tr>
<tr><td><span class="key">↑</span></td><td>Moves it south (away from you)</td><td>-Z</td></tr>
<tr><td><span class="key">Ctrl+Z</span></td><td>Undo</td><td>Edit → Undo</td></tr>
<tr><td><span class="key">Ctrl+Y</span>, <span class="key">Ctrl+Shift+Z</span></td><td>Redo</td><td>Edit → Redo</td></tr>
<tr><td><span class="key">Ctrl+C</span></td><td>Copy the View to the Clipboard</td><td>Edit → Copy the View to the Clipboard</td></tr>
<tr><td><span class="key">Ctrl+N</span></td><td>New</td><td>File → New</td></tr>
<tr><td><span class="key">Ctrl+O</span></td><td>Open</td><td>File → Open…</td></tr>
<tr><td><span class="key">Ctrl+S</span></td><td>Save</td><td>File → Save</td></tr>
<tr><td><span class="key">Ctrl+Shift+S</span></td><td>Save As</td><td>File → Save As…</td></tr>
<tr><td><span class="key">Ctrl+Q</span></td><td>Exit</td><td>File → Exit</td></tr>
<tr><td><span class="key">F1</span></td><td>This help</td><td>Help → Kubisto!! Help</td></tr>
<tr><td><span class="key">Alt+F</span>, <span class="key">Alt+E</span>, <span class="key">Alt+V</span>, <span class="key">Alt+O</span>, <span class="key">Alt+H</span></td><td>Open a menu</td><td>File / Edit / View / Options / Help</td></tr>
</table>
<p>The menus show each item's key beside it.</p>
<p>The arrow keys follow the screen as seen from the front (east is on the left, south is away from you). To turn the room, use the arrow buttons on the panel as before.</p>

<h2><a name="toolbar" id="toolbar"></a>The toolbar buttons</h2>
<p>From left to right, the toolbar has these buttons.</p>
<table>
<tr><th>Picture</th><th>Key</th><th>Description</th><th>Same menu item</th></tr>
<tr><td><img src="../images/tb_fin.png" alt="×"></td><td>Fin</td><td>Exits the program.</td><td>File → Exit</td></tr>
<tr><td><img src="../images/tb_load.png" alt="Folder"></td><td>Load</td><td>Loads a layout.</td><td>File → Load…</td></tr>
<tr><td><img src="../images/tb_save.png" alt="Floppy disk"></td><td>Save</td><td>Saves the layout.</td><td>File → Save…</td></tr>
<tr><td><img src="../images/tb_turn.png" alt="Turn"></td><td>ViewTurn</td><td>Turn continuously (change direction)</td><td>View → Turn (Change Direction)</td></tr>
<tr><td><img src="../images/tb_stop.png" alt="Stop"></td><td>StopTurn</td><td>Stop Turning</td><td>View → Stop Turning</td></tr>
<tr><td><img src="../images/tb_front_en.png" alt="Front"></td><td>FrontView</td><td>Seen from the front</td><td>View → From the Front</td></tr>
<tr><td><img src="../images/tb_top_en.png" alt="Top"></td><td>TopView</td><td>Seen from above</td><td>View → From Above</td></tr>
<tr><td><img src="../images/tb_side_en.png" alt="Right"></td><td>SideView</td><td>Seen from the right</td><td>View → From the Right Side</td></tr>
<tr><td><img src="../images/tb_bird.png" alt="Bird"></td><td>BirdView</td><td>Seen from above at an angle</td><td>View → From Above at an Angle</td></tr>
</table>

<h2><a name="menu" id="menu"></a>All the menus</h2>
<table>
<tr><th>Menu</th><th>Items</th></tr>
<tr><td>File</td><td>New / Load… / Save… / Open… / Save / Save As… / Recent Files / Exit</td></tr>
<tr><td>Edit</td><td>Undo / Redo / Copy the View to the Clipboard</td></tr>
<tr><td>View</td><td>Turn (Change Direction) / Stop Turning / From the Front / From Above / From the Right Side / From Above at an Angle</td></tr>
<tr><td>Options</td><td>Cells per Side → 3 / 4 / 5 / 6 / 8 / 10 / 12 / 16 / Sound Effects</td></tr>
<tr><td>Help</td><td>Kubisto!! Help / Version Information</td></tr>
</table>
<p>The “Change Colour” menu that opens when you right-click a block: Red / Blue / Yellow / Green / Magenta / Cyan / Other Colour…</p>

<h2><a name="version" id="version"></a>Version information and exiting</h2>
<p>“Help” → “Version Information” shows the title picture and the version. Click the picture to close it.</p>
<p>To exit, use “File” → “Exit”, the × button on the toolbar, or the window's close button.
If there are unsaved changes, you are asked “Save your changes?” before the program ends (see <a href="#file">New, Load and Save</a>).</p>
<p><a href="#contents">Back to the contents</a></p>
)html";
}

}  // namespace

std::string englishHelpDocument() {
  return helpPageHead("en", "Oh!Kubisto!! Help") + introAndContents() + blockSections() +
         roomSections() + fileSections() + referenceSections() + englishHelpScriptingSection() +
         R"html(</body>
</html>
)html";
}

}  // namespace assetgen
