#include "cli/CommandLine.h"

#include "cli/Commands.h"

#include <cstdio>
#include <sstream>

namespace mnm::cli {

namespace {
constexpr const char* kToolUsage = "mnm COMMAND [OPTIONS] ...\n       mnm --version";
constexpr int kSummaryColumn = 14;
} // namespace

// Help in the tool's one layout: the usage line as the command's author
// wrote it (the parser's own would read "[OPTIONS]"), the explanation, then
// the parser's lists of arguments and options.
class UsageFormatter : public CLI::Formatter {
public:
    struct Texts {
        std::string usage, about;
    };
    std::map<const CLI::App*, Texts> commands;

    std::string UsageLine(const CLI::App* app) const
    {
        const auto it = commands.find(app);
        return it == commands.end() ? kToolUsage : it->second.usage;
    }

    std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode mode) const override
    {
        std::ostringstream out;
        out << "usage: " << UsageLine(app) << "\n";
        const auto it = commands.find(app);
        if (it == commands.end()) {
            out << "\ncommands:\n";
            for (const CLI::App* sub : app->get_subcommands({})) {
                std::string name = sub->get_name();
                name.resize(std::max<std::size_t>(name.size() + 1, kSummaryColumn), ' ');
                out << "  " << name << sub->get_description() << "\n";
            }
            out << "\n'mnm help COMMAND' shows a command's usage.\n";
            return out.str();
        }
        out << "\n" << it->second.about << "\n";
        out << make_positionals(app) << make_groups(app, mode);
        return out.str();
    }

    // An option's value is named by its option text alone; the parser's
    // type names ("TEXT") mean nothing to an operator.
    std::string make_option_opts(const CLI::Option* option) const override
    {
        return option->get_positional() || option->get_option_text().empty() ? std::string()
                                                                                : " " + option->get_option_text();
    }
};

CommandLine::CommandLine() : app_("", "mnm"), formatter_(std::make_shared<UsageFormatter>())
{
    app_.formatter(formatter_);
    app_.require_subcommand(1);
    app_.set_help_flag("-h,--help", "show this help");
    app_.set_version_flag("--version", MNM_VERSION_TEXT);
}

CLI::App* CommandLine::AddCommand(const std::string& name, const std::string& summary, const std::string& usage,
                                  const std::string& about)
{
    CLI::App* command = app_.add_subcommand(name, summary);
    formatter_->commands[command] = {usage, about};
    return command;
}

void CommandLine::OnChosen(CLI::App* command, CommandRun run)
{
    command->callback([this, run = std::move(run)] { chosen_ = run; });
}

void CommandLine::AddHelpCommand()
{
    auto topic = std::make_shared<std::string>();
    CLI::App* help = AddCommand("help", "show the commands, or one command's usage", "mnm help [COMMAND]",
                                "Shows the list of commands, or the usage of COMMAND.");
    help->add_option("COMMAND", *topic, "the command to explain");
    OnChosen(help, [this, topic] {
        const CLI::App* about = topic->empty() ? &app_ : FindCommand(*topic);
        if (about == nullptr) return UsageFailure(app_, "unknown command '" + *topic + "'");
        std::fputs(formatter_->make_help(about, "", CLI::AppFormatMode::Normal).c_str(), stdout);
        return kExitOk;
    });
}

const CLI::App* CommandLine::FindCommand(const std::string& name) const
{
    for (const CLI::App* command : app_.get_subcommands({}))
        if (command->get_name() == name) return command;
    return nullptr;
}

int CommandLine::UsageFailure(const CLI::App& where, const std::string& message) const
{
    std::fprintf(stderr, "mnm: %s\nusage: %s\n", message.c_str(), formatter_->UsageLine(&where).c_str());
    if (&where != &app_) std::fprintf(stderr, "'mnm help %s' shows more.\n", where.get_name().c_str());
    return kExitUsage;
}

int CommandLine::Run(int argc, char** argv)
{
    AddHelpCommand(); // last in the list of commands
    // An unknown first word is a command that does not exist, which the
    // parser would only call an unexpected argument.
    if (argc >= 2 && argv[1][0] != '-' && FindCommand(argv[1]) == nullptr)
        return UsageFailure(app_, std::string("unknown command '") + argv[1] + "'");
    try {
        app_.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        const std::vector<CLI::App*> chosen = app_.get_subcommands();
        const CLI::App* about = chosen.empty() ? &app_ : chosen.front();
        std::fputs(formatter_->make_help(about, "", CLI::AppFormatMode::Normal).c_str(), stdout);
        return kExitOk;
    } catch (const CLI::CallForVersion&) {
        std::printf("%s\n", MNM_VERSION_TEXT);
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        const std::vector<CLI::App*> chosen = app_.get_subcommands();
        const CLI::App& where = chosen.empty() ? app_ : *chosen.front();
        if (&where == &app_ && argc < 2) { // bare `mnm`: the list of commands
            std::fputs(formatter_->make_help(&app_, "", CLI::AppFormatMode::Normal).c_str(), stderr);
            return kExitUsage;
        }
        return UsageFailure(where, e.what());
    }
    return chosen_ ? chosen_() : kExitUsage;
}

} // namespace mnm::cli
