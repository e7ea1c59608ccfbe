#pragma once
// The options file "RBX.inf" beside the program: one section "Main", one key per setting.
// Read once at start, written whole at exit and from the equalizer's preset commands.
#include <QString>
#include <QStringList>

class Dialogs;
class IniFile;
class Tracer;
struct Settings;

// The longest pause between sounds (Delay, milliseconds) Setup offers, and so the longest the
// reader takes: a stop holds clicks and keys back that long.
constexpr int MaxDelayMs = 500;

class OptionsFile
{
public:
    // programFolder with or without a trailing "/".
    OptionsFile(const QString& programFolder, Settings& settings, Tracer& tracer, Dialogs& dialogs);

    // Full paths of the older options file "RB.ini" and of "RBX.inf".
    const QString& OldOptionsFileName() const { return oldOptionsFileName_; }
    const QString& OptionsFileName() const { return optionsFileName_; }

    // When "RBX.inf" is missing, moves an older "RB.ini" to it; a failed move is ignored.
    void MoveOldOptionsFile();

    // Reads every key into the settings. A missing key, or a value that does not convert,
    // gives that key's default; the other keys are still read. Group outside 1..10 and Page
    // outside 1..18 become 1. Ends with the start-second floors and the font styles.
    void ReadOptions();
    void ReadOptions(const IniFile& ini);

    // Writes every key to "RBX.inf" (the previous contents are replaced). The presets come
    // from presetListEntries (the equalizer window's list, in its order) once
    // MySettingsLoaded is set, else from the stored presets. False, after the error box
    // "Error in UpdateINIFile\r ", when the file could not be written; the old file is then
    // left as it was.
    bool UpdateINIFile(const QStringList& presetListEntries);
    // The same with the equalizer window's list as the settings hold it (MySettingsList).
    bool UpdateINIFile();
    // The keys UpdateINIFile writes, into an emptied object.
    void WriteOptions(IniFile& ini, const QStringList& presetListEntries) const;

    // Stores preset number index (1..10): its name, and the ten band values from a comma
    // list. A field that does not convert shows "Error in RestoreMySettings\r "; the values
    // before it are kept.
    void RestoreMySettings(const QString& indexText, const QString& name, const QString& valueList);

private:
    void ReadLayout(const IniFile& ini);
    void ReadFades(const IniFile& ini);
    void ReadFonts(const IniFile& ini);
    void ReadColors(const IniFile& ini);
    void ReadModes(const IniFile& ini);
    void ReadLock(const IniFile& ini);
    void ReadEngine(const IniFile& ini);
    void ReadPresets(const IniFile& ini);
    void WritePresets(IniFile& ini, const QStringList& presetListEntries) const;

    Settings& settings_;
    Tracer& tracer_;
    Dialogs& dialogs_;
    QString oldOptionsFileName_;
    QString optionsFileName_;
};
