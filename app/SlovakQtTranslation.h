#pragma once

class QCoreApplication;

namespace qolmex {

// Makes Qt's own texts (the buttons of file dialogs and message boxes, the replace question,
// a field's context menu) Slovak, whatever the user's locale: the program speaks only Slovak.
// Looks in the program's own resources (a static Windows build carries them there), in Qt's
// translations folder, then in "translations" beside the program (where a bundled Qt keeps
// them). Returns false, leaving Qt in English, when no translation is found.
bool installSlovakQtTranslation(QCoreApplication& app);

} // namespace qolmex
