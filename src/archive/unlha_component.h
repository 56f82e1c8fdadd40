#pragma once
// TUnlha, the archive component: it turns its properties into one archiver
// command line and runs it through Unlha.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/unlha_options.h"

// Execute's results that do not come from the archiver.
inline constexpr int kExecuteNoArchive = -1;   // ARCFileName is empty
inline constexpr int kExecuteCancelled = -999; // the Debug question was not answered OK

// "2.62" for 262, "0.07" for 7: the version number over 100, two decimals.
std::string VersionText(uint16_t versionNumber);

class TUnlha {
public:
    // Reads the version number from UnlhaGetVersion.
    TUnlha();
    // Takes the version number given (it decides whether ctLH7 has a switch).
    explicit TUnlha(uint16_t versionNumber);

    // The settings callers assign before Execute. Texts, paths included, are Shift-JIS.
    std::string ARCFileName;
    std::string ARCPattern = "*.*";
    std::string BaseDirName;
    TCommand Command = TCommand::cmdList;
    bool Debug = false;          // ask OnConfirm before running
    bool DisplayCSR = true;      // kept for the settings; extraction shows no cursor
    TDlgOptions DlgOptions;
    TExecMode ExecMode = TExecMode::exForeGround;  // kept; the archiver opens no dialogs
    TOptions Options;
    std::string WorkDirName;
    std::string ExtraSwitches;

    // When attached (not owned), Execute adds the archiver's output lines.
    std::vector<std::string>* OutputLines = nullptr;
    // The Debug question: shown the command line, true for OK. Without one
    // nobody can answer OK, so a Debug run is cancelled.
    std::function<bool(const std::string& commandLine)> OnConfirm;
    // The archiver run by Execute; Unlha unless replaced.
    std::function<int(const std::string& commandLine, std::string& output)> Archiver;

    uint16_t VersionNumber() const { return versionNumber_; }
    // "Version " and the version text; read only.
    std::string Version() const { return "Version " + VersionText(versionNumber_); }

    // The switch part of the command line, each switch with a leading blank.
    std::string BuildSwitches() const;
    // The whole command line Execute hands to the archiver.
    std::string BuildCommandLine() const;
    // Runs the command line: kExecuteNoArchive without an archive,
    // kExecuteCancelled when the Debug question is refused, otherwise the
    // archiver's result (0 is success).
    int Execute();
    // Puts Options and DlgOptions back to their values at creation.
    void ResetOptions();

private:
    uint16_t versionNumber_;
};

// Execute's handling of the archiver's output: the text up to its first zero
// character and at most 65534 characters (the output buffer holds 65535
// with the zero), cut into lines at line feeds, added to `lines` in order.
void AddOutputLines(std::string_view output, std::vector<std::string>& lines);
