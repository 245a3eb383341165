// mnm: the command-line tool beside the desktop program.
#include "cli/Commands.h"

int main(int argc, char** argv)
{
    mnm::cli::CommandLine line;
    mnm::cli::AddDumpCommand(line);
    mnm::cli::AddVerifyCommand(line);
    mnm::cli::AddBuildCommand(line);
    mnm::cli::AddReceiveCommand(line);
    mnm::cli::AddSendCommand(line);
    mnm::cli::AddInfoCommand(line);
    mnm::cli::AddDiffCommand(line);
    mnm::cli::AddCheckNetworkCommand(line);
    mnm::cli::AddProvisionCommand(line);
    mnm::cli::AddNodeSimCommand(line);
    return line.Run(argc, argv);
}
