// The web module's dispatcher and undo history under node: the room commands by name with the
// command table's checks and messages, undo and redo with their texts, the unsaved-work rule, the
// sounds reported to the page, and picking.
// Run: node room_test.js <site folder>
"use strict";
const assert = require("assert");
const { loadKubisto } = require("./kubisto_node.js");

function refused(k, what, f, words) {
  assert.throws(f, (e) => e.message.includes(words), `${what}: refused with "${words}"`);
}

async function main() {
  const k = await loadKubisto(process.argv[2]);
  k.create(416, 338);
  assert.deepStrictEqual(k.state(), { divide: 5, current: null, blocks: 0, undo: "", redo: "",
    modified: false, sounds: [], messages: [] });

  // Commands by name, their results, and the checks of their arguments.
  assert.strictEqual(k.run("add", 4, 4, 4, "red"), true);
  assert.strictEqual(k.run("add", 4, 4, 4, "blue"), false, "a taken cell is refused");
  assert.deepStrictEqual(k.state().sounds.includes("kasha"), true, "the refusal's sound");
  assert.strictEqual(k.run("move", "-x"), true);
  assert.deepStrictEqual(k.run("current"), [3, 4, 4, 0x0000ff]);
  assert.strictEqual(k.run("recolour", "#00FF00"), true);
  assert.deepStrictEqual(k.run("blocks"), [[3, 4, 4, 0x00ff00]]);
  assert.strictEqual(k.run("get_divide"), 5);
  refused(k, "a cell outside", () => k.run("add", 5, 0, 0, 0), "outside the room: each of x, y, z is 0..4");
  refused(k, "a bad view", () => k.run("view", "under"), "unknown view \"under\"");
  refused(k, "a bad colour", () => k.run("add", 0, 0, 0, "pink"), "unknown colour \"pink\"");
  refused(k, "a non-number", () => k.run("add", "one", 0, 0, 0), "give a whole number");
  refused(k, "too few arguments", () => k.run("add", 1, 2), "add takes 4 arguments, not 2");
  refused(k, "a headless command", () => k.run("render", "a.png", "1", "FRONT"), "unknown command \"render\"");
  refused(k, "an unknown command", () => k.run("explode"), "unknown command");
  refused(k, "a hidden file", () => k.run("save", "/files/.x"), "hidden");
  assert.deepStrictEqual(k.run("blocks"), [[3, 4, 4, 0x00ff00]], "refused commands changed the room");

  // The whole room is replaced only when the page says that unsaved work may go.
  assert.strictEqual(k.state().modified, true);
  refused(k, "clear with unsaved work", () => k.run("clear"), "unsaved work");
  assert.strictEqual(k.errorKind(), "ValueError");
  refused(k, "too many arguments", () => k.run("move", "x", "y"), "move takes 1 argument, not 2");
  assert.strictEqual(k.errorKind(), "TypeError");
  // A file that is no layout is refused before the unsaved work is looked at: the page tells it
  // without asking about the work first.
  assert.strictEqual(k.load(Buffer.from("5\r\n1,2,x,255\r\n"), "broken.kbs", false), false);
  assert.strictEqual(k.errorKind(), "OSError");
  assert.match(k.error(), /broken\.kbs/);
  k.run("get_divide");
  assert.strictEqual(k.errorKind(), "", "a success clears the kind");
  refused(k, "a cell count with unsaved work", () => k.run("set_divide", 3), "unsaved work");
  k.save();
  assert.strictEqual(k.state().modified, false, "a save counts the room saved");
  k.run("set_divide", 3);
  assert.strictEqual(k.state().modified, true, "a cell count other than the file's is unsaved work");

  // Undo and redo walk back through every change with the command table's texts.
  assert.strictEqual(k.state().undo, "辺の分割数");
  assert.ok(k.undo());
  assert.strictEqual(k.state().divide, 5);
  assert.deepStrictEqual(k.run("blocks"), [[3, 4, 4, 0x00ff00]]);
  assert.strictEqual(k.state().undo, "色の変更");
  assert.strictEqual(k.state().redo, "辺の分割数");
  assert.ok(k.undo());
  assert.deepStrictEqual(k.state().current, [3, 4, 4], "undoing a block's change selects it");
  assert.ok(k.undo() && k.undo());
  assert.deepStrictEqual(k.run("blocks"), []);
  assert.strictEqual(k.undo(), false, "nothing left to undo");
  assert.ok(k.redo() && k.redo());
  assert.deepStrictEqual(k.run("blocks"), [[3, 4, 4, 0x0000ff]]);
  k.run("add", 0, 0, 0, 255);
  assert.strictEqual(k.state().redo, "", "a new change drops what could be redone");
  assert.strictEqual(k.redo(), false);

  // A click on the view picks the block under it, or none.
  k.run("clear", true);
  k.run("add", 2, 0, 2, "magenta");
  k.run("view", "bird");
  // The middle of the magenta pixels: the block, as no wall has that colour.
  const rgba = k.render();
  const xs = [], ys = [];
  for (let p = 0; p < 416 * 338; ++p)
    if (rgba[4 * p] > 150 && rgba[4 * p + 1] < 40 && rgba[4 * p + 2] > 150) xs.push(p % 416), ys.push(Math.floor(p / 416));
  const middle = (v) => v.sort((a, b) => a - b)[v.length >> 1];
  const at = xs.length ? [middle(xs), middle(ys)] : null;
  assert.ok(at, "the magenta block cannot be seen");
  k.pick(0, 0);
  assert.strictEqual(k.state().current, null, "a click on the wall selects nothing");
  k.pick(at[0], at[1]);
  assert.deepStrictEqual(k.state().current, [2, 0, 2]);
  // Calls out of range are refused with a message and keep the room.
  for (const [x, y] of [[NaN, NaN], [1e9, -1e9], [-5, 3]]) k.pick(x, y);
  assert.strictEqual(k.state().current, null);
  assert.throws(() => k.create(0, 10), /size 0 x 10: give 1\.\.8192 pixels each way/);
  assert.throws(() => k.resize(416, 100000), /give 1\.\.8192/);
  assert.deepStrictEqual(k.run("blocks"), [[2, 0, 2, 0xff00ff]]);
  assert.strictEqual(k.render().length, 416 * 338 * 4);
  console.log("ok commands, undo and picking");
}

main().catch((e) => {
  console.error(e.stack || e.message || e);
  process.exit(1);
});
