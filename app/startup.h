// app/startup.h - the tool's start-up.
//
// Operations:
//   RunStartUp(argc, argv)   starts the tool and runs it to its end; the exit code. The first
//                            argument, when given, is the starting file; else the chooser asks.
//   StartAlbum(chosenFile)   steps from splitting the chosen path to the first show
#pragma once
#include <string>

int RunStartUp(int& argc, char** argv);
bool StartAlbum(const std::string& chosenFile);
