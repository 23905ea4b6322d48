#pragma once
// The toolkit's own texts (file dialogs, standard buttons, the child
// windows' menus, its error boxes) in German, whatever the user's locale.

// Installs Qt's German translations into the running application and makes
// German the default locale. False when the translation file is missing;
// the toolkit's texts then stay English.
bool InstallGermanTranslations();
