#pragma once
// Runs the built plumex program and collects what it printed.
#include <QStringList>
#include <string>

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliResult RunPlumex(const QStringList& args, int timeoutMs = 60000);
