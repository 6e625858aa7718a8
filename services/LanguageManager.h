#pragma once

#include "services/MessageBoxes.h"

#include <QString>
#include <QStringList>

#include <string>

class QObject;
class QWidget;

// The language manager: every numbered interface text comes from the loaded language module.
//
// A language module is a Qt translation catalogue with ID-based messages whose IDs are the text
// numbers, in a file named prefix + language number + ".qm" (ZT9.qm is English, ZT7.qm German).
// One module is loaded at a time. The language number and the loaded module are the
// application's, kept here; everything runs on the GUI thread (or the one thread of a console
// program).
//
// Start-up calls InitializeLanguageManager (the configured language number from the registry)
// and then LoadCurrentLanguageModule, before any window exists; every window calls
// TranslateForm(this) as the first thing after its layout is built. Shutdown calls
// FinalizeLanguageManager. The console runner does the same two steps at its start, quietly.
//
// Windows carry their text numbers in their Designer layout as dynamic integer properties:
// "helpContext" on menus, actions, windows, buttons and other controls, "tag" on labels and tool
// buttons. TranslateComponent says which number replaces what.

// The language number read at initialisation, or the number of the last module that loaded.
int CurrentLanguage();

// Reads "Application Language" (a 32-bit integer) from SettingsRootKey\General without creating
// the key; 9 when the key or the value is missing or the value has another type. No module is
// loaded afterwards.
void InitializeLanguageManager();

// Releases a loaded module.
void FinalizeLanguageManager();

// How a module that cannot be loaded is reported: in a modal error box, or not at all (a
// console program opens no windows).
enum class TModuleFailure {
    ShowErrorBox,
    Quiet
};

// Releases the loaded module, if any, and loads prefix + number + ".qm" from the first of
// LanguageModuleDirectories that has it as a catalogue. On success CurrentLanguage becomes
// `number`, and Qt's own catalogue of that language (qtbase_<locale>.qm in Qt's translations
// folder, from Debian's qt6-translations-l10n) is installed for the texts of Qt's dialogs and
// standard buttons; without it they stay English. Otherwise no module is loaded, CurrentLanguage
// keeps its value, and (unless quiet) a modal error box says "Language module <file> could not be
// located", through `showBox` (empty: a plain QMessageBox).
bool LoadLanguageModule(const QString& prefix, int number,
                        TModuleFailure onFailure = TModuleFailure::ShowErrorBox,
                        const TMessageBoxPresenter& showBox = {});

// Loads the application's module of CurrentLanguage(), as start-up does.
bool LoadCurrentLanguageModule(TModuleFailure onFailure = TModuleFailure::ShowErrorBox,
                               const TMessageBoxPresenter& showBox = {});

// The two above without the error box, for programs without windows: these, with the lookups
// below, do not bring the window libraries into the program.
bool LoadLanguageModuleQuietly(const QString& prefix, int number);
bool LoadCurrentLanguageModuleQuietly();

// The prefix of the application's own modules ("ZT").
QString ApplicationModulePrefix();

// The file name of a module: prefix + number + ".qm".
QString ModuleFileName(const QString& prefix, int number);

// Whether a module is loaded.
bool IsLanguageModuleLoaded();

// Where modules are looked for, in order: the application's own directory, then the installed
// data directory.
QStringList LanguageModuleDirectories();

// The module's text for a number (at most 4095 characters); empty when no module is loaded or
// the module has no text for it. Never the number itself.
QString GetLanguageText(int number);

// GetLanguageText in the code page of script texts, Windows-1252, as the runtime takes its
// texts (a character the code page cannot hold becomes "?").
std::string GetLanguageBytes(int number);

// The first `length` characters of a text, one fewer when that would split a surrogate pair.
QString LeftCharacters(const QString& text, qsizetype length);

// The module's text for a number, or `defaultText` when there is none. An empty default stays
// empty: a target without a text is never given one.
QString TranslateText(int number, const QString& defaultText);

// Translates a window and every object below it (pre-order, children in creation order) with
// TranslateComponent. Does nothing without a loaded module or without a window.
void TranslateForm(QWidget* form);

// The rule for one object; the first that matches applies, and every replacement is
// TranslateText(number, current value), so empty values stay empty and missing numbers keep the
// designed text:
//
//   action or menu with an object name, not a separator ("-"):
//       text/title <- helpContext, status tip <- helpContext + 1
//   single-line edit (QLineEdit, spin boxes):  left alone
//   tool button:                               tool tip <- tag
//   label:                                     text <- tag
//   file dialog:                               title <- helpContext, name filters ("a;;b")
//                                              <- helpContext + 1
//   any other widget:                          its text (window title of a window, button text,
//                                              group box title, tab text of a tab page, plain
//                                              text of a multi-line edit, edit text of an
//                                              editable combo box) <- helpContext, at most its
//                                              first 1023 characters taking part, and written
//                                              back; tool tip <- helpContext + 1
//   anything else:                             left alone
void TranslateComponent(QObject* component);

// Diagnostic hook of the lookups ("Premature load: " before a module is loaded, "Failed: id = N,
// default = " for a missing number). Written to the logging category "zentaro.language" at debug
// level, which is off unless enabled (QT_LOGGING_RULES="zentaro.language.debug=true").
void LanguageDiagnostic(bool flag, const QString& message);
