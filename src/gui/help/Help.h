#pragma once
// The program's help: HTML pages in help/<language>/ beside the program (or in the
// installed share folder), shown in the program's own help window.
//
// A dialog gets its help with one call after its controls exist:
//     InstallHelp(this, HelpTopic::Circuit);
// F1 anywhere in the dialog then opens the help at that topic, and so does the
// dialog's help button: a button named "Help" or "HelpButton", or the Help button of
// a QDialogButtonBox.  Pass the button when it has another name.
#include <QString>

class QAbstractButton;
class QWidget;

namespace kalorina::gui {

// The topic numbers the windows ask for.
namespace HelpTopic {
inline constexpr int MainWindow = 100;
inline constexpr int ProjectOptions = 101;
inline constexpr int ProgramOptions = 103; // its own page rather than the main window's
inline constexpr int Printing = 102;       // printing dialogs and the print preview
inline constexpr int ColumnSetup = 111;
inline constexpr int Room = 130;
inline constexpr int Circuit = 160;
inline constexpr int Manifold = 170;
inline constexpr int Design = 171; // the design's outcome before it is applied
inline constexpr int Field = 161;
inline constexpr int FieldArea = 162; // area a circuit takes from a room field
inline constexpr int RoomArea = 163;  // area of a new field in the room dialog
inline constexpr int Fittings = 198;
inline constexpr int ProjectData = 205;
inline constexpr int Export = 206; // the bill of materials export
} // namespace HelpTopic

void InstallHelp(QWidget* dialog, int topic, QAbstractButton* helpButton = nullptr);

// Opens the help window at a topic, at the contents, or at the keyword search.
// `from` is the window that asks; the help stays usable beside a modal dialog.
void ShowHelp(QWidget* from, int topic);
void ShowHelpContents(QWidget* from);
void ShowHelpIndex(QWidget* from);

// The help folder of the user-interface language: help/<catalogue language code>,
// falling back to English, then Hungarian.
QString HelpFolder();

} // namespace kalorina::gui
