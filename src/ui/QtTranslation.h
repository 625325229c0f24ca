#pragma once

namespace jlex {

// Makes Qt's own texts (standard buttons such as OK, context menus) Chinese
// like the program's. Call once the application object exists; false when
// Qt's translation is not installed, which leaves them in English.
bool loadQtTranslation();

} // namespace jlex
