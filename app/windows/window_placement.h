// Placing top-level windows as the program's windows are placed: centred on the screen with their
// frame. The window system reports the frame's size only once a window is on the screen, so a
// window is placed when it is shown and again whenever its frame's size becomes known or changes.
#pragma once

#include <QSize>
#include <QString>
#include <functional>

class QWidget;

namespace kubisto::app {

// Centres the window, frame included, on the primary screen now and once its frame is known.
void CentreOnScreen(QWidget* window);

// Runs place(window) now and each time the size of the window's frame (the window system's
// border and title bar around its client area) turns out different from the last time, a few
// times at most, so that a window the user moves later stays where the user put it.
void PlaceWhenFramed(QWidget* window, std::function<void(QWidget*)> place);

// The size of the window's frame around its client area (zero while it is not known).
QSize FrameMargins(const QWidget* window);

// Gives the window the size, place and state (maximised) last remembered under key in the user's
// settings; false, leaving the window as it is, when none was remembered.
bool RestorePlacement(QWidget* window, const QString& key);
// Remembers the window's size, place and state under key.
void RememberPlacement(const QWidget* window, const QString& key);

}  // namespace kubisto::app
