// Filling the host command list from the host's files.
#pragma once

class CCommandList;
class CLocalizer;
struct CHostPaths;

// The host's command file by categories (stopping at "Commands with
// parameters"), category names and descriptions from the translated command
// file, then the "em_" commands of "usercmd.ini" and of the language ".ini"
// (each listed once) under the group "User-defined commands".
void LoadHostCommands(CCommandList& list, const CHostPaths& paths, const CLocalizer& localizer);
