#include "platform/Display.h"

#include <QApplication>

#include <cstdlib>
#include <cstring>

namespace {

int g_argc = 0;
char** g_argv = nullptr;
char g_defaultProgramName[] = "varno";
char* g_defaultArgv[] = {g_defaultProgramName, nullptr};

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

} // namespace

bool AfxHasDisplay()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && (std::strncmp(platform, "offscreen", 9) == 0 || std::strncmp(platform, "minimal", 7) == 0)) {
        return false;
    }
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

void AfxSetProcessArguments(int argc, char** argv)
{
    g_argc = argc;
    g_argv = argv;
}

QApplication* AfxEnsureGuiApplication()
{
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return existing;
    }
    if (g_argv == nullptr || g_argc <= 0) {
        g_argc = 1;
        g_argv = g_defaultArgv;
    }
    // Lives until the process ends; Qt keeps references to argc and argv.
    static QApplication* application = new QApplication(g_argc, g_argv);
    return application;
}
