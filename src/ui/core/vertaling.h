#pragma once
// Qt's own dialogs (file open and save, print, page setup, the standard buttons of a
// message box) in Dutch, like the rest of the program.

namespace zelk {

// Loads Qt's Dutch translations into the running application. Returns false, after a
// warning on stderr, when they are not installed; the dialogs are then in English.
bool installDutchQtTranslations();

} // namespace zelk
