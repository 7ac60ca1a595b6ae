// SPDX-License-Identifier: MIT
#include "windows/application.h"

#include "runtime/program_identity.h"
#include "runtime/texts.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSocketNotifier>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace windows {
namespace {

QtMessageHandler qtMessages = nullptr;

// While the application object is made, a fatal message means that the window system could not
// be opened: our line says so in the user's words, then Qt's own text says why and which
// platforms there are, and the run ends with kExitNoDisplay instead of Qt's abort.
void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        qtMessages(type, context, message);
        return;
    }
    std::fprintf(stderr, "%s\n%s\n", std::string(runtime::texts::kNoDisplay).c_str(),
                 message.toLocal8Bit().constData());
    std::_Exit(kExitNoDisplay);
}

#ifdef Q_OS_UNIX
int signalSockets[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalSockets[1], &byte, 1);
}

// A signal handler may only write to a socket; the event loop reads it and quits.
void quitOnTerminationSignals(QCoreApplication& application) {
    // Close-on-exec: a program started from here inherits neither end.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalSockets[0], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, [] {
        char byte = 0;
        [[maybe_unused]] const auto read = ::read(signalSockets[0], &byte, 1);
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}
#endif

} // namespace

std::optional<int> answerInformationOptions(std::span<char* const> arguments, std::ostream& out) {
    for (const char* argument : arguments.subspan(1)) {
        const std::string_view option = argument;
        if (option == "-h" || option == "--help") {
            out << runtime::texts::kUsage;
            return 0;
        }
        if (option == "--version") {
            out << "Brimel " << runtime::kVersionText << '\n';
            return 0;
        }
    }
    return std::nullopt;
}

std::optional<int> refuseOtherArguments(const QStringList& arguments, std::ostream& err) {
    if (arguments.size() < 2)
        return std::nullopt;
    const std::string other = arguments[1].toStdString();
    err << runtime::texts::filled(other.starts_with('-') ? runtime::texts::kUnknownOption
                                                         : runtime::texts::kExtraArgument,
                                  other)
        << "\n\n"
        << runtime::texts::kUsage;
    return kExitUsage;
}

void prepareApplication() {
    // The design fixes the windows' colours and fonts; the desktop's theme would restyle the
    // rest (dark text boxes, near-black captions on the dark grey) and costs start-up time.
    QGuiApplication::setDesktopSettingsAware(false);
    qtMessages = qInstallMessageHandler(startupMessages);
}

void setUpApplication(QCoreApplication& application) {
    qInstallMessageHandler(qtMessages);
    QCoreApplication::setApplicationName(QStringLiteral("Brimel"));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(runtime::kVersionText));
    // Names the desktop entry: the Wayland app_id, and the entry docks group the window with.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(runtime::kApplicationId));
    installSpanishQtTexts(application);
#ifdef Q_OS_UNIX
    quitOnTerminationSignals(application);
#endif
}

bool installSpanishQtTexts(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace windows
