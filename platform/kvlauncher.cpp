#include "platform/kvlauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

QString executableIn(const QString& directory, const QString& name)
{
    if (directory.isEmpty())
        return QString();
    const QFileInfo candidate(QDir(directory), name);
    if (candidate.isFile() && candidate.isExecutable())
        return candidate.absoluteFilePath();
    return QString();
}

} // namespace

QStringList KvLauncher::splitCommandLine(const QString& commandLine)
{
    return commandLine.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString KvLauncher::findProgram(const QString& name, const QString& moduleDirectory)
{
    if (name.isEmpty())
        return QString();
    if (name.contains(QLatin1Char('/'))) {
        const QFileInfo direct(name);
        return direct.isFile() && direct.isExecutable() ? direct.absoluteFilePath() : QString();
    }
    QStringList directories{moduleDirectory, QDir::currentPath()};
    directories += qEnvironmentVariable("PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& directory : directories) {
        const QString found = executableIn(directory, name);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

bool KvLauncher::startCommandLine(const QString& commandLine, const QString& moduleDirectory)
{
    return start(splitCommandLine(commandLine), moduleDirectory);
}

bool KvLauncher::start(QStringList words, const QString& moduleDirectory)
{
    if (words.isEmpty())
        return false;
    const QString program = findProgram(words.takeFirst(), moduleDirectory);
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, words);
}
