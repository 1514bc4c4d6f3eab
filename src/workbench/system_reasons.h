// The system's reason for a failed file operation, in the workbench's own Russian words.
#pragma once

#include <QString>

namespace vestrel::workbench {

// An os:: reason code (an errno value or one of the writer's own codes) as a Russian
// sentence fragment ("нет места на диске"); an empty text for 0.
QString systemReasonText(int reason);

}  // namespace vestrel::workbench
