// Qt's own texts (file dialogs, standard buttons, the editors' context menu, the window
// system menu) in Russian, like everything else the workbench shows.
#pragma once

class QCoreApplication;

namespace vestrel::workbench {

// Installs Qt's Russian translations from the folder Qt keeps them in and makes Russian
// the default locale; false when the translations are not installed (Qt then shows its
// English texts; the workbench's own texts are Russian either way).
bool installRussianTranslations(QCoreApplication& application);

}  // namespace vestrel::workbench
