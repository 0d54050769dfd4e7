#pragma once
#include <QString>

// plumex --info CASE.pmx: prints the case; non-zero exit for a bad file.
int RunInfoCommand(const QString& path);
