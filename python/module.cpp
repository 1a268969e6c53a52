// The compiled part of the Python package kubisto: the headless Room and the colour names.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <string>

#include "cli/headless_services.h"
#include "python/headless_room.h"
#include "python/script_colour.h"

namespace py = pybind11;
using kubisto::script::HeadlessRoom;

namespace {

// A colour as a script gives it: an int 0xBBGGRR or a name (see ColourFromName).
std::int32_t ToColour(const py::object& colour) {
  if (py::isinstance<py::bool_>(colour))
    throw py::type_error("colour: give a number or a name, not a bool");
  if (py::isinstance<py::int_>(colour))
    return kubisto::script::ColourFromValue(colour.cast<long long>());
  if (py::isinstance<py::str>(colour))
    return kubisto::script::ColourFromName(colour.cast<std::string>());
  throw py::type_error("colour: give a number 0xBBGGRR or a name such as \"red\" or \"#FF0000\"");
}

std::string PathOf(const py::object& path) {
  return py::str(py::module_::import("os").attr("fspath")(path)).cast<std::string>();
}

// The program's data folder (wall pictures), told by the package when it is imported.
std::string& DataDir() {
  static std::string dir = ".";
  return dir;
}

py::tuple BlockTuple(const kubisto::LayoutRecord& b) {
  return py::make_tuple(b.x, b.y, b.z, b.color);
}

}  // namespace

PYBIND11_MODULE(_kubisto, m) {
  m.doc() = "The compiled part of kubisto: the headless Room. Use the package kubisto.";
  // The module's rooms make no sound and show no windows; messages go to standard error.
  static kubisto::cli::HeadlessServices services;
  kubisto::setServices(&services);

  py::register_exception<kubisto::script::FileError>(m, "FileError", PyExc_OSError);

  m.def(
      "_set_data_dir", [](const std::string& dir) { DataDir() = dir; }, py::arg("path"),
      "Sets the folder holding the program's wall pictures; the package does it on import.");
  m.def("colour", &ToColour, py::arg("colour"),
        "colour(colour) -> int\n\n"
        "The room's colour value 0xBBGGRR of a colour given as a number 0xBBGGRR, as \"#RRGGBB\",\n"
        "or by a name of the colour menu: red, blue, yellow, green, magenta, cyan (any case) or\n"
        "赤, 青, 黄, 緑, マゼンタ, シアン. Raises ValueError for an unknown name or a number\n"
        "outside 0..0xFFFFFF.");

  py::class_<HeadlessRoom>(m, "Room",
                           R"doc(A room of blocks with no window: for scripts, tests and pictures.

Room(divide=5) makes an empty room of divide x divide x divide cells (1..16; the
program's menu offers 3, 4 and 5). Cells are (x, y, z), each 0..divide-1: x to the
right, y up, z towards the front. A block is (x, y, z, colour) with colour 0xBBGGRR.
)doc")
      .def(py::init([](int divide) { return new HeadlessRoom(divide, DataDir()); }),
           py::arg("divide") = 5,
           "Room(divide=5): an empty room; ValueError for a count outside 1..16.")
      .def_property(
          "divide", &HeadlessRoom::Divide, &HeadlessRoom::SetDivide,
          "Cells per axis (1..16). Setting it empties the room and shows it from the start.")
      .def(
          "add",
          [](HeadlessRoom& r, int x, int y, int z, const py::object& colour) {
            return r.Add(x, y, z, ToColour(colour));
          },
          py::arg("x"), py::arg("y"), py::arg("z"), py::arg("colour") = "red",
          "add(x, y, z, colour='red') -> bool\n\nPuts a block into the cell and makes it current. "
          "False (and nothing\nchanges) when the cell holds a block already. ValueError for a cell "
          "outside\nthe room or an unknown colour.")
      .def("delete", &HeadlessRoom::Delete, py::arg("x"), py::arg("y"), py::arg("z"),
           "delete(x, y, z) -> bool\n\nRemoves the block in the cell; False when it was empty. "
           "Afterwards no block\nis current. ValueError for a cell outside the room.")
      .def("move", &HeadlessRoom::Move, py::arg("direction"),
           "move(direction) -> bool\n\nMoves the current block one cell: 'x', '-x', 'y', '-y', 'z' "
           "or "
           "'-z'.\nTrue when the move was made or blocked by another block; False when there is\n"
           "no current block or the wall is in the way. ValueError for another direction.")
      .def("select", &HeadlessRoom::Select, py::arg("x"), py::arg("y"), py::arg("z"),
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
      .def("clear", &HeadlessRoom::Clear, "clear()\n\nRemoves every block, as File > New does.")
      .def(
          "load", [](HeadlessRoom& r, const py::object& path) { r.Load(PathOf(path)); },
          py::arg("path"),
          "load(path)\n\nReads a layout file (.kbs). OSError naming the file and line for a file "
          "that\ncannot be read or is not a layout; the room then stays as it was.")
      .def(
          "save", [](HeadlessRoom& r, const py::object& path) { r.Save(PathOf(path)); },
          py::arg("path"),
          "save(path)\n\nWrites the layout file exactly as the program does (no extension is "
          "added). "
          "OSError\nwhen it cannot be written; a file already there is then left intact.")
      .def("view", &HeadlessRoom::View, py::arg("name"),
           "view(name)\n\nShows the room from a fixed viewpoint: 'front', 'top', 'side' or 'bird'.")
      .def("turn", &HeadlessRoom::Turn, py::arg("step"),
           "turn(step)\n\nTurns the room one step: 'up', 'down', 'left' or 'right'.")
      .def(
          "render",
          [](HeadlessRoom& r, const py::object& path, std::pair<int, int> size,
             const py::object& view) {
            r.Render(PathOf(path), size.first, size.second,
                     view.is_none() ? "" : view.cast<std::string>());
          },
          py::arg("path"), py::arg("size") = std::pair<int, int>(417, 347),
          py::arg("view") = py::none(),
          "render(path, size=(417, 347), view=None)\n\nWrites the room as the main window's view "
          "shows it, as a PNG picture of\nsize (width, height). With view None, the room is seen "
          "as it was last set\nand turned; otherwise from the named view.")
      .def(
          "export",
          [](HeadlessRoom& r, const py::object& path, float cellSize) {
            r.Export(PathOf(path), cellSize);
          },
          py::arg("path"), py::arg("cell_size") = 10.0f,
          "export(path, cell_size=10.0)\n\nWrites the blocks as a 3D model, one cube of edge "
          "cell_size per block; the\nformat follows the extension: .obj .ply .stl .gltf .glb .3mf "
          ".x. "
          "ValueError\nfor another extension, OSError when the file cannot be written.");
}
