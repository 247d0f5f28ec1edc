// Where the lines of an unattended run go, decided from what its standard
// output is before anything attaches to a console. On Windows, a GUI program
// that attaches to its parent's console has its standard handles replaced by
// the console's, so a run whose output was redirected to a file or a pipe
// ("> out.txt", "| findstr") must write there without ever attaching.
#pragma once

// What GetStdHandle and GetFileType tell of the standard output.
enum class StandardOutputKind {
    None,             // no handle, or one the system does not know
    DiskFile,         // redirected to a file
    Pipe,             // redirected to a pipe, or read by the program that started this one
    Console,          // a console the process is attached to already (Wine attaches one)
    CharacterDevice,  // another character device: "> NUL", a serial port
};

enum class OutputSink {
    StandardOutputAsUtf8,     // the handle as it is, UTF-8, no console attached
    StandardOutputAsConsole,  // the console handle as it is, in UTF-16
    ParentConsole,            // attach to the console of the program that started this one
    Nothing,
};

OutputSink ChooseOutputSink(StandardOutputKind kind);
