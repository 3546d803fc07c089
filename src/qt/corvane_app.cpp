#include "qt/corvane_app.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/app_shell.h"
#include "app/command_line_info.h"
#include "app/display_check.h"
#include "app/f1_filter.h"
#include "app/help_topics.h"
#include "platform/prompter.h"
#include "platform/settings_store.h"
#include "qt/key_state.h"
#include "qt/main_frame.h"
#include "qt/print_command.h"

namespace corvane {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

HelpTopicMap LoadHelpMap(const QString& helpDir) {
  QFile file(QDir(helpDir).filePath(QStringLiteral("topics.map")));
  if (!file.open(QIODevice::ReadOnly)) return HelpTopicMap{};
  return HelpTopicMap::Parse(file.readAll().toStdString());
}

// --help and --version, which need neither a display nor the settings: the
// exit status once answered, nothing for any other command line.
std::optional<int> AnswerAtOnce(const CommandLineInfo& info) {
  if (info.action == CommandLineInfo::Action::kShowHelp) {
    std::fwrite(kProgramUsage.data(), 1, kProgramUsage.size(), stdout);
    return 0;
  }
  if (info.action == CommandLineInfo::Action::kShowVersion) {
    std::printf("corvane %s\n", CORVANE_VERSION);
    return 0;
  }
  return std::nullopt;
}

}  // namespace

QString FindHelpDir() {
  const QString fromEnvironment = qEnvironmentVariable("CORVANE_HELP_DIR");
  QStringList candidates;
  if (!fromEnvironment.isEmpty()) candidates << fromEnvironment;
  candidates << QDir(QCoreApplication::applicationDirPath())
                    .filePath(QStringLiteral("../share/corvane/help"));
#ifdef CORVANE_SOURCE_HELP_DIR
  candidates << QStringLiteral(CORVANE_SOURCE_HELP_DIR);
#endif
  for (const QString& dir : candidates) {
    if (QFileInfo::exists(QDir(dir).filePath(QStringLiteral("topics.map")))) {
      return QDir::cleanPath(dir);
    }
  }
  return candidates.constFirst();
}

CCorvaneApp::CCorvaneApp(int& argc, char** argv) : QApplication(argc, argv) {
  setOrganizationName(QStringLiteral("Nordaxe"));
  setApplicationName(QStringLiteral("Corvane"));
  setApplicationVersion(QStringLiteral(CORVANE_VERSION));
  setDesktopFileName(QStringLiteral("corvane"));
  installEventFilter(&f1Filter_);
}

CCorvaneApp::~CCorvaneApp() {
  frame_.reset();
  shell_.reset();
}

std::optional<int> CCorvaneApp::InitInstance() {
  shell_ = std::make_unique<AppShell>(store_, prompter_, io_);
  shell_->AttachPoster(poster_);
  const QString helpDir = FindHelpDir();
  shell_->SetHelpMap(LoadHelpMap(helpDir));
  frame_ = std::make_unique<CMainFrame>(*shell_, helpDir);
  prompter_.SetParent(frame_.get());

  std::vector<std::string> args;
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) args.push_back(arguments[i].toStdString());
  const CommandLineInfo info = ParseCommandLine(args);
  if (const auto answered = AnswerAtOnce(info)) return answered;
  // A print request prints and ends; the window never shows.
  if (const auto request = PrintRequestOf(info)) return RunPrintCommand(*request);
  const StartupResult result = shell_->InitInstance(info);
  if (!result.run) {
    if (!result.message.empty()) std::fprintf(stderr, "%s\n", result.message.c_str());
    return result.exitCode;
  }
  frame_->show();
  frame_->UpdateCommandUi();
  return std::nullopt;
}

int CCorvaneApp::Run() {
  if (const auto exitCode = InitInstance()) return *exitCode;
  return exec();
}

bool CF1Filter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F1) {
      const Qt::KeyboardModifiers mods = key->modifiers();
      const KeyPress press{KeyPress::Key::kF1, (mods & Qt::ShiftModifier) != 0,
                           (mods & Qt::ControlModifier) != 0, (mods & Qt::AltModifier) != 0,
                           key->isAutoRepeat()};
      if (IsConsumedByF1Filter(press)) return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

namespace {

// Options QApplication takes for itself; with one of them present the command
// line can only be judged after Qt has removed them.
bool HasQtOption(int argc, char** argv) {
  static constexpr std::string_view kQtOptions[] = {"-platform",
                                                    "-platformpluginpath",
                                                    "-platformtheme",
                                                    "-plugin",
                                                    "-display",
                                                    "-style",
                                                    "-stylesheet",
                                                    "-geometry",
                                                    "-qwindowgeometry",
                                                    "-qwindowtitle",
                                                    "-qwindowicon",
                                                    "-reverse",
                                                    "-session",
                                                    "-widgetcount",
                                                    "-qmljsdebugger",
                                                    "-title",
                                                    "-name"};
  for (int i = 1; i < argc; ++i) {
    for (const std::string_view option : kQtOptions) {
      if (argv[i] == option || (std::string_view(argv[i]).substr(1) == option)) return true;
    }
  }
  return false;
}

// While the window system starts: what the toolkit reports of the platform
// is held back, and a failure it cannot recover from (which would abort with
// its own text) ends the program with its one line and status 1.
struct StartupMessages {
  static inline QtMessageHandler previous = nullptr;
  static inline std::string platform;
  static inline std::vector<std::tuple<QtMsgType, std::string, QString>> held;

  static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
      const std::string line = PlatformFailedMessage(platform, Environment("DISPLAY"),
                                                     Environment("WAYLAND_DISPLAY"));
      std::fprintf(stderr, "%s\n", line.c_str());
      std::fflush(stderr);
      std::_Exit(1);
    }
    const std::string_view category = context.category != nullptr ? context.category : "";
    if (category.starts_with("qt.qpa")) {
      held.emplace_back(type, std::string(category), text);
      return;
    }
    if (previous != nullptr) previous(type, context, text);
  }

  // Hands on what was held back once the window system runs.
  static void Release() {
    qInstallMessageHandler(previous);
    for (const auto& [type, category, text] : held) {
      const QMessageLogContext context(nullptr, 0, nullptr, category.c_str());
      qt_message_output(type, context, text);
    }
    held.clear();
  }
};

}  // namespace

int RunCorvaneWindow(int argc, char** argv) {
  // A command line that cannot run is answered before any display is needed.
  if (!HasQtOption(argc, argv)) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const CommandLineInfo info = ParseCommandLine(args);
    if (const auto answered = AnswerAtOnce(info)) return *answered;
    if (const auto request = PrintRequestOf(info)) return RunPrintCommand(*request);
    if (info.action != CommandLineInfo::Action::kFileNew &&
        info.action != CommandLineInfo::Action::kFileOpen) {
      MemorySettingsStore unused;
      RecordingPrompter silent;
      DiskWorkFileIo io;
      AppShell shell(unused, silent, io);
      const StartupResult result = shell.InitInstance(info);
      std::fprintf(stderr, "%s\n", result.message.c_str());
      return result.exitCode;
    }
  }
  const std::string display = Environment("DISPLAY");
  std::string platform = Environment("QT_QPA_PLATFORM");
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
      platform = argv[i + 1];
    }
  }
  const bool needsX = platform.empty() || platform == "xcb";
  const auto noDisplay = NoDisplayMessage(platform, display, Environment("WAYLAND_DISPLAY"),
                                          !needsX || IsDisplayReachable(display));
  if (noDisplay) {
    std::fprintf(stderr, "%s\n", noDisplay->c_str());
    return 1;
  }
  StartupMessages::platform = platform;
  StartupMessages::previous = qInstallMessageHandler(&StartupMessages::Handle);
  CCorvaneApp app(argc, argv);
  StartupMessages::Release();
  return app.Run();
}

}  // namespace corvane
