// The compiled part of the Python package kubisto: the headless Room and the colour names.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <climits>
#include <cstdint>
#include <string>

#include "output/export_model.h"
#include "output/headless_services.h"
#include "python/headless_room.h"
#include "workroom/room_commands.h"

namespace py = pybind11;
using kubisto::script::HeadlessRoom;
namespace commands = kubisto::commands;

namespace {

// A whole number as a script gave it, for messages (a huge one by its size alone).
std::string NumberText(const py::handle& value) {
  const auto bits =
      py::reinterpret_borrow<py::object>(value).attr("bit_length")().cast<long long>();
  if (bits > 256) return "(a number of " + std::to_string(bits) + " bits)";
  return py::str(value).cast<std::string>();
}

// A whole-number argument as a long long; beyond it, a ValueError that says the number is out of
// range. Anything but an integer (a bool included) is a TypeError.
long long WholeNumber(const py::handle& value, const std::string& name, const std::string& range) {
  if (py::isinstance<py::bool_>(value) || py::isinstance<py::float_>(value) ||
      !PyIndex_Check(value.ptr()))
    throw py::type_error(name + ": give an integer");
  const py::int_ number = py::reinterpret_steal<py::int_>(PyNumber_Index(value.ptr()));
  if (!number) throw py::error_already_set();
  int overflow = 0;
  const long long v = PyLong_AsLongLongAndOverflow(number.ptr(), &overflow);
  if (overflow != 0) commands::FailOutOfRange(name, NumberText(number), range);
  return v;
}

std::int32_t Int32(const py::handle& value, const std::string& name, const std::string& range) {
  const long long v = WholeNumber(value, name, range);
  if (v < INT32_MIN || v > INT32_MAX) commands::FailOutOfRange(name, std::to_string(v), range);
  return static_cast<std::int32_t>(v);
}

std::int32_t Divide(const py::handle& value) {
  return Int32(value, "divide", commands::RangeText(commands::Arg::kDivide));
}

// A cell's coordinates, each a whole number; the room checks them against its size.
struct CellArgs {
  std::int32_t x, y, z;
};
CellArgs Cell(const HeadlessRoom& room, const py::handle& x, const py::handle& y,
              const py::handle& z) {
  const std::string range = commands::RangeText(commands::Arg::kCell, room.Divide());
  return {Int32(x, "x", range), Int32(y, "y", range), Int32(z, "z", range)};
}

// A colour as a script gives it: an int 0xBBGGRR or a name (see ColourFromName).
std::int32_t ToColour(const py::object& colour) {
  if (py::isinstance<py::bool_>(colour))
    throw py::type_error("colour: give a number or a name, not a bool");
  if (py::isinstance<py::str>(colour)) return commands::ColourFromName(colour.cast<std::string>());
  if (py::isinstance<py::int_>(colour))
    return commands::ColourFromValue(
        WholeNumber(colour, "colour", commands::RangeText(commands::Arg::kColour)));
  throw py::type_error("colour: give a number 0xBBGGRR or a name such as \"red\" or \"#FF0000\"");
}

// A path as the script gave it (str, bytes or path-like), in the file system's own bytes.
std::string PathOf(const py::object& path) {
  return py::module_::import("os").attr("fsencode")(path).cast<std::string>();
}

bool DiscardOf(const HeadlessRoom& room, const py::object& discard) {
  return discard.is_none() ? room.Discard() : py::cast<bool>(py::bool_(discard));
}

// The program's data folder (wall pictures), told by the package when it is imported.
std::string& DataDir() {
  static std::string dir = ".";
  return dir;
}

py::tuple BlockTuple(const kubisto::LayoutRecord& b) {
  return py::make_tuple(b.x, b.y, b.z, b.color);
}

using RoomClass = py::class_<HeadlessRoom>;

// The module's functions and the exceptions its rooms raise.
void DefineFunctions(py::module_& m) {
  py::register_exception<kubisto::script::FileError>(m, "FileError", PyExc_OSError);
  // A refused command raises the exception its fault names.
  py::register_exception_translator([](std::exception_ptr error) {
    try {
      if (error) std::rethrow_exception(error);
    } catch (const commands::CommandError& refused) {
      PyObject* kind = refused.fault() == commands::Fault::kType   ? PyExc_TypeError
                       : refused.fault() == commands::Fault::kFile ? PyExc_OSError
                                                                   : PyExc_ValueError;
      PyErr_SetString(kind, refused.what());
    }
  });

  m.def(
      "_set_data_dir", [](const std::string& dir) { DataDir() = dir; }, py::arg("path"),
      "Sets the folder holding the program's wall pictures; the package does it on import.");
  m.def(
      "_whole",
      [](const py::object& value, const std::string& name, std::int32_t divide) {
        const bool cell = name == "x" || name == "y" || name == "z";
        return Int32(
            value, name,
            commands::RangeText(cell ? commands::Arg::kCell : commands::Arg::kDivide, divide));
      },
      py::arg("value"), py::arg("name"), py::arg("divide") = 0,
      "The whole number a live room sends, checked as a Room checks it.");
  m.def("colour", &ToColour, py::arg("colour"),
        "colour(colour) -> int\n\n"
        "The room's colour value 0xBBGGRR of a colour given as a number 0xBBGGRR, as \"#RRGGBB\",\n"
        "or by a name of the colour menu: red, blue, yellow, green, magenta, cyan (any case) or\n"
        "赤, 青, 黄, 緑, マゼンタ, シアン. Raises ValueError for an unknown name or a number\n"
        "outside 0..0xFFFFFF.");
}

// The Room with its cell count and how it treats unsaved work.
RoomClass DefineRoom(py::module_& m) {
  return py::class_<HeadlessRoom>(
             m, "Room",
             R"doc(A room of blocks with no window: for scripts, tests and pictures.

Room(divide=5) makes an empty room of divide x divide x divide cells (1..16; the
program's menu offers 3, 4 and 5). Cells are (x, y, z), each 0..divide-1: x to the
right, y up, z towards the front. A block is (x, y, z, colour) with colour 0xBBGGRR.
)doc")
      .def(py::init([](const py::object& divide, bool discard) {
             auto room = std::make_unique<HeadlessRoom>(Divide(divide), DataDir());
             room->SetDiscard(discard);
             return room;
           }),
           py::arg("divide") = 5, py::arg("discard") = false,
           "Room(divide=5, discard=False): an empty room; ValueError for a count outside 1..16.\n"
           "discard=True lets load, clear and a new divide throw unsaved work away without\n"
           "being told so each time.")
      .def_property(
          "divide", &HeadlessRoom::Divide,
          [](HeadlessRoom& r, const py::object& divide) {
            r.SetDivide(Divide(divide), r.Discard());
          },
          "Cells per axis (1..16). Setting it empties the room and shows it from the start;\n"
          "ValueError when the room holds unsaved work (see discard).")
      .def_property("discard", &HeadlessRoom::Discard, &HeadlessRoom::SetDiscard,
                    "Whether load, clear and a new divide may throw unsaved work away when the\n"
                    "call does not say (False: they raise ValueError instead).");
}

// The commands on blocks.
void DefineBlockCommands(RoomClass& room) {
  room.def(
          "add",
          [](HeadlessRoom& r, const py::object& x, const py::object& y, const py::object& z,
             const py::object& colour) {
            const CellArgs c = Cell(r, x, y, z);
            return r.Add(c.x, c.y, c.z, ToColour(colour));
          },
          py::arg("x"), py::arg("y"), py::arg("z"), py::arg("colour") = "red",
          "add(x, y, z, colour='red') -> bool\n\nPuts a block into the cell and makes it current. "
          "False (and nothing\nchanges) when the cell holds a block already. ValueError for a cell "
          "outside\nthe room or an unknown colour.")
      .def(
          "delete",
          [](HeadlessRoom& r, const py::object& x, const py::object& y, const py::object& z) {
            const CellArgs c = Cell(r, x, y, z);
            return r.Delete(c.x, c.y, c.z);
          },
          py::arg("x"), py::arg("y"), py::arg("z"),
          "delete(x, y, z) -> bool\n\nRemoves the block in the cell; False when it was empty. "
          "Afterwards no block\nis current. ValueError for a cell outside the room.")
      .def("move", &HeadlessRoom::Move, py::arg("direction"),
           "move(direction) -> bool\n\nMoves the current block one cell: 'x', '-x', 'y', '-y', 'z' "
           "or "
           "'-z'.\nTrue when the move was made or blocked by another block; False when there is\n"
           "no current block or the wall is in the way. ValueError for another direction.")
      .def(
          "select",
          [](HeadlessRoom& r, const py::object& x, const py::object& y, const py::object& z) {
            const CellArgs c = Cell(r, x, y, z);
            return r.Select(c.x, c.y, c.z);
          },
          py::arg("x"), py::arg("y"), py::arg("z"),
          "select(x, y, z) -> bool\n\nMakes the block in the cell current, as a click on it does. "
          "An empty cell\nleaves no block current and gives False. ValueError for a cell outside "
          "the room.")
      .def_property_readonly(
          "current",
          [](HeadlessRoom& r) -> py::object {
            const auto c = r.Current();
            if (!c) return py::none();
            return py::make_tuple(c->x, c->y, c->z, c->colour);
          },
          "The current block as (x, y, z, colour), or None.")
      .def(
          "blocks",
          [](const HeadlessRoom& r) {
            py::list out;
            for (const auto& b : r.Blocks()) out.append(BlockTuple(b));
            return out;
          },
          "blocks() -> list\n\nEvery block as (x, y, z, colour), ordered by z, then y, then x: the "
          "order a\nlayout file lists them.")
      .def(
          "clear",
          [](HeadlessRoom& r, const py::object& discard) { r.Clear(DiscardOf(r, discard)); },
          py::arg("discard") = py::none(),
          "clear(discard=None)\n\nRemoves every block, as File > New does. ValueError when the "
          "room holds\nunsaved work, unless discard (or the room's discard) is True.");
}

// Room.export's manual, naming the formats export writes (kept for the module's life).
const char* ExportDoc() {
  static const std::string doc =
      "export(path, cell_size=10.0)\n\nWrites the blocks as a 3D model, one cube of edge "
      "cell_size per block; the\nformat follows the extension: " +
      kubisto::output::ExportExtensionList() +
      ". ValueError\nfor another extension, OSError when the file cannot be written.";
  return doc.c_str();
}

// Files, views, pictures and models.
void DefineFileCommands(RoomClass& room) {
  room.def(
          "load",
          [](HeadlessRoom& r, const py::object& path, const py::object& discard) {
            const bool mayDiscard = DiscardOf(r, discard);
            const std::string file = kubisto::script::ScriptPath(PathOf(path));
            r.RefuseUnsaved("load", mayDiscard);
            kubisto::Layout layout;
            {
              // A slow or blocked file must not stop the script's other threads.
              py::gil_scoped_release released;
              layout = HeadlessRoom::ReadLayout(file);
            }
            r.PlaceLayout(layout, mayDiscard);
            // Of a .vox file's several models the first was read: the script is told.
            if (layout.models > 1) {
              const std::string note = file + ": " + commands::SeveralModelsNote(layout.models);
              if (PyErr_WarnEx(PyExc_UserWarning, note.c_str(), 1) != 0)
                throw py::error_already_set();  // warnings made errors
            }
          },
          py::arg("path"), py::arg("discard") = py::none(),
          "load(path, discard=None)\n\nReads a layout file (.kbs) or a .vox model (of several, the "
          "first, with a\nwarning). OSError naming the file and "
          "line for a file that\ncannot be read or is not a layout; the room then stays as it "
          "was. ValueError\nwhen the room holds unsaved work, unless discard (or the room's "
          "discard) is True.")
      .def(
          "save",
          [](HeadlessRoom& r, const py::object& path) {
            const std::string file = kubisto::script::ScriptPath(PathOf(path));
            commands::CheckSaveName(file);
            const HeadlessRoom::Saving saving = r.SaveBytes();
            {
              py::gil_scoped_release released;
              HeadlessRoom::WriteLayout(file, saving.bytes);
            }
            r.MarkSaved(saving);
          },
          py::arg("path"),
          "save(path)\n\nWrites the layout file exactly as the program does (no extension is "
          "added). "
          "OSError\nwhen it cannot be written; a file already there is then left intact. "
          "ValueError\nfor a file name beginning with \".\".")
      .def("view", &HeadlessRoom::View, py::arg("name"),
           "view(name)\n\nShows the room from a fixed viewpoint: 'front', 'top', 'side' or 'bird'.")
      .def("turn", &HeadlessRoom::Turn, py::arg("step"),
           "turn(step)\n\nTurns the room one step: 'up', 'down', 'left' or 'right'.")
      .def(
          "render",
          [](HeadlessRoom& r, const py::object& path, const py::sequence& size,
             const py::object& view) {
            if (py::isinstance<py::str>(size) || py::len(size) != 2)
              throw py::type_error("size: give (width, height)");
            const std::string range = commands::RangeText(commands::Arg::kPictureSize);
            r.Render(PathOf(path), Int32(py::object(size[0]), "width", range),
                     Int32(py::object(size[1]), "height", range),
                     view.is_none() ? "" : view.cast<std::string>());
          },
          py::arg("path"), py::arg("size") = py::make_tuple(417, 347), py::arg("view") = py::none(),
          "render(path, size=(417, 347), view=None)\n\nWrites the room as the main window's view "
          "shows it, as a PNG picture of\nsize (width, height). With view None, the room is seen "
          "as it was last set\nand turned; otherwise from the named view.")
      .def(
          "export",
          [](HeadlessRoom& r, const py::object& path, float cellSize) {
            r.Export(PathOf(path), cellSize);
          },
          py::arg("path"), py::arg("cell_size") = 10.0f, ExportDoc());
}

}  // namespace

PYBIND11_MODULE(_kubisto, m) {
  m.doc() = "The compiled part of kubisto: the headless Room. Use the package kubisto.";
  // The module's rooms make no sound and show no windows; messages go to standard error.
  static kubisto::output::HeadlessServices services;
  kubisto::setServices(&services);
  // The package's manual names the export formats from here.
  m.attr("_export_extensions") = kubisto::output::ExportExtensionList();
  DefineFunctions(m);
  RoomClass room = DefineRoom(m);
  DefineBlockCommands(room);
  DefineFileCommands(room);
}
