#pragma once
// platform/: Dialogs (this file; QtDialogs shows them, ScriptedDialogs plays them in tests),
// IniFile (INI files, the atomic write), Color (colour <-> text), Clock, EventPump (Pump.h),
// SeededRandom (Random.h), ProgramFolder and ProgramVersion.
// The one seam for every message box, input box and common dialog. Windows call
// CurrentDialogs(); the program installs QtDialogs, tests install ScriptedDialogs.
#include "platform/Color.h"
#include "platform/FontStyle.h"
#include <QString>
#include <QStringList>

class QPrinter;

enum TMsgDlgType
{
    mtWarning,
    mtError,
    mtInformation,
    mtConfirmation,
    mtCustom
};

// Button sets are bit masks of these.
enum TMsgDlgBtn : unsigned
{
    mbYes = 1u << 0,
    mbNo = 1u << 1,
    mbOK = 1u << 2,
    mbCancel = 1u << 3,
    mbAbort = 1u << 4,
    mbRetry = 1u << 5,
    mbIgnore = 1u << 6,
    mbAll = 1u << 7,
    mbNoToAll = 1u << 8,
    mbYesToAll = 1u << 9,
    mbHelp = 1u << 10,
};
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

// Caption the class library gives a message box of this type ("Warning", "Error",
// "Information", "Confirm"; the application title for mtCustom).
QString MessageDlgCaption(TMsgDlgType type);
// A message text as shown: each "\r\n", "\r" or "\n" becomes one line break.
QString MessageTextForDisplay(const QString& text);

// Open and save dialogs. Filter uses the class library's form:
// "Set Files (*.set)|*.set|All Files (*.*)|*.*".
struct FileDialogOptions
{
    QString Title;
    QString Filter;
    QString InitialDir;
    QString FileName;   // proposed name
    QString DefaultExt; // without the dot, appended when the chosen name has none
};

// Font as the font dialog edits it.
struct FontChoice
{
    QString Name;
    int Size = 8;
    TFontStyles Style = 0;
    TColor Color = clBlack;
};

class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Modal message box; the result is the modal result of the button pressed.
    virtual TModalResult MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons) = 0;
    // Information box with an OK button, captioned with the application title.
    virtual void ShowMessage(const QString& text) = 0;
    // Edit box; true with value changed on OK, false with value unchanged on Cancel.
    virtual bool InputQuery(const QString& caption, const QString& prompt, QString& value) = 0;
    // Edit box; the entered text on OK, defaultValue on Cancel.
    virtual QString InputBox(const QString& caption, const QString& prompt, const QString& defaultValue) = 0;
    // File dialogs; true with fileName set (an absolute path) when a file was chosen.
    virtual bool OpenFileDialog(const FileDialogOptions& options, QString& fileName) = 0;
    virtual bool SaveFileDialog(const FileDialogOptions& options, QString& fileName) = 0;
    // Open dialog with multi-select; true with fileNames set (absolute paths, in the order the
    // dialog returned them) when at least one file was chosen. One file unless overridden.
    virtual bool OpenFilesDialog(const FileDialogOptions& options, QStringList& fileNames);
    // Colour dialog starting from color; true with color changed when accepted.
    virtual bool ColorDialog(TColor& color) = 0;
    // Font dialog starting from font; true with font changed when accepted.
    virtual bool FontDialog(FontChoice& font) = 0;
    // Printer set-up and print dialogs on the given printer; true when accepted.
    virtual bool PrinterSetupDialog(QPrinter& printer) = 0;
    virtual bool PrintDialog(QPrinter& printer) = 0;
};

// The dialogs the program uses now (a QtDialogs until another is installed).
Dialogs& CurrentDialogs();
// Installs dialogs for the whole process (nullptr restores the Qt ones); returns the previous.
Dialogs* InstallDialogs(Dialogs* dialogs);
// The installed dialogs, nullptr when none is installed.
Dialogs* InstalledDialogs();

// Installs dialogs for the lifetime of a scope, e.g. a test.
class ScopedDialogs
{
public:
    explicit ScopedDialogs(Dialogs& dialogs) : previous_(InstallDialogs(&dialogs)) {}
    ~ScopedDialogs() { InstallDialogs(previous_); }
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;

private:
    Dialogs* previous_;
};
