// modMain: the program's start sequence, the one workroom, and the one way the program ends.
#pragma once

#include <functional>
#include <memory>

#include "app/editing/work_room_api.h"

class QWidget;

namespace kubisto::app {

class frmMain;

namespace modMain {

// The program's single workroom: none before the start sequence binds it and after FinKubisto.
extern std::unique_ptr<WorkRoomApi> g_objWorkRoom;

// The main window while it is loaded; nullptr before the start sequence and once it is unloaded.
frmMain* MainWindow();

// The start sequence: splash shown and painted, start-up sound played to its end, main window
// loaded, workroom created and bound to the view, main window shown, splash unloaded. Returns;
// the program then runs on the event loop.
void Main();

// Ends the program: releases the workroom, then unloads the main window. Called while a command
// runs, it waits until that command has returned (see command_scope.h).
void FinKubisto();

// The help command of the main window.
void ShowHelpFor(QWidget* owner);

// How the workroom is made (tests put a recorder in place of CWorkRoom); an empty function
// restores CWorkRoom.
using WorkRoomFactory = std::function<std::unique_ptr<WorkRoomApi>()>;
void SetWorkRoomFactory(WorkRoomFactory factory);

}  // namespace modMain
}  // namespace kubisto::app
