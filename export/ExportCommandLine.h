#pragma once

// The headless commands, answered before the single-instance hand-off so
// that a running player is never asked:
//   KvPlayer --verify FOLDER
//   KvPlayer --export --in TIME --out TIME [--note TEXT] --to FOLDER FILE...
namespace ExportCommandLine {

enum ExitStatus {
    ExitOk = 0,
    ExitMismatch = 1,   // verify: a file does not match; export: cancelled
    ExitUsage = 2,      // unknown or missing arguments, an unknown TIME, no manifest to verify
    ExitSpan = 3,       // In after Out, or a span outside every file
    ExitUnreadable = 4, // a FILE is not a readable recording
    ExitUnwritable = 5  // the destination cannot be written, or writing failed
};

// Whether the first argument asks for one of the commands.
bool handles(int argc, char** argv);
// Runs the command with the toolkit on its offscreen platform when no
// display is set; the process's exit status.
int run(int argc, char** argv);

}
