#pragma once
#include <QString>
#include <QStringList>

// Starts another program, detached, from a command line of blank-separated words
// (the first is the program). Never through a shell: every word, a community
// string or a password included, reaches the program unchanged as one argument.
class KvLauncher {
public:
    // The program is looked for, in order, in `moduleDirectory`, the current
    // directory and PATH; a name with a '/' is taken as it is. Gives false when
    // the line is empty or the program cannot be found or started.
    static bool startCommandLine(const QString& commandLine, const QString& moduleDirectory);
    // The same with the words given: `words` first is the program, every
    // other word one argument exactly as it is (blanks included).
    static bool start(QStringList words, const QString& moduleDirectory);

    // The program file that startCommandLine would start; empty when not found.
    static QString findProgram(const QString& name, const QString& moduleDirectory);

    // The command line split at blanks (runs of blanks count as one).
    static QStringList splitCommandLine(const QString& commandLine);
};
