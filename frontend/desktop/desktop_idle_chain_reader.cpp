#include "frontend/desktop/desktop_idle_chain_reader.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace veyora::frontend {

namespace {

constexpr int kGsettingsTimeoutMs = 3000;

// What `gsettings get SCHEMA KEY` prints; empty when it cannot run or fails.
std::string GsettingsValue(const QString& gsettings, const QString& schema, const QString& key) {
  QProcess process;
  process.setStandardErrorFile(QProcess::nullDevice());
  process.start(gsettings, {"get", schema, key});
  if (!process.waitForFinished(kGsettingsTimeoutMs) ||
      process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    process.kill();
    process.waitForFinished();
    return {};
  }
  return process.readAllStandardOutput().toStdString();
}

std::optional<DesktopIdleChain> ReadGnomeIdleChain() {
  const QString gsettings = QStandardPaths::findExecutable("gsettings");
  if (gsettings.isEmpty()) return std::nullopt;
  return GnomeIdleChain(
      ParseGsettingsNumber(GsettingsValue(gsettings, "org.gnome.desktop.session", "idle-delay")),
      ParseGsettingsBoolean(
          GsettingsValue(gsettings, "org.gnome.desktop.screensaver", "lock-enabled")));
}

// KDE's configuration files of this name, the user's own first.
QStringList KdeConfigFiles(const QString& name) {
  QStringList files;
  files << QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" + name;
  const QByteArray dirs = qgetenv("XDG_CONFIG_DIRS");
  for (const QString& dir : QString::fromLocal8Bit(dirs.isEmpty() ? "/etc/xdg" : dirs).split(':')) {
    if (!dir.isEmpty()) files << dir + "/" + name;
  }
  return files;
}

// The key from the first file that sets it.
std::optional<QVariant> KdeSetting(const QStringList& files, const QString& key) {
  for (const QString& file : files) {
    if (!QFileInfo::exists(file)) continue;
    const QSettings settings(file, QSettings::IniFormat);
    if (settings.contains(key)) return settings.value(key);
  }
  return std::nullopt;
}

std::optional<DesktopIdleChain> ReadKdeIdleChain() {
  const QStringList files = KdeConfigFiles("kscreenlockerrc");
  const auto autolock = KdeSetting(files, "Daemon/Autolock");
  const auto timeout = KdeSetting(files, "Daemon/Timeout");
  bool number = false;
  const long long minutes = timeout ? timeout->toLongLong(&number) : 0;
  return KdeIdleChain(autolock ? std::optional<bool>(autolock->toBool()) : std::nullopt,
                      number ? std::optional<long long>(minutes) : std::nullopt);
}

}  // namespace

std::optional<DesktopIdleChain> ReadDesktopIdleChain(DesktopKind desktop) {
  switch (desktop) {
    case DesktopKind::Gnome:
      return ReadGnomeIdleChain();
    case DesktopKind::Kde:
      return ReadKdeIdleChain();
    case DesktopKind::Other:
      break;
  }
  return std::nullopt;
}

}  // namespace veyora::frontend
