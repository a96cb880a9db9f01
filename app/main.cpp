#include <QApplication>

#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/shell.h"
#include "platform/qt/qt_gui_services.h"

namespace {

constexpr const char* kUsage =
    "Usage: glyphwright [FILE] [--font N|NAME]\n"
    "Edit the bitmap font in FILE, or start with an empty font.\n"
    "  --font N|NAME  the font to edit of a file with several: its number from 1, its name, or #N\n"
    "                 for DefineFont #N; without it the editor asks.\n"
    "  --help         print this text and end.\n"
    "  --version      print the version and end.\n";

struct StartArguments {
    std::string path;
    std::string font;
    bool done = false;  // --help or --version printed, or a fault told
    int status = 0;
};

// The program's own arguments; Qt's (such as -platform) are left to Qt.
StartArguments parse_arguments(int argc, char* argv[])
{
    StartArguments start;
    std::vector<std::string_view> words(argv + 1, argv + argc);
    for (std::size_t at = 0; at < words.size(); ++at) {
        std::string_view word = words[at];
        if (word == "--help" || word == "-h") {
            std::fputs(kUsage, stdout);
            return {{}, {}, true, 0};
        }
        if (word == "--version") {
            std::printf("glyphwright %s\n", GLYPHWRIGHT_VERSION);
            return {{}, {}, true, 0};
        }
        if (word == "--font" && at + 1 < words.size()) {
            start.font = words[++at];
        } else if (word.substr(0, 7) == "--font=") {
            start.font = word.substr(7);
        } else if (word.size() > 1 && word[0] == '-') {
            if (word == "-platform" || word == "-display" || word == "-style")
                ++at;  // Qt's, with its value
            else if (word.substr(0, 2) == "--") {
                std::fprintf(stderr, "glyphwright: unknown option %s\n%s", std::string(word).c_str(), kUsage);
                return {{}, {}, true, 2};
            }
        } else if (start.path.empty()) {
            start.path = word;
        } else {
            std::fprintf(stderr, "glyphwright: one file at a time\n%s", kUsage);
            return {{}, {}, true, 2};
        }
    }
    return start;
}

}  // namespace

int main(int argc, char* argv[])
{
    StartArguments start = parse_arguments(argc, argv);
    if (start.done)
        return start.status;
    // A file-size limit then makes a save fail instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    // Lets the desktop match the window to the installed launcher entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("glyphwright"));
    glyphwright::qt::QtGuiServices gui;
    return glyphwright::run_editor(gui, start.path, start.font);
}
