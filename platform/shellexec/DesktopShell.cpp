#include "platform/shellexec/DesktopShell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

namespace platform::shellexec {
namespace {

QString trimmed(const std::string& s) { return QString::fromStdString(s).trimmed(); }

QString inProgramFolder(const QString& name, const std::string& folder) {
    if (QDir::isAbsolutePath(name)) return QDir::cleanPath(name);
    return QDir::cleanPath(QDir(QString::fromStdString(folder)).filePath(name));
}

} // namespace

DesktopShell::DesktopShell(std::string programFolder) : m_programFolder(std::move(programFolder)) {}

std::string DesktopShell::addressFor(const std::string& target) const {
    const QString t = trimmed(target);
    if (t.isEmpty()) return {};
    static const QRegularExpression scheme("^(https?|mailto|ftp|file):", QRegularExpression::CaseInsensitiveOption);
    if (scheme.match(t).hasMatch()) return QUrl(t, QUrl::TolerantMode).toString(QUrl::FullyEncoded).toStdString();
    if (t.startsWith("www.", Qt::CaseInsensitive))
        return QUrl("http://" + t, QUrl::TolerantMode).toString(QUrl::FullyEncoded).toStdString();
    static const QRegularExpression mail("^[^@\\s/\\\\]+@[^@\\s/\\\\]+\\.[^@\\s/\\\\]+$");
    if (mail.match(t).hasMatch()) return QUrl("mailto:" + t).toString(QUrl::FullyEncoded).toStdString();
    return QUrl::fromLocalFile(inProgramFolder(t, m_programFolder)).toString(QUrl::FullyEncoded).toStdString();
}

bool DesktopShell::open(const std::string& target) {
    const std::string address = addressFor(target);
    if (address.empty()) return false;
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    // A file that is not there has no handler to go to.
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) return false;
    return QDesktopServices::openUrl(url);
}

bool DesktopShell::startProgram(const std::string& path) {
    const QString name = trimmed(path);
    if (name.isEmpty()) return false;
    const QString program = inProgramFolder(name, m_programFolder);
    return QProcess::startDetached(program, {}, QFileInfo(program).absolutePath());
}

} // namespace platform::shellexec
