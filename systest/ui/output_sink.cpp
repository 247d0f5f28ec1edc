#include "systest/ui/output_sink.h"

OutputSink ChooseOutputSink(StandardOutputKind kind) {
    switch (kind) {
        case StandardOutputKind::DiskFile:
        case StandardOutputKind::Pipe:
            return OutputSink::StandardOutputAsUtf8;
        case StandardOutputKind::Console:
            return OutputSink::StandardOutputAsConsole;
        case StandardOutputKind::None:
            // Started from a command prompt without a redirection: a GUI
            // program gets no usable handle of its console.
            return OutputSink::ParentConsole;
        case StandardOutputKind::CharacterDevice:
            break;
    }
    return OutputSink::Nothing;
}
