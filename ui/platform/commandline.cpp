#include "commandline.h"

#include "product.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QStringList>

#include <array>

namespace {

constexpr const char *ExecutableName = "vorunkelm";
constexpr const char *Description
    = "Keeps the board of a game of Vorun on screen and on disk, beside the physical board.";
constexpr const char *GameArgument = "game";
constexpr const char *GameHelp = "A saved game to load at start.";
constexpr const char *GameSyntax = "[game]";

// Qt's own options, which the application object takes out of the command line later; they
// must not count as unknown here. Those without a value come last.
constexpr std::array<const char *, 12> QtOptionsWithValue{
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "display",         "geometry",           "style",         "stylesheet"};
constexpr std::array<const char *, 2> QtFlags{"reverse", "widgetcount"};

void AddQtOptions(QCommandLineParser &parser)
{
    for (const char *name : QtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : QtFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// The parser names the program after the running application object, which does not exist yet.
std::string UsageText(const QCommandLineParser &parser)
{
    QString text = parser.helpText();
    text.replace(QRegularExpression(QStringLiteral("^Usage: \\S+")),
                 QStringLiteral("Usage: ") + QString::fromLatin1(ExecutableName));
    return text.toStdString();
}

// QCommandLineParser hands the other arguments back as text; the system's bytes are found again
// by their place among the arguments.
std::vector<std::string> RawArguments(const QStringList &positional, int argc,
                                      const char *const *argv)
{
    std::vector<std::string> raw;
    int next = 1;
    for (const QString &argument : positional) {
        while (next < argc && QString::fromLocal8Bit(argv[next]) != argument)
            ++next;
        if (next < argc)
            raw.emplace_back(argv[next++]);
    }
    return raw;
}

} // namespace

TCommandLine ParseCommandLine(int argc, const char *const *argv)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(Description));
    // Qt's options are written with one dash ("-platform offscreen"); so may ours be.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Qt's own help option would also offer --help-all, for Qt's options, which this program
    // does not describe.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QString::fromLatin1(GameArgument), QString::fromLatin1(GameHelp),
                                 QString::fromLatin1(GameSyntax));
    AddQtOptions(parser);
    QStringList arguments{QString::fromLatin1(ExecutableName)};
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    TCommandLine command;
    if (!parser.parse(arguments)) {
        command.action = TCommandLine::Action::Usage;
        command.text = std::string(ExecutableName) + ": " + parser.errorText().toStdString()
            + "\n\n" + UsageText(parser);
    } else if (parser.isSet(help)) {
        command.action = TCommandLine::Action::Help;
        command.text = UsageText(parser);
    } else if (parser.isSet(version)) {
        command.action = TCommandLine::Action::Version;
        command.text = std::string(ExecutableName) + " " + ProductVersion + "\n";
    } else {
        command.games = RawArguments(parser.positionalArguments(), argc, argv);
    }
    return command;
}
