#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
// --render: one frame of a case's 3-D scene, drawn offscreen the way the
// main 3-D view draws it, written as a BMP file.
#include <QString>

class QCommandLineParser;

// Adds --render and its companions --size, --sorted and --colour (--image
// comes with the section options).
void AddRenderOptions(QCommandLineParser& parser);
bool RenderRequested(const QCommandLineParser& parser);
// Exit code: 0 written, 1 case or picture failed, 2 bad arguments,
// 3 no OpenGL context (no display).
int RunRenderCommand(const QCommandLineParser& parser);
// True when the arguments ask for --render (read before the application
// object exists, to choose a GUI application).
bool ArgumentsAskForRender(int argc, char** argv);
