// The settings dialogs and the about box come up centred on the screen, the first
// showing like every later one.
#pragma once

class QWidget;

namespace vestrel::workbench {

// Centres the window on its screen each time it is shown, and once more when the window
// manager has put its frame around it.
void keepCentredOnScreen(QWidget& window);

}  // namespace vestrel::workbench
