#pragma once
// Qt's own texts (file dialog columns and buttons, standard boxes, the
// context menus of text fields) in Spanish, like every other text of the game.

class QCoreApplication;

// Loads Qt's Spanish catalogue from where Qt keeps its translations and
// installs it; false when the catalogue is not there (the texts stay in
// English, nothing else changes).
bool InstalarTraduccionQt(QCoreApplication& app);
