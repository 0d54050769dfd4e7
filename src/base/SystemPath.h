#pragma once
#ifndef PLUMEX_LAYER_BASE
#error "a header of plumex_base, included by a library that does not link it"
#endif
// File names on Linux are bytes, not text. A name from the command line
// that is not UTF-8 (d\xe9mo.pmx, written in Latin-1) must reach the system
// as the same bytes. A name is held in a QString with every byte that is not
// part of UTF-8 kept as the lone surrogate U+DC80 to U+DCFF (no UTF-8 text
// contains one), and turned back into the same bytes for the system.
#include <QString>
#include <QStringList>
#include <string>

// The bytes as a QString: UTF-8 decoded, other bytes kept as U+DC80 + byte.
QString PathFromSystem(const std::string& bytes);
// The QString as the bytes the system takes: the inverse of PathFromSystem,
// and UTF-8 for any other text.
std::string SystemPath(const QString& path);
// The program's arguments, each through PathFromSystem.
QStringList ArgumentsFromSystem(int argc, char** argv);
