#pragma once
// What the main window's controls tell a user on hovering and a screen reader on reaching
// them: a name for each, and a tool tip saying what it does and what a click does.

class QWidget;

namespace tracewell::app {

// Sets the accessible name, description and tool tip of each of window's controls, found by
// their design names. The box keeps its tool tip for the message of the last refused text, and
// the plot area its tool tip for the coordinates under the pointer.
void describeControls(QWidget* window);

}  // namespace tracewell::app
