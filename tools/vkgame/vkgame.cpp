#include "json.h"
#include "savegame.h"
#include "settings.h"
#include "tcharleft.h"
#include "tgame.h"
#include "uilink.h"

#include <array>
#include <iostream>
#include <string>

// vkgame: looks into saved games and the startup settings file the way the program reads them,
// for scripts, bug reports and tests. Loads use the program's own reader, so a file this tool
// refuses is a file the program refuses, with the same message.

namespace {

constexpr int ExitOk = 0;
constexpr int ExitRefused = 1;
constexpr int ExitUsage = 2;

constexpr const char *UsageText
    = "Usage: vkgame COMMAND FILE\n"
      "\n"
      "Commands:\n"
      "  dump FILE      print the saved game FILE as JSON\n"
      "  write FILE     load the saved game FILE and write it to standard output as the program\n"
      "                 would save it\n"
      "  settings FILE  print the startup settings read from FILE as JSON\n"
      "  --help         print this text\n"
      "\n"
      "Exit status: 0 done, 1 the file was refused, 2 wrong command line.\n";
constexpr const char *UsageErrorText
    = "vkgame: expected a command and one file name (see vkgame --help)";
constexpr const char *UnknownCommandText = "vkgame: unknown command: ";
constexpr const char *WriteFailedText = "vkgame: writing to standard output failed";
constexpr const char *DiagnosticPrefix = "Debug Info: ";
constexpr const char *HelpOption = "--help";

// Without windows, what the model would show in a box goes to standard error instead, so that
// nothing the program would have said is hidden.
class StderrLink : public UiLink {
public:
    StderrLink() { InstallUiLink(this); }
    ~StderrLink() override { InstallUiLink(nullptr); }

    void ShowDiagnostic(const std::string &text) override
    {
        std::cerr << DiagnosticPrefix << OneLine(text) << '\n';
    }
    void ShowMessage(const std::string &text, const std::string &caption) override
    {
        Show(text, caption);
    }
    void ShowFatalError(const std::string &text, const std::string &caption) override
    {
        Show(text, caption);
    }
    bool LoadBoardPicture(const std::string &, int) override { return false; }
    void BoardResized() override { }
    int ScrollX() override { return 0; }
    int ScrollY() override { return 0; }

    // Line breaks in a message would split one report over several lines of the log.
    static std::string OneLine(std::string text)
    {
        for (char &c : text)
            if (c == '\n' || c == '\r')
                c = ' ';
        return text;
    }

private:
    static void Show(const std::string &text, const std::string &caption)
    {
        std::cerr << caption << ": " << OneLine(text) << '\n';
    }
};

std::string Number(int value)
{
    return std::to_string(value);
}

std::string LegionJson(const TLegion &legion, int marker)
{
    return Json::Object({
        Json::Member("marker", Number(marker)),
        Json::Member("land", Number(legion.GetLocation())),
        Json::Member("creatures", Json::Array(legion.GetCrits(), Number)),
        Json::Member("unsure", Json::Array(legion.GetUnsure(), Json::Bool)),
    });
}

std::string LegionsJson(const TPlayer &player)
{
    std::string legions;
    for (int m = 0; m < MarkersPerColor; ++m) {
        const TLegion *legion = player.GetLegion(m);
        if (legion->GetLocation() == 0)
            continue;
        const int marker = player.GetColor() * MarkersPerColor + m;
        legions += (legions.empty() ? "" : ",") + LegionJson(*legion, marker);
    }
    return '[' + legions + ']';
}

std::string PlayerJson(const TPlayer &player)
{
    return Json::Object({
        Json::Member("name", Json::String(player.GetName())),
        Json::Member("colour", Number(player.GetColor())),
        Json::Member("spare", Number(player.GetSpare())),
        Json::Member("markerSets", Json::Array(player.GetMarkerSetColors(), Number)),
        Json::Member("legions", LegionsJson(player)),
    });
}

std::string GameJson(const TVorunGame &game)
{
    std::array<int, Crit::LastType> counts{};
    for (uint8_t type = Crit::FirstType; type <= Crit::LastType; ++type)
        counts[type - Crit::FirstType] = game.Stacks().GetCharLeft(type);
    std::string players;
    for (int i = 0; i < game.PlayerCount(); ++i)
        players += (i == 0 ? "" : ",") + PlayerJson(*game.GetPlayer(i));
    return Json::Object({
        Json::Member("gameName", Json::String(game.GameName)),
        Json::Member("fileName", Json::String(game.FileName)),
        Json::Member("charLeft", Json::Array(counts, Number)),
        Json::Member("players", '[' + players + ']'),
        Json::Member("notes", Json::Array(game.NotesLines(), Json::String)),
    });
}

std::string SettingsJson(const TStartupSettings &s)
{
    return Json::Object({
        Json::Member("WindowTop", Number(s.WindowTop)),
        Json::Member("WindowLeft", Number(s.WindowLeft)),
        Json::Member("WindowWidth", Number(s.WindowWidth)),
        Json::Member("WindowHeight", Number(s.WindowHeight)),
        Json::Member("WindowMax", Json::Bool(s.WindowMax)),
        Json::Member("BoardSize", Number(s.BoardSize)),
    });
}

// Loads as the program would and hands the game to `use`; a file the program would refuse gets
// the program's message instead.
template<typename Use>
int WithLoadedGame(const std::string &path, Use use)
{
    TVorunGame game;
    const LoadResult result = LoadSavedGameFile(path, game);
    if (result.outcome == LoadOutcome::Loaded)
        return use(game);
    if (result.kind != MessageKind::Diagnostic) // a diagnostic has already gone to the link
        std::cerr << StderrLink::OneLine(result.text) << '\n';
    return ExitRefused;
}

int Dump(const TVorunGame &game)
{
    std::cout << GameJson(game) << '\n';
    return ExitOk;
}

int Write(const TVorunGame &game)
{
    if (WriteSavedGame(std::cout, game) && std::cout.flush())
        return ExitOk;
    std::cerr << WriteFailedText << '\n';
    return ExitRefused;
}

int Settings(const std::string &path)
{
    std::cout << SettingsJson(ReadStartupSettingsFile(path)) << '\n';
    return ExitOk;
}

int UsageError(const std::string &text)
{
    std::cerr << text << '\n';
    return ExitUsage;
}

} // namespace

int main(int argc, char **argv)
{
    StderrLink link;
    if (argc == 2 && std::string(argv[1]) == HelpOption) {
        std::cout << UsageText;
        return ExitOk;
    }
    if (argc != 3)
        return UsageError(UsageErrorText);
    const std::string command = argv[1];
    const std::string path = argv[2];
    if (command == "dump")
        return WithLoadedGame(path, Dump);
    if (command == "write")
        return WithLoadedGame(path, Write);
    if (command == "settings")
        return Settings(path);
    return UsageError(UnknownCommandText + command);
}
