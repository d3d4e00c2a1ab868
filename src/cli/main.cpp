// qingjian-cli: the calendar (and other cores) of 青简札记 on the command line, one JSON object
// per output line.

#include "cli/Args.h"
#include "cli/CalendarCommands.h"
#include "cli/ChartCommands.h"
#include "cli/Command.h"
#include "cli/ExecutableFolder.h"
#include "cli/GridCommands.h"
#include "cli/HolidayCommands.h"
#include "cli/IcsCommands.h"
#include "cli/NotesCommands.h"
#include "seams/DataFolder.h"
#include "shell/FileVersion.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

// Command groups. To add a group, include its header above and add its function here.
using CommandGroupFunction = qj::cli::CommandGroup (*)();
static const CommandGroupFunction kCommandGroups[] = {
    &qj::cli::CalendarCommands, &qj::cli::ChartCommands,   &qj::cli::NotesCommands,
    &qj::cli::GridCommands,     &qj::cli::HolidayCommands, &qj::cli::IcsCommands,
};

namespace {

// A message as one line: a line break or other control character given in an argument is shown
// escaped, never written out raw.
std::string OneLine(const std::string& text) {
    std::string line;
    for (const unsigned char c : text) {
        if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else if (c < 0x20 || c == 0x7F) {
            static const char kHex[] = "0123456789abcdef";
            line += "\\x";
            line += kHex[c >> 4];
            line += kHex[c & 15];
        } else {
            line += static_cast<char>(c);
        }
    }
    return line;
}

// Every refusal and failure of a command: one line on standard error, status 2.
int Refuse(const std::string& command, const char* why) {
    std::fprintf(stderr, "qingjian-cli %s: %s\n", OneLine(command).c_str(), OneLine(why).c_str());
    return 2;
}

std::vector<qj::cli::Command> AllCommands() {
    std::vector<qj::cli::Command> all;
    for (const auto group : kCommandGroups)
        for (auto& command : group())
            all.push_back(std::move(command));
    return all;
}

void PrintHelp(std::FILE* file, const std::vector<qj::cli::Command>& commands) {
    std::fprintf(file, "usage: qingjian-cli COMMAND ARGUMENTS...\n\ncommands:\n");
    for (const auto& command : commands)
        std::fprintf(file, "  %s\n      %s\n", command.usage.c_str(), command.summary.c_str());
    std::fprintf(file,
                 "\nEach result is one JSON object per line on standard output. Bad input and every other "
                 "failure print one line on standard error and exit with status 2.\n");
    // The program's data file, where "notes" finds it.
    const qj::DataFolderChoice data =
        qj::ChooseDataFolder(qj::DataFolderPlace::ofEnvironment(qj::cli::ExecutableFolder()));
    std::fprintf(file, "\nThe program's data file: %s/dataly.dat (notes where tells more)\n",
                 data.dataFolder.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<qj::cli::Command> commands = AllCommands();
    if (argc < 2) {
        std::fprintf(stderr, "qingjian-cli: no command given; try qingjian-cli --help\n");
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintHelp(stdout, commands);
        return 0;
    }
    if (name == "--version") {
        std::printf("qingjian-cli %s\n", qPrintable(qj::EmbeddedFileVersion()));
        return 0;
    }
    for (const auto& command : commands) {
        if (command.name != name)
            continue;
        const qj::cli::Arguments args(argv + 2, argv + argc);
        qj::cli::Output out;
        try {
            qj::cli::RequireUtf8Arguments(args);
            command.run(args, out);
            if (!out.Flush()) {
                std::fprintf(stderr, "qingjian-cli: could not write the output\n");
                return 1;
            }
            return 0;
        } catch (const std::exception& e) {
            out.Discard(); // a refused command writes nothing on stdout
            return Refuse(name, e.what());
        }
    }
    std::fprintf(stderr, "qingjian-cli: unknown command '%s'; try qingjian-cli --help\n",
                 OneLine(name).c_str());
    return 2;
}
